// Map frames and the conversions between pixels, coordinate texts and the zone rectangle.
#include <cmath>
#include <utility>

#include "app/CMarlockDlg.h"
#include "app/NumberText.h"
#include "zone/ZoneGeometry.h"

namespace wavepost {

using namespace zone;

namespace {

// Whole pixels for a value already clamped into the map area.
int TruncatePixel(float value) {
    return static_cast<int>(std::trunc(value));
}

}  // namespace

DomainFrame CMarlockDlg::FindDomainRow(const std::string& mapName) const {
    DomainFrame frame;
    if (!m_pDomaines) return frame;
    // Every row is scanned: when several carry the name, the last one wins.
    for (int r = 2; r <= m_pDomaines->GetRowCount(); ++r) {
        if (Unquoted(m_pDomaines->GetCell(r, 1)) != mapName) continue;
        frame.bottom = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 2)));
        frame.top = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 3)));
        frame.left = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 4)));
        frame.right = ToFloat(ReadNumber(m_pDomaines->GetCell(r, 5)));
        frame.found = true;
    }
    return frame;
}

platform::Rect CMarlockDlg::GetMapArea() const {
    platform::Rect area = m_toolkit.GetControlRect(kMapFrameId);
    area.top += kMapFrameCaption;
    return area;
}

void CMarlockDlg::PixelToGeo(float& x0, float& x1, float& y0, float& y1) {
    const DomainFrame frame = FindDomainRow(MapNameOf(m_nMap));
    const platform::Rect area = GetMapArea();
    // Without a frame there is no geography to convert to; the mouse selection does not
    // start on such a map, so the values are left as they are.
    if (!IsUsable(frame) || !IsUsable(area)) return;

    const float lonPerPixel = (frame.right - frame.left) / static_cast<float>(area.Width());
    const float latPerPixel = (frame.top - frame.bottom) / static_cast<float>(area.Height());
    auto longitude = [&](float x) {
        return frame.left + (x - static_cast<float>(area.left)) * lonPerPixel;
    };
    auto latitude = [&](float y) {
        return frame.top - (y - static_cast<float>(area.top)) * latPerPixel;
    };
    x0 = longitude(x0);
    x1 = longitude(x1);
    y0 = latitude(y0);
    y1 = latitude(y1);
    // Only the plain world view is in shifted longitudes already.
    if (!IsWorldMap(m_nMap) || m_bAntimeridian == 1) {
        x0 -= 180.0f;
        x1 -= 180.0f;
    }
}

bool CMarlockDlg::GeoToPixel(int& x1, int& y1, int& x2, int& y2) {
    DomainFrame frame = FindDomainRow(MapNameOf(m_nMap));
    const platform::Rect area = GetMapArea();
    if (!IsUsable(frame) || !IsUsable(area)) return false;
    if (frame.left < 0) {
        frame.left += 180.0f;
        frame.right += 180.0f;
    }
    const double scaleX = area.Width() / static_cast<double>(frame.right - frame.left);
    const double scaleY = area.Height() / static_cast<double>(frame.top - frame.bottom);

    float west = m_fZoneWest;
    float east = m_fZoneEast;
    float north = m_fZoneNorth;
    float south = m_fZoneSouth;
    if (IsWorldMap(m_nMap) && m_bAntimeridian == 1) {
        // Only the west edge decides which half of the picture the zone lies in.
        const float shift = west >= 180.0f ? -180.0f : 180.0f;
        west += shift;
        east += shift;
    }
    if (west > east) std::swap(west, east);
    if (north < south) std::swap(north, south);

    // The scales use the exact edges, the origins the truncated ones.
    const double originX = std::trunc(frame.left);
    const double originY = std::trunc(frame.top);
    float px1 = ToFloat(area.left + 1 + (west - originX) * scaleX);
    float px2 = ToFloat(area.left + 1 + (east - originX) * scaleX);
    float py1 = ToFloat(area.top + 1 + (originY - north) * scaleY);
    float py2 = ToFloat(area.top + 1 + (originY - south) * scaleY);
    ClampToRect(px1, px2, py1, py2, area.left, area.top, area.right, area.bottom);
    // A zone edge that is not a number survives the clamping; it cannot be drawn.
    if (std::isnan(px1) || std::isnan(px2) || std::isnan(py1) || std::isnan(py2)) return false;
    x1 = TruncatePixel(px1);
    y1 = TruncatePixel(py1);
    x2 = TruncatePixel(px2);
    y2 = TruncatePixel(py2);
    return true;
}

