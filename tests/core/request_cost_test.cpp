#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "request/CostArithmetic.h"
#include "request/OrderPageText.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using test::SetRadio;
using test::SetZone;

struct Estimate : test::RequestWindow {
    void Recompute() { tk.Choose(IDC_CURRENCY_COMBO, tk.Control(IDC_CURRENCY_COMBO).selection); }
    std::string Weather() const { return tk.Control(IDC_WEATHER_COST_EDIT).text; }
    std::string Telecom() const { return tk.Control(IDC_TELECOM_COST_EDIT).text; }
    std::vector<std::string> Messages(int id, int count) const {
        return std::vector<std::string>(static_cast<std::size_t>(count), LoadString(id));
    }
};

TEST(CostEstimate, AmountsAndWarningsAtEveryRecomputation) {
    Estimate w;
    EXPECT_EQ(w.dlg.m_strWeatherCost, "5.17 EUR");  // 861 x 6 x 0.001
    EXPECT_EQ(w.Weather(), "5.17 EUR");
    EXPECT_EQ(w.Telecom(), "14.33 EUR");  // 961 x 6 x 0.92 x 0.002 x 1.35
    {
        // On a French desktop "0.001" and "0.92" still read with their point.
        test::CommaLocale comma;
        if (comma.active) {
            Estimate french;
            EXPECT_EQ(french.Weather(), "5.17 EUR");
            EXPECT_EQ(french.Telecom(), "14.33 EUR");
        }
    }
    w.Recompute();
    w.Recompute();
    EXPECT_EQ(w.tk.messages, w.Messages(IDS_POINTS_ALARM, 2));
    // Each keystroke warns; leaving the field warns again only when the leave changed the
    // number ("20" written "20.0" does not, "20,5" read as 20.5 does).
    w.tk.messages.clear();
    w.tk.Type(IDC_LON2_EDIT, "20");
    w.tk.Leave(IDC_LON2_EDIT);
    EXPECT_EQ(w.tk.messages, w.Messages(IDS_POINTS_ALARM, 1));
    EXPECT_EQ(w.tk.Control(IDC_LON2_EDIT).text, "20.0");
    w.tk.messages.clear();
    w.tk.Type(IDC_LON2_EDIT, "20,5");
    w.tk.Leave(IDC_LON2_EDIT);
    EXPECT_EQ(w.tk.messages, w.Messages(IDS_POINTS_ALARM, 2));
    w.tk.Type(IDC_LON2_EDIT, "20");
    // The thresholds follow the link chosen.
    w.tk.messages.clear();
    w.tk.Choose(IDC_TELECOM_COMBO, 1);  // the count is exactly at the fatal threshold
    EXPECT_EQ(w.dlg.m_nPointsFatal, 861);
    EXPECT_EQ(w.tk.messages, w.Messages(IDS_POINTS_FATAL, 1));
}

// Leaving the "$1 =" field takes its comma as a point and recomputes at once; without a
// currency the amounts stay as they were.
TEST(CostEstimate, DollarRateFieldAndNoCurrency) {
    Estimate w;
    w.tk.Choose(IDC_CURRENCY_COMBO, 1);
    w.tk.Control(IDC_DOLLAR_RATE_EDIT).text = "0,5";
    w.tk.Leave(IDC_DOLLAR_RATE_EDIT);
    EXPECT_EQ(w.tk.Control(IDC_DOLLAR_RATE_EDIT).text, "0.5");
    EXPECT_EQ(w.Weather(), "10.34 USD");
    SetZone(w.tk, "0", "0", "40", "40");
    w.tk.Choose(IDC_CURRENCY_COMBO, -1);
    EXPECT_EQ(w.Weather(), "10.34 USD");
}

// Without the 0-hour step an analysis-only parameter cannot be ticked (the rule's table
// is below).
TEST(CostEstimate, AnalysisOnlyParametersNeedTheZeroHourStep) {
    Estimate w;
    const auto list = w.dlg.m_pListParametres;
    w.tk.ToggleCheckListItem(list, 2);
    w.tk.ToggleCheckListItem(w.dlg.m_pListEcheances, 0);
    EXPECT_FALSE(w.tk.CheckListIsItemEnabled(list, 2));
    EXPECT_EQ(w.tk.CheckListGetCheck(list, 2), 0);
    EXPECT_EQ(w.Weather(), "3.45 EUR");  // 2 x 2 units a point
}

