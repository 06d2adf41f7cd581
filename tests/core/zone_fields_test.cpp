#include <gtest/gtest.h>

#include <limits>

#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
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
    z.tk.Type(IDC_LON2_EDIT, "-20");
    EXPECT_EQ(z.tk.GetControlText(IDC_LON2_EDIT), "20");
    EXPECT_EQ(z.dlg.m_fZoneEast, 170.0f);
    z.tk.Type(IDC_LAT2_EDIT, "");
    EXPECT_EQ(z.dlg.m_fZoneWest, 0.0f);
    z.tk.Leave(IDC_LAT2_EDIT);
    EXPECT_EQ(z.tk.GetControlText(IDC_LAT2_EDIT), "0.0");
    z.tk.Type(IDC_LAT2_EDIT, "12,34");
    z.tk.Leave(IDC_LAT2_EDIT);
    EXPECT_EQ(z.tk.GetControlText(IDC_LAT2_EDIT), "12.3");
}

TEST(ZoneFields, RectangleCornersStayCrossedAndInsideTheMap) {
    ZoneWindow z({{"ini/options.txt", "MODE;Mode centré;Mode centré;France",
                   "MODE;Mode rectangle;Mode centré;France"}});
    z.tk.Click(IDC_MAP_FRANCE_RADIO);  // France: -7 to 11, 41.5 to 51.5
    z.tk.Type(IDC_LON1_EDIT, "10");
    z.tk.Type(IDC_LON2_EDIT, "-10");
    EXPECT_EQ(z.dlg.m_fZoneWest, 190.0f);
    EXPECT_EQ(z.dlg.m_fZoneEast, 170.0f);
    // The saved south corner 3.0 lies outside the map as well.
    z.tk.Leave(IDC_LON2_EDIT);
    EXPECT_EQ(z.Texts(), (Texts{"10", "47.5", "-7.0", "41.5"}));
}

TEST(ZoneFields, CentredZoneIsCutToTheMapFrame) {
    ZoneWindow z({{"ini/domaines.txt", "Europe;30;67;-30;45", "Europe;30;67;-10;30"}});
    z.tk.Click(IDC_MAP_EUROPE_RADIO);
    EXPECT_FALSE(z.tk.IsControlVisible(IDC_ANTIMERIDIAN_CHECK));
    EXPECT_EQ(z.Texts(), (Texts{"-5.0", "47.0", "10.0", "8.0"}));
    z.tk.Type(IDC_LON1_EDIT, "0");
    z.tk.Type(IDC_LON2_EDIT, "30");
    z.tk.Leave(IDC_LON2_EDIT);
    EXPECT_EQ(z.Texts(), (Texts{"0", "47.0", "20.0", "8.0"}));
    // The estimate shown is the clamped zone's, not the typed one's.
    const std::string clampedCost = z.tk.GetControlText(IDC_WEATHER_COST_EDIT);
    z.tk.Type(IDC_LON2_EDIT, "20.0");
    EXPECT_EQ(z.tk.GetControlText(IDC_WEATHER_COST_EDIT), clampedCost);
    z.tk.Type(IDC_LON2_EDIT, "30");
    EXPECT_NE(z.tk.GetControlText(IDC_WEATHER_COST_EDIT), clampedCost)
        << "the widths cost the same";
    z.tk.Type(IDC_LON1_EDIT, "40");
    z.tk.Leave(IDC_LON1_EDIT);
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
    } steps[] = {{IDC_HEADING_SPIN, IDC_HEADING_EDIT, "360", -1, "10"},
                 {IDC_HEADING_SPIN, IDC_HEADING_EDIT, "10", 1, "360"},
                 {IDC_HEADING_SPIN, IDC_HEADING_EDIT, "5", 1, "360"},
                 {IDC_HEADING_SPIN, IDC_HEADING_EDIT, "355", -1, "365"},
                 {IDC_SPEED_SPIN, IDC_SPEED_EDIT, "0", 1, "0"},
                 {IDC_SPEED_SPIN, IDC_SPEED_EDIT, "50", -1, "50"},
                 {IDC_SPEED_SPIN, IDC_SPEED_EDIT, "49", -1, "50"},
                 {IDC_SPEED_SPIN, IDC_SPEED_EDIT, "12", 1, "11"}};
    for (const Step& s : steps) {
        z.tk.Control(s.edit).text = s.from;
        z.tk.Spin(s.spin, s.delta);
        EXPECT_EQ(z.tk.GetControlText(s.edit), s.to) << s.from << " " << s.delta;
    }
    z.tk.Leave(IDC_HEADING_EDIT);
    EXPECT_EQ(z.tk.GetControlText(IDC_HEADING_EDIT), "360");
    for (auto [typed, bounded] : {std::pair{"80", "50"}, {"-3", "0"}, {"7.9 kn", "7"}}) {
        z.tk.Type(IDC_SPEED_EDIT, typed);
        z.tk.Leave(IDC_SPEED_EDIT);
        EXPECT_EQ(z.tk.GetControlText(IDC_SPEED_EDIT), bounded) << typed;
    }
}

