#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/CMarlockApp.h"
#include "app/NumberText.h"
#include "app/layout/Layout.h"
#include "app/layout/StringTable.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::ScratchDir;
using test::SeedDefaultData;
using test::TestWindow;
using test::WriteFile;

TEST(Layout, MainWindowHasItsControls) {
    const auto& layout = MainWindowLayout();
    EXPECT_EQ(layout.controls.size(), 94u);
    EXPECT_EQ(layout.caption, "WAVEPOST");
    int defaults = 0;
    for (const auto& c : layout.controls)
        if (c.kind == ControlKind::DefaultPushButton) {
            ++defaults;
            EXPECT_EQ(c.text, "Envoi");
        }
    EXPECT_EQ(defaults, 1);
    ASSERT_NE(RadioGroupOf(IDC_SUBSCRIPTION_PERMANENT_RADIO), nullptr);
    EXPECT_EQ(RadioGroupOf(IDC_SUBSCRIPTION_PERMANENT_RADIO)->size(), 4u);
    EXPECT_EQ(RadioGroupOf(IDC_ANTIMERIDIAN_CHECK), nullptr);
    // Every identified control has a name of its own; every radio button is in a group.
    std::set<std::string> names;
    for (const auto& c : layout.controls) {
        if (c.id < 0) continue;
        const char* name = ControlIdName(c.id);
        ASSERT_NE(name, nullptr) << c.id;
        EXPECT_TRUE(names.insert(name).second) << name;
        EXPECT_EQ(RadioGroupOf(c.id) != nullptr, c.kind == ControlKind::RadioButton) << name;
    }
    EXPECT_EQ(names.size(), 92u);
    EXPECT_STREQ(ControlIdName(IDC_LON1_EDIT), "IDC_LON1_EDIT");
    EXPECT_EQ(ControlIdName(1000), nullptr);
}

TEST(Startup, BuildsTheWindowInOrder) {
    ScratchDir dir;
    SeedDefaultData();
    TestWindow w;
    w.tk.colorDepth = 8;
    w.Start();
    EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
    const auto& tabs = w.tk.Control(IDC_TAB_PAGES).tabs;
    ASSERT_EQ(tabs.size(), 7u);
    EXPECT_EQ(tabs[0], "Zone Géographique");
    EXPECT_EQ(tabs[4], "Images");
    EXPECT_EQ(tabs[6], "    ?");
    const auto orderTab = std::pair{int{IDB_ENVELOPE}, std::string("Commande")};
    EXPECT_EQ(w.tk.Control(IDC_TAB_PAGES).tabIcons.at(5), orderTab);
    EXPECT_EQ(w.tk.Control(IDC_TAB_PAGES).tabSelection, 0);
    const auto& items = w.tk.Control(IDC_MAP_LIST).listItems;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].first, "Europe");
    EXPECT_EQ(items[2].second, 2);
    EXPECT_EQ(w.tk.Control(IDC_MAP_LIST).selectionMark, 0);
    EXPECT_EQ(w.tk.imageList, (std::vector<int>{174, 176, 175}));
    EXPECT_EQ(w.tk.listBackground, (platform::Color{192, 192, 192}));
    EXPECT_EQ(w.tk.windowMenuItem, "&A propos de Wavepost...");
    EXPECT_EQ(w.tk.windowMenuCommand, 16u);
    EXPECT_EQ(w.tk.windowIcon, (std::pair<int, int>{180, 179}));
    EXPECT_EQ(w.tk.fonts.size(), 3u);
    EXPECT_EQ(w.tk.fonts.at(w.dlg.m_pLargeFont).second, 24);
    EXPECT_EQ(w.tk.Control(IDC_SEND_BUTTON).font, w.dlg.m_pLargeFont);
    EXPECT_DOUBLE_EQ(w.dlg.m_dPtEuro, 0.0005);
}

TEST(Startup, FullColourIcons) {
    ScratchDir dir;
    SeedDefaultData();
    TestWindow w;
    w.tk.colorDepth = 16;
    w.Start();
    EXPECT_EQ(w.tk.imageList, (std::vector<int>{137, 138, 139}));
}

TEST(Startup, MissingAddressFileEndsWithStatusOneAndWritesNothing) {
    ScratchDir dir;
    SeedDefaultData();
    std::filesystem::remove("init.cnf");
    std::string options = ReadFile("ini/options.txt");
    TestWindow w;
    try {
        w.Start();
        FAIL() << "start-up went on without init.cnf";
    } catch (const platform::ProcessExit& exit) {
        EXPECT_EQ(exit.status, 1);
    }
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_EQ(w.tk.messages[0], LoadString(IDS_NO_ADDRESS));
    EXPECT_EQ(ReadFile("ini/options.txt"), options);
    EXPECT_FALSE(std::filesystem::exists("init.cnf"));
}

