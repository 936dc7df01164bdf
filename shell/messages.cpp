#include "shell/messages.h"

namespace tabulor {

std::u16string WithFinalFullStop(std::u16string_view text)
{
    std::u16string shown(text);
    if (!shown.empty() && shown.back() > u'.')
        shown.push_back(u'.');
    return shown;
}

std::u16string NoticeClipboardText(std::u16string_view caption, std::u16string_view text,
                                   std::span<const std::u16string_view> buttonCaptions,
                                   std::u16string_view lineEnd)
{
    std::u16string divider(27, u'-');
    divider.append(lineEnd);
    std::u16string clip = divider;
    clip.append(caption).append(lineEnd).append(divider).append(text).append(lineEnd).append(divider);
    for (std::size_t i = 0; i < buttonCaptions.size(); ++i)
        clip.append(i == 0 ? u"" : u"   ").append(buttonCaptions[i]);
    return clip.append(lineEnd).append(divider);
}

}  // namespace tabulor
