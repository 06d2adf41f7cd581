// Small helpers shared by the zone files: which map is shown, whether its frame can be
// divided by, and float conversions that never leave the float range.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/CMarlockDlg.h"
#include "app/layout/StringTable.h"

namespace wavepost::zone {

constexpr int kMapFrameId = 1064;
// The map picture starts below the caption strip of its group box.
constexpr int kMapFrameCaption = 7;

// The controls a tab page shows (0 to 5), without the ones not created yet. The zone
// page's "Antiméridien" box is not among them: it depends on the map.
std::vector<platform::ControlHandle> PageControls(const CMarlockDlg& dlg, int page);

inline bool IsWorldMap(std::int32_t map) {
    return map != 1 && map != 2;
}

// The map name of a map number, without reading the controls.
inline std::string MapNameOf(std::int32_t map) {
    return LoadString(map == 1 ? IDS_MAP_EUROPE : map == 2 ? IDS_MAP_FRANCE : IDS_MAP_WORLD);
}

// A frame without a row, with two equal edges or with an edge no float can hold would
// make every conversion divide by zero or produce nonsense: nothing is computed from it.
inline bool IsUsable(const DomainFrame& frame) {
    return frame.found && std::isfinite(frame.left) && std::isfinite(frame.right) &&
           std::isfinite(frame.top) && std::isfinite(frame.bottom) && frame.left != frame.right &&
           frame.top != frame.bottom;
}

inline bool IsUsable(const platform::Rect& area) {
    return area.Width() > 0 && area.Height() > 0;
}

// Narrowing that saturates instead of overflowing: typed texts can hold any magnitude.
inline float ToFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax) return std::numeric_limits<float>::infinity();
    if (value < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

}  // namespace wavepost::zone
