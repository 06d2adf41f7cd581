#include <gtest/gtest.h>

#include "app/layout/StringTable.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using platform::ShowState;
using test::ReadFile;
using test::ScratchDir;
using test::SetListCheck;
using test::SetRadio;
using test::SetZone;
using test::TestWindow;
using test::WriteFile;

const std::string kOrder =
    "@mto@reqt@grib@%0AA 1%0AZ -20.0 40.0 20.0 20.0%0AM 1.0%0AD Monde%0AP vent%0AE 0 "
    "12%0AC zip%0AS W1%0A@mto@reqt@fin@";
const std::string kGribUrl = "mailto:meteo@example.org?subject=Grib&body=" + kOrder;
const char* const kInitCnf =
    "meteo=meteo@example.org\r\nquestion=questions@example.org\r\nAntime=0\r\nPtEuro=0.001\r\n";

void WriteSendCatalogue() {
    test::SeedDefaultData();
    WriteFile("init.cnf", kInitCnf);
    WriteFile("ini/parametres.txt",
              "Carte;Code;Libelle;Choix;Defaut;Poids;Analyse\r\n"
              "Monde;vent;Vent;1;1;1;0\r\nMonde;pmer;Pression;0;0;1;0\r\n");
    WriteFile("ini/echeances.txt",
              "Carte;Echeance;Choix;Defaut\r\nMonde;0;1;1\r\nMonde;12;1;1\r\n");
    WriteFile("ini/mailles.txt", "Carte;Axe;Maille\r\nMonde;LONG;1.0\r\nMonde;LAT;1.0\r\n");
    WriteFile("ini/soft.txt", "Logiciel\r\nW1\r\n");
    WriteFile("ini/bulletins.txt",
              "Carte;Code;Libelle;Choix\r\n"
              "Europe;EU1;Europe;1\r\n"
              "Monde;B1;Un;0\r\n"
              "Monde;\"B 2\";Deux;0\r\n"
              "Monde;B3;Trois;0\r\n");
    WriteFile("ini/images.txt",
              "Carte;Code;Libelle;Choix\r\nMonde;I1;Image;0\r\nEurope;IE;Europe;1\r\n");
    std::string options = "Cle;Valeur;Defaut;Carte\r\n";
    for (const char* row : {"MODE;Mode centré", "COMPRESSION;Zip", "TELECOM;Iridium", "DONTERRE;1",
                            "ENVOI;Abonnement permanent", "UNITE;Euro", "CAP;0", "VITESSE;0",
                            "X1;-20.0", "Y1;40.0", "X2;20.0", "Y2;20.0", "LAT;1.0", "LONG;1.0"})
        options += std::string(row) + ";;Monde\r\n";
    WriteFile("ini/options.txt", options);
}

struct SendTest : ::testing::Test {
    ScratchDir dir;
    TestWindow w;
    std::filesystem::path copies;
    void SetUp() override {
        WriteSendCatalogue();
        copies = dir.Path() / "state";
        std::filesystem::create_directory(copies);
        w.tk.systemDirectory = copies.string();
        w.Start();
        w.tk.messages.clear();
        SetRadio(w.tk, 1024);
    }
    void TickBulletins() {
        SetListCheck(w.tk, w.dlg.m_pListBulletins, 0, 1);
        SetListCheck(w.tk, w.dlg.m_pListBulletins, 1, 1);
        SetListCheck(w.tk, w.dlg.m_pListImages, 0, 1);
    }
    std::string Copy(const char* name) const { return ReadFile(copies / name); }
};

const std::string kBulletinUrl =
    "mailto:meteo@example.org?body=@mto@reqt@bull@%0AB1%0AB 2%0AI1%0A@mto@reqt@fin@&subject="
    "Bulletin";

