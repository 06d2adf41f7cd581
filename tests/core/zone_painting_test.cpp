#include <gtest/gtest.h>

#include "app/layout/ResourceIds.h"
#include "tests/core/ZoneTestSupport.h"

namespace wavepost {
namespace {

using namespace test;
using platform::DrawOp;

TEST(ZonePainting, PictureFollowsMapViewAndDepth) {
    ZoneWindow z;
    auto picture = [&](int depth) {
        z.tk.colorDepth = depth;
        auto pictures = z.Painted(DrawOp::Picture);
        EXPECT_EQ(pictures.size(), 1u);
        EXPECT_EQ(pictures.at(0).rect, z.area);
        return pictures.at(0).bitmap;
    };
    EXPECT_EQ((std::vector{picture(32), picture(8)}), (std::vector{141, 170}));
    z.tk.Click(IDC_ANTIMERIDIAN_CHECK);
    EXPECT_EQ((std::vector{picture(16), picture(4)}), (std::vector{142, 167}));
    // The antimeridian view belongs to the world map only.
    z.tk.Click(IDC_MAP_EUROPE_RADIO);
    EXPECT_EQ((std::vector{picture(24), picture(8)}), (std::vector{166, 173}));
    z.tk.Click(IDC_MAP_FRANCE_RADIO);
    EXPECT_EQ((std::vector{picture(32), picture(1)}), (std::vector{164, 172}));
}

TEST(ZonePainting, GraticuleStepFollowsTheSpan) {
    ZoneWindow z({{"ini/domaines.txt", "Europe;30;67;-30;45", "Europe;30;65;-12;23"}});
    auto lines = [&](bool vertical) {
        std::vector<int> at;
        for (const auto& op : z.Painted(DrawOp::Line))
            if ((op.rect.left == op.rect.right) == vertical)
                at.push_back(vertical ? op.rect.left : op.rect.top);
        return at;
    };
    // World: every 20 degrees from 20 degrees off the left edge; from -80 up to 80.
    auto meridians = lines(true);
    ASSERT_EQ(meridians.size(), 17u);
    EXPECT_EQ(meridians[0], static_cast<int>(z.area.left + 20 * z.area.Width() / 360.0));
    auto parallels = lines(false);
    ASSERT_EQ(parallels.size(), 9u);
    EXPECT_EQ(parallels[0], static_cast<int>(z.area.bottom - 10 * z.area.Height() / 180.0));
    // 35 degrees (-12 to 23): meridians at -10, 0, 10, 20.
    z.tk.Click(IDC_MAP_EUROPE_RADIO);
    meridians = lines(true);
    ASSERT_EQ(meridians.size(), 4u);
    EXPECT_EQ(meridians[0], static_cast<int>(z.area.left + 2 * z.area.Width() / 35.0));
    EXPECT_EQ(lines(false).size(), 3u);
    // Narrower than 2 degrees: the step stops at 1 degree instead of reaching 0.
    z.tk.Click(IDC_MAP_FRANCE_RADIO);
    z.dlg.m_pDomaines->SetCell(4, 5, "-5.5");
    EXPECT_EQ(lines(true).size(), 1u);
}

TEST(ZonePainting, ZoneRectangleIsClippedAndEmptyZoneNotDrawn) {
    ZoneWindow z;
    // Centred -20, 40, 20, 20: shifted 150 to 170, 50 to 30 degrees.
    auto drawn = z.Painted(DrawOp::RectOutline);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].color, (platform::Color{255, 0, 0}));
    EXPECT_EQ(drawn[0].rect.left, static_cast<int>(z.area.left + 1 + 150 * z.area.Width() / 360.0));
    EXPECT_EQ(drawn[0].rect.bottom,
              static_cast<int>(z.area.top + 1 + 60 * z.area.Height() / 180.0));
    z.tk.Type(IDC_LON1_EDIT, "170");
    z.tk.Type(IDC_LAT1_EDIT, "85");
    drawn = z.Painted(DrawOp::RectOutline);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].rect.right, z.area.right);
    EXPECT_EQ(drawn[0].rect.top, z.area.top);
    z.tk.Type(IDC_LON2_EDIT, "0");
    EXPECT_TRUE(z.Painted(DrawOp::RectOutline).empty());
    // Edges beyond any float: infinite centre minus infinite half-width is no number.
    z.tk.Type(IDC_LON1_EDIT, "1e999");
    z.tk.Type(IDC_LON2_EDIT, "1e999");
    EXPECT_TRUE(z.Painted(DrawOp::RectOutline).empty());
    EXPECT_EQ(z.Painted(DrawOp::Line).size(), 26u) << "the graticule stays";
}

