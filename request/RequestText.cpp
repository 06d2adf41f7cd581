// SPDX-License-Identifier: GPL-3.0-or-later
// The request text's rules.
#include "request/RequestText.h"

#include <cmath>

#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"
#include "request/OrderWords.h"
#include "request/ReplySize.h"

namespace wavepost {

namespace {

// A zone typed far outside any map would take the widening loops below ages (or forever,
// once adding a turn no longer changes a float); such a zone cannot be ordered anyway.
constexpr int kMaxTurns = 100000;

// Adds turn to value until it is no longer below limit; false when that cannot be reached.
template <typename Value, typename Limit>
bool RaiseTo(Value& value, Limit limit, float turn) {
    for (int i = 0; value < limit; ++i) {
        Value next = value + turn;
        if (i == kMaxTurns || next == value) return false;
        value = next;
    }
    return true;
}

// "Z" and the values with one decimal each.
std::string ZFields(std::initializer_list<double> values) {
    std::string line = "Z";
    for (double value : values) line += " " + FormatFixed(value, 1);
    return line;
}

// The Z line, or the empty text when the zone has no extent.
std::string ZoneLine(std::int32_t mode, const std::string& lon1Text, const std::string& lat1Text,
                     const std::string& lon2Text, const std::string& lat2Text) {
    if (mode == 0) {
        const double lon = ReadNumber(lon1Text), lat = ReadNumber(lat1Text);
        const double width = ReadNumber(lon2Text), height = ReadNumber(lat2Text);
        if (!std::isfinite(lon) || !std::isfinite(lat) || !std::isfinite(width) ||
            !std::isfinite(height))
            return {};
        if (width == 0 || height == 0) return {};
        if (width == 10 && height == 10) return ZFields({lon, lat});
        return ZFields({lon, lat, width, height});
    }
    // Single precision as the order has always been computed, so centres round alike.
    const float west = ToFloat(ReadNumber(lon1Text));
    float east = ToFloat(ReadNumber(lon2Text));
    float north = ToFloat(ReadNumber(lat1Text));
    const double south = ReadNumber(lat2Text);
    if (!std::isfinite(west) || !std::isfinite(east) || !std::isfinite(north) ||
        !std::isfinite(south))
        return {};
    if (!RaiseTo(east, west, 360.0f)) return {};
    if (!RaiseTo(north, south, 180.0f)) return {};
    const float height = ToFloat(north - south);
    const float width = east - west;
    const double centreLat = south + height * 0.5;
    const double centreLon = west + width * 0.5;
    if (width == 0.0f || height == 0.0f) return {};
    if (width == 10.0f && height == 10.0f) return ZFields({centreLon, centreLat});
    return ZFields({centreLon, centreLat, static_cast<double>(width), static_cast<double>(height)});
}

}  // namespace

std::string BuildRequestText(const RequestChoices& c) {
    const std::string start = kGribStart;
    const std::string end = kRequestEnd;

    std::string subscription;
    switch (c.subscription) {
        case 0:
            subscription = kSubscriptionOnce;
            break;
        case 1: {
            // "A 0" is the cancel order, and a count below it none the service knows.
            const long days = ReadInteger(c.days);
            if (days <= 0) return Format(LoadString(IDS_BAD_DAYS).c_str(), c.days.c_str());
            subscription = Format(kSubscriptionDays, days);
            break;
        }
        case 2:
            subscription = kSubscriptionPermanent;
            break;
        case 3:
            // Cancelling needs no selection at all.
            return WithBlanksEncoded(start + kOrderLineBreak + kCancelAll + kOrderLineBreak + end);
        default:
            // No kind chosen (or one the subscription table does not hold): cancelling
            // everything would destroy the running subscriptions the user never gave up.
            return LoadString(IDS_NO_ORDER_KIND);
    }

    const std::string zone = ZoneLine(c.zoneMode, c.lon1, c.lat1, c.lon2, c.lat2);
    if (zone.empty()) return {};

    if (!c.lonMesh && !c.latMesh) return LoadString(IDS_NO_MESH);
    const std::string lonMesh = c.lonMesh ? ForUrl(*c.lonMesh) : std::string();
    const std::string latMesh = c.latMesh ? ForUrl(*c.latMesh) : std::string();
    const std::string mesh = lonMesh == latMesh
                                 ? Format("M %s", lonMesh.c_str())
                                 : Format("M %s %s", lonMesh.c_str(), latMesh.c_str());

    std::string movement;
    const double speed = ReadNumber(c.speed);
    // "V 0 inf" would be no movement the service could follow.
    if (!std::isfinite(speed)) return {};
    if (speed != 0) movement = Format("V %ld ", ReadInteger(c.heading)) + FormatFixed(speed, 1);

    auto codesLine = [](const char* letter, const std::vector<std::string>& codes) {
        std::string line;
        for (const std::string& code : codes) {
            if (line.empty()) line = letter;
            line += ' ';
            line += ForUrl(code);
        }
        return line;
    };
    const std::string parameters = codesLine("P", c.parameters);
    if (parameters.empty()) return {};
    const std::string steps = codesLine("E", c.steps);
    if (steps.empty()) return {};

    // The compression the reply size is estimated with, in the order of ReplyCompression.
    constexpr const char* kCompressionLines[] = {"", "C zip", "C gzip", "C bzip2"};
    const std::string compression =
        kCompressionLines[static_cast<std::size_t>(ReplyCompressionOf(c.compression))];
    const std::string landData = c.landData == 0 ? Format("F %d", 0) : std::string();
    const std::string software = c.software ? ForUrl(*c.software) : std::string();

    std::string text;
    for (const std::string& piece :
         {start, subscription, zone, mesh, movement, "D " + ForUrl(c.map), parameters, steps,
          compression, landData, Format("S %s", software.c_str()), end}) {
        if (piece.empty()) continue;
        if (!text.empty()) text += kOrderLineBreak;
        text += piece;
    }
    return WithBlanksEncoded(text);
}

}  // namespace wavepost
