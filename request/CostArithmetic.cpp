// SPDX-License-Identifier: GPL-3.0-or-later
// The cost estimate's rules.
#include "request/CostArithmetic.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/NumberText.h"
#include "request/ReplySize.h"

namespace wavepost {

namespace {

// Catalogue integers are 32-bit quantities; anything longer is taken at the bound.
std::int32_t ReadInt32(const std::string& text) {
    const long value = ReadInteger(text);
    constexpr long kMin = std::numeric_limits<std::int32_t>::min();
    constexpr long kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < kMin ? kMin : value > kMax ? kMax : value);
}

// Columns or rows of grid points along one side: the quotient plus the point at the far
// edge, kept in single precision like the zone bounds. zero: the side has no extent.
float PointsAlong(float from, float to, double spacing, bool& zero) {
    double points = (to - from) / spacing;
    zero = points == 0;
    points += points >= 0 ? 1 : -1;
    return ToFloat(points);
}

// The point count, in 64 bits so that a huge zone cannot wrap into a small or negative
// count; a count beyond any real order is held at a bound far above every threshold.
std::int64_t PointCount(float columns, float rows) {
    const double count = std::fabs(static_cast<double>(columns) * static_cast<double>(rows));
    if (std::isnan(count)) return 0;
    constexpr double kBound = 4.0e18;
    return count >= kBound ? static_cast<std::int64_t>(kBound) : static_cast<std::int64_t>(count);
}

}  // namespace

CostResult EstimateCost(const CostChoices& c) {
    CostResult result;
    if (!c.currency || !c.link) return result;
    result.currencyLabel = c.currency->label;
    const double dollarRate = ReadNumber(c.dollarRate);
    float currencyFactor = 0.0f;
    if (c.currency->factor != "DOLLARS")
        currencyFactor = ToFloat(ReadNumber(c.currency->factor));
    else if (dollarRate != 0)
        currencyFactor = ToFloat(1.0 / dollarRate);

    const float telecomPrice = ToFloat(ReadNumber(c.link->price));
    result.pointsAlarm = ReadInt32(c.link->alarm);
    result.pointsFatal = ReadInt32(c.link->fatal);
    const float compressionFactor =
        c.compressionFactor ? ToFloat(ReadNumber(*c.compressionFactor)) : 1.0f;

    // Sums in double: exact for any real catalogue, and no overflow for absurd cells.
    double stepCount = 0;
    bool analysisStep = false;
    for (const CostChoices::Step& step : c.steps) {
        stepCount += ReadInt32(step.flag);
        if (ReadInteger(step.hours) == 0 && Unquoted(step.flag) == "1") analysisStep = true;
    }

    // Analysis-only parameters exist only for the 0-hour step. Withheld ones leave the
    // count of ticked analysis-only parameters, as the table holds it once the list's
    // unticking is stored.
    double weightedSum = 0;
    double analysisOnlyTicked = 0;
    double fields = 0;  // GRIB messages: an analysis-only parameter's come at hour 0 only
    for (std::size_t k = 0; k < c.parameters.size(); ++k) {
        const CostChoices::Parameter& p = c.parameters[k];
        const bool listed = static_cast<int>(k) < c.listedParameters;
        const double weight = ReadInt32(p.weight);
        const double ticked = ReadInt32(p.tick);
        const bool analysisOnly = ReadInteger(p.analysisOnly) == 1;
        CostResult::Item item = CostResult::Item::Leave;
        if (analysisStep) {
            weightedSum += ticked * weight;
            fields += ticked * weight * (analysisOnly ? 1 : stepCount);
            if (analysisOnly) item = CostResult::Item::Offer;
        } else if (analysisOnly) {
            if (listed) {
                item = CostResult::Item::Withhold;
                if (ReadInteger(p.tick) != 0) result.untickedAny = true;
            }
        } else {
            weightedSum += ticked * weight;
            fields += ticked * weight * stepCount;
            item = CostResult::Item::Offer;
        }
        const bool stillTicked = item != CostResult::Item::Withhold;
        if (analysisOnly && stillTicked && ReadInteger(Unquoted(p.tick)) == 1) ++analysisOnlyTicked;
        if (listed) result.items.push_back(item);
    }
    result.reached = CostResult::Reached::Parameters;

    if (!c.lonSpacing) return result;
    const double lonSpacing = ReadNumber(*c.lonSpacing);
    float west, east, north, south;
    if (c.zoneMode == 0) {
        const double lon = ReadNumber(c.lon1), lat = ReadNumber(c.lat1);
        const double width = ReadNumber(c.lon2), height = ReadNumber(c.lat2);
        west = ToFloat(lon - width * 0.5);
        east = ToFloat(lon + width * 0.5);
        north = ToFloat(lat + height * 0.5);
        south = ToFloat(lat - height * 0.5);
    } else {
        west = static_cast<float>(ReadInteger(c.lon1));
        north = static_cast<float>(ReadInteger(c.lat1));
        east = static_cast<float>(ReadInteger(c.lon2));
        south = static_cast<float>(ReadInteger(c.lat2));
        // As the order reads it: an east edge west of the west edge crosses 180 degrees.
        if (std::isfinite(west) && std::isfinite(east) && east < west)
            east += 360.0f * std::ceil((west - east) / 360.0f);
    }
    if (!c.latSpacing) return result;
    const double latSpacing = ReadNumber(*c.latSpacing);
    result.reached = CostResult::Reached::Amounts;

    // A spacing of 0 has no grid: no points, nothing to warn about.
    std::int64_t points = 0;
    if (lonSpacing != 0 && latSpacing != 0) {
        bool noColumns = false, noRows = false;
        const float columns = PointsAlong(west, east, lonSpacing, noColumns);
        const float rows = PointsAlong(north, south, latSpacing, noRows);
        points = PointCount(columns, rows);
        // Reaching the fatal threshold is fatal, not an alarm.
        if (points >= result.pointsAlarm && points < result.pointsFatal)
            result.warning = CostResult::Warning::Alarm;
        else if (points >= result.pointsFatal)
            result.warning = CostResult::Warning::Fatal;
        if (noColumns || noRows) points = 0;
    }
    result.points = points;

    // Counts beyond any real order are held at a bound, as the point count is.
    constexpr double kBound = 4.0e18;
    result.fields = fields <= 0 ? 0 : static_cast<std::int64_t>(std::min(fields, kBound));
    result.replyBytes = ReplyBytes({points, result.fields, kServiceBitsPerValue, kServiceEdition,
                                    ReplyCompressionOf(c.compression)});
    result.transferSeconds = TransferSeconds(result.replyBytes, LinkRate(c.link->rate));

    const double units = analysisOnlyTicked + (weightedSum - analysisOnlyTicked) * stepCount;
    if (points != 0 && weightedSum != 0 && stepCount != 0) {
        const double count = static_cast<double>(points);
        result.weather = count * units * c.ptEuro * currencyFactor + 0.005;
        result.telecom = (count + 100) * units * dollarRate * compressionFactor * telecomPrice *
                             currencyFactor * 1.35 +
                         0.005;
    }
    return result;
}

}  // namespace wavepost
