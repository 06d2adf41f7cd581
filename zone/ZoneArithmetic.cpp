#include "zone/ZoneArithmetic.h"

#include <cmath>
#include <utility>

#include "app/layout/ResourceIds.h"
#include "base/NumberText.h"
#include "zone/SailorCoordinates.h"

namespace wavepost::zone {

namespace {

// Whole pixels for a value already clamped into the map area.
int TruncatePixel(float value) {
    return static_cast<int>(std::trunc(value));
}

std::string CoordinateText(float value) {
    return FormatFixed(static_cast<double>(value), 1);
}

// The four texts' values; positions may be written the sailors' way.
struct ZoneValues {
    double lon1, lat1, lon2, lat2;
};
ZoneValues ValuesOf(const ZoneTexts& texts) {
    return {ReadCoordinate(texts.lon1, Quantity::Longitude),
            ReadCoordinate(texts.lat1, Quantity::Latitude),
            ReadCoordinate(texts.lon2, SecondColumn(texts.mode, Quantity::Longitude)),
            ReadCoordinate(texts.lat2, SecondColumn(texts.mode, Quantity::Latitude))};
}

}  // namespace

DomainFrame InShiftedLongitudes(DomainFrame frame) {
    if (frame.left < 0) {
        frame.left += 180.0f;
        frame.right += 180.0f;
    }
    return frame;
}

Corners PixelToGeo(const MapView& view, Corners pixels) {
    const DomainFrame& frame = view.frame;
    const platform::Rect& area = view.area;
    // Without a frame there is no geography to convert to; the mouse selection does not
    // start on such a map, so the values are left as they are.
    if (!IsUsable(frame) || !IsUsable(area)) return pixels;

    const float lonPerPixel = (frame.right - frame.left) / static_cast<float>(area.Width());
    const float latPerPixel = (frame.top - frame.bottom) / static_cast<float>(area.Height());
    auto longitude = [&](float x) {
        return frame.left + (x - static_cast<float>(area.left)) * lonPerPixel;
    };
    auto latitude = [&](float y) {
        return frame.top - (y - static_cast<float>(area.top)) * latPerPixel;
    };
    Corners geo{longitude(pixels.x0), longitude(pixels.x1), latitude(pixels.y0),
                latitude(pixels.y1)};
    // Only the plain world view is in shifted longitudes already.
    if (!view.world || view.antimeridian) {
        geo.x0 -= 180.0f;
        geo.x1 -= 180.0f;
    }
    return geo;
}

std::optional<platform::Rect> GeoToPixel(const MapView& view, const ZoneRect& zone) {
    const platform::Rect& area = view.area;
    if (!IsUsable(view.frame) || !IsUsable(area)) return std::nullopt;
    const DomainFrame frame = InShiftedLongitudes(view.frame);
    const double scaleX = area.Width() / static_cast<double>(frame.right - frame.left);
    const double scaleY = area.Height() / static_cast<double>(frame.top - frame.bottom);

    float west = zone.west;
    float east = zone.east;
    float north = zone.north;
    float south = zone.south;
    if (view.world && view.antimeridian) {
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
    Corners pixels{ToFloat(area.left + 1 + (west - originX) * scaleX),
                   ToFloat(area.left + 1 + (east - originX) * scaleX),
                   ToFloat(area.top + 1 + (originY - north) * scaleY),
                   ToFloat(area.top + 1 + (originY - south) * scaleY)};
    ClampToRect(pixels, area);
    // A zone edge that is not a number survives the clamping; it cannot be drawn.
    if (std::isnan(pixels.x0) || std::isnan(pixels.x1) || std::isnan(pixels.y0) ||
        std::isnan(pixels.y1))
        return std::nullopt;
    return platform::Rect{TruncatePixel(pixels.x0), TruncatePixel(pixels.y0),
                          TruncatePixel(pixels.x1), TruncatePixel(pixels.y1)};
}

std::vector<platform::Rect> ZonePieces(const MapView& view, const ZoneRect& zone) {
    std::vector<ZoneRect> parts{zone};
    if (std::isfinite(zone.west) && std::isfinite(zone.east) && zone.east < zone.west) {
        const float turns = std::ceil((zone.west - zone.east) / 360.0f);
        parts.front().east = zone.east + 360.0f * turns;
    }
    if (view.world && std::isfinite(parts.front().east)) {
        // In the picture's own longitudes: GeoToPixel moves each part back the same way,
        // as it decides the move from the west edge alone.
        const float shift = !view.antimeridian ? 0.0f : zone.west >= 180.0f ? -180.0f : 180.0f;
        const float west = zone.west + shift;
        const float east = parts.front().east + shift;
        if (east > 360.0f && west < 360.0f)
            parts = {{west - shift, 360.0f - shift, zone.north, zone.south},
                     {-shift, std::min(east - 360.0f, west) - shift, zone.north, zone.south}};
    }
    std::vector<platform::Rect> pieces;
    for (const ZoneRect& part : parts)
        if (std::optional<platform::Rect> rect = GeoToPixel(view, part)) pieces.push_back(*rect);
    return pieces;
}

int ClampToRect(Corners& corners, const platform::Rect& bounds) {
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
    below(corners.x0, bounds.left);
    above(corners.x1, bounds.right);
    below(corners.y0, bounds.top);
    above(corners.y1, bounds.bottom);
    below(corners.x1, bounds.left);
    above(corners.x0, bounds.right);
    below(corners.y1, bounds.top);
    above(corners.y0, bounds.bottom);
    return changed;
}

Corners Ordered(Corners corners) {
    if (corners.x0 > corners.x1) std::swap(corners.x0, corners.x1);
    if (corners.y0 < corners.y1) std::swap(corners.y0, corners.y1);
    return corners;
}

double ReduceLongitude(double value, LongitudeForm form) {
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

ZoneRect ZoneOfTexts(const ZoneTexts& texts) {
    const auto [lon1, lat1, lon2, lat2] = ValuesOf(texts);
    const float a = ToFloat(lon1 + 180.0);
    const float b = ToFloat(lon2 + 180.0);
    if (texts.mode == 0)
        return {ToFloat(a - lon2 * 0.5), ToFloat(a + lon2 * 0.5), ToFloat(lat1 + lat2 * 0.5),
                ToFloat(lat1 - lat2 * 0.5)};
    // Not reordered: only the drawing puts crossed corners into place.
    return {a, b, ToFloat(lat1), ToFloat(lat2)};
}

ZoneTexts InMode(const ZoneTexts& texts, std::int32_t mode) {
    if (texts.mode == mode) return texts;
    const ZoneValues values = ValuesOf(texts);
    const float p = ToFloat(values.lon1);
    const float q = ToFloat(values.lat1);
    const float u = ToFloat(values.lon2);
    const float v = ToFloat(values.lat2);
    float lon1, lat1, lon2, lat2;
    if (mode == 1) {
        lon1 = p - u / 2.0f;
        lat1 = q + v / 2.0f;
        lon2 = p + u / 2.0f;
        lat2 = q - v / 2.0f;
    } else if (mode == 0) {
        lon1 = p + (u - p) * 0.5f;
        lat1 = q - (q - v) * 0.5f;
        lon2 = u - p;
        lat2 = q - v;
    } else {
        return texts;
    }
    return {CoordinateText(lon1), CoordinateText(lat1), CoordinateText(lon2), CoordinateText(lat2),
            mode};
}

ZoneTexts SelectionTexts(const Corners& ordered, std::int32_t mode, const MapView& view,
                         LongitudeForm form) {
    auto text = [](double value) { return FormatFixed(value, 1); };
    const float west = ordered.x0;
    const float east = ordered.x1;
    const float north = ordered.y0;
    const float south = ordered.y1;
    if (mode == 0) {
        double centre = (west + 180.0f) + (east - west) / 2.0f;
        // The centre is always brought back into -180..180, even in the antimeridian view.
        if (view.world) centre = ReduceLongitude(centre, form);
        return {text(centre), text(north + (south - north) / 2.0f), text(east - west),
                text(north - south), mode};
    }
    const bool reduce = view.world && !view.antimeridian;
    double westText = west + 180.0f;
    double eastText = east + 180.0f;
    if (reduce) {
        westText = ReduceLongitude(westText, form);
        eastText = ReduceLongitude(eastText, form);
    }
    return {text(westText), text(north), text(eastText), text(south), mode};
}

std::optional<ZoneTexts> ClampedToFrame(const MapView& view, ZoneTexts texts) {
    const DomainFrame& frame = view.frame;
    // Clamping into an undefined frame would throw the user's zone away.
    if (!IsUsable(frame)) return std::nullopt;
    const float shift = view.world ? 180.0f : 0.0f;  // the world row is in shifted longitudes
    const float west = frame.left - shift;
    const float east = frame.right - shift;
    const float north = frame.top;
    const float south = frame.bottom;
    if (view.world && view.antimeridian) return std::nullopt;

    const ZoneValues values = ValuesOf(texts);
    float lon1 = ToFloat(values.lon1);
    float lat1 = ToFloat(values.lat1);
    float lon2 = ToFloat(values.lon2);
    float lat2 = ToFloat(values.lat2);

    if (texts.mode != 0) {
        // Each corner is held inside on its own; crossed corners stay crossed.
        auto hold = [](std::string& text, float value, float low, float high) {
            float held = value;
            if (value > high) held = high;
            if (value < low) held = low;
            if (held != value) text = CoordinateText(held);
        };
        hold(texts.lon1, lon1, west, east);
        hold(texts.lon2, lon2, west, east);
        hold(texts.lat1, lat1, south, north);
        hold(texts.lat2, lat2, south, north);
        return texts;
    }
    if (lon1 > east) {
        lon1 = east;
        texts.lon1 = CoordinateText(lon1);
    }
    if (lon1 < west) {
        lon1 = west;
        texts.lon1 = CoordinateText(lon1);
    }
    if (lon1 - lon2 / 2.0f < west) {
        lon2 = (lon1 - west) * 2.0f;
        texts.lon2 = CoordinateText(lon2);
    }
    if (lon1 + lon2 / 2.0f > east) texts.lon2 = CoordinateText((east - lon1) * 2.0f);
    if (lat1 > north) {
        lat1 = north;
        texts.lat1 = CoordinateText(lat1);
    }
    if (lat1 < south) {
        lat1 = south;
        texts.lat1 = CoordinateText(lat1);
    }
    if (lat1 + lat2 / 2.0f > north) {
        lat2 = (north - lat1) * 2.0f;
        texts.lat2 = CoordinateText(lat2);
    }
    if (lat1 - lat2 / 2.0f < south) texts.lat2 = CoordinateText((lat1 - south) * 2.0f);
    return texts;
}

std::string NormalisedCoordinate(const std::string& text, Quantity quantity) {
    return FormatFixed(ReadCoordinate(Replace(text, ',', '.'), quantity), 1);
}

ZoneTexts PlainPositions(ZoneTexts texts) {
    texts.lon1 = PlainCoordinate(texts.lon1, Quantity::Longitude);
    texts.lat1 = PlainCoordinate(texts.lat1, Quantity::Latitude);
    texts.lon2 = PlainCoordinate(texts.lon2, SecondColumn(texts.mode, Quantity::Longitude));
    texts.lat2 = PlainCoordinate(texts.lat2, SecondColumn(texts.mode, Quantity::Latitude));
    return texts;
}

// 20 degrees, halved until two steps fit into the span. Halving stops at 1, where a
// map narrower than 2 degrees would otherwise bring the step to 0.
int GraticuleStep(float span) {
    int step = 20;
    while (step > 1 && 2.0f * static_cast<float>(step) > span) step /= 2;
    return step;
}

// A span that is not positive gets no lines; neither do steps closer than a pixel, which
// would only blacken the map (and come from frames far wider than the earth).
Graticule GraticuleLines(const DomainFrame& frame, const platform::Rect& area) {
    Graticule lines;
    const float lonSpan = frame.right - frame.left;
    if (lonSpan > 0.0f) {
        const int step = GraticuleStep(lonSpan);
        const double scale = area.Width() / static_cast<double>(lonSpan);
        if (step * scale >= 1.0) {
            // The edges themselves get no line.
            for (double o = step - std::fmod(std::trunc(frame.left), step); o < lonSpan; o += step)
                lines.meridians.push_back(static_cast<int>(std::trunc(area.left + o * scale)));
        }
    }
    const float latSpan = frame.top - frame.bottom;
    if (latSpan > 0.0f) {
        const int step = GraticuleStep(latSpan);
        const double scale = area.Height() / static_cast<double>(latSpan);
        if (step * scale >= 1.0) {
            const double n = std::fabs(std::trunc(frame.bottom - frame.top));
            for (double o = step - std::fabs(std::fmod(std::trunc(frame.bottom), step)); o < n;
                 o += step)
                lines.parallels.push_back(static_cast<int>(std::trunc(area.bottom - o * scale)));
        }
    }
    return lines;
}

int MapPicture(std::int32_t map, bool antimeridianView, int colorDepth) {
    const bool fullColour = colorDepth > 8;
    if (map == 1) return fullColour ? IDB_MAP_EUROPE : IDB_MAP_EUROPE_16;
    if (map == 2) return fullColour ? IDB_MAP_FRANCE : IDB_MAP_FRANCE_16;
    if (antimeridianView) return fullColour ? IDB_MAP_PACIFIC : IDB_MAP_PACIFIC_16;
    return fullColour ? IDB_MAP_WORLD : IDB_MAP_WORLD_16;
}

}  // namespace wavepost::zone
