#include <gtest/gtest.h>

#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
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

TEST(CostEstimate, DegenerateZonesAndMissingRows) {
    Estimate w;
    // No width: one column still counts for the warnings, but there is nothing to pay.
    w.tk.Choose(IDC_TELECOM_COMBO, 2);  // thresholds 0
    SetZone(w.tk, "0", "0", "0", "10");
    w.tk.messages.clear();
    w.Recompute();
    EXPECT_EQ(w.Weather(), "0.00 EUR");
    EXPECT_EQ(w.tk.messages, w.Messages(IDS_POINTS_FATAL, 1));

    // A spacing of 0 has no grid: nothing to pay and nothing to warn about.
    SetZone(w.tk, "0", "0", "20", "10");
    w.tk.messages.clear();
    w.tk.Choose(IDC_MESH_LON_COMBO, 1);
    EXPECT_EQ(w.Weather(), "0.00 EUR");
    EXPECT_EQ(w.Telecom(), "0.00 EUR");
    EXPECT_TRUE(w.tk.messages.empty());

    // 2000001 x 2000001 points would wrap round 32 bits many times over.
    w.tk.Control(IDC_MESH_LON_COMBO).selection = 0;
    SetZone(w.tk, "0", "0", "1000000", "1000000");
    w.Recompute();
    EXPECT_EQ(w.Weather(), "24000024000.01 EUR");
    SetZone(w.tk, "0", "0", "1e300", "1e300");
    w.Recompute();
    EXPECT_GT(ReadNumber(w.Weather()), 1e15);

    // A compression button without a row counts as uncompressed.
    SetZone(w.tk, "0", "0", "20", "10");
    w.tk.Choose(IDC_TELECOM_COMBO, 0);
    w.tk.Click(IDC_COMPRESSION_ZIP_RADIO);
    EXPECT_EQ(w.Telecom(), "7.17 EUR");
    w.tk.Click(IDC_COMPRESSION_BZIP2_RADIO);
    EXPECT_EQ(w.Telecom(), "14.33 EUR");
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
