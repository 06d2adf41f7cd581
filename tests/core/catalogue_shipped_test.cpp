// The default catalogue shipped in data/: what a first start on it shows.
#include <gtest/gtest.h>

#include <cmath>

#include "app/NumberText.h"
#include "app/TextEncoding.h"
#include "app/layout/ResourceIds.h"
#include "request/ReplySize.h"
#include "tests/core/CatalogueTestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
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
          "ini/presentation.txt", "ini/saildocs.txt", "init.cnf"}) {
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

}  // namespace
}  // namespace wavepost
