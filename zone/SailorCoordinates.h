// SPDX-License-Identifier: GPL-3.0-or-later
// Positions as sailors write them: a hemisphere letter after the number, degrees and
// minutes (and seconds), and back again for the pointer's position over the map.
#pragma once

#include <optional>
#include <string>

namespace wavepost::zone {

// What a coordinate text holds: a position on one axis, or a size in degrees.
enum class Quantity { Latitude, Longitude, Size };

// A position written the sailors' way: degrees, or degrees and minutes, or degrees, minutes
// and seconds ("47°15'30\"", "47°15.5'", "47 15.5 N"), the last part possibly with a
// decimal point or comma, with a hemisphere letter of the position's axis in either case
// after it or before it ("N47°15.5'", "W 005 30", as GPS units show it): N or S, E or W
// (or O, the French ouest); S, W and O are negative. Parts separated by blanks alone
// ("47 15") are degrees and minutes; a hyphen between them ("47-15N") needs the letter.
// None for anything else, which then reads as a plain number: one number with no letter
// and no mark, a letter of the other axis, a sign with a letter, minutes or seconds of 60
// or more, anything after the trailing letter, letters at both ends, and sizes, which
// have no hemisphere.
std::optional<double> ReadSailorPosition(const std::string& text, Quantity quantity);

// The value of a coordinate text: the sailors' reading when there is one, otherwise the
// lenient number reading, as every text read before.
double ReadCoordinate(const std::string& text, Quantity quantity);

// The text as it is when it reads as a plain number; a position written the sailors' way
// as the plain number the lenient number reading takes back exactly.
std::string PlainCoordinate(const std::string& text, Quantity quantity);

// A position in whole minutes with its hemispheres, latitude first: "47°15'N 5°30'W".
std::string DegreesMinutes(double latitude, double longitude);

}  // namespace wavepost::zone
