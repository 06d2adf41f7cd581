#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <tuple>
#include <utility>

#include "app/layout/Layout.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "tests/core/CatalogueTestSupport.h"

namespace wavepost {
namespace {

using test::ItemChecks;
using test::ItemTexts;
using test::OptionInFile;
using test::ReadFile;
using test::Selected;
using test::TempFolder;
using test::TestWindow;
using test::WriteFile;
using test::WriteTestCatalogue;
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

struct Started {
    TempFolder dir;
    TestWindow w{dir.Path()};
    Started() {
        WriteTestCatalogue(dir.Path());
        w.Start();
    }
    std::string Option(const std::string& key, const std::string& map) const {
        return OptionInFile(dir.Path(), key, map);
    }
};

TEST(CatalogueChoices, QuitSavesEveryChoiceOfTheMapAndTheNextStartShowsThem) {
    Started s;
    auto& tk = s.w.tk;
    const int radios[] = {IDC_ZONE_CENTRED_RADIO, IDC_COMPRESSION_BZIP2_RADIO, IDC_LAND_NO_RADIO,
                          IDC_SUBSCRIPTION_DAYS_RADIO};
    const std::pair<int, const char*> typed[] = {
        {IDC_DAYS_EDIT, "5"},   {IDC_DOLLAR_RATE_EDIT, "1.1"}, {IDC_HEADING_EDIT, "45"},
        {IDC_SPEED_EDIT, "12"}, {IDC_LON1_EDIT, "-3.0"},       {IDC_LAT1_EDIT, "47.0"},
        {IDC_LON2_EDIT, "8.0"}, {IDC_LAT2_EDIT, "6.0"}};
    const std::tuple<int, int, const char*> chosen[] = {{IDC_TELECOM_COMBO, 1, "Iridium"},
                                                        {IDC_CURRENCY_COMBO, 0, "Euro"},
                                                        {IDC_MESH_LAT_COMBO, 0, "0.5"},
                                                        {IDC_MESH_LON_COMBO, 0, "0.5"}};
    for (int id : radios) tk.Click(id);
    for (const auto& [id, text] : typed) tk.Type(id, text);
    for (const auto& [id, item, text] : chosen) tk.Choose(id, item);
    tk.ToggleCheckListItem(s.w.dlg.m_pListParametres, 0);
    tk.ToggleCheckListItem(s.w.dlg.m_pListEcheances, 1);
    tk.ToggleCheckListItem(s.w.dlg.m_pListBulletins, 0);
    tk.ToggleCheckListItem(s.w.dlg.m_pListImages, 0);
    const std::string europeBefore = s.Option("UNITE", "Europe");
    tk.Click(IDC_QUIT_BUTTON);
    EXPECT_EQ(tk.endResult, 1);
    EXPECT_TRUE(tk.messages.empty());

    // The file's texts, where they are not the control's.
    EXPECT_EQ(s.Option("MODE", "Monde"), "Mode centré");
    EXPECT_EQ(s.Option("COMPRESSION", "Monde"), "BZip2");
    EXPECT_EQ(s.Option("DONTERRE", "Monde"), "1");
    EXPECT_EQ(s.Option("ENVOI", "Monde"), "S'abonner pour N jours");
    EXPECT_EQ(s.Option("NOTE", "Monde"), "garde");
    EXPECT_EQ(s.Option("UNITE", "Europe"), europeBefore);
    const std::string steps = ReadFile(s.dir / "ini/echeances.txt");
    EXPECT_NE(steps.find("Monde;\"24\";1;1\r\n"), std::string::npos) << steps;
    EXPECT_NE(steps.find("Europe;6;0;1\r\n"), std::string::npos) << steps;

    TestWindow next(s.dir.Path());
    next.Start();
    const auto& tk2 = next.tk;
    for (int id : radios) EXPECT_EQ(tk2.Control(id).check, 1) << id;
    for (const auto& [id, text] : typed) EXPECT_EQ(tk2.Control(id).text, text) << id;
    for (const auto& [id, item, text] : chosen) EXPECT_EQ(Selected(tk2, id), text) << id;
    EXPECT_EQ(ItemChecks(tk2.Control(next.dlg.m_pListParametres)), (Ints{0, 0, 1}));
    EXPECT_EQ(ItemChecks(tk2.Control(next.dlg.m_pListEcheances)), (Ints{1, 1, 1}));
    EXPECT_EQ(ItemChecks(tk2.Control(next.dlg.m_pListBulletins)), (Ints{1, 1}));
    EXPECT_EQ(ItemChecks(tk2.Control(next.dlg.m_pListImages)), (Ints{0}));
}

TEST(CatalogueChoices, TheMapLeftIsSavedAndComesBackAsLeft) {
    Started s;
    auto& tk = s.w.tk;
    auto& dlg = s.w.dlg;
    tk.ToggleCheckListItem(dlg.m_pListParametres, 0);
    tk.Type(IDC_HEADING_EDIT, "45");
    tk.Choose(IDC_CURRENCY_COMBO, 0);

    tk.ClickMapList(1);
    EXPECT_EQ(dlg.m_nMap, 1);
    EXPECT_EQ(tk.Control(IDC_MAP_EUROPE_RADIO).check, 1);
    EXPECT_EQ(ItemTexts(tk.Control(dlg.m_pListEcheances)), (Strings{"6"}));
    EXPECT_EQ(ItemTexts(tk.Control(dlg.m_pListParametres)), (Strings{"Pression"}));
    EXPECT_EQ(ItemTexts(tk.Control(dlg.m_pListBulletins)), (Strings{"Bulletin Europe"}));
    EXPECT_TRUE(tk.Control(dlg.m_pListImages).checkItems.empty());
    EXPECT_EQ(tk.Control(IDC_MESH_LON_COMBO).items, (Strings{"0.25"}));
    EXPECT_EQ(tk.Control(IDC_HEADING_EDIT).text, "180");
    EXPECT_EQ(Selected(tk, IDC_CURRENCY_COMBO), "Dollar US");
    EXPECT_EQ(s.Option("CAP", "Monde"), "45");
    EXPECT_NE(ReadFile(s.dir / "ini/parametres.txt").find("Monde;WIND;\"Vent\";0;1;2;0\r\n"),
              std::string::npos);

    tk.ClickMapList(0);
    EXPECT_EQ(dlg.m_nMap, 0);
    EXPECT_EQ(ItemChecks(tk.Control(dlg.m_pListParametres)), (Ints{0, 0, 1}));
    EXPECT_EQ(tk.Control(IDC_HEADING_EDIT).text, "45");
    EXPECT_EQ(Selected(tk, IDC_CURRENCY_COMBO), "Euro");
    EXPECT_EQ(tk.Control(IDC_ZONE_RECTANGLE_RADIO).check, 1);
    EXPECT_EQ(dlg.m_nPrevZoneMode, 1);
    EXPECT_TRUE(tk.messages.empty());
}

// Each "Défaut" button restores its own keys and leaves the other button's alone.
TEST(CatalogueChoices, DefaultButtonsRestoreTheirOwnKeysOnly) {
    Started s;
    auto& tk = s.w.tk;
    auto& dlg = s.w.dlg;
    tk.ToggleCheckListItem(dlg.m_pListParametres, 0);
    tk.Click(IDC_DEFAULT_OPTIONS_BUTTON);
    EXPECT_EQ(tk.Control(IDC_ZONE_CENTRED_RADIO).check, 1);
    EXPECT_EQ(dlg.m_nPrevZoneMode, 0);  // the texts follow the restored mode at once
    EXPECT_EQ(tk.Control(IDC_COMPRESSION_ZIP_RADIO).check, 1);
    EXPECT_EQ(Selected(tk, IDC_TELECOM_COMBO), "Iridium");
    EXPECT_EQ(tk.Control(IDC_LAND_NO_RADIO).check, 1);
    EXPECT_EQ(tk.Control(IDC_SUBSCRIPTION_SINGLE_RADIO).check, 1);
    EXPECT_EQ(tk.Control(IDC_DAYS_EDIT).text, "7");
    EXPECT_EQ(tk.Control(IDC_DOLLAR_RATE_EDIT).text, "0.92");
    EXPECT_EQ(Selected(tk, IDC_CURRENCY_COMBO), "Euro");
    // Untouched: heading, the zone (only rewritten in centred form), spacing and the lists.
    EXPECT_EQ(tk.Control(IDC_HEADING_EDIT).text, "90");
    EXPECT_EQ(tk.Control(IDC_LON1_EDIT).text, "0.0");   // from the corners -10.0 and 10.0
    EXPECT_EQ(tk.Control(IDC_LAT2_EDIT).text, "10.0");  // from 50.0 and 40.0
    EXPECT_EQ(Selected(tk, IDC_MESH_LON_COMBO), "1.0");
    EXPECT_EQ(ItemChecks(tk.Control(dlg.m_pListParametres)), (Ints{0, 0, 1}));

    tk.ToggleCheckListItem(dlg.m_pListBulletins, 0);
    tk.Click(IDC_DEFAULT_PARAMS_BUTTON);
    EXPECT_EQ(ItemTexts(tk.Control(dlg.m_pListEcheances)), (Strings{"0", "\"24\"", "48"}));
    EXPECT_EQ(ItemChecks(tk.Control(dlg.m_pListEcheances)), (Ints{1, 1, 0}));
    EXPECT_EQ(ItemChecks(tk.Control(dlg.m_pListParametres)), (Ints{1, 1, 0}));
    EXPECT_EQ(Selected(tk, IDC_MESH_LON_COMBO), "0.5");
    EXPECT_EQ(Selected(tk, IDC_MESH_LAT_COMBO), "0.5");
    EXPECT_EQ(ItemChecks(tk.Control(dlg.m_pListBulletins)), (Ints{1, 1}));
    EXPECT_EQ(Selected(tk, IDC_TELECOM_COMBO), "Iridium");
}

TEST(CatalogueChoices, AFailedSaveIsReportedAndTheHandlerStops) {
    Started s;
    auto& tk = s.w.tk;
    auto& dlg = s.w.dlg;
    const auto list = dlg.m_pListEcheances;
    std::filesystem::rename(s.dir / "ini", s.dir / "ini-away");

    tk.ClickMapList(1);
    ASSERT_EQ(tk.messages.size(), 1u);
    EXPECT_NE(tk.messages[0].find(dlg.StoragePath("ini/echeances.txt")), std::string::npos)
        << tk.messages[0];
    EXPECT_EQ(dlg.m_nMap, 0);
    EXPECT_EQ(dlg.m_pListEcheances, list);
    EXPECT_EQ(tk.Control(IDC_MAP_LIST).selectionMark, 0);
    EXPECT_EQ(tk.Control(IDC_MAP_LIST).selectedItem, 0);

    tk.Click(IDC_QUIT_BUTTON);
    EXPECT_EQ(tk.messages.size(), 2u);
    EXPECT_FALSE(tk.endResult.has_value());
    EXPECT_FALSE(std::filesystem::exists(s.dir / "ini"));
}

// Planted shapes of the catalogue folder, saved by "Quitter" as an unprivileged user. The
// tables are saved as one: one that cannot be written keeps every table as it was, before
// and after it in the save order.
TEST(CatalogueChoices, SavesRespectLinksAndFolders) {
    namespace fs = std::filesystem;
    struct Case {
        const char* name;
        std::function<void(const TempFolder&)> plant;  // run as the user
        bool afterStart;
        const char* failingFile;  // named in the message; nullptr: the save succeeds
    };
    const Case cases[] = {
        {"a table that is a link",
         [](const TempFolder& dir) {
             fs::create_directory(dir / "elsewhere");
             fs::rename(dir / "ini/options.txt", dir / "elsewhere/options.txt");
             fs::create_symlink("../elsewhere/options.txt", dir / "ini/options.txt");
         },
         false, nullptr},
        {"a read-only folder of writable tables",
         [](const TempFolder& dir) {
             fs::permissions(dir / "ini", fs::perms::owner_write, fs::perm_options::remove);
         },
         false, nullptr},
        {"a read-only table",
         [](const TempFolder& dir) {
             fs::permissions(dir / "ini/mailles.txt", fs::perms::owner_write,
                             fs::perm_options::remove);
         },
         true, "ini/mailles.txt"},
    };
    for (const Case& c : cases) {
        TempFolder dir;
        WriteTestCatalogue(dir.Path());
        const bool passed = test::RunInChild(
            [&] {
                if (!c.afterStart) c.plant(dir);
                struct stat linkBefore {};
                ::lstat((dir / "ini/options.txt").c_str(), &linkBefore);
                TestWindow w(dir.Path());
                w.Start();
                if (c.afterStart) c.plant(dir);
                const auto before = test::Snapshot(dir.Path());
                w.tk.Control(IDC_HEADING_EDIT).text = "45";
                w.tk.Click(IDC_QUIT_BUTTON);
                if (c.failingFile) {
                    ASSERT_EQ(w.tk.messages.size(), 1u) << c.name;
                    EXPECT_NE(w.tk.messages[0].find(w.dlg.StoragePath(c.failingFile)),
                              std::string::npos);
                    EXPECT_FALSE(w.tk.endResult.has_value());
                    EXPECT_EQ(test::Snapshot(dir.Path()), before) << c.name;
                    return;
                }
                EXPECT_TRUE(w.tk.messages.empty()) << c.name << ": " << w.tk.messages.front();
                EXPECT_EQ(OptionInFile(dir.Path(), "CAP", "Monde"), "45") << c.name;
                // The same files, the link still a link, nothing left beside them.
                auto after = test::Snapshot(dir.Path());
                EXPECT_EQ(after.size(), before.size()) << c.name;
                for (const auto& [path, content] : before)
                    EXPECT_EQ(after.count(path), 1u) << c.name << path;
                struct stat linkAfter {};
                ::lstat((dir / "ini/options.txt").c_str(), &linkAfter);
                EXPECT_EQ(S_ISLNK(linkAfter.st_mode), S_ISLNK(linkBefore.st_mode)) << c.name;
            },
            {dir.Path()});
        fs::permissions(dir / "ini", fs::perms::owner_write, fs::perm_options::add);
        EXPECT_TRUE(passed) << c.name;
    }
}

}  // namespace
}  // namespace wavepost
