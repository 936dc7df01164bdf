#include "workbook/xlsx/shared_strings.h"

#include <span>

#include "workbook/workbook_fault.h"
#include "workbook/xlsx/compatible_reader.h"
#include "workbook/xlsx/main_namespace.h"
#include "workbook/xlsx/rich_text.h"

namespace tabulor::xlsx {

class TSharedStringsHandler final : public TCompatibleReader<TSharedStringsHandler> {
public:
    explicit TSharedStringsHandler(TSharedStrings& strings) : Strings(strings) {}

private:
    friend class TCompatibleReader<TSharedStringsHandler>;
    void OnStart(const xml::TXmlName& name, std::span<const xml::TXmlAttribute>)
    {
        if (InItem)
            Item.Start(name);
        else if (IsMainElement(name, "si"))
            InItem = true;
    }
    void OnEnd(const xml::TXmlName& name)
    {
        if (!InItem)
            return;
        if (IsMainElement(name, "si")) {
            InItem = false;
            AppendUnescaped(Item.Raw, Strings.Texts);
            Strings.Ends.push_back(Strings.Texts.size());
            Item.Raw.clear();
        } else {
            Item.End(name);
        }
    }
    void OnText(std::string_view text) { Item.Text(text); }

    TSharedStrings& Strings;
    TRichText Item;
    bool InItem = false;
};

TSharedStrings::TSharedStrings(const xml::TPartOpener& open)
{
    *this = xml::ReadXmlPart(open, [](TByteReader& xml, xml::TXmlParser parse) {
        TSharedStrings strings;
        TSharedStringsHandler handler(strings);
        parse(xml, handler);
        return strings;
    });
}

std::string_view TSharedStrings::At(std::uint64_t index) const
{
    if (index >= Ends.size())
        ThrowInvalid();
    const std::size_t begin = index == 0 ? 0 : Ends[index - 1];
    return std::string_view(Texts).substr(begin, Ends[index] - begin);
}

}  // namespace tabulor::xlsx
