// The cell encoding on any field, through the row writer that does it: one piece per byte (the
// byte itself, or an entity reference for the markup characters and the bytes from 0x80 up),
// nothing above 0x7F, the empty-cell text for an empty field, and the same pieces whatever
// surrounds a byte.
//
// Input: a byte choosing where to cut the field, the empty-cell text, then the field, which ends
// at its first tab as a cell does.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "properties.h"
#include "tests/testkit/cell_text.h"

namespace {

using tabulor::fuzz::Require;
using tabulor::fuzz::TExactCopy;
using tabulor::testkit::TCellWriter;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tabulor::fuzz::TFuzzInput input(data, size);
    const unsigned char cutChoice = input.TakeByte();
    const std::string emptyCellText = input.TakeText(tabulor::fuzz::TTextKind::AnyBytes);
    const std::string_view remainder = input.Remainder();
    const std::string_view field = remainder.substr(0, remainder.find('\t'));

    const TCellWriter cells(emptyCellText);
    const std::string encoded = cells.Text(field);
    if (field.empty()) {
        Require(encoded == emptyCellText, "an empty field gives the empty-cell text as it is", encoded);
        return 0;
    }
    tabulor::fuzz::CheckEncodedField(field, encoded);

    // A byte's piece depends on that byte alone, whatever stands around it and wherever the
    // field's block of memory ends.
    if (field.size() >= 2) {
        const std::size_t cut = 1 + cutChoice % (field.size() - 1);
        const TExactCopy head(field.substr(0, cut));
        const TExactCopy tail(field.substr(cut));
        Require(cells.Text(head.View()) + cells.Text(tail.View()) == encoded,
                "a field cut in two encodes to the encodings of its two parts joined", encoded);
    }
    return 0;
}
