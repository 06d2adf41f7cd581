// SPDX-License-Identifier: GPL-3.0-or-later
// The number readings and writings against a reading of the rule of their own: the longest
// prefix, after blanks, that forms a decimal number with a point and an optional exponent.
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <regex>

#include "base/NumberText.h"
#include "tests/fuzz/FuzzSupport.h"
#include "zone/BoatPosition.h"
#include "zone/SailorCoordinates.h"

using namespace wavepost;

namespace {

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

double ByTheRule(const std::string& text) {
    static const std::regex number(R"([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?)");
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    for (std::size_t end = text.size(); end > start; --end) {
        const std::string prefix = text.substr(start, end - start);
        if (std::regex_match(prefix, number)) return std::strtod(prefix.c_str(), nullptr);
    }
    return 0.0;
}

long IntegerByTheRule(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string digits;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') digits += text[i++];
    digits.erase(0, digits.find_first_not_of('0'));
    const std::string max = std::to_string(LONG_MAX);
    const bool beyond = digits.size() > max.size() || (digits.size() == max.size() && digits > max);
    const long value = digits.empty() ? 0 : beyond ? LONG_MAX : std::stol(digits);
    return negative ? -value : value;
}

// A number, blanks, and another ("47 15", "454 .7", "12 ,5"): degrees and minutes
// without a mark.
bool HasTwoNumbers(const std::string& text) {
    const auto numeric = [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == ','; };
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (!numeric(text[i])) continue;
        std::size_t j = i + 1;
        while (j < text.size() && IsBlank(text[j])) ++j;
        if (j > i + 1 && j < text.size() && numeric(text[j])) return true;
    }
    return false;
}

// The bytes as a report of the position daemon: any numbers at all, NaN and infinities
// included, never give a number out of its range, in the fix or in the zone texts.
void CheckBoatFix(const std::uint8_t* data, std::size_t size) {
    double values[5] = {0, 0, 0, 0, 0};
    if (size < 1 + sizeof values) return;
    std::memcpy(values, data + 1, sizeof values);
    constexpr double kNow = 1'800'000'000;
    platform::PositionFix in;
    in.mode = data[0] % 5 - 1;
    // Mostly within the minutes a fix stays fresh, so that the position is looked at.
    in.time = std::isfinite(values[0]) ? kNow - std::fmod(values[0], 400.0) : values[0];
    in.latitude = values[1];
    in.longitude = values[2];
    in.track = values[3];
    in.speed = values[4];
    const zone::BoatFix fix =
        zone::ReadBoatFix({platform::PositionLink::Connected, true, in}, kNow);
    if (fix.state != zone::BoatState::Usable) return;
    FUZZ_CHECK(fix.latitude >= -90 && fix.latitude <= 90);
    FUZZ_CHECK(fix.longitude >= -180 && fix.longitude <= 180);
    FUZZ_CHECK(!fix.heading || (*fix.heading >= 0 && *fix.heading <= zone::kMaxHeading));
    FUZZ_CHECK(!fix.knots || (*fix.knots >= 0 && *fix.knots <= zone::kMaxSpeed));
    const zone::MapView world{{-90, 90, 0, 360, true}, {100, 50, 460, 230}, true, false};
    const zone::MapView pacific{world.frame, world.area, true, true};
    for (const zone::MapView& view : {world, pacific}) {
        for (std::int32_t mode : {0, 1}) {
            const zone::ZoneTexts texts = zone::InMode({"-20.0", "40.0", "20.0", "10.0", 0}, mode);
            const auto moved = zone::ZoneAtBoat(view, texts, fix.latitude, fix.longitude);
            FUZZ_CHECK(moved.has_value());
            for (const std::string* text : {&moved->lon1, &moved->lon2})
                FUZZ_CHECK(std::fabs(ReadNumber(*text)) <= 370.1);
            for (const std::string* text : {&moved->lat1, &moved->lat2})
                FUZZ_CHECK(std::fabs(ReadNumber(*text)) <= 95.1);
        }
        const auto pixel = zone::BoatPixel(view, fix.latitude, fix.longitude);
        FUZZ_CHECK(pixel.has_value());
        FUZZ_CHECK(pixel->first >= view.area.left && pixel->first <= view.area.right);
        FUZZ_CHECK(pixel->second >= view.area.top && pixel->second <= view.area.bottom);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double read = ReadNumber(text);
    const double expected = ByTheRule(text);
    FUZZ_CHECK((read == expected && std::signbit(read) == std::signbit(expected)) ||
               (read != read && expected != expected));
    FUZZ_CHECK(ReadInteger(text) == IntegerByTheRule(text));
    // Coordinates: a text that is no position written the sailors' way reads as a number,
    // and the plain text the order is given reads back to the same value.
    for (auto quantity :
         {zone::Quantity::Latitude, zone::Quantity::Longitude, zone::Quantity::Size}) {
        const double coordinate = zone::ReadCoordinate(text, quantity);
        // Without a hemisphere letter, a mark, or minutes after the degrees ("47 15"), no
        // text is read the sailors' way.
        if (text.find_first_of("NSEWOnsewo'\"\xB0\xBA\xE2") == std::string::npos &&
            !HasTwoNumbers(text))
            FUZZ_CHECK(!zone::ReadSailorPosition(text, quantity));
        if (!zone::ReadSailorPosition(text, quantity)) {
            FUZZ_CHECK((coordinate == read && std::signbit(coordinate) == std::signbit(read)) ||
                       (read != read && coordinate != coordinate));
            FUZZ_CHECK(zone::PlainCoordinate(text, quantity) == text);
        }
        const double plain = ReadNumber(zone::PlainCoordinate(text, quantity));
        FUZZ_CHECK(plain == coordinate || (plain != plain && coordinate != coordinate));
    }
    // Writing: the same bytes as printf in the "C" locale, for any double.
    double value = read;
    if (size >= sizeof value) std::memcpy(&value, data, sizeof value);
    for (int decimals : {1, 2}) {
        char printed[400];
        std::snprintf(printed, sizeof printed, "%.*f", decimals, value);
        FUZZ_CHECK(FormatFixed(value, decimals) == printed);
    }
    CheckBoatFix(data, size);
    return 0;
}
