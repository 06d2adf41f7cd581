#include <gtest/gtest.h>

#include <functional>

#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "request/CostArithmetic.h"
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
    // The alarm starts at its threshold exactly: one point short of it warns of nothing.
    for (const auto& [alarm, warnings] : {std::pair{"861", 1}, std::pair{"862", 0}}) {
        w.dlg.m_pTelecoms->SetCell(2, 3, alarm);
        w.tk.messages.clear();
        w.Recompute();
        EXPECT_EQ(w.tk.messages, w.Messages(IDS_POINTS_ALARM, warnings)) << alarm;
    }

    // Rectangle corners count by their whole degrees.
    SetRadio(w.tk, IDC_ZONE_RECTANGLE_RADIO);
    SetZone(w.tk, "10.9", "20.9", "30.9", "10.9");
    w.tk.messages.clear();
    w.tk.Choose(IDC_TELECOM_COMBO, 1);  // the count is exactly at the fatal threshold
    EXPECT_EQ(w.Weather(), "5.17 EUR");
    EXPECT_EQ(w.dlg.m_nPointsFatal, 861);
    EXPECT_EQ(w.tk.messages, w.Messages(IDS_POINTS_FATAL, 1));
}

TEST(CostEstimate, Currencies) {
    Estimate w;
    w.tk.Control(IDC_DOLLAR_RATE_EDIT).text = "0.8";
    w.tk.Choose(IDC_CURRENCY_COMBO, 1);
    EXPECT_EQ(w.Weather(), "6.46 USD");
    EXPECT_EQ(w.Telecom(), "15.57 USD");

    w.tk.Control(IDC_DOLLAR_RATE_EDIT).text = "0,5";
    w.tk.Leave(IDC_DOLLAR_RATE_EDIT);
    EXPECT_EQ(w.tk.Control(IDC_DOLLAR_RATE_EDIT).text, "0.5");
    EXPECT_EQ(w.Weather(), "10.34 USD");

    w.tk.Control(IDC_DOLLAR_RATE_EDIT).text = "zéro";
    w.tk.Leave(IDC_DOLLAR_RATE_EDIT);
    EXPECT_EQ(w.Weather(), "0.01 USD");
    EXPECT_EQ(w.Telecom(), "0.01 USD");

    // Without a currency the amounts stay as they were.
    SetZone(w.tk, "0", "0", "40", "40");
    w.tk.Choose(IDC_CURRENCY_COMBO, -1);
    EXPECT_EQ(w.Weather(), "0.01 USD");
}

