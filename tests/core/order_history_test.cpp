// SPDX-License-Identifier: GPL-3.0-or-later
// The history of the orders handed over, and the subscriptions read back from it.
#include <gtest/gtest.h>

#include "request/OrderHistory.h"
#include "request/Subscriptions.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using namespace std::chrono;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

const UtcTime kDay1 = sys_days(2026y / December / 1) + 6h;

HistoryRecord Record(UtcTime time, const std::string& subscriptionLine,
                     const std::string& to = "meteo@example.org") {
    return {time,
            HandOverMethod::Pat,
            {to, "Grib", "@mto@reqt@grib@\n" + subscriptionLine + "\nD Monde\n@mto@reqt@fin@"}};
}

HistoryRecord Cancel(UtcTime time, const std::string& to = "meteo@example.org") {
    return {time, HandOverMethod::Mail, {to, "Grib", "@mto@reqt@grib@\nA 0\n@mto@reqt@fin@"}};
}

TEST(OrderHistory, AppendedOneLineEachAndReadBack) {
    TempFolder dir;
    const std::string folder = (dir.Path() / "state/wavepost").string();
    EXPECT_TRUE(ReadHistory(folder).records.empty());  // none yet: no error
    const HistoryRecord awkward{kDay1 + 1h,
                                HandOverMethod::File,
                                {"a\tb@c", "Tab\tCR\rback\\slash\\n", "line 1\r\nline 2\n\\"}};
    AppendToHistory(folder, Record(kDay1, "A 1"));
    AppendToHistory(folder, awkward);
    EXPECT_EQ(ReadFile(folder + "/history.txt"),
              "2026-12-01T06:00:00Z\tpat\tmeteo@example.org\tGrib\t"
              "@mto@reqt@grib@\\nA 1\\nD Monde\\n@mto@reqt@fin@\n"
              "2026-12-01T07:00:00Z\tfile\ta\\tb@c\tTab\\tCR\\rback\\\\slash\\\\n\t"
              "line 1\\r\\nline 2\\n\\\\\n");
    const HistoryContents read = ReadHistory(folder);
    EXPECT_EQ(read.records, (std::vector<HistoryRecord>{Record(kDay1, "A 1"), awkward}));
    EXPECT_EQ(read.damagedLines, 0);
    EXPECT_EQ(LastRecords(read, 1), std::vector<HistoryRecord>{awkward});
    EXPECT_EQ(LastRecords(read, 5), read.records);
}

TEST(OrderHistory, DamagedLinesAreCountedAndLeftAlone) {
    TempFolder dir;
    const std::string folder = dir.Path().string();
    const std::string good = FormatHistoryLine(Record(kDay1, "A X"));
    const std::string damaged[] = {
        "garbage",
        "2026-12-01T06:00:00Z\tpat\ta\tb",                  // a field short
        "2026-12-01T06:00:00Z\tpat\ta\tb\tc\td",            // a field too many
        "2026-12-01T06:00:00Z\tpigeon\ta\tb\tc",            // no such method
        "2026-12-01T06:00:00Z\tpat\ta\tb\tbad \\q escape",  // no such escape
    };
    std::string text = good;
    for (const std::string& line : damaged) text += line + "\n" + good;
    // A record cut short by a crash, with no line end.
    text += "2026-12-01T06:00:00Z\tpat\tmet";
    WriteFile(folder + "/history.txt", text);
    AppendToHistory(folder, Record(kDay1 + 1h, "A 1"));
    EXPECT_EQ(ReadFile(folder + "/history.txt").substr(0, text.size()), text);  // not rewritten
    const HistoryContents read = ReadHistory(folder);
    EXPECT_EQ(read.damagedLines, static_cast<int>(std::size(damaged)) + 1);
    ASSERT_EQ(read.records.size(), std::size(damaged) + 2);
    EXPECT_EQ(read.records.back(), Record(kDay1 + 1h, "A 1"));
}

// A withdrawal names the latest standing record of its time, recipient and subject; one
// naming none changes nothing and is no damage. Subscriptions skip what was withdrawn.
TEST(OrderHistory, WithdrawalsMarkTheRecordTheyName) {
    const HistoryRecord a = Record(kDay1, "A X"), other = Record(kDay1, "A X", "x@example.org");
    const UtcTime later = kDay1 + 2h;
    const std::string text = FormatHistoryLine(a) + FormatHistoryLine(a) +
                             FormatHistoryLine(other) + FormatWithdrawalLine(a, later) +
                             FormatWithdrawalLine(Record(kDay1 + 1h, "A X"), later);
    EXPECT_EQ(FormatWithdrawalLine(a, later),
              "2026-12-01T08:00:00Z\twithdraw\tmeteo@example.org\tGrib\t2026-12-01T06:00:00Z\n");
    const HistoryContents read = ParseHistory(text);
    EXPECT_EQ(read.damagedLines, 0);
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_FALSE(read.records[0].withdrawn);
    EXPECT_TRUE(read.records[1].withdrawn);
    EXPECT_FALSE(read.records[2].withdrawn);
    // The twin still runs, and so does the other service's.
    EXPECT_EQ(ActiveSubscriptions(read.records, later).active.size(), 2u);
    const HistoryContents both = ParseHistory(text + FormatWithdrawalLine(a, later));
    EXPECT_EQ(ActiveSubscriptions(both.records, later).active.size(), 1u);
    EXPECT_EQ(ParseHistory("2026-12-01T08:00:00Z\twithdraw\ta\tb\tnot a time\n").damagedLines, 1);
}

