#include "qt/user_messages.h"

namespace tabulor {

QString WithFinalFullStop(const QString& text)
{
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + u'.';
    return text;
}

QString NoticeClipboardText(const QString& caption, const QString& text,
                            const QStringList& buttonCaptions)
{
    const QString divider = QString(27, u'-') + u'\n';
    return divider + caption + u'\n' + divider + text + u'\n' + divider
           + buttonCaptions.join(QStringLiteral("   ")) + u'\n' + divider;
}

}  // namespace tabulor
