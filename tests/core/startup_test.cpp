#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "app/CMarlockApp.h"
#include "app/NumberText.h"
#include "app/layout/Layout.h"
#include "app/layout/StringTable.h"
#include "tests/core/CatalogueTestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::SeededFolder;
using test::TestWindow;
using test::WriteFile;

// Every identified control has a name of its own, by which the Qt front end's widgets are
// found; radio buttons, and nothing else, are in groups.
TEST(Layout, ControlsHaveTheirOwnNamesAndRadioButtonsTheirGroups) {
    std::set<std::string> names;
    for (const auto& c : MainWindowLayout().controls) {
        if (c.id < 0) continue;
        const char* name = ControlIdName(c.id);
        ASSERT_NE(name, nullptr) << c.id;
        EXPECT_TRUE(names.insert(name).second) << name;
        EXPECT_EQ(RadioGroupOf(c.id) != nullptr, c.kind == ControlKind::RadioButton) << name;
    }
    EXPECT_STREQ(ControlIdName(IDC_LON1_EDIT), "IDC_LON1_EDIT");
}

TEST(Startup, BuildsTheWindowInOrder) {
    SeededFolder dir;
    TestWindow w(dir.Path());
    w.tk.colorDepth = 8;  // the 16-colour map icons
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
    TestWindow full(dir.Path());
    full.tk.colorDepth = 16;
    full.Start();
    EXPECT_EQ(full.tk.imageList, (std::vector<int>{137, 138, 139}));
}

// A missing file ends the start with status 1 and one message, writing nothing; the
// catalogue is loaded before the address file is read.
TEST(Startup, MissingFilesEndWithStatusOneAndWriteNothing) {
    const std::tuple<std::vector<const char*>, int> cases[] = {
        {{"init.cnf"}, IDS_NO_ADDRESS},
        {{"init.cnf", "ini/telecoms.txt"}, IDS_CATALOGUE_MISSING},
    };
    for (const auto& [missing, message] : cases) {
        SeededFolder dir;
        for (const char* name : missing) std::filesystem::remove(dir / name);
        const auto before = test::Snapshot(dir.Path());
        TestWindow w(dir.Path());
        try {
            w.Start();
            ADD_FAILURE() << "start-up went on without " << missing.back();
        } catch (const platform::ProcessExit& exit) {
            EXPECT_EQ(exit.status, 1);
        }
        EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(message)});
        EXPECT_EQ(test::Snapshot(dir.Path()), before);
    }
}

// Only the click on "Antiméridien" needs to write the address file.
TEST(Startup, ReadOnlyAddressFileStartsAndRefusesOnlyTheAntimeridian) {
    SeededFolder dir;
    std::string config = ReadFile(dir / "init.cnf");
    config[config.find("Antime=") + 7] = '1';
    WriteFile(dir / "init.cnf", config);
    EXPECT_TRUE(test::RunInChild(
        [&] {
            std::filesystem::permissions(dir / "init.cnf", std::filesystem::perms::owner_read);
            TestWindow w(dir.Path());
            w.Start();
            EXPECT_TRUE(w.tk.messages.empty());
            EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, 1);
            w.tk.Click(IDC_ANTIMERIDIAN_CHECK);
            EXPECT_EQ(w.tk.messages, std::vector<std::string>{
                                         Format(LoadString(IDS_ANTIMERIDIAN_NOT_SAVED).c_str(),
                                                w.dlg.StoragePath("init.cnf").c_str())});
            EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, 1);
            EXPECT_EQ(w.dlg.m_bAntimeridian, 1);
            // The addresses are still read: an order goes.
            w.tk.messages.clear();
            w.tk.Click(IDC_SEND_BUTTON);
            EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
            EXPECT_FALSE(w.tk.opened.empty());
        },
        {dir.Path()}));
    EXPECT_EQ(ReadFile(dir / "init.cnf"), config);
}

// The address file's settings as the start reads them; a price is read up to a comma.
TEST(Startup, AddressFileSettings) {
    const std::tuple<const char*, int, double> cases[] = {{"Antime=1\r\n", 1, 0},
                                                          {"Antime=0\r\n", 0, 0},
                                                          {"meteo=x\r\n", 0, 0},
                                                          {"", 0, 0},
                                                          {"Antime=-1\r\n", 0, 0},
                                                          {"Antime=7\r\n", 0, 0},
                                                          {"Antime=2\r\n", 2, 0},
                                                          {"Antime=4294967297\r\n", 0, 0},
                                                          {"Antime=-4294967295\r\n", 0, 0},
                                                          {"PtEuro=0,002\r\n", 0, 0},
                                                          {"PtEuro=0.002\r\n", 0, 0.002}};
    for (const auto& [content, antimeridian, price] : cases) {
        SeededFolder dir;
        WriteFile(dir / "init.cnf", content);
        TestWindow w(dir.Path());
        w.Start();
        EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, antimeridian) << content;
        EXPECT_DOUBLE_EQ(w.dlg.m_dPtEuro, price) << content;
        EXPECT_TRUE(w.tk.messages.empty());
    }
}

// Escape and the close box end the dialog with 2 and write nothing (the close box still
// takes the choice into the table in memory); "Quitter" ends it with 1 and saves.
TEST(Closing, EscapeAndCloseWriteNothingQuitSaves) {
    using Close = std::function<void(platform::MemoryToolkit&)>;
    const std::tuple<const char*, Close, int, const char*> cases[] = {
        {"escape", [](platform::MemoryToolkit& tk) { tk.PressEscape(); }, 2, "0"},
        {"close", [](platform::MemoryToolkit& tk) { tk.PressClose(); }, 2, "123"},
        {"quit", [](platform::MemoryToolkit& tk) { tk.Click(IDC_QUIT_BUTTON); }, 1, "123"}};
    for (const auto& [name, close, result, inMemory] : cases) {
        SeededFolder dir;
        const std::string before = ReadFile(dir / "ini/options.txt");
        TestWindow w(dir.Path());
        w.Start();
        w.tk.Control(IDC_HEADING_EDIT).text = "123";
        close(w.tk);
        EXPECT_EQ(w.tk.endResult, result) << name;
        const auto& options = *w.dlg.m_pOptions;
        EXPECT_EQ(options.GetCell(w.dlg.m_pOptions->FindRow("CAP", 1, 0), 2), inMemory) << name;
        const std::string after = ReadFile(dir / "ini/options.txt");
        EXPECT_EQ(after == before, result == 2) << name;
        EXPECT_EQ(after.find("CAP;123;") != std::string::npos, result == 1) << name;
    }
}

TEST(Closing, AboutBoxFromTheWindowMenu) {
    SeededFolder dir;
    TestWindow w(dir.Path());
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
