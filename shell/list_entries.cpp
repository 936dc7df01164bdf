#include "shell/list_entries.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "shell/text.h"

namespace tabulor {
namespace {

constexpr std::array<TSourceEncoding, 4> Encodings = {seWindows1252, seUtf8, seUtf16, seAutomatic};

// Each separator with its entry, in the order of the list.
constexpr std::array<TFieldSeparator, 3> Separators = {fsTab, fsSemicolon, fsComma};
constexpr std::array<std::u16string_view, 3> SeparatorEntries = {u"Tabulation", u"Point-virgule",
                                                                 u"Virgule"};

struct TList {
    TControlId Id;
    std::vector<std::u16string> Entries;
};

// The encodings are listed by the names that the core's messages use too.
std::vector<std::u16string> EncodingEntries()
{
    std::vector<std::u16string> entries;
    for (const TSourceEncoding encoding : Encodings)
        entries.push_back(FromUtf8(EncodingName(encoding)));
    return entries;
}

const std::array<TList, 4>& Lists()
{
    static const std::array<TList, 4> lists = {{
        {TControlId::ComboBoxBorderUnit, {u"px", u"em", u"ex", u"in", u"cm", u"mm", u"pt", u"pc"}},
        {TControlId::ComboBoxSourceEncoding, EncodingEntries()},
        {TControlId::ComboBoxFieldSeparator, {SeparatorEntries.begin(), SeparatorEntries.end()}},
        {TControlId::ComboBoxSheet, {}},
    }};
    return lists;
}

// The value that stands beside entry in values, which follow the list's order.
template <typename TValue, std::size_t Count>
TValue ValueOf(TControlId list, const std::array<TValue, Count>& values,
               std::u16string_view entry)
{
    const std::span<const std::u16string> entries = ListEntries(list);
    const auto found = std::find(entries.begin(), entries.end(), entry);
    return found == entries.end() ? values.front()
                                  : values[static_cast<std::size_t>(found - entries.begin())];
}

}  // namespace

std::span<const std::u16string> ListEntries(TControlId id)
{
    for (const TList& list : Lists()) {
        if (list.Id == id)
            return list.Entries;
    }
    throw std::out_of_range("the window has no drop-down list " + std::string(Control(id).Name));
}

TSourceEncoding SourceEncodingOf(std::u16string_view entry)
{
    return ValueOf(TControlId::ComboBoxSourceEncoding, Encodings, entry);
}

TFieldSeparator FieldSeparatorOf(std::u16string_view entry)
{
    return ValueOf(TControlId::ComboBoxFieldSeparator, Separators, entry);
}

}  // namespace tabulor