// The rules over plain choices: the example's 20 x 10 zone at 0.5 (861 points), two
// parameters of weight 1 and an analysis-only one of weight 5, steps 0, 12 and 24.
CostChoices ExampleCost() {
    CostChoices c;
    c.currency = CostChoices::Currency{"EUR", "1"};
    c.dollarRate = "0.92";
    c.link = CostChoices::Link{"0.002", "800", "1000"};
    c.steps = {{"0", "1"}, {"12", "1"}, {"24", "1"}};
    c.parameters = {{"1", "1", "0"}, {"1", "1", "0"}, {"0", "5", "1"}};
    c.listedParameters = 3;
    c.lonSpacing = "0.5", c.latSpacing = "0.5";
    c.zoneMode = 0;
    c.lon1 = "-10", c.lat1 = "45", c.lon2 = "20", c.lat2 = "10";
    c.ptEuro = 0.001;
    return c;
}

// What an estimate came to, in one line: how far it got, then the points, the warning and
// both amounts.
std::string Outcome(const CostResult& r) {
    if (r.reached == CostResult::Reached::Nothing) return "nothing";
    if (r.reached == CostResult::Reached::Parameters) return "no amounts";
    const char* warnings[] = {"none", "alarm", "fatal"};
    return std::to_string(r.points) + " " + warnings[static_cast<int>(r.warning)] + " " +
           FormatFixed(r.weather, 2) + " " + FormatFixed(r.telecom, 2);
}

TEST(CostEstimate, RulesOverPlainChoices) {
    using Item = CostResult::Item;
    using Change = std::function<void(CostChoices&)>;
    const std::vector<Item> exampleItems = {Item::Leave, Item::Leave, Item::Offer};
    // clang-format off
    struct Case {
        const char* what;
        Change change;
        std::string outcome;
        std::vector<Item> items;
    } cases[] = {
        {"the example", [](auto&) {}, "861 alarm 5.17 14.33", exampleItems},
        {"no currency", [](auto& c) { c.currency.reset(); }, "nothing", {}},
        {"no link", [](auto& c) { c.link.reset(); }, "nothing", {}},
        {"no longitude spacing", [](auto& c) { c.lonSpacing.reset(); }, "no amounts", exampleItems},
        {"no latitude spacing", [](auto& c) { c.latSpacing.reset(); }, "no amounts", exampleItems},
        {"alarm exactly at its threshold", [](auto& c) { c.link->alarm = "861"; }, "861 alarm 5.17 14.33", exampleItems},
        {"one point short of the alarm", [](auto& c) { c.link->alarm = "862"; }, "861 none 5.17 14.33", exampleItems},
        {"fatal exactly at its threshold", [](auto& c) { c.link->fatal = "861"; }, "861 fatal 5.17 14.33", exampleItems},
        {"dollars", [](auto& c) { c.currency = {"USD", "DOLLARS"}, c.dollarRate = "0.8"; }, "861 alarm 6.46 15.57", exampleItems},
        // Across 180 degrees, as the order reads it: 20 by 10 degrees.
        {"corners across 180", [](auto& c) { c.zoneMode = 1, c.lon1 = "170", c.lat1 = "20", c.lon2 = "-170", c.lat2 = "10"; }, "861 alarm 5.17 14.33", exampleItems},
        {"corners by whole degrees", [](auto& c) { c.zoneMode = 1, c.lon1 = "10.9", c.lat1 = "20.9", c.lon2 = "30.9", c.lat2 = "10.9"; }, "861 alarm 5.17 14.33", exampleItems},
        // No width: one column still counts for the warnings, but nothing is to pay.
        {"no width", [](auto& c) { c.lon2 = "0"; }, "0 none 0.00 0.00", exampleItems},
        // A spacing of 0 has no grid: nothing to pay and nothing to warn about.
        {"spacing 0", [](auto& c) { c.lonSpacing = "0"; }, "0 none 0.00 0.00", exampleItems},
        // 2000001 x 2000001 points would wrap round 32 bits many times over.
        {"huge zone", [](auto& c) { c.lon1 = c.lat1 = "0", c.lon2 = c.lat2 = "1000000"; }, "4000004000001 fatal 24000024000.01 59616062449.12", exampleItems},
        {"zip", [](auto& c) { c.compressionFactor = "0.5"; }, "861 alarm 5.17 7.17", exampleItems},
        // Amounts beyond any double are not numbers to show (the window says so).
        {"product beyond a double", [](auto& c) { c.ptEuro = 1e306; }, "861 alarm inf 14.33", exampleItems},
        {"infinite link price", [](auto& c) { c.link->price = "1e400"; }, "861 alarm 5.17 inf", exampleItems},
        // Analysis-only parameters need the 0-hour step: withheld without it.
        {"analysis-only ticked", [](auto& c) { c.parameters[2].tick = "1"; }, "861 alarm 16.36 45.36", exampleItems},
        {"hour 0 not ordered", [](auto& c) { c.steps[0].flag = "0", c.parameters[2].tick = "1"; }, "861 alarm 3.45 9.55", {Item::Offer, Item::Offer, Item::Withhold}},
        {"nothing ticked", [](auto& c) { c.parameters[0].tick = c.parameters[1].tick = "0"; }, "861 alarm 0.00 0.00", exampleItems},
    };
    // clang-format on
    for (const Case& c : cases) {
        CostChoices choices = ExampleCost();
        c.change(choices);
        const CostResult r = EstimateCost(choices);
        EXPECT_EQ(Outcome(r), c.outcome) << c.what;
        EXPECT_EQ(r.items, c.items) << c.what;
    }
    CostChoices withheld = ExampleCost();
    withheld.steps[0].flag = "0";
    withheld.parameters[2].tick = "1";
    EXPECT_TRUE(EstimateCost(withheld).untickedAny);
    EXPECT_FALSE(EstimateCost(ExampleCost()).untickedAny);
}