TEST_F(SendTest, BulletinOrderThenGribOrderThenSingleRequestAgain) {
    TickBulletins();
    SetRadio(w.tk, 1026);
    w.tk.Click(1013);
    EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
    const std::string grib = "mailto:meteo@example.org?subject=Grib&body=@mto@reqt@grib@%0AA X" +
                             kOrder.substr(kOrder.find("%0AZ"));
    ASSERT_EQ(w.tk.opened.size(), 2u);
    EXPECT_EQ(w.tk.opened[0], std::make_pair(kBulletinUrl, ShowState::Normal));
    EXPECT_EQ(w.tk.opened[1], std::make_pair(grib, ShowState::Normal));
    EXPECT_EQ(Copy("WavepostBulletin.txt"), kBulletinUrl);
    EXPECT_EQ(Copy("WavepostGrib.txt"), grib);
    EXPECT_EQ(w.dlg.m_nSubscription, 0);
    EXPECT_EQ(w.tk.Control(1024).check, 1);
    EXPECT_EQ(w.tk.Control(1026).check, 0);
    // The choices were saved with the order.
    EXPECT_NE(ReadFile("ini/bulletins.txt").find("Monde;B1;Un;1"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(copies / "wavepost_error.log"));
}

TEST_F(SendTest, CancelNeedsNoSelection) {
    SetRadio(w.tk, 1027);
    SetZone(w.tk, "", "", "", "");
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 0);
    w.tk.Click(1013);
    const std::string url =
        "mailto:meteo@example.org?subject=Grib&body=@mto@reqt@grib@%0AA 0%0A@mto@reqt@fin@";
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.opened[0].first, url);
    EXPECT_EQ(Copy("WavepostGrib.txt"), url);
    EXPECT_EQ(w.tk.Control(1024).check, 1);
}

TEST_F(SendTest, IncompleteOrdersAreNotMailed) {
    const std::string parameters = ReadFile("ini/parametres.txt");
    const std::string options = ReadFile("ini/options.txt");
    WriteFile(copies / "WavepostGrib.txt", "earlier");
    SetRadio(w.tk, 1026);
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 0);
    w.tk.Click(1013);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_BAD_PARAMETERS)});
    EXPECT_TRUE(w.tk.opened.empty());
    EXPECT_EQ(w.tk.Control(1026).check, 1);

    // With bulletins ticked only their order goes, without a message.
    w.tk.messages.clear();
    TickBulletins();
    w.tk.Click(1013);
    EXPECT_TRUE(w.tk.messages.empty());
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.opened[0].first, kBulletinUrl);

    // No spacing: the sentence is shown, not mailed as an order.
    w.tk.opened.clear();
    SetListCheck(w.tk, w.dlg.m_pListParametres, 0, 1);
    w.tk.Control(1001).selection = w.tk.Control(1002).selection = -1;
    w.tk.Click(1013);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_NO_MESH)});
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.opened[0].first, kBulletinUrl);
    EXPECT_EQ(w.tk.Control(1026).check, 1);

    EXPECT_EQ(ReadFile("ini/parametres.txt"), parameters);
    EXPECT_EQ(ReadFile("ini/options.txt"), options);
    EXPECT_EQ(Copy("WavepostGrib.txt"), "earlier");
}

TEST_F(SendTest, AddressFileProblems) {
    WriteFile("init.cnf", "question=q@example.org\r\nAntime=0\r\n");
    w.tk.Click(1013);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_NO_ADDRESS)});
    ASSERT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(w.tk.opened[0].first,
              "mailto:Erreur dans le fichier de configuration?subject=Grib&body=" + kOrder);

    w.tk.messages.clear();
    w.tk.opened.clear();
    std::filesystem::remove("init.cnf");
    TickBulletins();
    SetRadio(w.tk, 1025);
    w.tk.Click(1013);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_NO_CONFIG_FILE)});
    EXPECT_TRUE(w.tk.opened.empty());
    EXPECT_EQ(w.dlg.m_nSubscription, 0);
    EXPECT_EQ(w.tk.Control(1024).check, 1);

    w.tk.messages.clear();
    w.tk.Click(1003);
    EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(IDS_NO_CONFIG_FILE)});
    EXPECT_TRUE(w.tk.opened.empty());
}

