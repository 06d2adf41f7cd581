// SPDX-License-Identifier: GPL-3.0-or-later
// Selecting a drop-down item by the start of its text or by its table row.
#pragma once

#include <string>

#include "platform/Toolkit.h"

namespace wavepost {

// Selects the first item whose text begins with value, letter case ignored, searching
// from the second item to the last and then the first; no item when none matches.
// Returns the index selected, or -1.
int SelectByPrefix(platform::IToolkit& toolkit, platform::ControlHandle combo,
                   const std::string& value);

// Selects the item of data row index (FindRow - 2); a match on the header (-1) or no
// match (-3) selects nothing.
void SelectDataRow(platform::IToolkit& toolkit, platform::ControlHandle combo, int index);

}  // namespace wavepost
