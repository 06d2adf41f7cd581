// SPDX-License-Identifier: GPL-3.0-or-later
// The boat's position from the position daemon (gpsd): its report checked, every number
// held in range, and the zone texts centred on the boat. Plain values in and out; the
// window's handlers are in BoatPositionWindow.cpp, the daemon's reader in the Qt front end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/ProgramSettings.h"
#include "platform/Toolkit.h"
#include "zone/ZoneArithmetic.h"

namespace wavepost::zone {

// A fix older than this no longer tells where the boat is.
constexpr double kFixMaxAgeSeconds = 300;
// A fix this far ahead of the computer's clock means one of the two clocks is wrong.
constexpr double kFixMaxAheadSeconds = 60;

// Where the daemon is: the settings "gpsd-host" and "gpsd-port", else localhost:2947.
struct GpsdAddress {
    std::string host = "localhost";
    int port = 2947;
};
GpsdAddress GpsdAddressOf(const ProgramSettings& settings);

enum class BoatState {
    NotWatched,
    Connecting,
    Unreachable,  // no daemon there, or the connection was lost
    NoFix,        // connected, no report yet or one without a position (mode 0 or 1)
    Stale,        // older than kFixMaxAgeSeconds
    BadTime,      // no time, or one ahead of the clock
    BadPosition,  // latitude or longitude missing or out of range
    Usable,
};

// The report as the zone may use it. Whatever the report held, a Usable fix has its
// latitude in [-90, 90], its longitude in [-180, 180], its heading in [0, 360] and its
// speed in [0, kMaxSpeed] whole knots; heading and speed are absent when the report had
// no usable course or speed.
struct BoatFix {
    BoatState state = BoatState::NotWatched;
    double latitude = 0;
    double longitude = 0;
    std::optional<long> heading;
    std::optional<long> knots;
    std::int64_t time = 0;  // seconds since 1970 UTC (Usable and Stale)
    bool threeD = false;
    bool operator==(const BoatFix&) const = default;
};

// now: seconds since 1970 UTC.
BoatFix ReadBoatFix(const platform::PositionReport& report, double now);

// Whether the map shows that position (edges included); false for an unusable frame.
bool MapShows(const MapView& view, double latitude, double longitude);

// The texts centred on the position, the zone's width and height kept (in the corners'
// mode the rectangle moves), written as the fields write typed numbers. None when the map
// does not show the position or the mode is neither 0 nor 1.
std::optional<ZoneTexts> ZoneAtBoat(const MapView& view, const ZoneTexts& texts, double latitude,
                                    double longitude);

// The boat's mark in client pixels; none when the map does not show it.
std::optional<std::pair<int, int>> BoatPixel(const MapView& view, double latitude,
                                             double longitude);

}  // namespace wavepost::zone
