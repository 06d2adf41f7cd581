// SPDX-License-Identifier: GPL-3.0-or-later
// The maps by number: 0 the world, 1 Europe, 2 France; any other number is the world.
#pragma once

#include <cstdint>
#include <string>

#include "app/layout/StringTable.h"

namespace wavepost {

inline bool IsWorldMap(std::int32_t map) {
    return map != 1 && map != 2;
}

// The name that keys the map's catalogue rows.
inline std::string MapNameOf(std::int32_t map) {
    return LoadString(map == 1 ? IDS_MAP_EUROPE : map == 2 ? IDS_MAP_FRANCE : IDS_MAP_WORLD);
}

}  // namespace wavepost
