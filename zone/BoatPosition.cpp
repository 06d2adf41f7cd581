// SPDX-License-Identifier: GPL-3.0-or-later
#include "zone/BoatPosition.h"

#include <algorithm>
#include <cmath>

#include "base/NumberText.h"

namespace wavepost::zone {

namespace {

constexpr double kMetresPerNauticalMile = 1852.0;

bool Within(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

// The longitude as the view's texts and frame write it: east of Greenwich from 0 to 360
// in the antimeridian view of the world, from -180 to 180 elsewhere.
double InView(const MapView& view, double longitude) {
    if (view.world && view.antimeridian && longitude < 0) return longitude + 360.0;
    return longitude;
}

}  // namespace

GpsdAddress GpsdAddressOf(const ProgramSettings& settings) {
    GpsdAddress address;
    for (const auto& [key, value] : settings.otherKeys) {
        if (key == "gpsd-host" && !value.empty()) {
            address.host = value;
        } else if (key == "gpsd-port") {
            // Digits only: "2947x" or "-1" is a mistake, not a port.
            const bool digits = !value.empty() && value.size() <= 5 &&
                                value.find_first_not_of("0123456789") == std::string::npos;
            const long port = digits ? ReadInteger(value) : 0;
            if (port >= 1 && port <= 65535) address.port = static_cast<int>(port);
        }
    }
    return address;
}

BoatFix ReadBoatFix(const platform::PositionReport& report, double now) {
    BoatFix fix;
    switch (report.link) {
        case platform::PositionLink::Off:
            return fix;
        case platform::PositionLink::Connecting:
            fix.state = BoatState::Connecting;
            return fix;
        case platform::PositionLink::Unreachable:
            fix.state = BoatState::Unreachable;
            return fix;
        case platform::PositionLink::Connected:
            break;
    }
    const platform::PositionFix& in = report.fix;
    if (!report.hasFix || in.mode < 2) {
        fix.state = BoatState::NoFix;
        return fix;
    }
    if (!std::isfinite(in.time) || !std::isfinite(now) || in.time > now + kFixMaxAheadSeconds) {
        fix.state = BoatState::BadTime;
        return fix;
    }
    if (now - in.time > kFixMaxAgeSeconds) {
        fix.state = BoatState::Stale;
        // Shown as a time of day; one before 1970 or beyond any calendar is shown as none.
        fix.time = Within(in.time, 0, 1e11) ? static_cast<std::int64_t>(in.time) : 0;
        return fix;
    }
    if (!Within(in.latitude, -90, 90) || !Within(in.longitude, -180, 180)) {
        fix.state = BoatState::BadPosition;
        return fix;
    }
    fix.state = BoatState::Usable;
    fix.time = static_cast<std::int64_t>(in.time);
    fix.threeD = in.mode >= 3;
    fix.latitude = in.latitude;
    fix.longitude = in.longitude;
    if (Within(in.track, 0, 360)) fix.heading = std::lround(in.track);
    // Beyond the field's bound the speed is held at it, as a typed speed is.
    if (Within(in.speed, 0, 1e6))
        fix.knots = std::min(kMaxSpeed, std::lround(in.speed * 3600.0 / kMetresPerNauticalMile));
    return fix;
}

bool MapShows(const MapView& view, double latitude, double longitude) {
    if (!IsUsable(view.frame) || !Within(latitude, -90, 90) || !Within(longitude, -180, 180))
        return false;
    const DomainFrame& f = view.frame;
    // The world's row is in shifted longitudes, which its antimeridian view reads as east
    // longitudes from 0 to 360.
    const double shift = view.world && !view.antimeridian ? 180.0 : 0.0;
    const double lon = InView(view, longitude);
    return lon >= std::min(f.left, f.right) - shift && lon <= std::max(f.left, f.right) - shift &&
           latitude >= std::min(f.bottom, f.top) && latitude <= std::max(f.bottom, f.top);
}

std::optional<ZoneTexts> ZoneAtBoat(const MapView& view, const ZoneTexts& texts, double latitude,
                                    double longitude) {
    if ((texts.mode != 0 && texts.mode != 1) || !MapShows(view, latitude, longitude))
        return std::nullopt;
    ZoneTexts centred = InMode(texts, 0);
    // The centre as typed: in the antimeridian view a centre is written from -180 to 180,
    // corners from 0 to 360.
    const double lon = texts.mode == 1 ? InView(view, longitude) : longitude;
    centred.lon1 = FormatFixed(lon, 1);
    centred.lat1 = FormatFixed(latitude, 1);
    return InMode(centred, texts.mode);
}

std::optional<std::pair<int, int>> BoatPixel(const MapView& view, double latitude,
                                             double longitude) {
    if (!MapShows(view, latitude, longitude) || !IsUsable(view.area)) return std::nullopt;
    const float shifted = ToFloat(longitude + 180.0);
    const float lat = ToFloat(latitude);
    const std::optional<platform::Rect> pixel =
        GeoToPixel(view, ZoneRect{shifted, shifted, lat, lat});
    if (!pixel) return std::nullopt;
    return std::make_pair(pixel->left, pixel->top);
}

}  // namespace wavepost::zone
