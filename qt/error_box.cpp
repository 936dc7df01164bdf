#include "qt/error_box.h"

#include <QMessageBox>
#include <QWidget>

namespace tabulor {

void ShowErrorBox(const QString& title, const QString& text, QWidget* owner)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("ErrorBox"));
    // A file name may hold what looks like markup; it is shown as typed.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tabulor
