// The one guard that every event handler, slot and event filter of the tool runs behind: no
// exception ever unwinds through Qt's own frames, which cannot pass it on. It reports what it
// catches and goes on; it retries nothing.
#pragma once

#include <QObject>

#include <exception>
#include <type_traits>

namespace tabulor {

// Where the guard's errors end: the error box, modal over the active window. The application's
// last-chance handler, ReportError, lives here rather than on TApplication, so that the code
// that runs guarded needs no application object, as on Windows.
class TErrorReporter : public QObject {
    Q_OBJECT
public:
    static TErrorReporter& Instance();

    // The last-chance handler of an error that ended an event: shows its text in the error box,
    // then the event is over and the loop goes on, with every window as it was.
    void ReportError(const std::exception& error);

signals:
    // The error box is about to take the mouse: a press still held ends without a release.
    void PressCancelled();
};

// Hands the error being handled to the reporter. Only for a catch block.
void ReportCurrentError();

// Runs handler, code of the tool called from one of Qt's frames (an event handler, a slot, an
// event filter), and hands any error that escapes it to the reporter. After an error the result
// is the value-initialised one.
template <typename Handler>
auto RunGuarded(Handler&& handler)
{
    using TResult = std::invoke_result_t<Handler&>;
    try {
        return handler();
    } catch (...) {
        ReportCurrentError();
    }
    return TResult();
}

// handler as a slot that runs guarded.
template <typename Handler>
auto Guarded(Handler handler)
{
    return [handler = std::move(handler)]() mutable { return RunGuarded(handler); };
}

}  // namespace tabulor
