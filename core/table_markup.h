// The table: its opening line, one row line per source line, its closing line.
#pragma once

#include "output_lines.h"
#include "row_writer.h"
#include "source_lines.h"
#include "table_settings.h"

namespace tabulor {

void AddTableLines(const TSourceLines& source, TOutputLines& output, const TTableSettings& settings,
                   const TCellReading& reading = {});

}  // namespace tabulor
