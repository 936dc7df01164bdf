// The application object: title, icon, message loop and the two ways the tool speaks to the user
// outside its main window.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include <exception>
#include <type_traits>

#include "shell/placement.h"

namespace tabulor {

class TApplication : public QApplication {
    Q_OBJECT
public:
    // Loads the icon and Qt's French texts; a missing translation leaves Qt's texts in English.
    // Settings that Qt itself keeps go to a folder that is removed at exit.
    TApplication(int& argc, char** argv);

    static TApplication* Instance();

    // The caption of every notice and error box: the main window's.
    static QString Title();

    // Centres the main window on the primary screen, shows it and runs the message loop until
    // it is closed.
    int Run(QWidget& mainWindow, TStartShow how);

    // Shows text in the notice, modal over the active window, until the user closes it.
    void ShowNotice(const QString& text);

    // The last-chance handler of an error that ended an event: shows its text in the error box,
    // then the event is over and the loop goes on, with every window as it was.
    void ReportError(const std::exception& error);

signals:
    // The error box is about to take the mouse: a press still held ends without a release.
    void PressCancelled();

private:
    QTranslator QtTranslation;
    QTemporaryDir ThrowawaySettings;
};

// Hands the error being handled to ReportError. Only for a catch block.
void ReportCurrentError();

// Runs handler, code of the tool called from one of Qt's frames (an event handler, a slot, an
// event filter), and hands any error that escapes it to ReportError, so that no exception ever
// unwinds through Qt's own frames. After an error the result is the value-initialised one.
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
