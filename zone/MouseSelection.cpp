// Marking the zone on the map with the mouse.
#include <cmath>
#include <utility>

#include "app/CMarlockDlg.h"
#include "app/NumberText.h"
#include "zone/ZoneGeometry.h"

namespace wavepost {

using namespace zone;

namespace {

constexpr platform::Pen kRubberBandPen{2, {255, 0, 0}};

int Truncated(float value) {
    return static_cast<int>(std::trunc(value));
}

// West before east, north before south, in place.
void OrderCorners(float& west, float& east, float& north, float& south) {
    if (west > east) std::swap(west, east);
    if (north < south) std::swap(north, south);
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
    OrderCorners(m_fDragX0, m_fDragX1, m_fDragY0, m_fDragY1);
    WriteSelectionTexts(m_fDragX0, m_fDragX1, m_fDragY0, m_fDragY1, LongitudeForm::Strict);
    ExchangeData(ExchangeDirection::ToControls);
    UpdateCostEstimate();
    UpdateZoneFromFields();
    RedrawMap();
    m_bDragging = 0;
}

void CMarlockDlg::DrawRubberBand(int x0, int y0, int x1, int y1) {
    float fx0 = static_cast<float>(x0);
    float fx1 = static_cast<float>(x1);
    float fy0 = static_cast<float>(y0);
    float fy1 = static_cast<float>(y1);
    const platform::Rect area = GetMapArea();
    if (ClampToRect(fx0, fx1, fy0, fy1, area.left, area.top, area.right, area.bottom) == 0) {
        m_toolkit.ToggleRubberBand({x0, y0, x1, y1}, kRubberBandPen);
        return;
    }
    // The band reached beyond the map: the selection ends at the map's edge, before the
    // button is released. An edge is written in the inclusive form there.
    PixelToGeo(fx0, fx1, fy0, fy1);
    OrderCorners(fx0, fx1, fy0, fy1);
    WriteSelectionTexts(fx0, fx1, fy0, fy1, LongitudeForm::Inclusive);
    ExchangeData(ExchangeDirection::ToControls);
    UpdateCostEstimate();
    UpdateZoneFromFields();
    RedrawMap();
    m_bDragging = 0;
}

void CMarlockDlg::WriteSelectionTexts(float west, float east, float north, float south,
                                      LongitudeForm form) {
    auto text = [](double value) { return FormatFixed(value, 1); };
    const bool world = IsWorldMap(m_nMap);
    if (m_nZoneMode == 0) {
        double centre = (west + 180.0f) + (east - west) / 2.0f;
        // The centre is always brought back into -180..180, even in the antimeridian view.
        if (world) centre = ReduceLongitude(centre, form);
        m_strLon1 = text(centre);
        m_strLat1 = text(north + (south - north) / 2.0f);
        m_strLon2 = text(east - west);
        m_strLat2 = text(north - south);
    } else {
        const bool reduce = world && m_bAntimeridian != 1;
        double westText = west + 180.0f;
        double eastText = east + 180.0f;
        if (reduce) {
            westText = ReduceLongitude(westText, form);
            eastText = ReduceLongitude(eastText, form);
        }
        m_strLon1 = text(westText);
        m_strLat1 = text(north);
        m_strLon2 = text(eastText);
        m_strLat2 = text(south);
    }
}

}  // namespace wavepost
