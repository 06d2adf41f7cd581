#include <gtest/gtest.h>

#include <functional>

#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "request/RequestText.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using test::SetListCheck;
using test::SetRadio;
using test::SetZone;

const std::string kExample =
    "@mto@reqt@grib@%0AA 1%0AZ -10.0 45.0 20.0 15.0%0AM 0.5%0AD Europe%0AP vent temp%0AE 0 "
    "12 24%0AC zip%0AF 0%0AS 1.0%0A@mto@reqt@fin@";

// The example with one piece replaced.
std::string Example(const std::string& piece, const std::string& replacement) {
    std::string text = kExample;
    return text.replace(text.find(piece), piece.size(), replacement);
}

TEST(RequestText, WorkedExamples) {
    test::RequestWindow w;
    test::ShowMap(w, 1);
    EXPECT_EQ(w.dlg.BuildGribRequest(), kExample);
    {
        // A French desktop orders the same bytes.
        test::CommaLocale comma;
        if (comma.active) {
            EXPECT_EQ(w.dlg.BuildGribRequest(), kExample);
        }
    }

    SetRadio(w.tk, IDC_ZONE_RECTANGLE_RADIO);
    SetZone(w.tk, "170", "50", "-170", "40");
    w.tk.Control(IDC_MESH_LAT_COMBO).selection = 1;
    w.tk.Control(IDC_HEADING_EDIT).text = "270";
    w.tk.Control(IDC_SPEED_EDIT).text = "12";
    SetRadio(w.tk, IDC_COMPRESSION_NONE_RADIO);
    SetRadio(w.tk, IDC_LAND_NO_RADIO);
    EXPECT_EQ(w.dlg.BuildGribRequest(),
              "@mto@reqt@grib@%0AA 1%0AZ 180.0 45.0 20.0 10.0%0AM 0.5 1.0%0AV 270 12.0%0AD "
              "Europe%0AP vent temp%0AE 0 12 24%0AS 1.0%0A@mto@reqt@fin@");
}

// The Europe example's choices, as the window gathers them.
RequestChoices ExampleChoices() {
    RequestChoices c;
    c.subscription = 0;
    c.days = "7";
    c.zoneMode = 0;
    c.lon1 = "-10.0", c.lat1 = "45.0", c.lon2 = "20.0", c.lat2 = "15.0";
    c.lonMesh = "0.5", c.latMesh = "0.5";
    c.heading = "0", c.speed = "0";
    c.map = "Europe";
    c.parameters = {"vent", "temp"};
    c.steps = {"0", "12", "24"};
    c.compression = 1;
    c.landData = 0;
    c.software = "1.0";
    return c;
}