TEST(ZoneFields, AntimeridianIsSavedInTheAddressFile) {
    ZoneWindow z;
    std::string expected = ReadFile("init.cnf");
    expected[expected.find("Antime=0") + 7] = '1';
    z.tk.Click(IDC_ANTIMERIDIAN_CHECK);
    EXPECT_EQ(ReadFile("init.cnf"), expected) << "one byte rewritten in place";
    TestWindow next;
    next.Start();
    EXPECT_EQ(next.dlg.m_bAntimeridian, 1);
    // Without the file the error is reported; the box goes back to the state it keeps.
    std::filesystem::remove("init.cnf");
    const std::size_t redraws = next.tk.redraws.size();
    next.tk.Click(IDC_ANTIMERIDIAN_CHECK);
    EXPECT_EQ(next.tk.messages, std::vector<std::string>{Format(
                                    LoadString(IDS_ANTIMERIDIAN_NOT_SAVED).c_str(), "init.cnf")});
    EXPECT_EQ(next.dlg.m_bAntimeridian, 1);
    EXPECT_EQ(next.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, 1);
    EXPECT_EQ(next.tk.redraws.size(), redraws);
}

TEST(ZoneFields, ModeChangeRewritesTheTextsAtOnce) {
    ZoneWindow z;
    EXPECT_EQ(z.tk.GetControlText(IDC_COLUMN1_TITLE), "Position du centre de la grille");
    const std::string order = z.dlg.BuildGribRequest();
    z.tk.SelectTab(2);
    z.tk.Click(IDC_ZONE_RECTANGLE_RADIO);
    // An order or a save made now, without the zone page, reads the same zone.
    EXPECT_EQ(z.Texts(), (Texts{"-30.0", "50.0", "-10.0", "30.0"}));
    EXPECT_EQ(z.tk.GetControlText(IDC_COLUMN2_TITLE), "Position inférieur droit");
    EXPECT_EQ(z.dlg.BuildGribRequest(), order);
    z.tk.SelectTab(0);
    EXPECT_EQ(z.Texts(), (Texts{"-30.0", "50.0", "-10.0", "30.0"})) << "converted twice";
    // Crossed corners give a negative width, which the zone page makes positive.
    z.tk.Type(IDC_LON2_EDIT, "-40");
    z.tk.SelectTab(2);
    z.tk.Click(IDC_ZONE_CENTRED_RADIO);
    EXPECT_EQ(z.Texts(), (Texts{"-35.0", "40.0", "10.0", "20.0"}));
    z.tk.SelectTab(0);
    EXPECT_EQ(z.Texts(), (Texts{"-35.0", "40.0", "10.0", "20.0"}));
}

}  // namespace
}  // namespace wavepost
