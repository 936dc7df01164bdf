// The sample texts are written in UTF-8 in the sources for legibility and turned into the
// Windows-1252 bytes that a spreadsheet saves as text.
#pragma once

#include <string>
#include <string_view>

namespace tabulor::bench {

// Throws std::invalid_argument for a character that Windows-1252 cannot hold or for bytes that
// are not UTF-8, so that a typo in a sample list cannot go unnoticed.
std::string ToWindows1252(std::string_view utf8);

}  // namespace tabulor::bench
