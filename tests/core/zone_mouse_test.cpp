#include <gtest/gtest.h>

#include <functional>

#include "app/layout/ResourceIds.h"
#include "tests/core/ZoneTestSupport.h"

namespace wavepost {
namespace {

using namespace test;

// The world map is 360 degrees over the map area's width.
int WorldX(const platform::Rect& area, int degreesFromLeft) {
    return area.left + degreesFromLeft * area.Width() / 360;
}

TEST(ZoneMouse, PointerPositionInBothViews) {
    ZoneWindow z;
    auto& tk = z.tk;
    const platform::Rect a = z.area;
    auto tipAt = [&](int x, int y) {
        tk.MoveMouse(x, y);
        return tk.pointerTip ? tk.pointerTip->text : "none";
    };
    // The middle, a sixth from the right; 221 rows of pixels for 180 degrees put a third
    // of the way down at 30°33'N and the middle row just above the equator.
    const int x2 = WorldX(a, 180), x3 = WorldX(a, 300);
    const int y1 = a.top + a.Height() / 3, y2 = a.top + a.Height() / 2;
    EXPECT_EQ(tipAt(x2, y2), "0°24'N 0°00'E");
    EXPECT_EQ(tipAt(x3, y1), "30°33'N 120°00'E");
    EXPECT_EQ(tk.pointerTip->x, x3);
    EXPECT_EQ(tipAt(a.right + 1, y2), "none");
    tk.Click(IDC_ANTIMERIDIAN_CHECK);
    EXPECT_EQ(tipAt(x3, y1), "30°33'N 60°00'W");
    // Only over the map of the zone page, and during a selection too.
    tk.SelectTab(1);
    EXPECT_EQ(tipAt(x2, y2), "none");
    tk.SelectTab(0);
    tk.PressMouse(x2, y2);
    EXPECT_EQ(tipAt(x3, y1), "30°33'N 60°00'W");
}

TEST(ZoneMouse, SelectionTexts) {
    using enum zone::LongitudeForm;
    // A band between two pixels, to the texts its release writes in their mode.
    struct Row {
        zone::MapView view;
        zone::Corners pixels;
        zone::LongitudeForm form;
        zone::ZoneTexts texts;
    } rows[] = {{kWorld, {100, 460, 50, 230}, Strict, {"180.0", "90.0", "180.0", "-90.0", 1}},
                {kWorld, {100, 460, 50, 230}, Inclusive, {"-180.0", "90.0", "-180.0", "-90.0", 1}},
                {kWorld, {200, 120, 80, 60}, Strict, {"-160.0", "80.0", "-80.0", "60.0", 1}},
                {kPacific, {260, 340, 60, 100}, Strict, {"160.0", "80.0", "240.0", "40.0", 1}},
                // The centre is brought back below 180 in the antimeridian view as well.
                {kPacific, {260, 340, 60, 100}, Strict, {"-160.0", "60.0", "80.0", "40.0", 0}},
                {kEurope, {110, 100, 82, 55}, Inclusive, {"-25.0", "48.5", "10.0", "27.0", 0}}};
    for (const Row& r : rows) {
        const zone::Corners geo = zone::Ordered(zone::PixelToGeo(r.view, r.pixels));
        EXPECT_EQ(zone::SelectionTexts(geo, r.texts.mode, r.view, r.form), r.texts);
    }
}

TEST(ZoneMouse, PressesThatStartNothing) {
    ZoneWindow z;
    auto& tk = z.tk;
    const platform::Rect a = z.area;
    const Texts before = z.Texts();
    auto press = [&](int x, int y) {
        tk.PressMouse(x, y);
        tk.ReleaseMouse(a.left + 100, a.top + 100);
    };
    press(a.left - 1, a.top + 10);
    press(a.left + 10, a.bottom + 1);
    press(a.left + 10, tk.GetControlRect(IDC_MAP_FRAME).top + 6);  // the frame's caption strip
    tk.SelectTab(1);
    press(a.left + 10, a.top + 10);
    EXPECT_EQ(tk.rubberBandToggles, 0);
    EXPECT_EQ(z.Texts(), before);
    // A tab change, or a change of map, abandons a selection without a result and
    // erases its band.
    for (auto abandon : {std::function<void()>([&] { tk.SelectTab(2); }),
                         std::function<void()>([&] { tk.PressMapListKey(platform::kKeyDown); })}) {
        tk.SelectTab(0);
        tk.PressMouse(a.left + 10, a.top + 10);
        tk.MoveMouse(a.left + 50, a.top + 50);
        ASSERT_EQ(tk.rubberBands.size(), 1u);
        abandon();
        EXPECT_TRUE(tk.rubberBands.empty());
        EXPECT_FALSE(z.dlg.m_bDragging);
        tk.SelectTab(0);
        const Texts zone = z.Texts();
        tk.MoveMouse(a.left + 500, a.top + 100);  // would end a selection at the edge
        tk.ReleaseMouse(a.left + 100, a.top + 100);
        EXPECT_EQ(z.Texts(), zone);
    }
}

}  // namespace
}  // namespace wavepost
