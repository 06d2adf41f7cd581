// SPDX-License-Identifier: GPL-3.0-or-later
// The boat's position: the daemon's report checked and turned into the zone texts, and
// "Position du bateau" on the window, which must change it as typing the numbers does.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "base/UtcTime.h"
#include "tests/core/ZoneTestSupport.h"
#include "zone/BoatPosition.h"

namespace wavepost {
namespace {

using namespace test;
using platform::PositionFix;
using platform::PositionLink;
using platform::PositionReport;
using zone::BoatState;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNow = 1'800'000'000;

PositionReport Connected(PositionFix fix) {
    return {PositionLink::Connected, true, fix};
}

// 47°15'N 5°30'W, 3D, a second old, heading 135 at 6.173 m/s (12 knots).
PositionFix GoodFix(double now = kNow) {
    return {3, now - 1, 47.25, -5.5, 135.0, 6.173};
}

TEST(BoatPosition, ReportsAreCheckedBeforeUse) {
    struct Case {
        const char* what;
        PositionReport report;
        BoatState state;
    } cases[] = {
        {"not followed", {}, BoatState::NotWatched},
        {"connecting", {PositionLink::Connecting, false, {}}, BoatState::Connecting},
        {"no daemon", {PositionLink::Unreachable, false, {}}, BoatState::Unreachable},
        {"no report yet", {PositionLink::Connected, false, {}}, BoatState::NoFix},
        {"mode 1", Connected({1, kNow, 47, -5, 0, 0}), BoatState::NoFix},
        {"mode 0", Connected({0, kNow, 47, -5, 0, 0}), BoatState::NoFix},
        {"good", Connected(GoodFix()), BoatState::Usable},
        {"ten minutes old", Connected({3, kNow - 600, 47, -5, 0, 0}), BoatState::Stale},
        {"no time", Connected({3, kNaN, 47, -5, 0, 0}), BoatState::BadTime},
        {"an hour ahead", Connected({3, kNow + 3600, 47, -5, 0, 0}), BoatState::BadTime},
        {"no latitude", Connected({2, kNow, kNaN, -5, 0, 0}), BoatState::BadPosition},
        {"latitude 91", Connected({2, kNow, 91, -5, 0, 0}), BoatState::BadPosition},
        {"longitude -180.5", Connected({2, kNow, 47, -180.5, 0, 0}), BoatState::BadPosition},
        {"longitude inf", Connected({2, kNow, 47, kInf, 0, 0}), BoatState::BadPosition},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zone::ReadBoatFix(c.report, kNow).state, c.state) << c.what;
}

TEST(BoatPosition, CourseAndSpeedBecomeWholeDegreesAndKnotsInTheFieldsBounds) {
    struct Case {
        double track, speed;
        std::optional<long> heading, knots;
    } cases[] = {
        {135.0, 6.173, 135, 12},                   // 12.0 knots
        {359.6, 0.2573, 360, 1},                   // 0.5 knots rounds up
        {0.4, 0.0, 0, 0},                          //
        {kNaN, kNaN, std::nullopt, std::nullopt},  // missing: the fields are left as they are
        {-1, -0.1, std::nullopt, std::nullopt},
        {360.7, kInf, std::nullopt, std::nullopt},
        {90, 100, 90, 50},  // 194 knots: held at the field's bound
        {90, 1e300, 90, std::nullopt},
    };
    for (const auto& c : cases) {
        const zone::BoatFix fix =
            zone::ReadBoatFix(Connected({2, kNow, 10, 10, c.track, c.speed}), kNow);
        EXPECT_EQ(fix.heading, c.heading) << c.track;
        EXPECT_EQ(fix.knots, c.knots) << c.speed;
        EXPECT_FALSE(fix.threeD);
    }
}

TEST(BoatPosition, ZoneCentredOnTheBoatKeepsItsSize) {
    struct Case {
        const char* what;
        zone::MapView view;
        zone::ZoneTexts texts;
        double lat, lon;
        std::optional<zone::ZoneTexts> expected;
    } cases[] = {
        // clang-format off
        {"centred", kWorld, {"-20.0", "40.0", "20.0", "10.0", 0}, 47.25, -5.5, zone::ZoneTexts{"-5.5", "47.2", "20.0", "10.0", 0}},
        {"corners move", kWorld, {"-30.0", "50.0", "-10.0", "30.0", 1}, -33.86, 151.2, zone::ZoneTexts{"141.2", "-23.9", "161.2", "-43.9", 1}},
        {"sailors' notation", kEurope, {"5W", "47N", "10.0", "6.0", 0}, 43.3, 5.4, zone::ZoneTexts{"5.4", "43.3", "10.0", "6.0", 0}},
        {"antimeridian view: corners east of Greenwich", kPacific, {"170.0", "10.0", "190.0", "-10.0", 1}, -17.5, -149.6, zone::ZoneTexts{"200.4", "-7.5", "220.4", "-27.5", 1}},
        {"antimeridian view: centre", kPacific, {"180.0", "0.0", "20.0", "20.0", 0}, -17.5, -149.6, zone::ZoneTexts{"-149.6", "-17.5", "20.0", "20.0", 0}},
        {"outside the map", kFrance, {"2.0", "46.0", "4.0", "4.0", 0}, 47.25, -10.0, std::nullopt},
        {"no mode", kWorld, {"-20.0", "40.0", "20.0", "10.0", -1}, 47.25, -5.5, std::nullopt},
        // clang-format on
    };
    for (const Case& c : cases)
        EXPECT_EQ(zone::ZoneAtBoat(c.view, c.texts, c.lat, c.lon), c.expected) << c.what;
}

TEST(BoatPosition, DaemonAddressFromTheSettings) {
    auto address = [](std::vector<std::pair<std::string, std::string>> keys) {
        ProgramSettings settings;
        settings.otherKeys = std::move(keys);
        const zone::GpsdAddress a = zone::GpsdAddressOf(settings);
        return a.host + ":" + std::to_string(a.port);
    };
    EXPECT_EQ(address({}), "localhost:2947");
    EXPECT_EQ(address({{"gpsd-host", "10.0.0.5"}, {"gpsd-port", "2948"}}), "10.0.0.5:2948");
    for (const char* bad : {"", "0", "65536", "-1", "29 47", "2947x", "99999999999999999999"})
        EXPECT_EQ(address({{"gpsd-port", bad}}), "localhost:2947") << bad;
}

struct BoatWindow : ZoneWindow {
    BoatWindow() { tk.ReportPosition({PositionLink::Connected, true, GoodFix(Now())}); }
    static double Now() { return static_cast<double>(UtcNow().time_since_epoch().count()); }
    std::string State() const { return tk.GetControlText(IDC_BOAT_STATE_LABEL); }
    std::vector<platform::DrawOp> Marks() {
        auto fills = Painted(platform::DrawOp::Fill);
        std::erase_if(fills, [](const platform::DrawOp& op) {
            return op.color != platform::Color{255, 0, 255};
        });
        return fills;
    }
};

TEST(BoatPositionWindow, TheActionChangesTheZoneAsTypingTheNumbersDoes) {
    // The same numbers typed and left, field by field, on a window of their own.
    ZoneWindow typed;
    for (auto [field, text] : {std::pair{IDC_LON1_EDIT, "-5.5"},
                               {IDC_LAT1_EDIT, "47.2"},
                               {IDC_HEADING_EDIT, "135"},
                               {IDC_SPEED_EDIT, "12"}}) {
        typed.tk.Type(field, text);
        typed.tk.Leave(field);
    }

    BoatWindow boat;
    EXPECT_EQ(boat.State().substr(0, 9), "Bateau : ");
    EXPECT_EQ(boat.State().substr(boat.State().size() - 8), " UTC, 3D");
    boat.tk.Click(IDC_BOAT_POSITION_BUTTON);
    EXPECT_TRUE(boat.tk.messages.empty());
    EXPECT_EQ(boat.Texts(), (Texts{"-5.5", "47.2", "20.0", "20.0"}));
    EXPECT_EQ(boat.Texts(), typed.Texts());
    EXPECT_EQ(boat.tk.GetControlText(IDC_HEADING_EDIT), "135");
    EXPECT_EQ(boat.tk.GetControlText(IDC_SPEED_EDIT), "12");
    EXPECT_EQ(boat.tk.GetControlText(IDC_WEATHER_COST_EDIT),
              typed.tk.GetControlText(IDC_WEATHER_COST_EDIT));
    const std::string order = boat.dlg.BuildGribRequest();
    EXPECT_EQ(order, typed.dlg.BuildGribRequest());
    EXPECT_NE(order.find("%0AZ%20-5.5%2047.2%2020.0%2020.0%0A"), std::string::npos) << order;
    EXPECT_NE(order.find("%0AV%20135%2012.0%0A"), std::string::npos) << order;
    // The mark is drawn where the zone now is, and on the zone page alone.
    const auto marks = boat.Marks();
    ASSERT_EQ(marks.size(), 1u);
    const auto zone = boat.Painted(platform::DrawOp::RectOutline);
    ASSERT_EQ(zone.size(), 1u);
    EXPECT_NEAR(marks[0].rect.left + marks[0].rect.right, zone[0].rect.left + zone[0].rect.right,
                2);
    EXPECT_NEAR(marks[0].rect.top + marks[0].rect.bottom, zone[0].rect.top + zone[0].rect.bottom,
                2);
    boat.tk.SelectTab(1);
    EXPECT_TRUE(boat.Marks().empty());
    boat.tk.SelectTab(0);
    // Kept with the map's choices as typed numbers are.
    boat.tk.Click(IDC_QUIT_BUTTON);
    typed.tk.Click(IDC_QUIT_BUTTON);
    EXPECT_EQ(ReadFile(boat.dir / "ini/options.txt"), ReadFile(typed.dir / "ini/options.txt"));
}

TEST(BoatPositionWindow, TheFrameHoldsTheZoneAsForATypedCentre) {
    BoatWindow z;
    z.tk.ClickMapList(2);  // France, from -7 to 11 degrees east
    z.tk.ReportPosition({PositionLink::Connected, true, {2, BoatWindow::Now(), 48.0, -6.0, 0, 0}});
    z.tk.Control(IDC_LON2_EDIT).text = "6.0";
    z.tk.Click(IDC_BOAT_POSITION_BUTTON);
    EXPECT_EQ(z.tk.GetControlText(IDC_LON1_EDIT), "-6.0");
    EXPECT_EQ(z.tk.GetControlText(IDC_LON2_EDIT), "2.0") << "the west half cut at the edge";
    EXPECT_EQ(z.State().substr(z.State().size() - 4), ", 2D");
}

TEST(BoatPositionWindow, WithoutAUsableFixNothingChanges) {
    struct Case {
        PositionReport report;
        std::string message;
    } cases[] = {
        {{PositionLink::Unreachable, false, {}}, "gpsd injoignable (localhost:2947)"},
        {{PositionLink::Connected, false, {}}, LoadString(IDS_BOAT_NO_FIX)},
        {{PositionLink::Connected, true, {3, BoatWindow::Now() - 3600, 47, -5, 0, 0}},
         "gpsd : position trop ancienne ("},
        {{PositionLink::Connected, true, {3, BoatWindow::Now(), 47, kNaN, 0, 0}},
         LoadString(IDS_BOAT_BAD_POSITION)},
    };
    for (const Case& c : cases) {
        BoatWindow z;
        const std::string order = z.dlg.BuildGribRequest();
        const Texts texts = z.Texts();
        EXPECT_EQ(z.Marks().size(), 1u) << "the good fix is marked";
        z.tk.ReportPosition(c.report);
        EXPECT_TRUE(z.Marks().empty()) << c.message;
        EXPECT_EQ(z.State().substr(0, c.message.size()), c.message);
        z.tk.Click(IDC_BOAT_POSITION_BUTTON);
        ASSERT_EQ(z.tk.messages.size(), 1u) << c.message;
        EXPECT_EQ(z.tk.messages[0], z.State());
        EXPECT_EQ(z.Texts(), texts);
        EXPECT_EQ(z.dlg.BuildGribRequest(), order);
    }
    BoatWindow france;
    france.tk.ClickMapList(2);
    france.tk.ReportPosition(
        {PositionLink::Connected, true, {3, BoatWindow::Now(), 47.25, -10.0, 0, 0}});
    const Texts texts = france.Texts();
    france.tk.Click(IDC_BOAT_POSITION_BUTTON);
    EXPECT_EQ(france.tk.messages,
              std::vector<std::string>{Format(LoadString(IDS_BOAT_OUTSIDE_MAP).c_str(), "France")});
    EXPECT_EQ(france.Texts(), texts);
    EXPECT_TRUE(france.Marks().empty()) << "10°W is west of the France map";
}

TEST(BoatPositionWindow, TheDaemonIsTheOneOfTheSettings) {
    SeededFolder dir;
    TempFolder settings;
    WriteFile(settings / "settings.txt", "gpsd-host=boat.local\ngpsd-port=2950\n");
    TestWindow w{dir.Path()};
    w.tk.settingsDirectory = settings.Path().string();
    w.Start();
    EXPECT_EQ(w.tk.watchedPosition, (std::pair<std::string, int>{"boat.local", 2950}));
}

}  // namespace
}  // namespace wavepost
