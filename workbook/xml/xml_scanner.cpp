#include "workbook/xml/xml_scanner.h"

#include <algorithm>
#include <cstring>

#include "workbook/ascii_text.h"
#include "workbook/xml/xml_scanner_steps.h"
#include "workbook/xml/xml_scanner_chars.h"

namespace tabulor::xml {

namespace {

constexpr std::size_t BlockSize = 512 * 1024;
// A token longer than this (a tag of megabytes) is the platform parser's.
constexpr std::size_t MaxBuffer = 16 * 1024 * 1024;
// The NUL that stops every search at the buffer's end, and the bytes a search may load past it.
constexpr std::size_t Padding = 32;

}  // namespace

void TScanner::Run()
{
    // The XML declaration is read whole, in the first bytes.
    while (End - Pos < 512 && Refill()) {
    }
    try {
        Prolog();
    } catch (const TMore&) {
        throw TXmlUnusual{};
    }
    do {
        try {
            while (Pos < End)
                Step();
        } catch (const TMore&) {
        }
    } while (Refill());
    if (Pos != End || !RootEnded)
        throw TXmlUnusual{};
}

// Keeps the bytes not yet read, at the buffer's start, and reads more after them.
bool TScanner::Refill()
{
    if (InputEnded)
        return false;
    const std::size_t kept = static_cast<std::size_t>(End - Pos);
    if (Buffer == nullptr || kept > Capacity / 2) {
        const std::size_t capacity = std::max(Capacity * 2, BlockSize);
        if (capacity > MaxBuffer)
            throw TXmlUnusual{};
        auto buffer = std::make_unique_for_overwrite<char[]>(capacity + Padding);
        if (kept != 0)
            std::memcpy(buffer.get(), Pos, kept);
        Buffer = std::move(buffer);
        Capacity = capacity;
    } else {
        std::memmove(Buffer.get(), Pos, kept);
    }
    // One read, however short: a reader that hands out a byte at a time makes every token cross
    // the buffer's end, as the tests want.
    const std::size_t count = Input.Read(Buffer.get() + kept, Capacity - kept);
    InputEnded = count == 0;
    const std::size_t size = kept + count;
    Pos = Buffer.get();
    End = Pos + size;
    std::memset(Buffer.get() + size, 0, Padding);
    return size > kept;
}

// A byte order mark and the XML declaration, which may say UTF-8 and nothing else.
void TScanner::Prolog()
{
    if (End - Pos >= 3 && std::memcmp(Pos, "\xEF\xBB\xBF", 3) == 0)
        Pos += 3;
    if (End - Pos < 6 || std::memcmp(Pos, "<?xml", 5) != 0 || !Is(Pos[5], TCharClass::Space))
        return;
    std::string_view version, encoding, standalone;
    const char* p = ReadPseudoAttribute(Pos + 5, "version", version);
    if (version != "1.0")
        throw TXmlUnusual{};
    p = ReadPseudoAttribute(p, "encoding", encoding);
    if (!encoding.empty() && !EqualsIgnoringAsciiCase(encoding, "UTF-8"))
        throw TXmlUnusual{};
    p = ReadPseudoAttribute(p, "standalone", standalone);
    if (!standalone.empty() && standalone != "yes" && standalone != "no")
        throw TXmlUnusual{};
    p = SkipSpace(p);
    if (p[0] != '?' || p[1] != '>')
        Fail(p);
    Pos = p + 2;
}

// ` name="value"` at p, or nothing when another name follows: the value stays empty then.
const char* TScanner::ReadPseudoAttribute(const char* p, std::string_view name, std::string_view& value) const
{
    const char* at = SkipSpace(p);
    if (at == p || static_cast<std::size_t>(End - at) < name.size() || std::string_view(at, name.size()) != name)
        return p;
    at = SkipEquals(at + name.size());
    const char quote = *at;
    if (quote != '"' && quote != '\'')
        Fail(at);
    const char* end = static_cast<const char*>(std::memchr(at + 1, quote, static_cast<std::size_t>(End - at - 1)));
    if (end == nullptr || end == at + 1)
        throw TXmlUnusual{};
    value = {at + 1, static_cast<std::size_t>(end - at - 1)};
    return end + 1;
}

void TScanner::Step()
{
    if (*Pos == '<') {
        Markup();
    } else if (Namespaces.Depth() != 0) {
        Text();
    } else {
        // Outside the root only white space.
        const char* p = Pos;
        p = SkipSpace(p);
        Pos = p;
        if (*p != '<')
            Fail(p);
    }
}

void TScanner::Markup()
{
    switch (Pos[1]) {
    case '/':
        EndTag();
        break;
    case '!':
        Comment();
        break;
    case '?':
        Instruction();
        break;
    default:
        StartTag();
    }
}

void ScanXml(TByteReader& input, TXmlHandler& handler)
{
    TScanner(input, handler).Run();
}

}  // namespace tabulor::xml
