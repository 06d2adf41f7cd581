#include <gtest/gtest.h>

#include "app/NumberText.h"
#include "app/layout/StringTable.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using test::ScratchDir;
using test::SetRadio;
using test::SetZone;
using test::TestWindow;
using test::WriteFile;

// A centred zone of 20 by 10 degrees at a spacing of 0.5: 41 x 21 = 861 points. Two
// parameters of weight 1 and three steps are ticked, so 6 units a point.
void WriteCostCatalogue() {
    test::SeedDefaultData();
    WriteFile("init.cnf", "meteo=m@example.org\r\nAntime=0\r\nPtEuro=0.001\r\n");
    WriteFile("ini/parametres.txt",
              "Carte;Code;Libelle;Choix;Defaut;Poids;Analyse\r\n"
              "Monde;vent;Vent;1;1;1;0\r\n"
              "Monde;pmer;Pression;1;1;1;0\r\n"
              "Europe;vent;Vent;1;1;7;0\r\n"
              "Monde;houle;Houle;0;0;3;0\r\n"
              "Monde;sst;Mer;0;0;5;1\r\n");
    WriteFile("ini/echeances.txt",
              "Carte;Echeance;Choix;Defaut\r\n"
              "Monde;0;1;1\r\nMonde;12;1;1\r\nEurope;6;1;1\r\nMonde;24;1;1\r\nMonde;48;0;0\r\n");
    WriteFile("ini/mailles.txt",
              "Carte;Axe;Maille\r\n"
              "Monde;LONG;0.5\r\nMonde;LONG;0\r\nMonde;LAT;0.5\r\nMonde;LAT;0\r\n");
    WriteFile("ini/telecoms.txt",
              "Telecom;Prix;Alarme;Fatal\r\n"
              "Iridium;0.002;800;1000\r\n"
              "Petit;0.002;100;500\r\n"
              "Juste;0.002;100;861\r\n"
              "Aucun;0.002;0;0\r\n");
    WriteFile("ini/unites.txt",
              "Monnaie;Libelle;Description;Facteur\r\n"
              "Euro;EUR;euro;1\r\nDollar US;USD;dollar;DOLLARS\r\nLivre;\"GBP\";livre;\"0.5\"\r\n");
    // Only two compressions: GZip and BZip2 have no row.
    WriteFile("ini/compressions.txt", "Compression;Facteur\r\nNon compressé;1\r\nZip;0.5\r\n");
    std::string options = "Cle;Valeur;Defaut;Carte\r\n";
    for (const char* row : {"MODE;Mode centré", "COMPRESSION;Non compressé", "TELECOM;Iridium",
                            "DONTERRE;1", "ENVOI;Demande unique", "DOLLARS;0.92", "UNITE;Euro",
                            "X1;0.0", "Y1;0.0", "X2;20.0", "Y2;10.0", "LAT;0.5", "LONG;0.5"})
        options += std::string(row) + ";;Monde\r\n";
    WriteFile("ini/options.txt", options);
}

struct CostTest : ::testing::Test {
    ScratchDir dir;
    TestWindow w;
    void SetUp() override {
        WriteCostCatalogue();
        w.Start();
        w.tk.messages.clear();
    }
    void Recompute() { w.tk.Choose(1039, w.tk.Control(1039).selection); }
    std::string Weather() const { return w.tk.Control(1011).text; }
    std::string Telecom() const { return w.tk.Control(1012).text; }
};

TEST_F(CostTest, AmountsAndAlarmAtEveryRecomputation) {
    EXPECT_EQ(w.dlg.m_strWeatherCost, "5.17 EUR");
    EXPECT_EQ(Weather(), "5.17 EUR");
    // (861 + 100) x 6 x 0.92 x 0.002 x 1.35
    EXPECT_EQ(Telecom(), "14.33 EUR");
    EXPECT_EQ(w.dlg.m_nPointsAlarm, 800);
    EXPECT_EQ(w.dlg.m_nPointsFatal, 1000);
    Recompute();
    Recompute();
    EXPECT_EQ(w.tk.messages, std::vector<std::string>(2, LoadString(IDS_POINTS_ALARM)));

    // Rectangle corners count by their whole degrees.
    SetRadio(w.tk, 1017);
    SetZone(w.tk, "10.9", "20.9", "30.9", "10.9");
    Recompute();
    EXPECT_EQ(Weather(), "5.17 EUR");

    w.tk.messages.clear();
    w.tk.Choose(1037, 1);
    w.tk.Choose(1037, 2);  // exactly at the fatal threshold
    EXPECT_EQ(w.tk.messages, std::vector<std::string>(2, LoadString(IDS_POINTS_FATAL)));
    EXPECT_EQ(w.dlg.m_nPointsFatal, 861);
}

