#include <gtest/gtest.h>

#include "app/layout/StringTable.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using test::ClearRadio;
using test::ScratchDir;
using test::SetListCheck;
using test::SetRadio;
using test::SetZone;
using test::TestWindow;
using test::WriteFile;

// Europe set up as in the worked example; the Monde rows are ticked too, so that a row
// of the wrong map would show in the order.
void WriteOrderCatalogue() {
    test::SeedDefaultData();
    WriteFile("ini/parametres.txt",
              "Carte;Code;Libelle;Choix;Defaut;Poids;Analyse\r\n"
              "Monde;houle;Houle;1;1;1;0\r\n"
              "Europe;vent;Vent;1;1;1;0\r\n"
              "Europe;temp;Temperature;1;1;1;0\r\n"
              "Europe;pluie;Pluie;0;0;1;0\r\n");
    WriteFile("ini/echeances.txt",
              "Carte;Echeance;Choix;Defaut\r\n"
              "Monde;6;1;1\r\n"
              "Europe;0;1;1\r\n"
              "Europe;12;1;1\r\n"
              "Europe;24;1;1\r\n"
              "Europe;36;0;0\r\n");
    WriteFile("ini/mailles.txt",
              "Carte;Axe;Maille\r\n"
              "Europe;LONG;0.5\r\nEurope;LONG;1.0\r\n"
              "Europe;LAT;0.5\r\nEurope;LAT;1.0\r\n");
    WriteFile("ini/soft.txt", "Logiciel\r\n1.0\r\n");
    std::string options = "Cle;Valeur;Defaut;Carte\r\n";
    for (const char* row :
         {"MODE;Mode centré", "COMPRESSION;Zip", "TELECOM;Iridium", "DONTERRE;0",
          "ENVOI;Demande unique", "TOUSLES;7", "DOLLARS;0.92", "UNITE;Euro", "CAP;0", "VITESSE;0",
          "X1;-10.0", "Y1;45.0", "X2;20.0", "Y2;15.0", "LAT;0.5", "LONG;0.5"})
        options += std::string(row) + ";;Europe\r\n";
    WriteFile("ini/options.txt", options);
}

struct OrderTest : ::testing::Test {
    ScratchDir dir;
    TestWindow w;
    void SetUp() override {
        WriteOrderCatalogue();
        w.Start();
        test::ShowMap(w, 1);
    }
    std::string Order() { return w.dlg.BuildGribRequest(); }
    // The order with the lines of a full request around the given middle lines.
    static std::string Full(const std::string& subscription, const std::string& zone,
                            const std::string& middle, const std::string& tail = "%0AC zip%0AF 0") {
        return "@mto@reqt@grib@%0A" + subscription + "%0A" + zone + "%0A" + middle +
               "%0AD Europe%0AP vent temp%0AE 0 12 24" + tail + "%0AS 1.0%0A@mto@reqt@fin@";
    }
};

TEST_F(OrderTest, WorkedExamples) {
    EXPECT_EQ(Order(),
              "@mto@reqt@grib@%0AA 1%0AZ -10.0 45.0 20.0 15.0%0AM 0.5%0AD Europe%0AP vent "
              "temp%0AE 0 12 24%0AC zip%0AF 0%0AS 1.0%0A@mto@reqt@fin@");

    SetRadio(w.tk, 1017);
    SetZone(w.tk, "170", "50", "-170", "40");
    w.tk.Control(1002).selection = 1;
    w.tk.Control(1085).text = "270";
    w.tk.Control(1086).text = "12";
    SetRadio(w.tk, 1020);
    SetRadio(w.tk, 1019);
    EXPECT_EQ(Order(),
              "@mto@reqt@grib@%0AA 1%0AZ 180.0 45.0 20.0 10.0%0AM 0.5 1.0%0AV 270 12.0%0AD "
              "Europe%0AP vent temp%0AE 0 12 24%0AS 1.0%0A@mto@reqt@fin@");
}

TEST_F(OrderTest, SubscriptionKinds) {
    const std::string cancel = "@mto@reqt@grib@%0AA 0%0A@mto@reqt@fin@";
    SetRadio(w.tk, 1027);
    SetZone(w.tk, "", "", "", "");
    for (int i = 0; i < 3; ++i) SetListCheck(w.tk, w.dlg.m_pListParametres, i, 0);
    w.tk.Control(1001).selection = w.tk.Control(1002).selection = -1;
    EXPECT_EQ(Order(), cancel);
    ClearRadio(w.tk, 1024);
    EXPECT_EQ(Order(), cancel);

    test::ShowMap(w, 1);
    const std::string zone = "Z -10.0 45.0 20.0 15.0";
    SetRadio(w.tk, 1025);
    w.tk.Control(1055).text = "7";
    EXPECT_EQ(Order(), Full("A 7", zone, "M 0.5"));
    for (const char* days : {"", "jours"}) {
        w.tk.Control(1055).text = days;
        EXPECT_EQ(Order(), Full("A 0", zone, "M 0.5")) << days;
    }
    SetRadio(w.tk, 1026);
    EXPECT_EQ(Order(), Full("A X", zone, "M 0.5"));
}

