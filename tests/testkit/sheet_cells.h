// A workbook sheet's cells as the tests compare them: each with its row, column and text.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "workbook/sheet.h"

namespace tabulor::testkit {

using TPlaced = std::tuple<std::uint32_t, std::uint32_t, std::string>;

inline std::vector<TPlaced> Placed(const TSheet& sheet)
{
    std::vector<TPlaced> placed;
    for (const TSheet::TCell& cell : sheet.Cells())
        placed.emplace_back(cell.Row, cell.Col, std::string(cell.Text));
    return placed;
}

}  // namespace tabulor::testkit
