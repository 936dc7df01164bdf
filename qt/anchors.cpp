#include "qt/anchors.h"

#include <QWidget>

#include "qt/form_controls.h"
#include "qt/shell_types.h"
#include "shell/layout.h"

namespace tabulor {

TAnchors::TAnchors(const TFormControls& controls)
{
    for (const TControlLayout& entry : FormControls()) {
        QWidget* control = controls[entry.Id];
        Controls.append({control, ToTRect(control->geometry()), entry.Anchors});
    }
}

void TAnchors::Apply(const QSize& clientSize) const
{
    const TSize growth = {clientSize.width() - FormClientSize.Width,
                          clientSize.height() - FormClientSize.Height};
    for (const TAnchoredControl& control : Controls)
        control.Control->setGeometry(ToQRect(AnchoredRect(control.LaidOut, control.Anchors, growth)));
}

}  // namespace tabulor