TEST_F(SendTest, WithoutMailProgramTheOrdersGoToTheClipboard) {
    std::vector<std::string> clipboardAtMessage;
    w.tk.onMessageBox = [&](const std::string&) { clipboardAtMessage.push_back(w.tk.clipboard); };
    w.tk.mailHandler = false;
    TickBulletins();
    w.tk.Click(1013);
    EXPECT_TRUE(w.tk.opened.empty());
    ASSERT_EQ(w.tk.messages.size(), 2u);
    EXPECT_EQ(w.tk.messages[0],
              "Aucun programme de messagerie n'a pu être ouvert.\nLa commande a été copiée dans "
              "le presse-papiers.\nEnvoyez-la à l'adresse meteo@example.org avec le sujet "
              "\"Bulletin\".");
    EXPECT_NE(w.tk.messages[1].find("avec le sujet \"Grib\""), std::string::npos);
    EXPECT_EQ(clipboardAtMessage,
              (std::vector<std::string>{
                  "@mto@reqt@bull@\nB1\nB 2\nI1\n@mto@reqt@fin@",
                  "@mto@reqt@grib@\nA 1\nZ -20.0 40.0 20.0 20.0\nM 1.0\nD Monde\nP vent\nE 0 "
                  "12\nC zip\nS W1\n@mto@reqt@fin@"}));
    EXPECT_EQ(Copy("WavepostBulletin.txt"), kBulletinUrl);
    EXPECT_EQ(Copy("WavepostGrib.txt"), kGribUrl);

    // A registered program that refuses the URL counts the same.
    w.tk.mailHandler = true;
    w.tk.shellOpenSucceeds = false;
    w.tk.messages.clear();
    SetListCheck(w.tk, w.dlg.m_pListBulletins, 1, 0);
    SetListCheck(w.tk, w.dlg.m_pListImages, 0, 0);
    w.tk.Click(1013);
    EXPECT_EQ(w.tk.opened.size(), 2u);
    EXPECT_EQ(w.tk.messages.size(), 2u);
    EXPECT_EQ(w.tk.clipboard.substr(0, 20), "@mto@reqt@grib@\nA 1\n");

    w.tk.messages.clear();
    w.tk.Click(1003);
    EXPECT_EQ(w.tk.clipboard, "questions@example.org");
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_NE(w.tk.messages[0].find("questions@example.org avec le sujet \"Help\""),
              std::string::npos);
}

TEST_F(SendTest, QuestionAndHelp) {
    w.tk.Click(1003);
    w.tk.Click(9);
    ASSERT_EQ(w.tk.opened.size(), 2u);
    EXPECT_EQ(w.tk.opened[0],
              std::make_pair(std::string("mailto:questions@example.org?subject=Help"),
                             ShowState::Default));
    EXPECT_EQ(w.tk.opened[1], std::make_pair(std::string("aide.html"), ShowState::Default));
    EXPECT_TRUE(w.tk.messages.empty());
}

TEST_F(SendTest, CopiesKeepTheLastOrderOrLeaveALog) {
    w.tk.Click(1013);
    w.tk.Control(1085).text = "45";
    w.tk.Control(1086).text = "8";
    w.tk.Click(1013);
    const std::string second = kGribUrl.substr(0, kGribUrl.find("%0AD")) + "%0AV 45 8.0" +
                               kGribUrl.substr(kGribUrl.find("%0AD"));
    EXPECT_EQ(Copy("WavepostGrib.txt"), second);

    // A copy that cannot be written leaves a one-line log; the mail still goes.
    std::filesystem::remove(copies / "WavepostGrib.txt");
    std::filesystem::create_directory(copies / "WavepostGrib.txt");
    WriteFile(copies / "wavepost_error.log", "old line\nanother\n");
    w.tk.opened.clear();
    w.tk.Click(1013);
    EXPECT_EQ(w.tk.opened.size(), 1u);
    EXPECT_EQ(Copy("wavepost_error.log"), "Unable to open file for writing\n");
    EXPECT_TRUE(w.tk.messages.empty());

    w.tk.systemDirectory.clear();
    EXPECT_FALSE(w.dlg.WriteRequestCopy("mailto:x", "WavepostBulletin.txt"));
    EXPECT_FALSE(std::filesystem::exists(copies / "WavepostBulletin.txt"));
}

TEST_F(SendTest, UnwritableCatalogueStopsTheOrderWithItsOwnMessage) {
    std::filesystem::remove("ini/echeances.txt");
    std::filesystem::create_directory("ini/echeances.txt");
    SetRadio(w.tk, 1026);
    w.tk.Click(1013);
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_NE(w.tk.messages[0].find("ini/echeances.txt"), std::string::npos) << w.tk.messages[0];
    EXPECT_TRUE(w.tk.opened.empty());
    EXPECT_EQ(w.tk.Control(1026).check, 1);
}

}  // namespace
}  // namespace wavepost