TEST_F(CostTest, Currencies) {
    w.tk.Control(1034).text = "0.8";
    w.tk.Choose(1039, 1);
    EXPECT_EQ(Weather(), "6.46 USD");
    EXPECT_EQ(Telecom(), "15.57 USD");

    w.tk.Control(1034).text = "0,5";
    w.tk.Leave(1034);
    EXPECT_EQ(w.tk.Control(1034).text, "0.5");
    EXPECT_EQ(w.dlg.m_strDollarRate, "0.5");
    EXPECT_EQ(Weather(), "10.34 USD");

    w.tk.Control(1034).text = "zéro";
    w.tk.Leave(1034);
    EXPECT_EQ(Weather(), "0.01 USD");
    EXPECT_EQ(Telecom(), "0.01 USD");

    // Quotes are removed from the label and the factor.
    w.tk.Choose(1039, 2);
    EXPECT_EQ(Weather(), "2.59 GBP");
    EXPECT_EQ(Telecom(), "0.01 GBP");

    // No currency: the amounts stay as they were.
    SetZone(w.tk, "0", "0", "40", "40");
    w.tk.Choose(1039, -1);
    EXPECT_EQ(Weather(), "2.59 GBP");
}

TEST_F(CostTest, AnalysisOnlyParametersNeedTheZeroHourStep) {
    const auto list = w.dlg.m_pListParametres;
    const auto steps = w.dlg.m_pListEcheances;
    w.tk.ToggleCheckListItem(list, 3);  // sst, analysis only, weight 5
    // a + (weights - a) x steps = 1 + (7 - 1) x 3
    EXPECT_EQ(w.dlg.CountAnalysisOnlyParameters(), 1);
    EXPECT_EQ(Weather(), "16.36 EUR");

    w.tk.ToggleCheckListItem(steps, 0);
    EXPECT_FALSE(w.tk.CheckListIsItemEnabled(list, 3));
    EXPECT_EQ(w.tk.CheckListGetCheck(list, 3), 0);
    EXPECT_EQ(w.dlg.m_pParametres->GetCell(6, 4), "0");
    EXPECT_EQ(Weather(), "3.45 EUR");  // 861 x 2 x 2 x 0.001

    w.tk.ToggleCheckListItem(steps, 0);
    EXPECT_TRUE(w.tk.CheckListIsItemEnabled(list, 3));
    EXPECT_EQ(w.tk.CheckListGetCheck(list, 3), 0);
    EXPECT_EQ(Weather(), "5.17 EUR");

    w.tk.ToggleCheckListItem(list, 0);
    w.tk.ToggleCheckListItem(list, 1);
    EXPECT_EQ(Weather(), "0.00 EUR");
    EXPECT_EQ(Telecom(), "0.00 EUR");
}

TEST_F(CostTest, ZonesWithoutExtentOrGrid) {
    // No width: still counted for the warnings (one column), but nothing to pay.
    w.tk.Choose(1037, 3);
    w.tk.messages.clear();
    SetZone(w.tk, "0", "0", "0", "10");
    Recompute();
    EXPECT_EQ(Weather(), "0.00 EUR");
    EXPECT_EQ(Telecom(), "0.00 EUR");
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_POINTS_FATAL)});

    // A spacing of 0: no grid, no warning even with thresholds of 0.
    w.tk.messages.clear();
    SetZone(w.tk, "0", "0", "20", "10");
    w.tk.Choose(1001, 1);
    EXPECT_EQ(Weather(), "0.00 EUR");
    EXPECT_EQ(Telecom(), "0.00 EUR");
    w.tk.Choose(1002, 1);
    w.tk.Choose(1001, 0);
    EXPECT_EQ(Weather(), "0.00 EUR");
    EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
}

TEST_F(CostTest, HugeZoneDoesNotWrapAround) {
    // 2000001 x 2000001 points would overflow 32 bits many times over.
    SetZone(w.tk, "0", "0", "1000000", "1000000");
    Recompute();
    EXPECT_EQ(Weather(), "24000024000.01 EUR");
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_POINTS_FATAL)});
    SetZone(w.tk, "0", "0", "1e300", "1e300");
    Recompute();
    EXPECT_GT(ReadNumber(Weather()), 1e15);
}

TEST_F(CostTest, CompressionWithoutRowCountsAsUncompressed) {
    w.tk.Click(1021);
    EXPECT_EQ(Telecom(), "7.17 EUR");
    w.tk.Click(1023);
    EXPECT_EQ(Telecom(), "14.33 EUR");
    EXPECT_EQ(Weather(), "5.17 EUR");
}

}  // namespace
}  // namespace wavepost
