#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "tests/core/ZoneTestSupport.h"

namespace wavepost {
namespace {

using namespace test;

using zone::ZoneTexts;
using enum zone::LongitudeForm;

TEST(ZoneArithmetic, ReduceLongitude) {
    const double inf = std::numeric_limits<double>::infinity();
    // A value, then its strict and inclusive forms.
    const double rows[][3] = {
        {180, 180, -180}, {181, -179, -179}, {-200, -200, -200}, {360090, 90, 90}, {inf, inf, inf}};
    for (const auto& r : rows) {
        EXPECT_EQ(zone::ReduceLongitude(r[0], Strict), r[1]) << r[0];
        EXPECT_EQ(zone::ReduceLongitude(r[0], Inclusive), r[2]) << r[0];
    }
    // No turn-by-turn loop would ever finish this one.
    EXPECT_LE(zone::ReduceLongitude(1e300, Strict), 180.0);
}

TEST(ZoneArithmetic, ClampToRect) {
    struct Row {
        zone::Corners in;
        int moved;
        zone::Corners out;
    } rows[] = {{{10, 20, 5, 30}, 0, {10, 20, 5, 30}},  // exactly on the edges
                {{9, 25, 4, 31}, 4, {10, 20, 5, 30}},
                {{25, 9, 31, 4}, 4, {20, 10, 30, 5}},  // crossed corners
                {{15, 21, 6, 29}, 1, {15, 20, 6, 29}}};
    for (Row r : rows) {
        EXPECT_EQ(zone::ClampToRect(r.in, {10, 5, 20, 30}), r.moved);
        EXPECT_EQ(r.in, r.out);
    }
}

TEST(ZoneArithmetic, ZoneOfTexts) {
    struct Row {
        ZoneTexts texts;
        zone::ZoneRect zone;
    } rows[] = {{{"-20", "40", "20", "20", 0}, {150, 170, 50, 30}},
                {{"-20", "40", "-20", "20", 0}, {170, 150, 50, 30}},    // sizes taken as written
                {{"10", "47.5", "-10", "3", 1}, {190, 170, 47.5, 3}}};  // corners stay crossed

    for (const Row& r : rows) EXPECT_EQ(zone::ZoneOfTexts(r.texts), r.zone) << r.texts.lon1;
}

TEST(ZoneArithmetic, TextsInTheOtherMode) {
    const ZoneTexts centred{"-20", "40", "20", "20", 0};
    struct Row {
        ZoneTexts texts;
        std::int32_t mode;
        ZoneTexts converted;
    } rows[] = {{centred, 1, {"-30.0", "50.0", "-10.0", "30.0", 1}},
                {{"-30.0", "50.0", "-10.0", "30.0", 1}, 0, {"-20.0", "40.0", "20.0", "20.0", 0}},
                // Crossed corners give a negative width.
                {{"-30.0", "50.0", "-40", "30.0", 1}, 0, {"-35.0", "40.0", "-10.0", "20.0", 0}},
                {centred, 0, centred},  // not rewritten
                {{"-20", "40", "20", "20", -1}, 1, {"-30.0", "50.0", "-10.0", "30.0", 1}}};
    for (const Row& r : rows) EXPECT_EQ(zone::InMode(r.texts, r.mode), r.converted);
}

TEST(ZoneArithmetic, TextsAreHeldInsideTheFrame) {
    // Texts written without a decimal show whether they were rewritten.
    struct Row {
        zone::MapView view;
        ZoneTexts texts;
        std::optional<ZoneTexts> held;
    } rows[] = {
        // Europe, -30 to 45 and 30 to 67: a centre and a size reaching exactly an edge
        // stay, one tenth beyond they are cut.
        {kEurope, {"45", "67", "0", "0", 0}, ZoneTexts{"45", "67", "0", "0", 0}},
        {kEurope, {"45.1", "67.1", "0", "0", 0}, ZoneTexts{"45.0", "67.0", "0", "0", 0}},
        {kEurope, {"15", "60", "60", "14", 0}, ZoneTexts{"15", "60", "60", "14", 0}},
        {kEurope, {"15", "60", "60.2", "14.2", 0}, ZoneTexts{"15", "60", "60.0", "14.0", 0}},
        // A centre beyond the edge is moved onto it first, then its size cut.
        {kEurope, {"50", "47", "20", "8", 0}, ZoneTexts{"45.0", "47", "0.0", "8", 0}},
        // Corners are held one by one; crossed ones stay crossed.
        {kFrance, {"10", "47.5", "-10", "3", 1}, ZoneTexts{"10", "47.5", "-7.0", "41.5", 1}},
        {kWorld, {"-190", "95", "190", "-95", 1}, ZoneTexts{"-180.0", "90.0", "180.0", "-90.0", 1}},
        // Nothing to hold them in: the antimeridian view.
        {kPacific, {"250", "40", "20", "20", 0}, std::nullopt}};

    for (const Row& r : rows) EXPECT_EQ(zone::ClampedToFrame(r.view, r.texts), r.held);
}

TEST(ZoneArithmetic, PositionsAsSailorsWriteThem) {
    using enum zone::Quantity;
    struct Row {
        const char* text;
        zone::Quantity quantity;
        double value;
        bool sailors;  // false: read exactly as before
    } rows[] = {{"5W", Longitude, -5, true},
                {" 5e ", Longitude, 5, true},  // east, not an exponent
                {"5o", Longitude, -5, true},   // ouest
                {"47°15'N", Latitude, 47.25, true},
                {"47 15.5 N", Latitude, 47 + 15.5 / 60, true},
                {"47,26s", Latitude, -47.26, true},
                {"-47\xB0 15′", Latitude, -47.25, true},  // a Windows-1252 degree sign
                {"47°15'36\"S", Latitude, -(47 + 15 / 60.0 + 36 / 3600.0), true},
                // The hemisphere first, as GPS units show it; minutes apart or after a hyphen.
                {"N47°15.5'", Latitude, 47 + 15.5 / 60, true},
                {"S33 51.5", Latitude, -(33 + 51.5 / 60), true},
                {"W005°30'", Longitude, -5.5, true},
                {"E 5", Longitude, 5, true},
                {"47 15", Latitude, 47.25, true},
                {"47-15N", Latitude, 47.25, true},
                // Refused: read as before.
                {"5N", Longitude, 5, false},
                {"5W", Latitude, 5, false},
                {"20W", Size, 20, false},
                {"47°75'N", Latitude, 47, false},
                {"5 W 3", Longitude, 5, false},
                {"N47N", Latitude, 0, false},
                {"47-15", Latitude, 47, false},
                {"E", Longitude, 0, false},
                // Read as before.
                {"5e3", Longitude, 5000, false},
                {"12,34", Latitude, 12, false},
                {"", Longitude, 0, false}};

    for (const Row& r : rows) {
        EXPECT_DOUBLE_EQ(zone::ReadCoordinate(r.text, r.quantity), r.value) << r.text;
        EXPECT_EQ(zone::ReadSailorPosition(r.text, r.quantity).has_value(), r.sailors) << r.text;
        // What the order and the estimate are given reads back to the same position.
        const std::string plain = zone::PlainCoordinate(r.text, r.quantity);
        EXPECT_EQ(ReadNumber(plain), zone::ReadCoordinate(r.text, r.quantity)) << r.text;
        if (!r.sailors) {
            EXPECT_EQ(plain, r.text);
        }
    }
    EXPECT_EQ(zone::DegreesMinutes(47.25, -5.5), "47°15'N 5°30'W");
    EXPECT_EQ(zone::DegreesMinutes(-0.004, 179.999), "0°00'N 180°00'E");
}

TEST(ZoneFields, PositionsAsSailorsWriteThem) {
    ZoneWindow z;
    // Read as typed before the field is left: the zone drawn, the order.
    z.tk.Type(IDC_LON1_EDIT, "5W");
    EXPECT_EQ(z.dlg.m_fZoneWest, 165.0f);
    const std::string order = z.dlg.BuildGribRequest();
    EXPECT_NE(order.find("%0AZ%20-5.0%2040.0%2020.0%2020.0%0A"), std::string::npos) << order;
    z.tk.Leave(IDC_LON1_EDIT);
    EXPECT_EQ(z.tk.GetControlText(IDC_LON1_EDIT), "-5.0");
    EXPECT_EQ(z.dlg.BuildGribRequest(), order);
    // The estimate reads corners in whole degrees.
    z.tk.SelectTab(2);
    z.tk.Click(IDC_ZONE_RECTANGLE_RADIO);
    auto cost = [&](const char* west) {
        z.tk.Type(IDC_LON1_EDIT, west);
        return z.tk.GetControlText(IDC_WEATHER_COST_EDIT);
    };
    EXPECT_EQ(cost("12°30'W"), cost("-12.5"));
    EXPECT_NE(cost("12°30'W"), cost("12.5"));
}

TEST(ZoneFields, LeavingAFieldNormalisesAndHoldsTheZone) {
    ZoneWindow z;
    z.tk.Type(IDC_LON2_EDIT, "-20");
    EXPECT_EQ(z.tk.GetControlText(IDC_LON2_EDIT), "20") << "sizes are never negative";
    z.tk.Type(IDC_LON1_EDIT, "170");
    z.tk.Type(IDC_LON2_EDIT, "30");
    z.tk.Leave(IDC_LON2_EDIT);
    EXPECT_EQ(z.Texts(), (Texts{"170", "40.0", "20.0", "20.0"}));
    // The estimate shown is the held zone's, not the typed one's.
    const std::string heldCost = z.tk.GetControlText(IDC_WEATHER_COST_EDIT);
    z.tk.Type(IDC_LON2_EDIT, "20.0");
    EXPECT_EQ(z.tk.GetControlText(IDC_WEATHER_COST_EDIT), heldCost);
    z.tk.Type(IDC_LON2_EDIT, "30");
    EXPECT_NE(z.tk.GetControlText(IDC_WEATHER_COST_EDIT), heldCost) << "the widths cost the same";
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
                 {IDC_HEADING_SPIN, IDC_HEADING_EDIT, "355", -1, "365"},
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
    std::string expected = ReadFile(z.dir / "init.cnf");
    expected[expected.find("Antime=0") + 7] = '1';
    z.tk.Click(IDC_ANTIMERIDIAN_CHECK);
    EXPECT_EQ(ReadFile(z.dir / "init.cnf"), expected) << "one byte rewritten in place";
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
}

}  // namespace
}  // namespace wavepost
