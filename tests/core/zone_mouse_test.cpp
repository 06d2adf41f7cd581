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

TEST(ZoneMouse, WorldRectangleEdgesInBothForms) {
    ZoneWindow z({kWorldInRectangleMode});
    auto& tk = z.tk;
    const platform::Rect a = z.area;
    // Released exactly on the last pixel column: the strict form.
    tk.PressMouse(a.left, a.top);
    EXPECT_EQ(tk.rubberBands, (std::vector<platform::Rect>{{a.left, a.top, a.left, a.top}}));
    tk.MoveMouse(a.right, a.bottom);
    EXPECT_EQ(tk.rubberBands, (std::vector<platform::Rect>{{a.left, a.top, a.right, a.bottom}}));
    tk.ReleaseMouse(a.right, a.bottom);
    EXPECT_TRUE(tk.rubberBands.empty());
    EXPECT_EQ(z.Texts(), (Texts{"180.0", "90.0", "180.0", "-90.0"}));

    // Running out over the right edge ends the selection there: the inclusive form.
    tk.PressMouse(WorldX(a, 20), a.bottom);
    tk.MoveMouse(a.right + 5, a.top + 20);
    EXPECT_FALSE(z.dlg.m_bDragging);
    EXPECT_TRUE(tk.rubberBands.empty());
    const Texts ended = z.Texts();
    EXPECT_EQ(ended[0], "-160.0");
    EXPECT_EQ(ended[2], "-180.0");
    tk.MoveMouse(WorldX(a, 100), a.top + 30);
    tk.ReleaseMouse(WorldX(a, 100), a.top + 30);
    EXPECT_EQ(z.Texts(), ended);
}

TEST(ZoneMouse, CentredSelectionAnyDirection) {
    ZoneWindow z;
    const platform::Rect a = z.area;
    z.tk.Click(IDC_MAP_EUROPE_RADIO);  // Europe: 75 degrees of longitude from -30
    auto drag = [&](int x0, int y0, int x1, int y1) {
        z.tk.PressMouse(x0, y0);
        z.tk.MoveMouse((x0 + x1) / 2, (y0 + y1) / 2);
        z.tk.ReleaseMouse(x1, y1);
        return z.Texts();
    };
    const int x20w = a.left + 10 * a.Width() / 75;
    const Texts forward = drag(a.left, a.top + 5, x20w, a.bottom - 5);
    EXPECT_EQ(forward[0], "-25.0");
    EXPECT_EQ(forward[2], "10.0");
    EXPECT_EQ(drag(x20w, a.bottom - 5, a.left, a.top + 5), forward);
    // A click without movement: a zone of size zero, not drawn.
    EXPECT_EQ(drag(x20w, a.top + 40, x20w, a.top + 40)[2], "0.0");
    EXPECT_TRUE(z.Painted(platform::DrawOp::RectOutline).empty());
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

TEST(ZoneMouse, AntimeridianViewGoesPast180) {
    ZoneWindow z({kWorldInRectangleMode, kAntimeridianView});
    auto& tk = z.tk;
    const platform::Rect a = z.area;
    tk.PressMouse(WorldX(a, 160), a.top + 10);
    tk.ReleaseMouse(WorldX(a, 240), a.top + 50);
    EXPECT_EQ(tk.GetControlText(IDC_LON1_EDIT), "160.0");
    EXPECT_EQ(tk.GetControlText(IDC_LON2_EDIT), "240.0");
    // Leaving a field only normalises it: this view is not clamped.
    tk.Type(IDC_LON2_EDIT, "250,04");
    tk.Leave(IDC_LON2_EDIT);
    EXPECT_EQ(tk.GetControlText(IDC_LON2_EDIT), "250.0");

    // 170 to 190 is drawn across the middle, and so are its crossed corners.
    tk.Type(IDC_LON1_EDIT, "170.0");
    tk.Type(IDC_LAT1_EDIT, "50.0");
    tk.Type(IDC_LON2_EDIT, "190.0");
    tk.Type(IDC_LAT2_EDIT, "40.0");
    const int middle = a.left + a.Width() / 2;
    auto drawn = z.Painted(platform::DrawOp::RectOutline);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_LT(drawn[0].rect.left, middle);
    EXPECT_GT(drawn[0].rect.right, middle);
    tk.Type(IDC_LON1_EDIT, "190.0");
    tk.Type(IDC_LAT1_EDIT, "40.0");
    tk.Type(IDC_LON2_EDIT, "170.0");
    tk.Type(IDC_LAT2_EDIT, "50.0");
    EXPECT_EQ(z.Painted(platform::DrawOp::RectOutline).at(0).rect, drawn[0].rect);

    // In centred mode the centre is brought back below 180.
    tk.SelectTab(2);
    tk.Click(IDC_ZONE_CENTRED_RADIO);
    tk.SelectTab(0);
    tk.PressMouse(WorldX(a, 160), a.top + 10);
    tk.ReleaseMouse(WorldX(a, 240), a.top + 50);
    EXPECT_EQ(tk.GetControlText(IDC_LON1_EDIT), "-160.0");
    EXPECT_EQ(tk.GetControlText(IDC_LON2_EDIT), "80.0");
}

}  // namespace
}  // namespace wavepost
