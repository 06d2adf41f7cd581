// SPDX-License-Identifier: GPL-3.0-or-later
// The subscriptions believed running at a service, read back from the orders handed over:
// the program never hears from the service, so its own history is all it knows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/UtcTime.h"
#include "request/OrderHistory.h"

namespace wavepost {

// What an order's subscription line asks for.
struct SubscriptionLine {
    enum Kind { Single, Days, Permanent, CancelAll } kind = Single;
    long days = 0;  // Days only
    bool operator==(const SubscriptionLine&) const = default;
};

// The subscription line of a GRIB order's body ("A 1", "A 7", "A X", or the cancel order
// "A 0" alone), or of a Saildocs request ("send", "sub ... days=N", "cancel all" alone);
// nothing for a body that is not a GRIB order or whose line says none of these.
std::optional<SubscriptionLine> ReadSubscriptionLine(const std::string& body);

struct ActiveSubscription {
    SubscriptionLine line;  // Days or Permanent
    UtcTime since;
    std::optional<UtcTime> until;  // Days: since + days; none when permanent
    std::string recipient;
    std::string order;  // the body, to show what comes
    bool operator==(const ActiveSubscription&) const = default;
};

struct SubscriptionState {
    std::vector<ActiveSubscription> active;  // in the order they were taken
    // The last "cancel all" sent to any service, to show since when the list holds.
    std::optional<UtcTime> lastCancelled;
};

// From the history, oldest first: an order for N days runs from its time to N days later,
// a permanent one from its time on; a "cancel all" ends every earlier subscription with
// the same service (recipient). Ended ones at `now`, and withdrawn records, are left out.
SubscriptionState ActiveSubscriptions(const std::vector<HistoryRecord>& history, UtcTime now);

}  // namespace wavepost
