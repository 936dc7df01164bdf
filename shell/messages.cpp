#include "shell/messages.h"

#include "resources/string_table.h"
#include "shell/layout.h"
#include "shell/text.h"

namespace tabulor {

std::u16string WithFinalFullStop(std::u16string_view text)
{
    std::u16string shown(text);
    if (!shown.empty() && shown.back() > u'.')
        shown.push_back(u'.');
    return shown;
}

std::u16string NoticeButtonCaption()
{
    return FromUtf8(strings::SOk);
}

std::u16string NoticeClipboardText(std::u16string_view text, std::u16string_view lineEnd)
{
    std::u16string divider(27, u'-');
    divider.append(lineEnd);
    std::u16string clip = divider;
    clip.append(FormCaption).append(lineEnd).append(divider).append(text).append(lineEnd).append(divider);
    return clip.append(NoticeButtonCaption()).append(lineEnd).append(divider);
}

}  // namespace tabulor