TEST(RequestText, EachChoiceChangesItsLine) {
    const std::string cancel = "@mto@reqt@grib@%0AA 0%0A@mto@reqt@fin@";
    const std::string zone = "Z -10.0 45.0 20.0 15.0";
    auto corners = [](RequestChoices& c, const char* lon1, const char* lat1, const char* lon2,
                      const char* lat2) {
        c.zoneMode = 1, c.lon1 = lon1, c.lat1 = lat1, c.lon2 = lon2, c.lat2 = lat2;
    };
    struct Case {
        const char* what;
        std::function<void(RequestChoices&)> change;
        std::string order;
    };
    // clang-format off
    const Case cases[] = {
        {"the example", [](auto&) {}, kExample},
        {"cancel", [](auto& c) { c.subscription = 3, c.lon1 = "", c.lonMesh.reset(); }, cancel},
        {"7 days", [](auto& c) { c.subscription = 1; }, Example("A 1", "A 7")},
        // Never the cancel code nor a negative count inside an order.
        {"no day count", [](auto& c) { c.subscription = 1, c.days = ""; }, Format(LoadString(IDS_BAD_DAYS).c_str(), "")},
        {"days not a number", [](auto& c) { c.subscription = 1, c.days = "sept"; }, Format(LoadString(IDS_BAD_DAYS).c_str(), "sept")},
        {"0 days", [](auto& c) { c.subscription = 1, c.days = "0"; }, Format(LoadString(IDS_BAD_DAYS).c_str(), "0")},
        {"-3 days", [](auto& c) { c.subscription = 1, c.days = "-3"; }, Format(LoadString(IDS_BAD_DAYS).c_str(), "-3")},
        // No kind chosen is not "cancel all".
        {"no kind", [](auto& c) { c.subscription = -1; }, LoadString(IDS_NO_ORDER_KIND)},
        {"kind not in the table", [](auto& c) { c.subscription = -3; }, LoadString(IDS_NO_ORDER_KIND)},
        {"10 x 10", [](auto& c) { c.lon2 = "10", c.lat2 = "10"; }, Example(zone, "Z -10.0 45.0")},
        {"10 x 10.5", [](auto& c) { c.lon2 = "10", c.lat2 = "10.5"; }, Example(zone, "Z -10.0 45.0 10.0 10.5")},
        {"no width", [](auto& c) { c.lon2 = "0"; }, ""},
        {"infinite centre", [](auto& c) { c.lon1 = "1e999"; }, ""},
        {"rectangle 10 x 10", [&](auto& c) { corners(c, "0", "10", "10", "0"); }, Example(zone, "Z 5.0 5.0")},
        {"rectangle 10 x 10, longitude first", [&](auto& c) { corners(c, "0", "30", "10", "20"); }, Example(zone, "Z 5.0 25.0")},
        // The float nearest 0.15 lies above it, the double below.
        {"single precision", [&](auto& c) { corners(c, "0", "10", "0.15", "0"); }, Example(zone, "Z 0.1 5.0 0.2 10.0")},
        {"equal longitudes", [&](auto& c) { corners(c, "20", "50", "20", "40"); }, ""},
        {"far outside any map", [&](auto& c) { corners(c, "1e30", "50", "0", "40"); }, ""},
        {"north below south", [&](auto& c) { corners(c, "0", "40", "20", "50"); }, Example(zone, "Z 10.0 135.0 20.0 170.0")},
        {"across the antimeridian", [&](auto& c) { corners(c, "170", "50", "-170", "40"); }, Example(zone, "Z 180.0 45.0 20.0 10.0")},
        {"only longitude spacing", [](auto& c) { c.latMesh.reset(); }, Example("M 0.5", "M 0.5 ")},
        {"only latitude spacing", [](auto& c) { c.lonMesh.reset(), c.latMesh = "1.0"; }, Example("M 0.5", "M  1.0")},
        {"no spacing", [](auto& c) { c.lonMesh.reset(), c.latMesh.reset(); }, LoadString(IDS_NO_MESH)},
        {"speed 0.0", [](auto& c) { c.heading = "90", c.speed = "0.0"; }, kExample},
        {"infinite speed", [](auto& c) { c.speed = "1e999"; }, ""},
        {"moving grid", [](auto& c) { c.heading = "12.7", c.speed = "5"; }, Example("M 0.5", "M 0.5%0AV 12 5.0")},
        {"gzip", [](auto& c) { c.compression = 2; }, Example("C zip", "C gzip")},
        {"no compression checked", [](auto& c) { c.compression = -1; }, Example("C zip", "C bzip2")},
        {"uncompressed", [](auto& c) { c.compression = 0; }, Example("%0AC zip", "")},
        {"no land data", [](auto& c) { c.landData = 1; }, Example("%0AF 0", "")},
        {"no parameter", [](auto& c) { c.parameters.clear(); }, ""},
        {"no step", [](auto& c) { c.steps.clear(); }, ""},
        {"no software row", [](auto& c) { c.software.reset(); }, Example("S 1.0", "S ")},
        // Texts from files can neither add a line to the order nor cut it short.
        {"line in a parameter", [](auto& c) { c.parameters = {"vent", "t%0AA X"}; }, Example("P vent temp", "P vent t%250AA X")},
        {"control bytes in a step", [](auto& c) { c.steps = {"0", "1\x01\x7F", "24"}; }, Example("E 0 12 24", "E 0 1%01%7F 24")},
        {"software identifier", [](auto& c) { c.software = "W&bcc=a@b"; }, Example("S 1.0", "S W%26bcc=a@b")},
        {"spacing", [](auto& c) { c.lonMesh = "0.5#"; }, Example("M 0.5", "M 0.5%23 0.5")},
    };
    // clang-format on
    for (const auto& c : cases) {
        RequestChoices choices = ExampleChoices();
        c.change(choices);
        EXPECT_EQ(BuildRequestText(choices), c.order) << c.what;
    }
}

// Through the window: the ticks count only on the current map's rows (Monde's stay ticked
// in the table).
TEST(RequestText, TheWindowGathersTheCurrentMapsChoices) {
    test::RequestWindow w;
    test::ShowMap(w, 1);
    for (int i : {0, 1}) SetListCheck(w.tk, w.dlg.m_pListParametres, i, 0);
    EXPECT_EQ(w.dlg.BuildGribRequest(), "");
    SetListCheck(w.tk, w.dlg.m_pListParametres, 2, 1);
    for (int i : {0, 1, 2}) SetListCheck(w.tk, w.dlg.m_pListEcheances, i, 0);
    EXPECT_EQ(w.dlg.BuildGribRequest(), "");
    SetListCheck(w.tk, w.dlg.m_pListEcheances, 3, 1);
    EXPECT_EQ(w.dlg.BuildGribRequest(), Example("P vent temp%0AE 0 12 24", "P pluie%0AE 36"));
}

}  // namespace
}  // namespace wavepost
