#include "request/Subscriptions.h"

#include <algorithm>
#include <chrono>

#include "base/NumberText.h"
#include "request/OrderWords.h"

namespace wavepost {

namespace {
constexpr long kLongestDays = 36600;
}

std::optional<SubscriptionLine> ReadSubscriptionLine(const std::string& body) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        std::string line = body.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    if (!lines.empty()) {
        // A Saildocs request: "send ...", "sub ... days=N ...", or "cancel all" alone.
        const std::string& first = lines[0];
        if (body == "cancel all") return SubscriptionLine{SubscriptionLine::CancelAll};
        if (first.rfind("send ", 0) == 0) return SubscriptionLine{SubscriptionLine::Single};
        if (first.rfind("sub ", 0) == 0) {
            // The days go on the request's last line when it is continued.
            const std::size_t at = body.find(" days=");
            if (at == std::string::npos) return std::nullopt;
            const std::string value =
                body.substr(at + 6, body.find_first_of(" \r\n", at + 6) - (at + 6));
            if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
                return std::nullopt;
            const long days = ReadInteger(value);
            if (days == 0) return std::nullopt;
            return SubscriptionLine{SubscriptionLine::Days, std::min(days, kLongestDays)};
        }
    }
    // The order's first line is its marker; the subscription line comes right after it.
    if (lines.size() < 2 || lines[0] != kGribStart) return std::nullopt;
    // Only the program's own cancel order is taken for one: a day count left empty also
    // gives "A 0", and what the service makes of that inside a full order is not known.
    if (lines.size() == 3 && lines[1] == kCancelAll && lines[2] == kRequestEnd)
        return SubscriptionLine{SubscriptionLine::CancelAll};
    const std::string& line = lines[1];
    if (line.size() < 3 || line.compare(0, 2, kSubscriptionPrefix) != 0) return std::nullopt;
    const std::string value = line.substr(2);
    if (value == "X") return SubscriptionLine{SubscriptionLine::Permanent};
    if (value.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const long days = ReadInteger(value);
    if (days == 0) return std::nullopt;
    if (days == 1) return SubscriptionLine{SubscriptionLine::Single};
    // Beyond a lifetime the end date means nothing, and must not overflow.
    return SubscriptionLine{SubscriptionLine::Days, std::min(days, kLongestDays)};
}

SubscriptionState ActiveSubscriptions(const std::vector<HistoryRecord>& history, UtcTime now) {
    SubscriptionState state;
    for (const HistoryRecord& record : history) {
        if (record.withdrawn) continue;
        const std::optional<SubscriptionLine> line = ReadSubscriptionLine(record.mail.body);
        if (!line || line->kind == SubscriptionLine::Single) continue;
        if (line->kind == SubscriptionLine::CancelAll) {
            std::erase_if(state.active, [&](const ActiveSubscription& s) {
                return s.recipient == record.mail.address;
            });
            state.lastCancelled = record.time;
            continue;
        }
        ActiveSubscription s{*line, record.time, std::nullopt, record.mail.address,
                             record.mail.body};
        if (line->kind == SubscriptionLine::Days)
            s.until = record.time + std::chrono::days(line->days);
        state.active.push_back(std::move(s));
    }
    std::erase_if(state.active,
                  [&](const ActiveSubscription& s) { return s.until && *s.until <= now; });
    return state;
}

}  // namespace wavepost