// Only the click on "Antiméridien" needs to write the address file.
TEST(Startup, ReadOnlyAddressFileStartsAndRefusesOnlyTheAntimeridian) {
    ScratchDir dir;
    SeedDefaultData();
    std::string config = ReadFile("init.cnf");
    config[config.find("Antime=") + 7] = '1';
    WriteFile("init.cnf", config);
    EXPECT_TRUE(test::RunInChild(
        [] {
            std::filesystem::permissions("init.cnf", std::filesystem::perms::owner_read);
            TestWindow w;
            w.Start();
            EXPECT_TRUE(w.tk.messages.empty());
            EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, 1);
            w.tk.Click(IDC_ANTIMERIDIAN_CHECK);
            EXPECT_EQ(w.tk.messages,
                      std::vector<std::string>{
                          Format(LoadString(IDS_ANTIMERIDIAN_NOT_SAVED).c_str(), "init.cnf")});
            EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, 1);
            EXPECT_EQ(w.dlg.m_bAntimeridian, 1);
            // The addresses are still read: an order goes.
            w.tk.messages.clear();
            w.tk.Click(IDC_SEND_BUTTON);
            EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
            EXPECT_FALSE(w.tk.opened.empty());
        },
        {true}));
    EXPECT_EQ(ReadFile("init.cnf"), config);
}

TEST(Startup, CatalogueIsLoadedBeforeTheAddressFileIsRead) {
    ScratchDir dir;
    SeedDefaultData();
    std::filesystem::remove("init.cnf");
    std::filesystem::remove("ini/telecoms.txt");
    TestWindow w;
    try {
        w.Start();
        FAIL() << "start-up went on without its files";
    } catch (const platform::ProcessExit& exit) {
        EXPECT_EQ(exit.status, 1);
    }
    // The catalogue's message, not the address file's: loading comes first.
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_EQ(w.tk.messages[0], LoadString(IDS_CATALOGUE_MISSING));
}

TEST(Startup, AntimeridianSetting) {
    struct Case {
        std::string content;
        int expected;
    } cases[] = {{"Antime=1\r\n", 1},          {"Antime=0\r\n", 0},
                 {"meteo=x\r\n", 0},           {"", 0},
                 {"Antime=-1\r\n", 0},         {"Antime=7\r\n", 0},
                 {"Antime=2\r\n", 2},          {"Antime=4294967297\r\n", 0},
                 {"Antime=-4294967295\r\n", 0}};
    for (const auto& c : cases) {
        ScratchDir dir;
        SeedDefaultData();
        WriteFile("init.cnf", c.content);
        TestWindow w;
        w.Start();
        EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, c.expected) << c.content;
        EXPECT_TRUE(w.tk.messages.empty());
    }
}

TEST(Startup, PriceWithDecimalCommaReadsUpToTheComma) {
    ScratchDir dir;
    SeedDefaultData();
    WriteFile("init.cnf", "PtEuro=0,002\r\n");
    TestWindow w;
    w.Start();
    EXPECT_DOUBLE_EQ(w.dlg.m_dPtEuro, 0.0);
}

TEST(Closing, EscapeAndCloseWriteNothingQuitSaves) {
    ScratchDir dir;
    SeedDefaultData();
    std::string before = ReadFile("ini/options.txt");
    {
        TestWindow w;
        w.Start();
        w.tk.Control(IDC_HEADING_EDIT).text = "123";
        w.tk.PressEscape();
        EXPECT_EQ(w.tk.endResult, 2);
        EXPECT_EQ(ReadFile("ini/options.txt"), before);
    }
    {
        TestWindow w;
        w.Start();
        w.tk.Control(IDC_HEADING_EDIT).text = "123";
        w.tk.PressClose();
        EXPECT_EQ(w.tk.endResult, 2);
        EXPECT_EQ(ReadFile("ini/options.txt"), before);
        // The choice reached the table in memory.
        int row = w.dlg.m_pOptions->FindRow("CAP", 1, 0);
        EXPECT_EQ(w.dlg.m_pOptions->GetCell(row, 2), "123");
    }
    {
        TestWindow w;
        w.Start();
        w.tk.Control(IDC_HEADING_EDIT).text = "123";
        w.tk.Click(IDC_QUIT_BUTTON);
        EXPECT_EQ(w.tk.endResult, 1);
        EXPECT_NE(ReadFile("ini/options.txt"), before);
        EXPECT_NE(ReadFile("ini/options.txt").find("CAP;123;"), std::string::npos);
    }
}

TEST(Closing, AboutBoxFromTheWindowMenu) {
    ScratchDir dir;
    SeedDefaultData();
    TestWindow w;
    w.Start();
    w.tk.Fire({platform::EventKind::WindowMenuCommand, 0, 16});
    w.tk.Fire({platform::EventKind::WindowMenuCommand, 0, 31});
    w.tk.Fire({platform::EventKind::WindowMenuCommand, 0, 32});
    EXPECT_EQ(w.tk.aboutBoxes, 2);
}

TEST(CommandLine, OptionsAreMatchedAsPrefixesAndRemoved) {
    std::string line = "wavepost /Embeddingx -Automation";
    EXPECT_TRUE(CMarlockApp::TakeOption(line, "Embedding"));
    EXPECT_EQ(line, "wavepost x -Automation");
    EXPECT_FALSE(CMarlockApp::TakeOption(line, "embedding"));
    EXPECT_TRUE(CMarlockApp::TakeOption(line, "Automation"));
    EXPECT_EQ(line, "wavepost x ");
}

}  // namespace
}  // namespace wavepost
