#include "qt/frame_centring.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "qt/application.h"
#include "qt/shell_types.h"
#include "shell/placement.h"

namespace tabulor {
namespace {

bool FrameKnown(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && !handle->frameMargins().isNull();
}

void MoveCentred(QWidget& window, const QRect& area)
{
    window.move(ToQPoint(CentredTopLeft(ToTRect(area), ToTSize(window.frameGeometry().size()))));
}

// Lives as long as the window's first appearance.
class TCentringOnFrame : public QObject {
public:
    TCentringOnFrame(QWidget& window, const QRect& area)
        : QObject(window.windowHandle()), Window(window), Area(area)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && Window.windowHandle()->isExposed()) {
            RunGuarded([this] {
                if (FrameKnown(Window))
                    MoveCentred(Window, Area);
            });
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& Window;
    QRect Area;
};

}  // namespace

void CentreFramed(QWidget& window, const QRect& area)
{
    MoveCentred(window, area);
    if (window.isVisible() && !FrameKnown(window))
        new TCentringOnFrame(window, area);
}

}  // namespace tabulor
