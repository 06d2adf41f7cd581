// SPDX-License-Identifier: GPL-3.0-or-later
// Marking the zone on the map with the mouse.
#include <cmath>

#include "app/CMarlockDlg.h"
#include "zone/SailorCoordinates.h"
#include "zone/ZoneWindow.h"

namespace wavepost {

using namespace zone;

namespace {

constexpr platform::Pen kRubberBandPen{2, {255, 0, 0}};

int Truncated(float value) {
    return static_cast<int>(std::trunc(value));
}

// The position under the pointer while it is over the map, in either view of the world.
void ShowPointerPosition(CMarlockDlg& dlg, int x, int y) {
    const MapView view = MapViewOf(dlg);
    const platform::Rect& area = view.area;
    const bool overMap = dlg.m_nCurrentPage == 0 && x >= area.left && x <= area.right &&
                         y >= area.top && y <= area.bottom && IsUsable(view.frame) &&
                         IsUsable(area);
    if (!overMap) {
        dlg.Toolkit().HidePointerTip();
        return;
    }
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    const Corners geo = zone::PixelToGeo(view, {px, px, py, py});
    // As the texts are written, then brought into -180..180 whatever the view.
    const double longitude = ReduceLongitude(geo.x0 + 180.0, LongitudeForm::Strict);
    dlg.Toolkit().ShowPointerTip(x, y, DegreesMinutes(geo.y0, longitude));
}

}  // namespace

void CMarlockDlg::AbandonDrag() {
    if (!m_bDragging) return;
    // Drawing the last band again erases it; the zone stays as it was.
    DrawRubberBand(Truncated(m_fDragX0), Truncated(m_fDragY0), Truncated(m_fDragX1),
                   Truncated(m_fDragY1));
    m_bDragging = 0;
}

void CMarlockDlg::OnLButtonDown(int x, int y) {
    if (m_bDragging || m_nCurrentPage != 0) return;
    const platform::Rect area = GetMapArea();
    if (x < area.left || x > area.right || y < area.top || y > area.bottom) return;
    // On a map without a frame no pixel has a longitude: there is nothing to select.
    if (!IsUsable(FindDomainRow(MapNameOf(m_nMap))) || !IsUsable(area)) return;
    m_fDragX0 = m_fDragX1 = static_cast<float>(x);
    m_fDragY0 = m_fDragY1 = static_cast<float>(y);
    DrawRubberBand(x, y, x, y);
    m_bDragging = 1;
}

void CMarlockDlg::OnMouseMove(int x, int y) {
    ShowPointerPosition(*this, x, y);
    if (!m_bDragging || m_nCurrentPage != 0) return;
    // Drawing the last band again erases it.
    DrawRubberBand(Truncated(m_fDragX0), Truncated(m_fDragY0), Truncated(m_fDragX1),
                   Truncated(m_fDragY1));
    m_fDragX1 = static_cast<float>(x);
    m_fDragY1 = static_cast<float>(y);
    DrawRubberBand(Truncated(m_fDragX0), Truncated(m_fDragY0), x, y);
}

void CMarlockDlg::OnLButtonUp(int x, int y) {
    if (!m_bDragging || m_nCurrentPage != 0) return;
    DrawRubberBand(Truncated(m_fDragX0), Truncated(m_fDragY0), Truncated(m_fDragX1),
                   Truncated(m_fDragY1));
    m_fDragX1 = static_cast<float>(x);
    m_fDragY1 = static_cast<float>(y);
    PixelToGeo(m_fDragX0, m_fDragX1, m_fDragY0, m_fDragY1);
    const Corners drag = Ordered({m_fDragX0, m_fDragX1, m_fDragY0, m_fDragY1});
    m_fDragX0 = drag.x0;
    m_fDragX1 = drag.x1;
    m_fDragY0 = drag.y0;
    m_fDragY1 = drag.y1;
    WriteSelectionTexts(m_fDragX0, m_fDragX1, m_fDragY0, m_fDragY1, LongitudeForm::Strict);
    ExchangeData(ExchangeDirection::ToControls);
    UpdateCostEstimate();
    UpdateZoneFromFields();
    RedrawMap();
    m_bDragging = 0;
}

void CMarlockDlg::DrawRubberBand(int x0, int y0, int x1, int y1) {
    Corners band{static_cast<float>(x0), static_cast<float>(x1), static_cast<float>(y0),
                 static_cast<float>(y1)};
    if (zone::ClampToRect(band, GetMapArea()) == 0) {
        m_toolkit.ToggleRubberBand({x0, y0, x1, y1}, kRubberBandPen);
        return;
    }
    // The band reached beyond the map: the selection ends at the map's edge, before the
    // button is released. An edge is written in the inclusive form there.
    PixelToGeo(band.x0, band.x1, band.y0, band.y1);
    band = Ordered(band);
    WriteSelectionTexts(band.x0, band.x1, band.y0, band.y1, LongitudeForm::Inclusive);
    ExchangeData(ExchangeDirection::ToControls);
    UpdateCostEstimate();
    UpdateZoneFromFields();
    RedrawMap();
    m_bDragging = 0;
}

void CMarlockDlg::WriteSelectionTexts(float west, float east, float north, float south,
                                      LongitudeForm form) {
    SetZoneTexts(*this,
                 SelectionTexts({west, east, north, south}, m_nZoneMode, MapViewOf(*this), form));
}

}  // namespace wavepost
