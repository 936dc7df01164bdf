// The shared-string table of an .xlsx, read whole before the sheet, its texts decoded once.
//
// It keeps no formatting of the runs; a cell asks for its text by index.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/xml/xml_scanner.h"

namespace tabulor::xlsx {

// The texts of the shared-string table, all in one buffer.
class TSharedStrings {
public:
    TSharedStrings() = default;
    // Reads the shared-string part.
    explicit TSharedStrings(const xml::TPartOpener& open);
    std::size_t Size() const { return Ends.size(); }
    // Throws EWorkbookFault{Invalid} for an index past the table.
    std::string_view At(std::uint64_t index) const;

private:
    friend class TSharedStringsHandler;
    std::string Texts;
    std::vector<std::size_t> Ends;
};

}  // namespace tabulor::xlsx
