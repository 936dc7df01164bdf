#include "qt/spin_key_filter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>

#include <algorithm>

#include "qt/guard.h"
#include "shell/spin_field.h"

namespace tabulor {

QChar SystemDecimalSeparator()
{
    return DecimalSeparatorFrom(QLocale::system().decimalPoint().toStdU16String());
}

TSpinKeyFilter::TSpinKeyFilter(QChar decimalSeparator, QObject* parent)
    : QObject(parent), DecimalSeparator(decimalSeparator)
{
}

bool TSpinKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    return RunGuarded([&] {
        if (event->type() == QEvent::KeyPress && !Accepts(*static_cast<QKeyEvent*>(event))) {
            emit Rejected();
            return true;
        }
        if (event->type() == QEvent::InputMethod)
            FilterCommit(*static_cast<QInputMethodEvent*>(event));
        return QObject::eventFilter(watched, event);
    });
}

bool TSpinKeyFilter::Accepts(const QKeyEvent& key) const
{
    // Ctrl+M types a carriage return as Enter does.
    if (key.text().contains(u'\r'))
        return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    // Ctrl with a letter types a control character, which the field takes; Ctrl with Alt is
    // AltGr, which types ordinary characters.
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier))
        return true;
    // Both Enter keys type a carriage return, whatever text the platform gives them; Delete
    // edits without typing anything.
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return false;
    if (key.key() == Qt::Key_Delete)
        return true;
    return AcceptsText(key.text());
}

// Characters composed with dead keys or an input method come as one committed text, which is
// typed whole or not at all; what is still being composed is left to the input method.
void TSpinKeyFilter::FilterCommit(QInputMethodEvent& event)
{
    if (AcceptsText(event.commitString()))
        return;
    event.setCommitString(QString());
    emit Rejected();
}

bool TSpinKeyFilter::AcceptsText(const QString& text) const
{
    const QList<uint> characters = text.toUcs4();
    return std::all_of(characters.begin(), characters.end(), [this](uint c) {
        return IsSpinFieldChar(c, DecimalSeparator.unicode());
    });
}

}  // namespace tabulor
