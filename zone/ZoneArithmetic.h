// SPDX-License-Identifier: GPL-3.0-or-later
// The zone arithmetic: map pixels, coordinate texts and the zone rectangle converted into
// one another, and the clamps, as functions of plain values. The window gathers the values
// and stores the results; nothing here reads a control or a table.
//
// Single precision is deliberate wherever it stands: the texts and pixels the program has
// always produced depend on it, so every expression keeps its types and its order.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Toolkit.h"
#include "zone/SailorCoordinates.h"

namespace wavepost::zone {

// The moving grid's bounds: heading in whole degrees, speed in whole knots.
constexpr long kMaxHeading = 360;
constexpr long kMaxSpeed = 50;

// The frame of a map, from its row of the domain table.
struct DomainFrame {
    float bottom = 0;
    float top = 0;
    float left = 0;
    float right = 0;
    bool found = false;  // false: no row for the map; nothing may be computed from it
};

enum class LongitudeForm { Strict, Inclusive };

// The map shown, as the conversions need it.
struct MapView {
    DomainFrame frame;
    platform::Rect area;  // the map picture in client pixels
    // The world map, whose row is in shifted longitudes (0 to 360 for -180 to 180).
    bool world = false;
    // The antimeridian box is ticked; it changes the view of the world map only.
    bool antimeridian = false;
};

// Two opposite corners (x0, y0) and (x1, y1), in pixels or in degrees.
struct Corners {
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    bool operator==(const Corners&) const = default;
};

// The zone as it is drawn: longitudes shifted by 180 degrees, corners possibly crossed.
struct ZoneRect {
    float west = 0, east = 0, north = 0, south = 0;
    bool operator==(const ZoneRect&) const = default;
};

// The four coordinate texts and the mode they are written in: 0 centre and size, 1 the
// upper left and lower right corners (any other mode is read as corners).
struct ZoneTexts {
    std::string lon1, lat1, lon2, lat2;
    std::int32_t mode = 0;
    bool operator==(const ZoneTexts&) const = default;
};

// What the second column holds in a mode: a size when centred, else a corner's position.
inline Quantity SecondColumn(std::int32_t mode, Quantity position) {
    return mode == 0 ? Quantity::Size : position;
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

// A frame west of longitude 0 moved into the shifted longitudes the zone and the pictures
// use; the world row is in them already.
DomainFrame InShiftedLongitudes(DomainFrame frame);

// Pixels to degrees; unchanged when the view's frame or area is unusable.
Corners PixelToGeo(const MapView& view, Corners pixels);
// The zone in client pixels, held inside the map area; none when the frame or area is
// unusable or an edge is not a number.
std::optional<platform::Rect> GeoToPixel(const MapView& view, const ZoneRect& zone);
// The zone as drawn, read as the order reads it: an east edge west of the west edge
// stands for the zone across 180 degrees. On the world picture the part beyond its east
// edge is drawn again from its west edge, so a zone gives one or two rectangles.
std::vector<platform::Rect> ZonePieces(const MapView& view, const ZoneRect& zone);
// Holds each value inside the bounds (edges included); returns how many were moved.
int ClampToRect(Corners& corners, const platform::Rect& bounds);
// West before east (x0, x1), north before south (y0, y1).
Corners Ordered(Corners corners);
// Whole turns taken off down to 180 at most (Strict) or below 180 (Inclusive, which
// writes 180 as -180); values below -180 stay.
double ReduceLongitude(double value, LongitudeForm form);

// The zone the texts describe; every text must be non-empty.
ZoneRect ZoneOfTexts(const ZoneTexts& texts);
// The texts rewritten in the other mode with one decimal; unchanged when already in it or
// when the mode is neither 0 nor 1.
ZoneTexts InMode(const ZoneTexts& texts, std::int32_t mode);
// The texts of a selection whose corners are ordered and in degrees.
ZoneTexts SelectionTexts(const Corners& ordered, std::int32_t mode, const MapView& view,
                         LongitudeForm form);
// The texts held inside the map's frame; only a text that moves is rewritten. None when
// there is nothing to hold them in: an unusable frame, or the antimeridian view.
std::optional<ZoneTexts> ClampedToFrame(const MapView& view, ZoneTexts texts);
// A typed coordinate with one decimal; a decimal comma is read as a point, a position may
// be written the sailors' way.
std::string NormalisedCoordinate(const std::string& text, Quantity quantity);
// The positions among the texts as plain numbers, for the readers that know only those
// (the order, the estimate); plain texts and sizes stay as they are.
ZoneTexts PlainPositions(ZoneTexts texts);

// The degrees between two graticule lines over a span.
int GraticuleStep(float span);
// The pixel columns of the meridians and rows of the parallels over a shifted frame.
struct Graticule {
    std::vector<int> meridians, parallels;
};
Graticule GraticuleLines(const DomainFrame& shifted, const platform::Rect& area);
// The picture of a map (0 world, 1 Europe, 2 France) for a screen's colour depth.
int MapPicture(std::int32_t map, bool antimeridianView, int colorDepth);

}  // namespace wavepost::zone
