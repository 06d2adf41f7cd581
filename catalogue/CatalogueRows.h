// SPDX-License-Identifier: GPL-3.0-or-later
// What loading and the defaults both do with catalogue rows.
#pragma once

#include <array>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/CIniTable.h"
#include "catalogue/CatalogueFiles.h"
#include "platform/Toolkit.h"

namespace wavepost {

class CMarlockDlg;

namespace catalogue {

// The column naming a row's map: the first, and the fourth in the options table.
inline constexpr int kMapColumn = 1;
inline constexpr int kOptionMapColumn = 4;

// Adds the map's rows of a table to a check list, each ticked by the integer of a column.
void FillCheckList(CMarlockDlg& dlg, platform::ControlHandle list, CIniTable& table,
                   const std::string& map, int textColumn, bool unquote, int checkColumn);

// The codes (column codeColumn, unquoted) of the map's rows ticked in column tickColumn, in
// file order; none without a table.
std::vector<std::string> TickedCodes(CIniTable* table, const std::string& map, int codeColumn,
                                     int tickColumn);

// The window's tables: the saved ones in the order of kSavedTables, then the soft table,
// which is only read.
inline constexpr std::size_t kSavedTableCount = std::size(kSavedTables);
std::array<std::unique_ptr<CIniTable>*, kSavedTableCount + 1> CatalogueTables(CMarlockDlg& dlg);

}  // namespace catalogue
}  // namespace wavepost
