// The table: its opening line, one row line per source line, its closing line.
#pragma once

#include <cstddef>
#include <string_view>

#include "output_lines.h"
#include "source_lines.h"
#include "table_settings.h"

namespace tabulor {

void AddTableLines(const TSourceLines& source, TOutputLines& output, const TTableSettings& settings);

// The number of bytes of text equal to separator.
std::size_t CountOccurrences(char separator, std::string_view text);

// Field number n of text (counted from 1; n of 1 or less is the first field), or an empty
// view when text has fewer than n - 1 separators.
std::string_view GetDelimitedField(std::string_view text, char separator, long long n);

}  // namespace tabulor
