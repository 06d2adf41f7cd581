// Small helpers shared by the zone files: the page controls and whether a frame can be
// divided by.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/CMarlockDlg.h"
#include "app/MapName.h"
#include "app/layout/ResourceIds.h"

namespace wavepost::zone {

constexpr int kMapFrameId = IDC_MAP_FRAME;
// The map picture starts below the caption strip of its group box.
constexpr int kMapFrameCaption = 7;

// The controls a tab page shows (0 to 5), without the ones not created yet. The zone
// page's "Antiméridien" box is not among them: it depends on the map.
std::vector<platform::ControlHandle> PageControls(const CMarlockDlg& dlg, int page);

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

}  // namespace wavepost::zone
