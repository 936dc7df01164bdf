#include "qt/error_box.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QMessageBox>
#endif

namespace tabulor {

void ShowErrorBox(const QString& caption, const QString& text, QWidget* owner)
{
#ifdef Q_OS_WIN
    const HWND ownerHandle = owner != nullptr ? reinterpret_cast<HWND>(owner->winId()) : nullptr;
    MessageBoxW(ownerHandle, reinterpret_cast<const wchar_t*>(text.utf16()),
                reinterpret_cast<const wchar_t*>(caption.utf16()), MB_OK | MB_ICONSTOP);
#else
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("ErrorBox"));
    // A file name may hold what looks like markup; it is shown as typed.
    box.setTextFormat(Qt::PlainText);
    box.exec();
#endif
}

}  // namespace tabulor
