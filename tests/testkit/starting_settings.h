// The request that a run from the window sends when none of its options was changed: one header
// row, a 1px border, a no-break space in empty cells, the table alone, no caption and no cell tied
// to its headers. The tests' expected outputs
// are written for it, each test changing what it is about; the benchmarks measure it.
#pragma once

#include "core/conversion.h"

namespace tabulor::testkit {

inline TConversionSettings StartingSettings()
{
    TConversionSettings settings;
    settings.TitleRows = 1;
    settings.Border = "1px";
    settings.EmptyCellText = "&nbsp;";
    settings.OutputKind = okTableOnly;
    settings.SourceEncoding = TSourceEncoding::Windows1252;
    settings.FieldSeparator = TFieldSeparator::Tab;
    return settings;
}

}  // namespace tabulor::testkit
