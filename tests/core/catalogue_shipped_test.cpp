// SPDX-License-Identifier: GPL-3.0-or-later
// The default catalogue shipped in data/: what a first start on it shows.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <string>
#include <tuple>

#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"
#include "catalogue/CatalogueUpgrade.h"
#include "request/ReplySize.h"
#include "tests/core/CatalogueTestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::SeedDefaultData;
using test::SeededFolder;
using test::Selected;
using test::TestWindow;

const std::filesystem::path kData = std::filesystem::path(WAVEPOST_SOURCE_DIR) / "data";

int CheckedCount(const platform::MemoryControl& list) {
    int n = 0;
    for (const auto& item : list.checkItems) n += item.check != 0;
    return n;
}

struct Frame {
    double south, north, west, east;
};

Frame FrameOf(CIniTable& domains, const std::string& map) {
    const int r = domains.FindRow(map, 1, 1);
    return {ReadNumber(domains.GetCell(r, 2)), ReadNumber(domains.GetCell(r, 3)),
            ReadNumber(domains.GetCell(r, 4)), ReadNumber(domains.GetCell(r, 5))};
}

TEST(ShippedCatalogue, EveryMapStartsWithACompleteOrderBelowTheLinksAlarm) {
    SeededFolder dir;
    TestWindow w(dir.Path());
    w.Start();
    auto& tk = w.tk;
    auto& dlg = w.dlg;
    for (int map = 0; map < 3; ++map) {
        tk.ClickMapList(map);
        const std::string name = dlg.GetMapName();
        SCOPED_TRACE(name);
        EXPECT_TRUE(tk.messages.empty());

        for (auto list :
             {dlg.m_pListEcheances, dlg.m_pListParametres, dlg.m_pListBulletins, dlg.m_pListImages})
            EXPECT_GE(tk.Control(list).checkItems.size(), 3u);
        EXPECT_GE(CheckedCount(tk.Control(dlg.m_pListParametres)), 1);
        EXPECT_GE(CheckedCount(tk.Control(dlg.m_pListEcheances)), 1);

        for (int combo :
             {IDC_TELECOM_COMBO, IDC_CURRENCY_COMBO, IDC_MESH_LON_COMBO, IDC_MESH_LAT_COMBO})
            EXPECT_NE(Selected(tk, combo), "(none)");

        // The centred zone: inside the frame (the world row is in shifted longitudes).
        Frame frame = FrameOf(*dlg.m_pDomaines, name);
        if (map == 0) frame.west -= 180, frame.east -= 180;
        const double lon = ReadNumber(dlg.m_strLon1), lat = ReadNumber(dlg.m_strLat1);
        const double width = ReadNumber(dlg.m_strLon2), height = ReadNumber(dlg.m_strLat2);
        EXPECT_GT(width, 0);
        EXPECT_GT(height, 0);
        EXPECT_GE(lon - width / 2, frame.west);
        EXPECT_LE(lon + width / 2, frame.east);
        EXPECT_GE(lat - height / 2, frame.south);
        EXPECT_LE(lat + height / 2, frame.north);

        const double nx = width / ReadNumber(Selected(tk, IDC_MESH_LON_COMBO)) + 1;
        const double ny = -height / ReadNumber(Selected(tk, IDC_MESH_LAT_COMBO)) - 1;
        const long points = static_cast<long>(std::fabs(nx * ny));
        const int link = tk.Control(IDC_TELECOM_COMBO).selection;
        EXPECT_LT(points, ReadInteger(dlg.m_pTelecoms->GetCell(link + 2, 3)));
        ASSERT_TRUE(dlg.m_lastEstimate);
        EXPECT_GT(dlg.m_lastEstimate->replyBytes, 0);
        EXPECT_TRUE(dlg.m_lastEstimate->transferSeconds);
    }
    // Every link has its rate, so that each shows the order's time.
    for (int r = 2; r <= dlg.m_pTelecoms->GetRowCount(); ++r)
        EXPECT_TRUE(LinkRate(dlg.m_pTelecoms->GetCell(r, 5))) << dlg.m_pTelecoms->GetCell(r, 1);
}

