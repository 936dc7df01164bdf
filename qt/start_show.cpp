#include "qt/start_show.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "qt/application.h"
#include "qt/shell_types.h"
#include "shell/placement.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tabulor {
namespace {

// The value of Windows' SW_SHOWNORMAL.
constexpr int ShowNormal = 1;

bool FrameKnown(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && !handle->frameMargins().isNull();
}

// Before the window manager has framed the window, its frame is its client area, and a window
// centred by that size sits half a frame off centre. Once the window first appears, its frame
// is known, and it is centred again, this one time only, so that a window the user moves later
// stays where the user puts it.
class TFrameCentring : public QObject {
public:
    explicit TFrameCentring(QWidget& window) : QObject(window.windowHandle()), Window(window)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && Window.windowHandle()->isExposed()) {
            RunGuarded([this] {
                if (FrameKnown(Window))
                    CentreOnPrimaryScreen(Window);
            });
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& Window;
};

}  // namespace

int StartupShowCommand()
{
#ifdef Q_OS_WIN
    STARTUPINFOW info{};
    info.cb = sizeof info;
    GetStartupInfoW(&info);
    if (info.dwFlags & STARTF_USESHOWWINDOW)
        return info.wShowWindow;
#endif
    return ShowNormal;
}

std::vector<std::u16string> CommandLineFileNames(int argc, const char* const argv[])
{
    std::vector<std::u16string> names;
    for (int i = 1; i < argc; ++i)
        names.push_back(QFile::decodeName(argv[i]).toStdU16String());
    return names;
}

void CentreOnPrimaryScreen(QWidget& window)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(ToQPoint(CentredTopLeft(ToTRect(screen), ToTSize(window.frameGeometry().size()))));
}

void ShowMainWindow(QWidget& window, TStartShow how)
{
    CentreOnPrimaryScreen(window);
    switch (how) {
    case TStartShow::Maximized:
        window.showMaximized();
        break;
    case TStartShow::Minimized:
        window.showMinimized();
        break;
    case TStartShow::Normal:
        window.show();
        if (FrameKnown(window))
            CentreOnPrimaryScreen(window);
        else
            new TFrameCentring(window);
        break;
    }
}

}  // namespace tabulor
