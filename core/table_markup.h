// The table: its opening line, one row line per source line, its closing line.
#pragma once

#include <string>

#include "output_lines.h"
#include "row_writer.h"
#include "source_lines.h"
#include "table_settings.h"

namespace tabulor {

// "<table>" with the table's class and border, as every table opens.
std::string TableOpeningLine(const TTableSettings& settings);

void AddTableLines(const TSourceLines& source, TOutputLines& output, const TTableSettings& settings,
                   const TCellReading& reading = {});

}  // namespace tabulor
