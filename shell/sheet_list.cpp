#include "shell/sheet_list.h"

#include <algorithm>
#include <array>
#include <exception>
#include <fstream>
#include <string>

#include "shell/file_names.h"
#include "shell/text.h"
#include "workbook/workbook.h"

namespace tabulor {
namespace {

bool HasWorkbookExtension(std::u16string_view name)
{
    // Either system's rules find the same workbook extensions: none holds a backslash or a colon.
    return IsWorkbookExtension(ToUtf8(ExtractFileExt(name, TFileSystem::Windows)));
}

// The sheets of the workbook the file holds, read from its start.
TSheetList ListSheetsOf(std::ifstream& file, std::u16string_view previousSheet)
{
    // Whatever stops the listing (a read that fails, a damaged workbook, memory run out) leaves
    // the list empty: the run reports it, where a box on leaving the field would not belong.
    try {
        file.clear();
        file.exceptions(std::ios::failbit | std::ios::badbit);
        const auto size = static_cast<std::size_t>(file.seekg(0, std::ios::end).tellg());
        std::string bytes(size, '\0');
        file.seekg(0).read(bytes.data(), static_cast<std::streamsize>(size));
        return MakeSheetList(ListSheets(bytes), previousSheet);
    } catch (const std::exception&) {
    }
    return {};
}

}  // namespace

TSheetList MakeSheetList(std::span<const TSheetEntry> sheets, std::u16string_view previousName)
{
    TSheetList list;
    for (const TSheetEntry& sheet : sheets) {
        std::u16string name = FromUtf8(sheet.Name);
        std::u16string entry = sheet.Hidden ? name + std::u16string(HiddenSheetMark) : name;
        list.Choices.push_back({std::move(entry), std::move(name)});
    }
    const auto named = std::find_if(list.Choices.begin(), list.Choices.end(),
                                    [previousName](const TSheetChoice& c) { return c.Name == previousName; });
    if (named != list.Choices.end())
        list.Selected = static_cast<std::size_t>(named - list.Choices.begin());
    else
        list.Selected = FirstShownSheet(sheets).value_or(0);
    return list;
}

TSourceState SourceStateOf(std::u16string_view sourceFileName, std::u16string_view previousSheet)
{
    std::ifstream file(ToPath(sourceFileName), std::ios::binary);
    if (!file.is_open())
        return {HasWorkbookExtension(sourceFileName) ? TSourceView::Workbook : TSourceView::Text, {}};
    std::array<char, SignatureLength> bytes{};
    file.read(bytes.data(), bytes.size());
    const std::string_view firstBytes(bytes.data(), static_cast<std::size_t>(file.gcount()));
    if (SourceKindOf(firstBytes) == TSourceKind::Text)
        return {};
    return {TSourceView::Workbook, ListSheetsOf(file, previousSheet)};
}

}  // namespace tabulor