TEST_F(OrderTest, ZoneLines) {
    struct Case {
        int modeButton;
        const char *lon1, *lat1, *lon2, *lat2, *zone;  // zone nullptr: no order
    } cases[] = {
        {1016, "-10", "45", "10", "10", "Z -10.0 45.0"},
        {1016, "-10", "45", "10", "10.5", "Z -10.0 45.0 10.0 10.5"},
        {1016, "-10", "45", "0", "15", nullptr},
        {1016, "-10", "45", "20", "abc", nullptr},
        {1016, "1e999", "45", "20", "15", nullptr},
        {1017, "0", "10", "10", "0", "Z 5.0 5.0"},
        {1017, "170", "50", "-170", "40", "Z 180.0 45.0 20.0 10.0"},
        {1017, "20", "50", "20", "40", nullptr},
        {1017, "20", "50", "30", "50", nullptr},
        // A north below the south goes round through the pole.
        {1017, "0", "40", "20", "50", "Z 10.0 135.0 20.0 170.0"},
        // Far outside any map: refused rather than widened turn by turn.
        {1017, "1e30", "50", "0", "40", nullptr},
        {1017, "0", "50", "1e999", "40", nullptr},
    };
    for (const auto& c : cases) {
        SetRadio(w.tk, c.modeButton);
        SetZone(w.tk, c.lon1, c.lat1, c.lon2, c.lat2);
        const std::string order = Order();
        const std::string where = std::string(c.lon1) + " " + c.lat1 + " " + c.lon2 + " " + c.lat2;
        if (c.zone)
            EXPECT_EQ(order, Full("A 1", c.zone, "M 0.5")) << where;
        else
            EXPECT_EQ(order, "") << where;
    }
}

TEST_F(OrderTest, SpacingAndMovementLines) {
    const std::string zone = "Z -10.0 45.0 20.0 15.0";
    w.tk.Control(1002).selection = -1;
    EXPECT_EQ(Order(), Full("A 1", zone, "M 0.5 "));
    w.tk.Control(1001).selection = -1;
    EXPECT_EQ(Order(), LoadString(IDS_NO_MESH));
    w.tk.Control(1002).selection = 1;
    EXPECT_EQ(Order(), Full("A 1", zone, "M  1.0"));

    w.tk.Control(1001).selection = 0;
    w.tk.Control(1002).selection = 0;
    w.tk.Control(1085).text = "90";
    for (const char* speed : {"0", "0.0", "", "vite"}) {
        w.tk.Control(1086).text = speed;
        EXPECT_EQ(Order(), Full("A 1", zone, "M 0.5")) << speed;
    }
    w.tk.Control(1085).text = "12.7";
    w.tk.Control(1086).text = "5";
    EXPECT_EQ(Order(), Full("A 1", zone, "M 0.5%0AV 12 5.0"));
}

TEST_F(OrderTest, TickedRowsOfTheMapOnly) {
    const std::string zone = "Z -10.0 45.0 20.0 15.0";
    // Only the Monde parameter left ticked: no parameter for Europe.
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 0);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 1, 0);
    EXPECT_EQ(Order(), "");
    SetListCheck(w.tk, w.dlg.m_pListParametres, 1, 1);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 2, 1);
    for (int i = 0; i < 4; ++i) SetListCheck(w.tk, w.dlg.m_pListEcheances, i, 0);
    EXPECT_EQ(Order(), "");
    SetListCheck(w.tk, w.dlg.m_pListEcheances, 3, 1);
    EXPECT_EQ(Order(), "@mto@reqt@grib@%0AA 1%0A" + zone +
                           "%0AM 0.5%0AD Europe%0AP temp pluie%0AE 36%0AC zip%0AF 0%0AS "
                           "1.0%0A@mto@reqt@fin@");
}

TEST_F(OrderTest, CompressionLandDataAndSoftware) {
    const std::string zone = "Z -10.0 45.0 20.0 15.0";
    SetRadio(w.tk, 1022);
    EXPECT_EQ(Order(), Full("A 1", zone, "M 0.5", "%0AC gzip%0AF 0"));
    SetRadio(w.tk, 1023);
    SetRadio(w.tk, 1019);
    EXPECT_EQ(Order(), Full("A 1", zone, "M 0.5", "%0AC bzip2"));
    ClearRadio(w.tk, 1020);
    ClearRadio(w.tk, 1018);
    EXPECT_EQ(Order(), Full("A 1", zone, "M 0.5", "%0AC bzip2"));

    // No software row: the line stays, with nothing after the blank.
    WriteFile("ini/soft.txt", "Logiciel\r\n");
    test::ShowMap(w, 1);
    std::string order = Order();
    EXPECT_NE(order.find("%0AS %0A@mto@reqt@fin@"), std::string::npos) << order;
}

}  // namespace
}  // namespace wavepost
