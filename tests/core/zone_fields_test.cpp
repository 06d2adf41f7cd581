#include <gtest/gtest.h>

#include <limits>

#include "app/NumberText.h"
#include "app/layout/StringTable.h"
#include "tests/core/ZoneTestSupport.h"

namespace wavepost {
namespace {

using namespace test;

TEST(ZoneConversion, LongitudeFormsAndClamping) {
    // The map's edges in both forms are checked through the mouse; here the values no
    // turn-by-turn loop would ever finish.
    EXPECT_LE(CMarlockDlg::ReduceLongitude(1e300, LongitudeForm::Strict), 180.0);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(CMarlockDlg::ReduceLongitude(inf, LongitudeForm::Inclusive), inf);

    float x0 = 10, x1 = 20, y0 = 5, y1 = 30;  // exactly on the edges
    EXPECT_EQ(CMarlockDlg::ClampToRect(x0, x1, y0, y1, 10, 5, 20, 30), 0);
    x0 = 9, x1 = 25, y0 = 4, y1 = 31;
    EXPECT_EQ(CMarlockDlg::ClampToRect(x0, x1, y0, y1, 10, 5, 20, 30), 4);
}

TEST(ZoneFields, ZoneFollowsTheTexts) {
    ZoneWindow z;
    // Centred -20, 40, 20, 20 on the world map: shifted longitudes 150 to 170.
    EXPECT_EQ((std::vector<float>{z.dlg.m_fZoneWest, z.dlg.m_fZoneEast, z.dlg.m_fZoneNorth,
                                  z.dlg.m_fZoneSouth}),
              (std::vector<float>{150, 170, 50, 30}));
    z.tk.Type(1079, "-20");
    EXPECT_EQ(z.tk.GetControlText(1079), "20");
    EXPECT_EQ(z.dlg.m_fZoneEast, 170.0f);
    z.tk.Type(1080, "");
    EXPECT_EQ(z.dlg.m_fZoneWest, 0.0f);
    z.tk.Leave(1080);
    EXPECT_EQ(z.tk.GetControlText(1080), "0.0");
    z.tk.Type(1080, "12,34");
    z.tk.Leave(1080);
    EXPECT_EQ(z.tk.GetControlText(1080), "12.3");
}

TEST(ZoneFields, RectangleCornersStayCrossedAndInsideTheMap) {
    ZoneWindow z({{"ini/options.txt", "MODE;Mode centré;Mode centré;France",
                   "MODE;Mode rectangle;Mode centré;France"}});
    z.tk.Click(1010);  // France: -7 to 11, 41.5 to 51.5
    z.tk.Type(1073, "10");
    z.tk.Type(1079, "-10");
    EXPECT_EQ(z.dlg.m_fZoneWest, 190.0f);
    EXPECT_EQ(z.dlg.m_fZoneEast, 170.0f);
    // The saved south corner 3.0 lies outside the map as well.
    z.tk.Leave(1079);
    EXPECT_EQ(z.Texts(), (Texts{"10", "47.5", "-7.0", "41.5"}));
}

TEST(ZoneFields, CentredZoneIsCutToTheMapFrame) {
    ZoneWindow z({{"ini/domaines.txt", "Europe;30;67;-30;45", "Europe;30;67;-10;30"}});
    z.tk.Click(1009);
    EXPECT_FALSE(z.tk.IsControlVisible(1092));
    EXPECT_EQ(z.Texts(), (Texts{"-5.0", "47.0", "10.0", "8.0"}));
    z.tk.Type(1073, "0");
    z.tk.Type(1079, "30");
    z.tk.Leave(1079);
    EXPECT_EQ(z.Texts(), (Texts{"0", "47.0", "20.0", "8.0"}));
    // The estimate shown is the clamped zone's, not the typed one's.
    const std::string clampedCost = z.tk.GetControlText(1011);
    z.tk.Type(1079, "20.0");
    EXPECT_EQ(z.tk.GetControlText(1011), clampedCost);
    z.tk.Type(1079, "30");
    EXPECT_NE(z.tk.GetControlText(1011), clampedCost) << "the widths cost the same";
    z.tk.Type(1073, "40");
    z.tk.Leave(1073);
    EXPECT_EQ(z.Texts(), (Texts{"30.0", "47.0", "0.0", "8.0"}));
}

TEST(ZoneFields, HeadingAndSpeedSteps) {
    ZoneWindow z;
    // Negative changes are the up arrow.
    struct Step {
        int spin, edit;
        const char* from;
        int delta;
        const char* to;
    } steps[] = {{1087, 1085, "360", -1, "10"}, {1087, 1085, "10", 1, "360"},
                 {1087, 1085, "5", 1, "360"},   {1087, 1085, "355", -1, "365"},
                 {1093, 1086, "0", 1, "0"},     {1093, 1086, "50", -1, "50"},
                 {1093, 1086, "49", -1, "50"},  {1093, 1086, "12", 1, "11"}};
    for (const Step& s : steps) {
        z.tk.Control(s.edit).text = s.from;
        z.tk.Spin(s.spin, s.delta);
        EXPECT_EQ(z.tk.GetControlText(s.edit), s.to) << s.from << " " << s.delta;
    }
    z.tk.Leave(1085);
    EXPECT_EQ(z.tk.GetControlText(1085), "360");
    for (auto [typed, bounded] : {std::pair{"80", "50"}, {"-3", "0"}, {"7.9 kn", "7"}}) {
        z.tk.Type(1086, typed);
        z.tk.Leave(1086);
        EXPECT_EQ(z.tk.GetControlText(1086), bounded) << typed;
    }
}

TEST(ZoneFields, AntimeridianIsSavedInTheAddressFile) {
    ZoneWindow z;
    std::string expected = ReadFile("init.cnf");
    expected[expected.find("Antime=0") + 7] = '1';
    z.tk.Click(1092);
    EXPECT_EQ(ReadFile("init.cnf"), expected) << "one byte rewritten in place";
    TestWindow next;
    next.Start();
    EXPECT_EQ(next.dlg.m_bAntimeridian, 1);
    // Without the file the error is reported; the box goes back to the state it keeps.
    std::filesystem::remove("init.cnf");
    const std::size_t redraws = next.tk.redraws.size();
    next.tk.Click(1092);
    EXPECT_EQ(next.tk.messages, std::vector<std::string>{Format(
                                    LoadString(IDS_ANTIMERIDIAN_NOT_SAVED).c_str(), "init.cnf")});
    EXPECT_EQ(next.dlg.m_bAntimeridian, 1);
    EXPECT_EQ(next.tk.Control(1092).check, 1);
    EXPECT_EQ(next.tk.redraws.size(), redraws);
}

TEST(ZoneFields, ModeChangeRewritesTheTextsAtOnce) {
    ZoneWindow z;
    EXPECT_EQ(z.tk.GetControlText(1068), "Position du centre de la grille");
    const std::string order = z.dlg.BuildGribRequest();
    z.tk.SelectTab(2);
    z.tk.Click(1017);
    // An order or a save made now, without the zone page, reads the same zone.
    EXPECT_EQ(z.Texts(), (Texts{"-30.0", "50.0", "-10.0", "30.0"}));
    EXPECT_EQ(z.tk.GetControlText(1069), "Position inférieur droit");
    EXPECT_EQ(z.dlg.BuildGribRequest(), order);
    z.tk.SelectTab(0);
    EXPECT_EQ(z.Texts(), (Texts{"-30.0", "50.0", "-10.0", "30.0"})) << "converted twice";
    // Crossed corners give a negative width, which the zone page makes positive.
    z.tk.Type(1079, "-40");
    z.tk.SelectTab(2);
    z.tk.Click(1016);
    EXPECT_EQ(z.Texts(), (Texts{"-35.0", "40.0", "10.0", "20.0"}));
    z.tk.SelectTab(0);
    EXPECT_EQ(z.Texts(), (Texts{"-35.0", "40.0", "10.0", "20.0"}));
}

}  // namespace
}  // namespace wavepost
