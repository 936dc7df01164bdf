#include "shell/messages.h"

#include <algorithm>

#include "core/file_errors.h"
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

std::u16string NoticeText(const TConversionReport& report)
{
    std::u16string text = FromUtf8(strings::SFileCreated);
    const std::size_t count = report.FormulasWithoutValue;
    if (count == 0)
        return text;
    const std::string_view line = count == 1 ? strings::SFormulaWithoutValue : strings::SFormulasWithoutValue;
    return text.append(u"\n").append(FromUtf8(FillMessage(line, {std::to_string(count)})));
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
    clip.append(FormCaption).append(lineEnd).append(divider);
    // The text's own lines end as the others do.
    for (std::size_t at = 0, end; at <= text.size(); at = end + 1) {
        end = std::min(text.find(u'\n', at), text.size());
        clip.append(text.substr(at, end - at)).append(lineEnd);
    }
    clip.append(divider);
    return clip.append(NoticeButtonCaption()).append(lineEnd).append(divider);
}

}  // namespace tabulor
