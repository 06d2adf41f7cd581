// SPDX-License-Identifier: GPL-3.0-or-later
// The cost estimate's rules, from the choices as plain values: the point count and the
// warning it calls for, the amounts, and which analysis-only parameters the list offers.
// The window gathers the choices and carries out what the result says.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavepost {

struct CostChoices {
    struct Currency {
        std::string label;   // printed after the amounts, quotes removed
        std::string factor;  // "DOLLARS" or the factor from euros, quotes removed
    };
    struct Link {
        std::string price, alarm, fatal;  // the cells as they stand
        std::string rate{};               // bit/s; empty when the table has no such column
    };
    struct Step {
        std::string hours, flag;  // the cells as they stand
    };
    struct Parameter {
        std::string tick;          // as the table holds it after the choices were stored
        std::string weight;        // quotes removed
        std::string analysisOnly;  // quotes removed: "1" for a parameter of hour 0 only
    };
    std::optional<Currency> currency;  // none: no currency chosen
    std::string dollarRate;
    std::optional<Link> link;                           // none: no telecom link chosen
    std::optional<std::string> compressionFactor;       // none: no compression chosen
    std::vector<Step> steps;                            // the map's, in file order
    std::vector<Parameter> parameters;                  // the map's; item k of the list is the k-th
    int listedParameters = 0;                           // how many have a list item (0: no list)
    std::optional<std::string> lonSpacing, latSpacing;  // none: no spacing chosen
    std::int32_t zoneMode = -1;                         // 0 centred, else corners
    std::string lon1, lat1, lon2, lat2;
    double ptEuro = 0;
    std::int32_t compression = -1;  // the button: 0 none, 1 zip, 2 gzip, 3 bzip2, -1 none
};

struct CostResult {
    // How far the estimate got: it stops at the first choice missing, and what comes after
    // keeps its former state.
    enum class Reached { Nothing, Parameters, Amounts };
    Reached reached = Reached::Nothing;
    std::int32_t pointsAlarm = 0, pointsFatal = 0;  // from Parameters on
    // What becomes of each listed parameter's item: offered (enabled), withheld (disabled
    // and unticked: hour 0 is not ordered), or left as it is.
    enum class Item { Leave, Offer, Withhold };
    std::vector<Item> items;
    bool untickedAny = false;  // a withheld item was ticked
    enum class Warning { None, Alarm, Fatal };
    Warning warning = Warning::None;  // from Amounts on
    std::int64_t points = 0;
    double weather = 0, telecom = 0;  // plus 0.005 each, ready for two decimals
    // The reply, from Amounts on: its GRIB messages (one per field and step), its
    // estimated size in bytes once compressed as the order asks, and its time in seconds
    // on the link (none when the link has no rate).
    std::int64_t fields = 0;
    std::int64_t replyBytes = 0;
    std::optional<double> transferSeconds;
    std::string currencyLabel;
};

CostResult EstimateCost(const CostChoices& choices);

}  // namespace wavepost
