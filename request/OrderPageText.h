// The texts of the order page, from the plan of what "Envoi" would hand over and the
// estimate's figures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "request/OrderPlan.h"

namespace wavepost {

struct OrderFigures {
    std::int32_t subscription = 0;  // 0 single, 1 for N days, 2 permanent, else cancel all
    std::string days;
    // From the last estimate that reached the amounts; none before.
    std::optional<std::int64_t> points;
    std::optional<double> replyBytes;       // after the chosen compression
    std::optional<double> transferSeconds;  // none when the link has no rate
    std::string linkName;
    std::int32_t pointsAlarm = 0, pointsFatal = 0;
};

struct OrderPageTexts {
    std::string kind;   // the kind of order in words
    std::string size;   // size, transfer time and any threshold passed
    std::string mails;  // each mail as it leaves, or the message shown instead
};

OrderPageTexts DescribeOrders(const OrderPlan& plan, const OrderFigures& figures);

// "850 ms" is never shown: "4 s", "3 min 05 s", "2 h 10 min".
std::string DurationText(double seconds);
// Kilobytes of 1000 bytes with one decimal, "0.4".
std::string KilobytesText(double bytes);

}  // namespace wavepost
