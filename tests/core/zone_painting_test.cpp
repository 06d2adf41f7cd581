#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "app/layout/Layout.h"
#include "app/layout/ResourceIds.h"
#include "tests/core/ZoneTestSupport.h"

namespace wavepost {
namespace {

using namespace test;
using platform::DrawOp;

TEST(ZonePainting, GraticuleStepFollowsTheSpan) {
    // 20 degrees, halved until two steps fit; never below 1.
    const float steps[][2] = {{40, 20}, {39.9f, 10}, {1.5f, 1}, {0, 1}};
    for (auto [span, step] : steps) EXPECT_EQ(zone::GraticuleStep(span), step) << span;
    const platform::Rect world = kWorld.area;
    struct Row {
        zone::DomainFrame shifted;
        platform::Rect area;
        std::vector<int> meridians, parallels;
    } rows[] = {
        // The edges get no line.
        {kWorldFrame,
         world,
         {120, 140, 160, 180, 200, 220, 240, 260, 280, 300, 320, 340, 360, 380, 400, 420, 440},
         {220, 200, 180, 160, 140, 120, 100, 80, 60}},
        // -12 to 23 shifted: meridians at -10, 0, 10 and 20; parallels at 40, 50 and 60.
        {{30, 65, 168, 203, true}, {100, 50, 135, 85}, {102, 112, 122, 132}, {75, 65, 55}},
        // Lines closer than a pixel, or a span that is not positive: none.
        {{-90, 90, 0, 36000, true}, world, {}, {220, 200, 180, 160, 140, 120, 100, 80, 60}},
        {{90, -90, 360, 0, true}, world, {}, {}}};
    for (const Row& r : rows) {
        const zone::Graticule lines = zone::GraticuleLines(r.shifted, r.area);
        EXPECT_EQ(lines.meridians, r.meridians) << r.shifted.left;
        EXPECT_EQ(lines.parallels, r.parallels) << r.shifted.left;
    }
}

TEST(ZonePainting, ZoneInPixels) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    using Pixels = std::optional<platform::Rect>;
    struct Row {
        zone::MapView view;
        zone::ZoneRect zone;
        Pixels pixels;
    } rows[] = {
        // Centred -20, 40, 20, 20: shifted 150 to 170, 50 to 30 degrees; crossed; held inside.
        {kWorld, {150, 170, 50, 30}, Pixels{{251, 91, 271, 111}}},
        {kWorld, {340, 360, 95, 75}, Pixels{{441, 50, 460, 66}}},
        // 170 to 190 across the middle, the west edge deciding the half.
        {kPacific, {370, 350, 40, 50}, Pixels{{271, 91, 291, 101}}},
        // -5, 47, 10, 8 on Europe (-30 to 45, 30 to 67).
        // No number, no frame, no area.
        {kWorld, {nan, 170, 50, 30}, std::nullopt},
        {{{}, kWorld.area, true, false}, {150, 170, 50, 30}, std::nullopt},
        {{kWorldFrame, {100, 50, 100, 230}, true, false}, {150, 170, 50, 30}, std::nullopt}};
    for (const Row& r : rows) EXPECT_EQ(zone::GeoToPixel(r.view, r.zone), r.pixels) << r.zone.west;
}

// The rectangle 170E 20N to 170W 20S is ordered 20 degrees wide across 180: it is drawn
// so, never the long way round.
TEST(ZonePainting, AZoneAcross180IsDrawnAsOrdered) {
    using Pieces = std::vector<platform::Rect>;
    struct Row {
        zone::MapView view;
        zone::ZoneRect zone;
        Pieces pieces;
    } rows[] = {{kWorld, {350, 10, 20, -20}, Pieces{{451, 121, 460, 161}, {101, 121, 111, 161}}},
                {kPacific, {350, 10, 20, -20}, Pieces{{271, 121, 291, 161}}},
                {kWorld, {150, 170, 50, 30}, Pieces{{251, 91, 271, 111}}},
                // West 10 degrees east of east: ordered 340 degrees wide, and drawn so.
                {kPacific, {370, 350, 40, 50}, Pieces{{291, 91, 460, 101}, {101, 91, 271, 101}}}};
    for (const Row& r : rows) EXPECT_EQ(zone::ZonePieces(r.view, r.zone), r.pieces) << r.zone.west;
}

TEST(ZonePainting, MapGraticuleAndZoneOfTheWindow) {
    ZoneWindow z;
    auto picture = [&](int depth) {
        z.tk.colorDepth = depth;
        auto pictures = z.Painted(DrawOp::Picture);
        EXPECT_EQ(pictures.size(), 1u);
        EXPECT_EQ(pictures.at(0).rect, z.area);
        return pictures.at(0).bitmap;
    };
    EXPECT_EQ(picture(32), 141);
    EXPECT_EQ(z.Painted(DrawOp::Line).size(), 26u);
    // Centred -20, 40, 20, 20: shifted 150 to 170, 50 to 30 degrees.
    auto drawn = z.Painted(DrawOp::RectOutline);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].color, (platform::Color{255, 0, 0}));
    EXPECT_EQ(drawn[0].rect.left, static_cast<int>(z.area.left + 1 + 150 * z.area.Width() / 360.0));
    EXPECT_EQ(drawn[0].rect.bottom,
              static_cast<int>(z.area.top + 1 + 60 * z.area.Height() / 180.0));
    z.tk.Type(IDC_LON2_EDIT, "0");
    EXPECT_TRUE(z.Painted(DrawOp::RectOutline).empty()) << "a zone without width";
    // The antimeridian view belongs to the world map only.
    z.tk.Click(IDC_ANTIMERIDIAN_CHECK);
    z.tk.Click(IDC_MAP_EUROPE_RADIO);
    EXPECT_EQ(picture(24), 166);
    // The map, its graticule and the zone belong to the zone page alone.
    z.tk.Type(IDC_LON2_EDIT, "20");
    for (int page = 1; page < kPageCount; ++page) {
        z.tk.SelectTab(page);
        EXPECT_TRUE(z.Painted(DrawOp::Picture).empty()) << page;
        EXPECT_TRUE(z.Painted(DrawOp::Line).empty()) << page;
        EXPECT_TRUE(z.Painted(DrawOp::RectOutline).empty()) << page;
    }
    z.tk.SelectTab(0);
    EXPECT_EQ(z.Painted(DrawOp::RectOutline).size(), 1u);
}

// A frame the conversions cannot divide by: no row for the map, or two equal edges, also in
// a second row of the map, which wins over the first.
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
                         ::testing::Values("Atlantis;-90;90;0;360",
                                           "Monde;-90;90;0;360\r\nMonde;45;45;0;360"));

}  // namespace
}  // namespace wavepost