TEST(CostEstimate, AnalysisOnlyParametersNeedTheZeroHourStep) {
    Estimate w;
    const auto list = w.dlg.m_pListParametres;
    w.tk.ToggleCheckListItem(list, 2);    // analysis only, weight 5
    EXPECT_EQ(w.Weather(), "16.36 EUR");  // 1 + (7 - 1) x 3 units a point

    w.tk.ToggleCheckListItem(w.dlg.m_pListEcheances, 0);
    EXPECT_FALSE(w.tk.CheckListIsItemEnabled(list, 2));
    EXPECT_EQ(w.tk.CheckListGetCheck(list, 2), 0);
    EXPECT_EQ(w.dlg.m_pParametres->GetCell(7, 4), "0");
    EXPECT_EQ(w.Weather(), "3.45 EUR");  // 2 x 2 units a point

    w.tk.ToggleCheckListItem(w.dlg.m_pListEcheances, 0);
    EXPECT_TRUE(w.tk.CheckListIsItemEnabled(list, 2));
    EXPECT_EQ(w.tk.CheckListGetCheck(list, 2), 0);
    EXPECT_EQ(w.Weather(), "5.17 EUR");

    w.tk.ToggleCheckListItem(list, 0);
    w.tk.ToggleCheckListItem(list, 1);
    EXPECT_EQ(w.Weather(), "0.00 EUR");
    EXPECT_EQ(w.Telecom(), "0.00 EUR");
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

TEST(CostEstimate, RulesOverPlainChoices) {
    using R = CostResult;
    using Item = CostResult::Item;
    struct Case {
        const char* what;
        std::function<void(CostChoices&)> change;
        R::Reached reached;
        std::int64_t points;
        R::Warning warning;
        const char *weather, *telecom;
        std::vector<Item> items;
    } cases[] = {
        {"the example",
         [](auto&) {},
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "5.17",
         "14.33",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"no currency",
         [](auto& c) { c.currency.reset(); },
         R::Reached::Nothing,
         0,
         R::Warning::None,
         "0.00",
         "0.00",
         {}},
        {"no link",
         [](auto& c) { c.link.reset(); },
         R::Reached::Nothing,
         0,
         R::Warning::None,
         "0.00",
         "0.00",
         {}},
        {"no longitude spacing",
         [](auto& c) { c.lonSpacing.reset(); },
         R::Reached::Parameters,
         0,
         R::Warning::None,
         "0.00",
         "0.00",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"no latitude spacing",
         [](auto& c) { c.latSpacing.reset(); },
         R::Reached::Parameters,
         0,
         R::Warning::None,
         "0.00",
         "0.00",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"alarm exactly at its threshold",
         [](auto& c) { c.link->alarm = "861"; },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "5.17",
         "14.33",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"one point short of the alarm",
         [](auto& c) { c.link->alarm = "862"; },
         R::Reached::Amounts,
         861,
         R::Warning::None,
         "5.17",
         "14.33",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"fatal exactly at its threshold",
         [](auto& c) { c.link->fatal = "861"; },
         R::Reached::Amounts,
         861,
         R::Warning::Fatal,
         "5.17",
         "14.33",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"dollars",
         [](auto& c) {
             c.currency = {"USD", "DOLLARS"}, c.dollarRate = "0.8";
         },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "6.46",
         "15.57",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"dollars at a rate of 0",
         [](auto& c) {
             c.currency = {"USD", "DOLLARS"}, c.dollarRate = "zéro";
         },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "0.01",
         "0.01",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"corners by whole degrees",
         [](auto& c) {
             c.zoneMode = 1, c.lon1 = "10.9", c.lat1 = "20.9", c.lon2 = "30.9", c.lat2 = "10.9";
         },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "5.17",
         "14.33",
         {Item::Leave, Item::Leave, Item::Offer}},
        // No width: one column still counts for the warnings, but nothing is to pay.
        {"no width",
         [](auto& c) { c.lon2 = "0"; },
         R::Reached::Amounts,
         0,
         R::Warning::None,
         "0.00",
         "0.00",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"no width, thresholds 0",
         [](auto& c) {
             c.lon2 = "0", c.link = {"0.002", "0", "0"};
         },
         R::Reached::Amounts,
         0,
         R::Warning::Fatal,
         "0.00",
         "0.00",
         {Item::Leave, Item::Leave, Item::Offer}},
        // A spacing of 0 has no grid: nothing to pay and nothing to warn about.
        {"spacing 0",
         [](auto& c) { c.lonSpacing = "0"; },
         R::Reached::Amounts,
         0,
         R::Warning::None,
         "0.00",
         "0.00",
         {Item::Leave, Item::Leave, Item::Offer}},
        // 2000001 x 2000001 points would wrap round 32 bits many times over.
        {"huge zone",
         [](auto& c) { c.lon1 = c.lat1 = "0", c.lon2 = c.lat2 = "1000000"; },
         R::Reached::Amounts,
         4000004000001,
         R::Warning::Fatal,
         "24000024000.01",
         "59616062449.12",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"zip",
         [](auto& c) { c.compressionFactor = "0.5"; },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "5.17",
         "7.17",
         {Item::Leave, Item::Leave, Item::Offer}},
        // Analysis-only parameters need the 0-hour step: withheld without it.
        {"analysis-only ticked",
         [](auto& c) { c.parameters[2].tick = "1"; },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "16.36",
         "45.36",
         {Item::Leave, Item::Leave, Item::Offer}},
        {"hour 0 not ordered",
         [](auto& c) { c.steps[0].flag = "0", c.parameters[2].tick = "1"; },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "3.45",
         "9.55",
         {Item::Offer, Item::Offer, Item::Withhold}},
        {"hour 0 not ordered, no list",
         [](auto& c) { c.steps[0].flag = "0", c.listedParameters = 0; },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "3.45",
         "9.55",
         {}},
        {"nothing ticked",
         [](auto& c) { c.parameters[0].tick = c.parameters[1].tick = "0"; },
         R::Reached::Amounts,
         861,
         R::Warning::Alarm,
         "0.00",
         "0.00",
         {Item::Leave, Item::Leave, Item::Offer}},
    };
    for (const Case& c : cases) {
        CostChoices choices = ExampleCost();
        c.change(choices);
        const CostResult r = EstimateCost(choices);
        EXPECT_EQ(r.reached, c.reached) << c.what;
        EXPECT_EQ(r.items, c.items) << c.what;
        if (r.reached != R::Reached::Amounts) continue;
        EXPECT_EQ(r.points, c.points) << c.what;
        EXPECT_EQ(r.warning, c.warning) << c.what;
        EXPECT_EQ(FormatFixed(r.weather, 2), c.weather) << c.what;
        EXPECT_EQ(FormatFixed(r.telecom, 2), c.telecom) << c.what;
    }
    CostChoices withheld = ExampleCost();
    withheld.steps[0].flag = "0";
    withheld.parameters[2].tick = "1";
    EXPECT_TRUE(EstimateCost(withheld).untickedAny);
    EXPECT_FALSE(EstimateCost(ExampleCost()).untickedAny);
}

// An amount that cannot be computed (an infinite price, or infinity times a zero rate) is
// said to be so; the other amount is shown as ever.
TEST(CostEstimate, AmountsThatCannotBeComputedAreSaidToBeSo) {
    const std::string none = LoadString(IDS_AMOUNT_NOT_FINITE);
    struct Case {
        const char* ptEuro;
        const char* price;
        const char* dollarRate;
        int currency;
        std::string weather, telecom;
    } cases[] = {
        {"1e400", "0.002", "0.92", 0, none, "14.33 EUR"},
        {"-1e400", "0.002", "0.92", 0, none, "14.33 EUR"},
        {"1e306", "0.002", "0.92", 0, none, "14.33 EUR"},  // finite, but not the product
        {"0.001", "1e400", "0.92", 0, "5.17 EUR", none},
        {"0.001", "1e300", "1e300", 0, "5.17 EUR", none},
        {"1e400", "1e400", "0", 1, none, none},  // infinity times a factor of 0
        {"0.001", "0.002", "0", 1, "0.01 USD", "0.01 USD"},
    };
    for (const Case& c : cases) {
        test::ScratchDir dir;
        test::WriteRequestCatalogue();
        test::WriteFile("init.cnf", std::string("meteo=meteo@example.org\r\nAntime=0\r\nPtEuro=") +
                                        c.ptEuro + "\r\n");
        test::WriteFile("ini/telecoms.txt", std::string("Telecom;Prix;Alarme;Fatal\r\nIridium;") +
                                                c.price + ";800;1000\r\n");
        test::TestWindow w;
        w.Start();
        w.tk.Control(IDC_DOLLAR_RATE_EDIT).text = c.dollarRate;
        w.tk.Choose(IDC_CURRENCY_COMBO, c.currency);
        EXPECT_EQ(w.tk.Control(IDC_WEATHER_COST_EDIT).text, c.weather)
            << c.ptEuro << " " << c.price;
        EXPECT_EQ(w.tk.Control(IDC_TELECOM_COST_EDIT).text, c.telecom)
            << c.ptEuro << " " << c.price;
    }
}

}  // namespace
}  // namespace wavepost