// A frame the conversions cannot divide by: no row for the map, or two equal edges.
class UndefinedFrame : public ::testing::TestWithParam<std::string> {};

TEST_P(UndefinedFrame, MapIsPaintedWithoutZoneAndNothingFails) {
    ZoneWindow z({{"ini/domaines.txt", "Monde;-90;90;0;360", GetParam()}});
    EXPECT_EQ(z.Painted(DrawOp::Picture).size(), 1u);
    EXPECT_TRUE(z.Painted(DrawOp::RectOutline).empty());
    z.tk.Type(IDC_LON1_EDIT, "12,5");
    z.tk.Leave(IDC_LON1_EDIT);
    EXPECT_EQ(z.tk.GetControlText(IDC_LON1_EDIT), "12.5") << "not clamped into an undefined frame";
    z.tk.PressMouse(z.area.left + 10, z.area.top + 10);
    z.tk.ReleaseMouse(z.area.left + 50, z.area.top + 50);
    EXPECT_EQ(z.tk.GetControlText(IDC_LON1_EDIT), "12.5") << "no selection either";
    EXPECT_TRUE(z.tk.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(ZonePainting, UndefinedFrame,
                         ::testing::Values("Atlantis;-90;90;0;360", "Monde;-90;90;10;10",
                                           "Monde;45;45;0;360"));

TEST(ZonePainting, PagesShowTheirOwnControls) {
    ZoneWindow z;
    auto& tk = z.tk;
    // One control of each page, the zone caption that no page shows last.
    std::vector<platform::ControlHandle> probes{
        IDC_MAP_FRAME,          IDC_SPEED_SPIN,      IDC_ANTIMERIDIAN_CHECK, IDC_MESH_LON_COMBO,
        IDC_ZONE_CENTRED_RADIO, IDC_EURO_SIGN_LABEL, IDC_PRESENTATION_EDIT};
    probes.insert(probes.end(),
                  {z.dlg.m_pListEcheances, z.dlg.m_pListImages, z.dlg.m_pCaptionZone});
    auto shown = [&] {
        std::string flags;
        for (auto control : probes) flags += tk.IsControlVisible(control) ? '1' : '0';
        return flags;
    };
    EXPECT_EQ(shown(), "1110000000");
    tk.SelectTab(1);
    EXPECT_EQ(shown(), "0001000100");
    // Away from the zone page the map is not drawn, the cost labels are.
    EXPECT_TRUE(z.Painted(DrawOp::Picture).empty());
    EXPECT_EQ(z.Painted(DrawOp::Text).at(1).text, "Coût estimé télécom :");
    tk.SelectTab(2);
    EXPECT_EQ(shown(), "0000110000");
    tk.SelectTab(4);
    EXPECT_EQ(shown(), "0000000010");
    tk.SelectTab(5);
    EXPECT_EQ(shown(), "0000001000");
    // A minimised window shows its icon and nothing else.
    tk.minimised = true;
    auto painted = tk.Paint();
    ASSERT_EQ(painted.ops.size(), 1u);
    EXPECT_EQ(painted.ops[0].kind, DrawOp::Icon);
}

}  // namespace
}  // namespace wavepost
