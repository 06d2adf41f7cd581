// SPDX-License-Identifier: GPL-3.0-or-later
// Map frames and the conversions between pixels, coordinate texts and the zone rectangle,
// computed by the zone arithmetic from the window's state.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/CMarlockDlg.h"
#include "base/NumberText.h"
#include "zone/ZoneWindow.h"

namespace wavepost {

using namespace zone;

DomainFrame CMarlockDlg::FindDomainRow(const std::string& mapName) const {
    DomainFrame frame;
    if (!m_pDomaines) return frame;
    // When several rows carry the name, the last one wins.
    const std::vector<std::int32_t>& rows = m_pDomaines->RowsMatching(1, mapName);
    if (rows.empty()) return frame;
    const std::int32_t r = rows.back();
    frame.bottom = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 2)));
    frame.top = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 3)));
    frame.left = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 4)));
    frame.right = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 5)));
    frame.found = true;
    return frame;
}

platform::Rect CMarlockDlg::GetMapArea() const {
    platform::Rect area = m_toolkit.GetControlRect(kMapFrameId);
    area.top += kMapFrameCaption;
    return area;
}

void CMarlockDlg::PixelToGeo(float& x0, float& x1, float& y0, float& y1) {
    const Corners geo = zone::PixelToGeo(MapViewOf(*this), {x0, x1, y0, y1});
    x0 = geo.x0;
    x1 = geo.x1;
    y0 = geo.y0;
    y1 = geo.y1;
}

bool CMarlockDlg::GeoToPixel(int& x1, int& y1, int& x2, int& y2) {
    const std::optional<platform::Rect> pixels =
        zone::GeoToPixel(MapViewOf(*this), {m_fZoneWest, m_fZoneEast, m_fZoneNorth, m_fZoneSouth});
    if (!pixels) return false;
    x1 = pixels->left;
    y1 = pixels->top;
    x2 = pixels->right;
    y2 = pixels->bottom;
    return true;
}

void CMarlockDlg::UpdateZoneFromFields() {
    ExchangeData(ExchangeDirection::FromControls);
    if (m_strLon1.empty() || m_strLat1.empty() || m_strLon2.empty() || m_strLat2.empty()) {
        m_fZoneWest = m_fZoneEast = m_fZoneNorth = m_fZoneSouth = 0.0f;
        m_fDragX0 = m_fDragX1 = m_fDragY0 = m_fDragY1 = 0.0f;
        return;
    }
    if (m_nZoneMode == 0) {
        // Sizes are never negative.
        m_strLon2 = RemoveChar(m_strLon2, '-');
        m_strLat2 = RemoveChar(m_strLat2, '-');
        ExchangeData(ExchangeDirection::ToControls);
    }
    const ZoneRect zone = ZoneOfTexts(ZoneTextsOf(*this, m_nZoneMode));
    m_fZoneWest = zone.west;
    m_fZoneEast = zone.east;
    m_fZoneNorth = zone.north;
    m_fZoneSouth = zone.south;
}

void CMarlockDlg::ConvertZoneFields(int fromMode, int toMode) {
    SetZoneTexts(*this, InMode(ZoneTextsOf(*this, fromMode), toMode));
}

}  // namespace wavepost
