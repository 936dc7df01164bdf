// The keystroke filter of the numeric spin fields.
#pragma once

#include <QChar>
#include <QObject>

class QInputMethodEvent;
class QKeyEvent;

namespace tabulor {

// The user's decimal separator; a full stop when the locale gives none.
QChar SystemDecimalSeparator();

// Installed on a field, it discards every keystroke, and every text an input method commits,
// that types a character the field does not take and signals Rejected for it, so that the owner
// can sound the beep. Pasting does not go through typed characters, so a pasted text is never
// filtered.
class TSpinKeyFilter : public QObject {
    Q_OBJECT
public:
    explicit TSpinKeyFilter(QChar decimalSeparator, QObject* parent = nullptr);

signals:
    void Rejected();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Accepts(const QKeyEvent& key) const;
    void FilterCommit(QInputMethodEvent& event);
    bool AcceptsText(const QString& text) const;

    QChar DecimalSeparator;
};

}  // namespace tabulor
