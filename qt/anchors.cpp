#include "qt/anchors.h"

#include <QWidget>

#include "qt/form_widgets.h"
#include "qt/shell_types.h"
#include "shell/layout.h"

namespace tabulor {

TAnchors::TAnchors(const TFormWidgets& widgets)
{
    for (const TControlLayout& entry : FormControls()) {
        QWidget* control = widgets[entry.Id];
        Controls.append({control, ToTRect(control->geometry()), entry.Anchors});
    }
}

void TAnchors::Apply(const QSize& clientSize) const
{
    for (const TAnchoredControl& control : Controls) {
        control.Control->setGeometry(
            ToQRect(AnchoredRect(control.LaidOut, control.Anchors, ToTSize(clientSize), FormClientSize)));
    }
}

}  // namespace tabulor
