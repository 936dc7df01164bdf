// The events an XML handler is given, kept so that two readings of a document can be compared,
// and readers that cut a document into small pieces so that its tokens cross the pieces' edges.
// Nothing here parses XML.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "workbook/byte_reader.h"
#include "workbook/xml/xml_reader.h"

namespace tabulor::testkit {

// Hands out its bytes in pieces whose sizes go round the given ones.
class TPieceReader : public TByteReader {
public:
    TPieceReader(std::string_view bytes, std::vector<std::size_t> sizes) : Rest(bytes), Sizes(std::move(sizes)) {}
    std::size_t Read(char* buffer, std::size_t size) override
    {
        const std::size_t piece = std::min({size, Rest.size(), Sizes[Next++ % Sizes.size()]});
        std::copy_n(Rest.data(), piece, buffer);
        Rest.remove_prefix(piece);
        return piece;
    }

private:
    std::string_view Rest;
    std::vector<std::size_t> Sizes;
    std::size_t Next = 0;
};

// The document with a long comment ahead of its root, after its declaration where it has one: a
// reader that takes its first bytes at once, the declaration whole, then meets the pieces' edges
// inside the document's tokens.
inline std::string BehindLongComment(std::string_view xml)
{
    std::size_t at = xml.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    if (xml.substr(at).starts_with("<?xml")) {
        const std::size_t end = xml.find("?>", at);
        at = end == std::string_view::npos ? 0 : end + 2;
    }
    std::string padded(xml.substr(0, at));
    padded.append("<!--").append(2048, ' ').append("-->");
    return padded.append(xml.substr(at));
}

struct TXmlEvent {
    enum class TKind { Start, End, Text };
    TKind Kind;
    std::string Name;  // "{uri}local"; the text for Text
    std::vector<std::pair<std::string, std::string>> Attributes;
    bool operator==(const TXmlEvent&) const = default;
};

inline std::string NameText(const xml::TXmlName& name)
{
    std::string text = "{";
    return text.append(name.Namespace).append("}").append(name.Local);
}

// Each run of text is one event, its pieces joined: where they split is the parser's own affair.
class TXmlEvents : public xml::TXmlHandler {
public:
    void StartElement(const xml::TXmlName& name, std::span<const xml::TXmlAttribute> attributes) override
    {
        TXmlEvent& event = Events.emplace_back(TXmlEvent{TXmlEvent::TKind::Start, NameText(name), {}});
        for (const xml::TXmlAttribute& attribute : attributes)
            event.Attributes.emplace_back(NameText(attribute.Name), attribute.Value);
    }
    void EndElement(const xml::TXmlName& name) override { Events.push_back({TXmlEvent::TKind::End, NameText(name), {}}); }
    void Characters(std::string_view text) override
    {
        if (Events.empty() || Events.back().Kind != TXmlEvent::TKind::Text)
            Events.push_back({TXmlEvent::TKind::Text, "", {}});
        Events.back().Name += text;
    }

    // "<{uri}name {uri}attribute=value>", each run of text in quotes, "</{uri}name>".
    std::string Trace() const
    {
        std::string trace;
        for (const TXmlEvent& event : Events) {
            if (event.Kind == TXmlEvent::TKind::Text) {
                trace.append("'").append(event.Name).append("'");
                continue;
            }
            trace.append(event.Kind == TXmlEvent::TKind::Start ? "<" : "</").append(event.Name);
            for (const auto& [name, value] : event.Attributes)
                trace.append(" ").append(name).append("=").append(value);
            trace += ">";
        }
        return trace;
    }

    std::vector<TXmlEvent> Events;
};

// Whether the events of a reading that stopped part of the way are those of a whole reading
// up to that place, the last run of text possibly cut short.
inline bool BeginsLike(std::span<const TXmlEvent> part, std::span<const TXmlEvent> whole)
{
    if (part.size() > whole.size() || !std::equal(part.begin(), part.end() - (part.empty() ? 0 : 1), whole.begin()))
        return false;
    if (part.empty())
        return true;
    const TXmlEvent& last = part.back();
    const TXmlEvent& there = whole[part.size() - 1];
    return last == there || (last.Kind == TXmlEvent::TKind::Text && there.Kind == TXmlEvent::TKind::Text && there.Name.starts_with(last.Name));
}

}  // namespace tabulor::testkit