TEST(ShippedCatalogue, FilesAreUtf8WithCrlfAndASaveRewritesThemUnchanged) {
    for (const char* file :
         {"ini/domaines.txt", "ini/echeances.txt", "ini/parametres.txt", "ini/bulletins.txt",
          "ini/images.txt", "ini/options.txt", "ini/modes.txt", "ini/compressions.txt",
          "ini/envois.txt", "ini/telecoms.txt", "ini/unites.txt", "ini/mailles.txt", "ini/soft.txt",
          "ini/presentation.txt", "ini/saildocs.txt", "ini/version.txt", "init.cnf"}) {
        const std::string content = ReadFile(kData / file);
        EXPECT_EQ(ToUtf8(content), content) << file;  // UTF-8 already
        ASSERT_GE(content.size(), 2u) << file;
        EXPECT_EQ(content.substr(content.size() - 2), "\r\n") << file;
        for (std::size_t i = content.find('\n'); i != std::string::npos;
             i = content.find('\n', i + 1))
            EXPECT_TRUE(i > 0 && content[i - 1] == '\r') << file << " at byte " << i;
    }

    SeededFolder dir;
    const auto before = test::Snapshot(dir.Path());
    TestWindow w(dir.Path());
    w.Start();
    w.tk.Click(IDC_QUIT_BUTTON);
    EXPECT_EQ(w.tk.endResult, 1);
    EXPECT_EQ(test::Snapshot(dir.Path()), before);
}

// Replaces the first occurrence of a text in a file; the test fails when there is none.
void Edit(const std::filesystem::path& file, const std::string& from, const std::string& to) {
    std::string content = ReadFile(file);
    const std::size_t at = content.find(from);
    ASSERT_NE(at, std::string::npos) << file << ": " << from;
    test::WriteFile(file, content.replace(at, from.size(), to));
}

bool Holds(const std::filesystem::path& file, const std::string& text) {
    return ReadFile(file).find(text) != std::string::npos;
}

// A newer catalogue than the shipped one: a bulletin and a parameter added, a bulletin
// dropped, a price changed, an option key added on every map.
void MakeNewerCatalogue(const std::filesystem::path& folder) {
    Edit(folder / "ini/version.txt", "1\r\n", "2\r\n");
    Edit(folder / "ini/bulletins.txt", "Monde;METAREA2;", "Monde;METAREA9;");
    Edit(folder / "ini/parametres.txt", "\r\n", "\r\nMonde;SNOWD;Neige;0;1;1;0\r\n");
    Edit(folder / "ini/telecoms.txt", "GSM;0.00001;", "GSM;0.00002;");
    std::string options = ReadFile(folder / "ini/options.txt");
    for (const char* map : {"Monde", "Europe", "France"})
        options += std::string("MARGE;0;5;") + map + "\r\n";
    test::WriteFile(folder / "ini/options.txt", options);
}