TEST(Subscriptions, SubscriptionLineOfAnOrder) {
    using L = SubscriptionLine;
    struct Case {
        std::string body;
        std::optional<L> line;
    } cases[] = {
        {"@mto@reqt@grib@\nA 1\nZ 0\n@mto@reqt@fin@", L{L::Single}},
        {"@mto@reqt@grib@\nA 7\nZ 0\n@mto@reqt@fin@", L{L::Days, 7}},
        {"@mto@reqt@grib@\r\nA 7\r\nZ 0\r\n@mto@reqt@fin@", L{L::Days, 7}},
        {"@mto@reqt@grib@\nA X\nZ 0\n@mto@reqt@fin@", L{L::Permanent}},
        {"@mto@reqt@grib@\nA 0\n@mto@reqt@fin@", L{L::CancelAll}},
        {"@mto@reqt@grib@\nA 99999999999999999999\n@mto@reqt@fin@", L{L::Days, 36600}},
        // A day count left empty: not known to be a cancel, nor a subscription.
        {"@mto@reqt@grib@\nA 0\nZ 0\n@mto@reqt@fin@", std::nullopt},
        {"@mto@reqt@grib@\nA 7x\n@mto@reqt@fin@", std::nullopt},
        {"@mto@reqt@grib@\nZ 0\nA X\n@mto@reqt@fin@", std::nullopt},
        {"@mto@reqt@bull@\nA X\n@mto@reqt@fin@", std::nullopt},
        // Saildocs requests, a continued one included.
        {"send gfs:5S,5N,5W,5E|1,1|0,6..24|WIND", L{L::Single}},
        {"sub gfs:5S,5N,5W,5E|1,1|0,6..24|WIND days=10 time=06:00", L{L::Days, 10}},
        {"sub gfs:5S,5N,5W,5E|1,1|0,6..24|WIND,=\nPRMSL days=3", L{L::Days, 3}},
        {"cancel all", L{L::CancelAll}},
        {"sub gfs:5S,5N,5W,5E|1,1|0,6..24|WIND", std::nullopt},
        {"sub gfs:5S,5N,5W,5E|1,1|0,6..24|WIND days=0", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadSubscriptionLine(c.body), c.line) << c.body;
}

TEST(Subscriptions, RunningOnesFromTheHistory) {
    const UtcTime d1 = kDay1, d2 = kDay1 + days(1), d3 = kDay1 + days(2), d5 = kDay1 + days(4);
    const HistoryRecord bulletin{
        d1,
        HandOverMethod::Mail,
        {"meteo@example.org", "Bulletin", "@mto@reqt@bull@\nX\n@mto@reqt@fin@"}};
    using Since = std::vector<std::pair<UtcTime, std::optional<UtcTime>>>;
    struct Case {
        const char* what;
        std::vector<HistoryRecord> history;
        UtcTime now;
        Since active;  // since, until
    };
    // clang-format off
    const Case cases[] = {
        {"single orders and bulletins", {Record(d1, "A 1"), bulletin}, d2, {}},
        {"three days, running", {Record(d1, "A 3")}, d3, {{d1, d1 + days(3)}}},
        {"three days, ended", {Record(d1, "A 3")}, d1 + days(3), {}},
        {"permanent", {Record(d1, "A X")}, d5 + days(900), {{d1, std::nullopt}}},
        {"cancel ends the earlier ones", {Record(d1, "A X"), Record(d2, "A 7"), Cancel(d3)}, d5, {}},
        {"subscribed again after a cancel", {Record(d1, "A X"), Cancel(d2), Record(d3, "A 5")}, d5, {{d3, d3 + days(5)}}},
        {"a cancel sent to another service", {Record(d1, "A X"), Cancel(d2, "other@example.org")}, d5, {{d1, std::nullopt}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const SubscriptionState state = ActiveSubscriptions(c.history, c.now);
        Since got;
        for (const ActiveSubscription& s : state.active) got.emplace_back(s.since, s.until);
        EXPECT_EQ(got, c.active) << c.what;
    }
}

}  // namespace
}  // namespace wavepost
