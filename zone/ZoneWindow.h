// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers shared by the zone files: the page controls, and the window's state
// gathered for the zone arithmetic and stored back from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/CMarlockDlg.h"
#include "app/MapName.h"
#include "app/layout/ResourceIds.h"
#include "zone/ZoneArithmetic.h"

namespace wavepost::zone {

constexpr int kMapFrameId = IDC_MAP_FRAME;
// The map picture starts below the caption strip of its group box.
constexpr int kMapFrameCaption = 7;

// The controls a tab page shows (0 to 5), without the ones not created yet. The zone
// page's "Antiméridien" box is not among them: it depends on the map.
std::vector<platform::ControlHandle> PageControls(const CMarlockDlg& dlg, int page);

// The map shown, from the domain table and the map's frame control.
inline MapView MapViewOf(const CMarlockDlg& dlg) {
    return {dlg.FindDomainRow(MapNameOf(dlg.m_nMap)), dlg.GetMapArea(), IsWorldMap(dlg.m_nMap),
            dlg.m_bAntimeridian == 1};
}

// The coordinate texts as last exchanged, read as written in that mode.
inline ZoneTexts ZoneTextsOf(const CMarlockDlg& dlg, std::int32_t mode) {
    return {dlg.m_strLon1, dlg.m_strLat1, dlg.m_strLon2, dlg.m_strLat2, mode};
}

inline void SetZoneTexts(CMarlockDlg& dlg, const ZoneTexts& texts) {
    dlg.m_strLon1 = texts.lon1;
    dlg.m_strLat1 = texts.lat1;
    dlg.m_strLon2 = texts.lon2;
    dlg.m_strLat2 = texts.lat2;
}

}  // namespace wavepost::zone