TEST(CatalogueUpgrade, KeepsEveryChoiceAndBringsEveryNewRowOnce) {
    SeededFolder shipped, user;
    MakeNewerCatalogue(shipped.Path());
    // The user's choices, in an older folder that has no version file yet.
    std::filesystem::remove(user / "ini/version.txt");
    const auto ini = user.Path() / "ini";
    // clang-format off
    const std::tuple<const char*, std::string, std::string> choices[] = {
        {"bulletins.txt", "Monde;METAREA1;METAREA I : Atlantique Nord-Est;0\r\n", "Monde;METAREA1;METAREA I : Atlantique Nord-Est;1\r\n"},
        {"parametres.txt", "Monde;WIND;Vent à 10 m (direction et force);1;1;", "Monde;WIND;Vent à 10 m (direction et force);0;1;"},
        {"echeances.txt", "Monde;12;1;1\r\n", "Monde;12;0;1\r\n"},
        {"options.txt", "X1;-30.0;-30.0;Monde\r\n", "X1;-20.0;-30.0;Monde\r\n"},
        {"options.txt", "TELECOM;Iridium;Iridium;Monde\r\n", "TELECOM;GSM;Iridium;Monde\r\n"},
    };
    // clang-format on
    for (const auto& [file, old, chosen] : choices) Edit(ini / file, old, chosen);
    const auto before = test::Snapshot(ini);

    const UtcTime now = *ReadIsoUtc("2026-12-08T08:03:33Z");
    const CatalogueUpgrade upgrade =
        UpgradeCatalogue(shipped.Path().string(), user.Path().string(), now);
    EXPECT_TRUE(upgrade.merged);
    for (const char* told :
         {"bulletins.txt : 1 ligne(s) ajoutée(s), 1 ligne(s) retirée(s)",
          "telecoms.txt : 0 ligne(s) ajoutée(s), 0 ligne(s) retirée(s), 1 ligne(s) modifiée(s)"})
        EXPECT_NE(upgrade.message.find(told), std::string::npos) << upgrade.message;
    EXPECT_EQ(upgrade.message.find("echeances.txt"), std::string::npos) << upgrade.message;

    // The choices stay, the new rows come with their defaults, the dropped row goes.
    for (const auto& [file, old, chosen] : choices)
        EXPECT_TRUE(Holds(ini / file, chosen)) << chosen;
    EXPECT_TRUE(Holds(ini / "bulletins.txt", "Monde;METAREA9;"));
    EXPECT_FALSE(Holds(ini / "bulletins.txt", "METAREA2"));
    EXPECT_TRUE(Holds(ini / "parametres.txt", "Monde;SNOWD;Neige;1;1;1;0\r\n"))
        << ReadFile(ini / "parametres.txt");
    for (const char* map : {"Monde", "Europe", "France"})
        EXPECT_TRUE(Holds(ini / "options.txt", std::string("MARGE;5;5;") + map + "\r\n")) << map;
    EXPECT_TRUE(Holds(ini / "telecoms.txt", "GSM;0.00002;"));
    EXPECT_EQ(ReadFile(ini / "version.txt"), "Version\r\n2\r\n");
    // The previous tables, byte for byte, beside them.
    const auto backup = user.Path() / "ini-20261208-080333";
    for (const auto& [path, content] : before)
        EXPECT_EQ(ReadFile(backup / std::filesystem::path(path).filename()), content) << path;
    EXPECT_NE(upgrade.message.find(backup.string()), std::string::npos) << upgrade.message;

    // The window opens on the merged tables with the user's choices, and saves them as
    // they are.
    {
        TestWindow w(user.Path());
        w.Start();
        EXPECT_TRUE(w.tk.messages.empty());
        EXPECT_EQ(w.tk.Control(IDC_LON1_EDIT).text, "-20.0");
        const auto merged = test::Snapshot(ini);
        w.tk.Click(IDC_QUIT_BUTTON);
        EXPECT_EQ(test::Snapshot(ini), merged);
    }
    // Done once: the same catalogue again changes nothing.
    const auto merged = test::Snapshot(user.Path());
    EXPECT_FALSE(UpgradeCatalogue(shipped.Path().string(), user.Path().string(), now).merged);
    EXPECT_EQ(test::Snapshot(user.Path()), merged);
}

TEST(CatalogueUpgrade, ATableThatCannotBeWrittenLeavesEveryTableAsItWas) {
    SeededFolder user;
    // Inside the user's folder, so that the user of the child process may read it.
    const auto shipped = user.Path() / "shipped";
    SeedDefaultData(shipped);
    MakeNewerCatalogue(shipped);
    std::filesystem::remove(user / "ini/version.txt");
    Edit(user.Path() / "ini/options.txt", "X1;-30.0;-30.0;Monde", "X1;-20.0;-30.0;Monde");
    std::filesystem::permissions(user / "ini/telecoms.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_TRUE(test::RunInChild(
        [&] {
            const auto before = test::Snapshot(user.Path() / "ini");
            EXPECT_THROW(UpgradeCatalogue(shipped.string(), user.Path().string(), UtcNow()),
                         FileError);
            EXPECT_EQ(test::Snapshot(user.Path() / "ini"), before);
        },
        {user.Path()}));
}

}  // namespace
}  // namespace wavepost
