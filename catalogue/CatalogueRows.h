// What loading and the defaults both do with catalogue rows.
#pragma once

#include <string>

#include "catalogue/CIniTable.h"
#include "catalogue/CatalogueFiles.h"
#include "platform/Toolkit.h"

namespace wavepost {

class CMarlockDlg;

namespace catalogue {

// Applies one option value of the current map to the window's members and lists.
void ApplyOptionValue(CMarlockDlg& dlg, OptionKey key, const std::string& value);

// Adds the map's rows of a table to a check list, each ticked by the integer of a column.
void FillCheckList(CMarlockDlg& dlg, platform::ControlHandle list, CIniTable& table,
                   const std::string& map, int textColumn, bool unquote, int checkColumn);

}  // namespace catalogue
}  // namespace wavepost
