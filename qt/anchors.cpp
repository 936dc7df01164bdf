#include "qt/anchors.h"

#include <QWidget>

#include "qt/shell_types.h"
#include "shell/layout.h"

namespace tabulor {

TAnchors::TAnchors(QWidget& form)
{
    for (const TControlSpec& spec : FormControls()) {
        auto* control = form.findChild<QWidget*>(ToQString(spec.Name),
                                                 Qt::FindDirectChildrenOnly);
        if (control != nullptr)
            Controls.append({control, ToTRect(control->geometry()), spec.Anchors});
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