// The reply over plain choices: its messages (an analysis-only parameter's at hour 0
// alone), its size once compressed as the order asks, and its time on a link with a rate.
// Uncompressed, each of the example's 6 messages holds 861 values of 12 bits (1,292
// bytes) and 108 bytes of GRIB 1 sections.
TEST(CostEstimate, ReplySizeAndTransferTime) {
    using Change = std::function<void(CostChoices&)>;
    const auto plain = [](CostChoices& c) { c.compression = 0; };
    // clang-format off
    struct Case {
        const char* what;
        Change change;
        std::string outcome;  // messages, bytes, seconds
    } cases[] = {
        {"no compression button: bzip2, as the order says", [](auto&) {}, "6 7211 no time"},
        {"zip", [](auto& c) { c.compression = 1; }, "6 7922 no time"},
        {"gzip", [](auto& c) { c.compression = 2; }, "6 7782 no time"},
        {"uncompressed", plain, "6 8400 no time"},
        // 11,200 base64 characters in 148 lines and 2,000 bytes of mail headers.
        {"rate", [&](auto& c) { plain(c), c.link->rate = "2400"; }, "6 8400 45.0"},
        {"rate quoted, with blanks", [&](auto& c) { plain(c), c.link->rate = " \"2400\" "; }, "6 8400 45.0"},
        {"rate 0", [&](auto& c) { plain(c), c.link->rate = "0"; }, "6 8400 no time"},
        {"a number and words", [&](auto& c) { plain(c), c.link->rate = "2400 bauds"; }, "6 8400 no time"},
        {"negative", [&](auto& c) { plain(c), c.link->rate = "-2400"; }, "6 8400 no time"},
        {"analysis-only ticked: one message", [&](auto& c) { plain(c), c.parameters[2].tick = "1"; }, "11 15400 no time"},
        {"hour 0 not ordered", [&](auto& c) { plain(c), c.steps[0].flag = "0", c.parameters[2].tick = "1"; }, "4 5600 no time"},
        {"no width: no reply", [&](auto& c) { plain(c), c.lon2 = "0", c.link->rate = "2400"; }, "6 0 0.0"},
        {"nothing ticked", [&](auto& c) { plain(c), c.parameters[0].tick = c.parameters[1].tick = "0"; }, "0 0 no time"},
    };
    // clang-format on
    for (const Case& c : cases) {
        CostChoices choices = ExampleCost();
        c.change(choices);
        const CostResult r = EstimateCost(choices);
        const std::string time = r.transferSeconds ? FormatFixed(*r.transferSeconds, 1) : "no time";
        EXPECT_EQ(std::to_string(r.fields) + " " + std::to_string(r.replyBytes) + " " + time,
                  c.outcome)
            << c.what;
    }
}

