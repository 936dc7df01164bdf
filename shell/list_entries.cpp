#include "shell/list_entries.h"

#include <array>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tabulor {
namespace {

// An entry of a list that stands for a value, beside that value.
template <typename TValue>
struct TValueEntry {
    std::u16string_view Text;
    TValue Value;
};

// The encodings' entries are the window's words; the core's messages name an encoding their own
// way.
constexpr std::array<TValueEntry<TSourceEncoding>, 4> EncodingEntries = {{
    {u"Windows-1252", TSourceEncoding::Windows1252},
    {u"UTF-8", TSourceEncoding::Utf8},
    {u"UTF-16", TSourceEncoding::Utf16},
    {u"Automatique", TSourceEncoding::Automatic},
}};

constexpr std::array<TValueEntry<TFieldSeparator>, 3> SeparatorEntries = {{
    {u"Tabulation", TFieldSeparator::Tab},
    {u"Point-virgule", TFieldSeparator::Semicolon},
    {u"Virgule", TFieldSeparator::Comma},
}};

struct TList {
    TControlId Id;
    std::vector<std::u16string> Entries;
};

template <typename TValue, std::size_t Count>
std::vector<std::u16string> TextsOf(const std::array<TValueEntry<TValue>, Count>& entries)
{
    std::vector<std::u16string> texts;
    for (const TValueEntry<TValue>& entry : entries)
        texts.emplace_back(entry.Text);
    return texts;
}

const std::array<TList, 4>& Lists()
{
    static const std::array<TList, 4> lists = {{
        {TControlId::ComboBoxBorderUnit, {u"px", u"em", u"ex", u"in", u"cm", u"mm", u"pt", u"pc"}},
        {TControlId::ComboBoxSourceEncoding, TextsOf(EncodingEntries)},
        {TControlId::ComboBoxFieldSeparator, TextsOf(SeparatorEntries)},
        {TControlId::ComboBoxSheet, {}},
    }};
    return lists;
}

template <typename TValue, std::size_t Count>
TValue ValueAt(const std::array<TValueEntry<TValue>, Count>& entries, int index)
{
    const bool inList = index >= 0 && static_cast<std::size_t>(index) < Count;
    return entries[inList ? static_cast<std::size_t>(index) : 0].Value;
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

TSourceEncoding SourceEncodingAt(int index)
{
    return ValueAt(EncodingEntries, index);
}

TFieldSeparator FieldSeparatorAt(int index)
{
    return ValueAt(SeparatorEntries, index);
}

}  // namespace tabulor
