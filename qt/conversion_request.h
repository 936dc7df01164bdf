// The conversion request that the main window fills from its controls.
#pragma once

#include <QString>

#include "core/conversion.h"

namespace tabulor {

// What the controls hold, as the window reads them.
struct TFormFields {
    QString SrcFile;
    QString DestFile;
    int TitleRows = 1;
    int TitleCols = 0;
    bool Border = true;
    QString BorderValue;
    QString BorderUnit;
    QString EmptyCells;
    QString TableClass;
    QString RowClass;
    QString HeaderClass;
    QString CellClass;
    bool OutputTable = true;
    bool OutputXhtml = false;
};

// Nothing is trimmed or checked: texts pass unchanged, only turned into Windows-1252 and file
// names into paths. A negative header count counts as none. An unticked border gives no
// border whatever value and unit hold; a ticked one joins them with nothing between.
TConversionSettings MakeConversionSettings(const TFormFields& fields);

}  // namespace tabulor
