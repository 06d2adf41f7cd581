// Selecting a drop-down item by the start of its text.
#pragma once

#include <string>

#include "platform/Toolkit.h"

namespace wavepost {

// Selects the first item whose text begins with value, letter case ignored, searching
// from the second item to the last and then the first; no item when none matches.
// Returns the index selected, or -1.
int SelectByPrefix(platform::IToolkit& toolkit, platform::ControlHandle combo,
                   const std::string& value);

}  // namespace wavepost