int CMarlockDlg::ClampToRect(float& x0, float& x1, float& y0, float& y1, int left, int top,
                             int right, int bottom) {
    int changed = 0;
    auto below = [&changed](float& value, int bound) {
        if (value < static_cast<float>(bound)) {
            value = static_cast<float>(bound);
            ++changed;
        }
    };
    auto above = [&changed](float& value, int bound) {
        if (value > static_cast<float>(bound)) {
            value = static_cast<float>(bound);
            ++changed;
        }
    };
    below(x0, left);
    above(x1, right);
    below(y0, top);
    above(y1, bottom);
    below(x1, left);
    above(x0, right);
    below(y1, top);
    above(y0, bottom);
    return changed;
}

void CMarlockDlg::UpdateZoneFromFields() {
    ExchangeData(ExchangeDirection::FromControls);
    if (m_strLon1.empty() || m_strLat1.empty() || m_strLon2.empty() || m_strLat2.empty()) {
        m_fZoneWest = m_fZoneEast = m_fZoneNorth = m_fZoneSouth = 0.0f;
        m_fDragX0 = m_fDragX1 = m_fDragY0 = m_fDragY1 = 0.0f;
        return;
    }
    const bool centred = m_nZoneMode == 0;
    if (centred) {
        // Sizes are never negative.
        m_strLon2 = RemoveChar(m_strLon2, '-');
        m_strLat2 = RemoveChar(m_strLat2, '-');
        ExchangeData(ExchangeDirection::ToControls);
    }
    const double lon1 = ReadNumber(m_strLon1);
    const double lat1 = ReadNumber(m_strLat1);
    const double lon2 = ReadNumber(m_strLon2);
    const double lat2 = ReadNumber(m_strLat2);
    const float a = ToFloat(lon1 + 180.0);
    const float b = ToFloat(lon2 + 180.0);
    if (centred) {
        m_fZoneWest = ToFloat(a - lon2 * 0.5);
        m_fZoneNorth = ToFloat(lat1 + lat2 * 0.5);
        m_fZoneEast = ToFloat(a + lon2 * 0.5);
        m_fZoneSouth = ToFloat(lat1 - lat2 * 0.5);
    } else {
        // Not reordered: only the drawing puts crossed corners into place.
        m_fZoneWest = a;
        m_fZoneNorth = ToFloat(lat1);
        m_fZoneEast = b;
        m_fZoneSouth = ToFloat(lat2);
    }
}

void CMarlockDlg::ConvertZoneFields(int fromMode, int toMode) {
    if (fromMode == toMode) return;
    const float p = ToFloat(ReadNumber(m_strLon1));
    const float q = ToFloat(ReadNumber(m_strLat1));
    const float u = ToFloat(ReadNumber(m_strLon2));
    const float v = ToFloat(ReadNumber(m_strLat2));
    float lon1, lat1, lon2, lat2;
    if (toMode == 1) {
        lon1 = p - u / 2.0f;
        lat1 = q + v / 2.0f;
        lon2 = p + u / 2.0f;
        lat2 = q - v / 2.0f;
    } else if (toMode == 0) {
        lon1 = p + (u - p) * 0.5f;
        lat1 = q - (q - v) * 0.5f;
        lon2 = u - p;
        lat2 = q - v;
    } else {
        return;
    }
    m_strLon1 = FormatFixed(static_cast<double>(lon1), 1);
    m_strLat1 = FormatFixed(static_cast<double>(lat1), 1);
    m_strLon2 = FormatFixed(static_cast<double>(lon2), 1);
    m_strLat2 = FormatFixed(static_cast<double>(lat2), 1);
}

double CMarlockDlg::ReduceLongitude(double value, LongitudeForm form) {
    // A turn-by-turn loop never ends on an infinity and takes ages on a huge value.
    if (!std::isfinite(value)) return value;
    if (value > 360.0 * 1000.0) value = std::fmod(value, 360.0);
    if (form == LongitudeForm::Strict) {
        while (value > 180.0) value -= 360.0;
    } else {
        while (value >= 180.0) value -= 360.0;
    }
    return value;
}

}  // namespace wavepost
