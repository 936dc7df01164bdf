#include "qt/frame_placement.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "qt/guard.h"
#include "qt/shell_types.h"

namespace tabulor {
namespace {

bool FrameKnown(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    return handle != nullptr && !handle->frameMargins().isNull();
}

void Place(QWidget& window, const QRect& area, TFramePlacement place)
{
    window.move(ToQPoint(place(ToTRect(area), ToTSize(window.frameGeometry().size()))));
}

// Lives as long as the window's first appearance.
class TPlacingOnFrame : public QObject {
public:
    TPlacingOnFrame(QWidget& window, const QRect& area, TFramePlacement place)
        : QObject(window.windowHandle()), Window(window), Area(area), Placement(place)
    {
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && Window.windowHandle()->isExposed()) {
            RunGuarded([this] {
                if (FrameKnown(Window))
                    Place(Window, Area, Placement);
            });
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& Window;
    QRect Area;
    TFramePlacement Placement;
};

}  // namespace

void PlaceByFrame(QWidget& window, const QRect& area, TFramePlacement place)
{
    Place(window, area, place);
    if (window.isVisible() && !FrameKnown(window))
        new TPlacingOnFrame(window, area, place);
}

}  // namespace tabulor