// The window hands the link's rate and the compression button to the estimate and keeps
// the result; a telecom table without the rate column gives no time.
TEST(CostEstimate, TheWindowKeepsTheReplySizeAndTime) {
    {
        Estimate w;
        ASSERT_TRUE(w.dlg.m_lastEstimate);
        EXPECT_EQ(w.dlg.m_lastEstimate->replyBytes, 8400);
        EXPECT_FALSE(w.dlg.m_lastEstimate->transferSeconds);
        // A fifth cell of this table would be the next row's first.
        w.dlg.m_pTelecoms->SetCell(3, 1, "9600");
        w.Recompute();
        EXPECT_FALSE(w.dlg.m_lastEstimate->transferSeconds);
        SetRadio(w.tk, IDC_COMPRESSION_ZIP_RADIO);
        w.Recompute();
        EXPECT_EQ(w.dlg.m_lastEstimate->replyBytes, 7922);
    }
    test::TempFolder dir;
    test::WriteRequestCatalogue(dir);
    test::WriteFile(dir / "ini/telecoms.txt",
                    "Telecom;Prix;Alarme;Fatal;Debit;Description\r\nIridium;0.002;800;1000;2400;"
                    "satellite\r\n");
    test::TestWindow w(dir.Path());
    w.Start();
    ASSERT_TRUE(w.dlg.m_lastEstimate);
    EXPECT_EQ(w.dlg.m_lastEstimate->points, 861);
    ASSERT_TRUE(w.dlg.m_lastEstimate->transferSeconds);
    EXPECT_EQ(FormatFixed(*w.dlg.m_lastEstimate->transferSeconds, 1), "45.0");
}

// An amount that cannot be computed is said to be so; the other one is shown as ever.
TEST(CostEstimate, AmountsThatCannotBeComputedAreSaidToBeSo) {
    Estimate w;
    w.dlg.m_dPtEuro = std::numeric_limits<double>::infinity();
    w.Recompute();
    EXPECT_EQ(w.Weather(), LoadString(IDS_AMOUNT_NOT_FINITE));
    EXPECT_EQ(w.Telecom(), "14.33 EUR");
}

// The order page says the size and time, and a threshold passed, in numbers.
TEST(OrderPage, SizeTimeAndThresholdsInNumbers) {
    OrderPlan grib;
    grib.mails.push_back({"a@b", "Grib", "x", "mailto:a@b?subject=Grib&body=x", "g.txt", true});
    struct Case {
        std::int64_t points;
        std::optional<double> seconds;
        std::string size;
    };
    const std::string size = "Fichier GRIB estimé : 53.0 ko (";
    const std::vector<Case> cases = {
        {1271, std::nullopt, size + "1271 points)."},
        {1271, 249.2, size + "1271 points), transfert en 4 min 10 s sur Iridium."},
        {1271, 3599.5, size + "1271 points), transfert en 1 h 00 min sur Iridium."},
        {5000, 0.3,
         size + "5000 points), transfert en 1 s sur Iridium.\nAu-delà du seuil "
                "d'alarme du lien (5000 points) : 5000 points, 53.0 ko."},
        {20000, std::nullopt,
         size + "20000 points).\nAu-delà du seuil fatal du lien (20000 "
                "points) : 20000 points, 53.0 ko."},
    };
    for (const Case& c : cases) {
        OrderFigures f;
        f.points = c.points;
        f.replyBytes = 53'012;
        f.transferSeconds = c.seconds;
        f.linkName = "Iridium";
        f.pointsAlarm = 5000;
        f.pointsFatal = 20000;
        EXPECT_EQ(DescribeOrders(grib, f).size, c.size) << c.points;
        // Without an order of gridded data there is no size to tell.
        EXPECT_EQ(DescribeOrders(OrderPlan{}, f).size, "");
    }
    // Seven days of one reply at 5.17 and 14.33 EUR: seven replies.
    OrderFigures days;
    days.subscription = 1, days.days = "7", days.points = 861, days.replyBytes = 53'012;
    days.pointsAlarm = days.pointsFatal = 100000;
    days.weather = 5.171, days.telecom = 14.3311, days.currency = "EUR";
    EXPECT_EQ(DescribeOrders(grib, days).size,
              size +
                  "861 points).\nPar envoi : 5.17 EUR météo, 14.33 EUR télécom ; pour les 7 "
                  "jours : 36.17 EUR météo, 100.29 EUR télécom.");
}

}  // namespace
}  // namespace wavepost
