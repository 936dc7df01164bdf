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

namespace {

std::string Counted(std::size_t count, std::string_view one, std::string_view many)
{
    return count == 1 ? std::string(one) : FillMessage(many, {std::to_string(count)});
}

std::string FormulasLine(std::size_t count)
{
    return Counted(count, strings::SFormulaWithoutValue, strings::SFormulasWithoutValue);
}

// One ligne or one colonne alone takes the singular; anything more, the plural.
std::string HiddenLine(std::size_t rows, std::size_t cols)
{
    std::string subject;
    if (rows != 0)
        subject = Counted(rows, strings::SHiddenRow, strings::SHiddenRows);
    if (rows != 0 && cols != 0)
        subject += strings::SAnd;
    if (cols != 0)
        subject += Counted(cols, strings::SHiddenCol, strings::SHiddenCols);
    const bool one = rows + cols == 1;
    return FillMessage(one ? strings::SHiddenLeftOutOne : strings::SHiddenLeftOutMany, {subject});
}

}  // namespace

std::u16string NoticeLines(const TConversionReport& report)
{
    std::string lines;
    if (report.FormulasWithoutValue != 0)
        lines += FormulasLine(report.FormulasWithoutValue);
    if (report.HiddenRows + report.HiddenCols != 0)
        lines.append(lines.empty() ? "" : "\n").append(HiddenLine(report.HiddenRows, report.HiddenCols));
    return FromUtf8(lines);
}

std::u16string NoticeText(const TConversionReport& report)
{
    std::u16string text = FromUtf8(strings::SFileCreated);
    const std::u16string lines = NoticeLines(report);
    return lines.empty() ? text : text.append(u"\n").append(lines);
}

std::u16string NoticeButtonText()
{
    return FromUtf8(strings::SOk);
}

std::u16string NoticeClipboardText(std::u16string_view text, std::u16string_view lineEnd)
{
    std::u16string divider(27, u'-');
    divider.append(lineEnd);
    std::u16string clip = divider;
    clip.append(FormTitle).append(lineEnd).append(divider);
    // The text's own lines end as the others do.
    for (std::size_t at = 0, end; at <= text.size(); at = end + 1) {
        end = std::min(text.find(u'\n', at), text.size());
        clip.append(text.substr(at, end - at)).append(lineEnd);
    }
    clip.append(divider);
    return clip.append(NoticeButtonText()).append(lineEnd).append(divider);
}

}  // namespace tabulor
