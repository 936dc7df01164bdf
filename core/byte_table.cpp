#include "byte_table.h"

#include <algorithm>
#include <cstring>

#include "cell_encoding.h"
#include "utf8.h"

namespace tabulor {

void TByteTable::SetSlot(std::size_t state, unsigned byte, std::string_view text, std::size_t next)
{
    TSlot& slot = Slots[state + byte];
    std::memcpy(slot.Bytes.data(), text.data(), text.size());
    slot.Length = static_cast<std::uint8_t>(text.size());
    Next[byte] = static_cast<std::uint16_t>(next);
}

TByteTable::TByteTable(std::string_view open, std::string_view close, std::string_view emptyCellText,
                       TFieldSeparator separator, bool utf8)
    : Slots((utf8 ? LeadState(LastLead) : CellStart) + 256),
      QuotesOpen(separator != TFieldSeparator::Tab),
      Separator(separator)
{
    for (const std::size_t state : {InCell, CellStart}) {
        const bool cellStart = state == CellStart;
        for (unsigned byte = 0; byte < 256; ++byte) {
            std::string text(1, static_cast<char>(byte));
            std::size_t next = InCell;
            if (byte == static_cast<unsigned char>(SeparatorByte(separator))) {
                text = std::string(cellStart ? emptyCellText : "").append(close).append(open);
                next = CellStart;
            } else if (utf8 && byte >= FirstLead && byte <= LastLead) {
                text.clear();
                next = LeadState(byte);
            } else if ((QuotesOpen && byte == '"' && cellStart) || (utf8 && byte >= 0x80)) {
                Slots[state + byte].Length = LongSlot;
                HasLong = HasLong || byte != '"';
                continue;
            } else if (!ByteReplacement(static_cast<unsigned char>(byte)).empty()) {
                text = ByteReplacement(static_cast<unsigned char>(byte));
            }
            if (text.size() <= TSlot{}.Bytes.size()) {
                SetSlot(state, byte, text, next);
            } else {
                Slots[state + byte].Length = LongSlot;
                LongSeparators[cellStart] = std::move(text);
                HasLong = true;
            }
        }
    }
    if (!utf8)
        return;
    // Each state's second byte writes its character's text; after it the state is inside a
    // cell, as the second byte's own next state says.
    const std::vector<TSlot>& texts = UnicodeTexts();
    std::copy_n(texts.begin(), TwoByteBlocks * NextBytes, Slots.begin() + LeadSlots);
    E2Texts = texts.data() + TwoByteBlocks * NextBytes;
}

const TByteTable::TSlot& TByteTable::E2Text(const char* p) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    return E2Texts[(bytes[0] & 0x3F) * NextBytes + (bytes[1] & 0x3F)];
}

// The texts of the two-byte characters by first and second byte, then those of the three-byte
// characters that start with 0xE2, by second and third: the same for every table, so made once.
const std::vector<TByteTable::TSlot>& TByteTable::UnicodeTexts()
{
    static const std::vector<TSlot> texts = [] {
        std::vector<TSlot> slots((TwoByteBlocks + NextBytes) * NextBytes);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const std::size_t block = i / NextBytes;
            const std::size_t low = i % NextBytes;
            const auto character = block < TwoByteBlocks
                                       ? static_cast<char32_t>(((FirstLead + block) & 0x1F) << 6 | low)
                                       : static_cast<char32_t>((LeadE2 & 0x0F) << 12 | (block - TwoByteBlocks) << 6 | low);
            char text[MaxCharacterText];
            const std::size_t length = static_cast<std::size_t>(WriteCharacterText(character, text) - text);
            std::memcpy(slots[i].Bytes.data(), text, length);
            slots[i].Length = static_cast<std::uint8_t>(length);
        }
        return slots;
    }();
    return texts;
}

const char* TByteTable::WriteLong(const char* p, const char* end, std::size_t& state, TOutputLines& output) const
{
    if (*p == SeparatorByte(Separator)) {
        output.Append(LongSeparators[state == CellStart]);
        state = CellStart;
        return p + 1;
    }
    state = InCell;
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    if (bytes[0] == LeadE2 && end - p >= 3) {
        const TSlot& slot = E2Text(p + 1);
        output.Append({slot.Bytes.data(), slot.Length});
        return p + 3;
    }
    std::size_t length = 0;
    const char32_t character = DecodeUtf8({p, static_cast<std::size_t>(end - p)}, length);
    output.EndWrite(WriteCharacterText(character, output.BeginWrite(MaxCharacterText)));
    return p + length;
}

}  // namespace tabulor
