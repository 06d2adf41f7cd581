#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <optional>

#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"
#include "catalogue/CIniTable.h"
#include "request/RequestText.h"
#include "request/SaildocsOrder.h"
#include "tests/core/RequestTestSupport.h"

namespace wavepost {
namespace {

using test::SetListCheck;
using test::SetRadio;
using test::SetZone;

// The orders are written below with their blanks, which the URL holds as "%20".
const std::string kExample = WithBlanksEncoded(
    "@mto@reqt@grib@%0AA 1%0AZ -10.0 45.0 20.0 15.0%0AM 0.5%0AD Europe%0AP vent temp%0AE 0 "
    "12 24%0AC zip%0AF 0%0AS 1.0%0A@mto@reqt@fin@");

// The example with one piece replaced.
std::string Example(const std::string& piece, const std::string& replacement) {
    std::string text = kExample;
    const std::string encoded = WithBlanksEncoded(piece);
    return text.replace(text.find(encoded), encoded.size(), WithBlanksEncoded(replacement));
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
              WithBlanksEncoded(
                  "@mto@reqt@grib@%0AA 1%0AZ 180.0 45.0 20.0 10.0%0AM 0.5 1.0%0AV 270 12.0%0AD "
                  "Europe%0AP vent temp%0AE 0 12 24%0AS 1.0%0A@mto@reqt@fin@"));
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
    const std::string cancel = "@mto@reqt@grib@%0AA%200%0A@mto@reqt@fin@";
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
        {"software identifier", [](auto& c) { c.software = "W&bcc=a@b"; }, Example("S 1.0", "S W%26bcc%3Da@b")},
        {"spacing", [](auto& c) { c.lonMesh = "0.5#"; }, Example("M 0.5", "M 0.5%23 0.5")},
    };
    // clang-format on
    for (const auto& c : cases) {
        RequestChoices choices = ExampleChoices();
        c.change(choices);
        EXPECT_EQ(BuildRequestText(choices), c.order) << c.what;
    }
}

// An hfvalue of a mailto: URL read by RFC 6068 alone: unreserved characters, one of
// "!$'()*+,;:@" or a %XX escape; none when another byte would end the field or the URL.
std::optional<std::string> ReadHfvalue(const std::string& value) {
    std::string out;
    const auto hex = [&](std::size_t at) {
        return at < value.size() && std::isxdigit(static_cast<unsigned char>(value[at]));
    };
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            (c != '\0' && std::strchr("-._~!$'()*+,;:@", c))) {
            out += c;
        } else if (c == '%' && hex(i + 1) && hex(i + 2)) {
            out += static_cast<char>(std::stoi(value.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

// Any byte in a code reaches the service as the character it stands for, and stays inside
// the body field.
TEST(RequestText, EveryByteOfACodeReadsBackFromTheUrl) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    std::vector<std::string> codes = {everyByte};
    for (int b = 0; b < 256; ++b) codes.push_back("A" + std::string(1, static_cast<char>(b)) + "B");
    const std::string plain =
        "@mto@reqt@grib@\nA 1\nZ -10.0 45.0 20.0 15.0\nM 0.5\nD Europe\nP vent CODE\nE 0 12 "
        "24\nC zip\nF 0\nS 1.0\n@mto@reqt@fin@";
    for (const std::string& code : codes) {
        RequestChoices choices = ExampleChoices();
        choices.parameters = {"vent", code};
        const std::string text = BuildRequestText(choices);
        std::string body = plain;
        body.replace(body.find("CODE"), 4, ToUtf8(code));
        EXPECT_EQ(ReadHfvalue(text), body) << text;
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

// The service as the shipped table describes it.
SaildocsService ShippedSaildocs() {
    CIniTable table(std::string(WAVEPOST_SOURCE_DIR) + "/data/ini/saildocs.txt");
    table.Load();
    const std::optional<SaildocsService> service = ReadSaildocsService(table);
    EXPECT_TRUE(service.has_value());
    return service.value_or(SaildocsService{});
}

// Rectangle 30W-10W, 50N-40N, spacing 1, every 6 h to 120 h, wind and pressure: the
// request printed in the service's documentation.
RequestChoices DocumentedChoices() {
    RequestChoices c;
    c.subscription = 0;
    c.zoneMode = 1;
    c.lon1 = "-30", c.lat1 = "50", c.lon2 = "-10", c.lat2 = "40";
    c.lonMesh = "1.0", c.latMesh = "1.0";
    c.speed = "0";
    c.parameters = {"WIND", "PRMSL"};
    for (int h = 0; h <= 120; h += 6) c.steps.push_back(std::to_string(h));
    return c;
}

TEST(SaildocsOrder, TablesWorkedOutFromTheDocumentation) {
    const SaildocsService service = ShippedSaildocs();
    EXPECT_EQ(service.address, "query@saildocs.com");
    using Change = std::function<void(RequestChoices&)>;
    const auto zone = [](int mode, const char* a, const char* b, const char* x, const char* y) {
        return [=](RequestChoices& c) {
            c.zoneMode = mode, c.lon1 = a, c.lat1 = b, c.lon2 = x, c.lat2 = y;
        };
    };
    const auto steps = [](std::vector<std::string> hours) {
        return [=](RequestChoices& c) { c.steps = hours; };
    };
    const auto params = [](std::vector<std::string> codes) {
        return [=](RequestChoices& c) { c.parameters = codes; };
    };
    const auto mesh = [](std::optional<std::string> lon, std::optional<std::string> lat) {
        return [=](RequestChoices& c) { c.lonMesh = lon, c.latMesh = lat; };
    };
    struct Case {
        const char* what;
        std::vector<Change> changes;
        std::vector<std::string> lines;
    };
    const auto days = [](const char* n) {
        return [=](RequestChoices& c) { c.subscription = 1, c.days = n; };
    };
    // clang-format off
    const Case cases[] = {
        {"the documentation's example", {}, {"send gfs:40N,50N,30W,10W|1,1|0,6..120|WIND,PRMSL"}},
        {"centred, north and west, a range of 24 h", {zone(0, "-20", "45", "20", "10"), mesh("0.5", "0.5"), steps({"0", "24", "48", "72"})},
         {"send gfs:40N,50N,30W,10W|0.5,0.5|0,24..72|WIND,PRMSL"}},
        {"rectangle, south and east, two steps stay a list", {zone(1, "150", "-20", "170", "-40"), mesh("2.0", "2.0"), steps({"24", "48"}), params({"WIND"})},
         {"send gfs:40S,20S,150E,170E|2,2|24,48|WIND"}},
        {"rectangle over the antimeridian; 0,3,6 is shorter than 0,3..6", {zone(1, "170", "10", "-170", "-10"), mesh("0.25", "0.25"), steps({"0", "3", "6"}), params({"PRMSL"})},
         {"send gfs:10S,10N,170E,170W|0.25,0.25|0,3,6|PRMSL"}},
        {"centred on the antimeridian", {zone(0, "180", "0", "20", "10"), steps({"12"}), params({"WIND"})}, {"send gfs:5S,5N,170E,170W|1,1|12|WIND"}},
        {"a zone between whole degrees is widened; latitude spacing first", {zone(0, "-4.5", "47.7", "3", "2"), mesh("0.25", "0.5"), steps({"0", "3", "6", "9", "12"}), params({"GUST", "WIND"})},
         {"send gfs:46N,49N,6W,3W|0.5,0.25|0,3..12|GUST,WIND"}},
        {"ranges where shorter, a lone step between; the service's own codes", {zone(1, "-5", "5", "5", "-5"), steps({"0", "6", "12", "18", "24", "36", "48", "72", "96", "120"}), params({"TMP", "APCP"})},
         {"send gfs:5S,5N,5W,5E|1,1|0,6..24,36,48,72..120|AIRTMP,RAIN"}},
        {"the whole world at 2 degrees to the model's last step", {zone(0, "0", "0", "360", "180"), mesh("2.0", "2.0"), params({"WIND"}),
          steps({"0", "24", "48", "72", "96", "120", "144", "168", "192", "216", "240", "264", "288", "312", "336", "360", "384"})},
         {"send gfs:90S,90N,180W,180E|2,2|0,24..384|WIND"}},
        {"one spacing list chosen holds for both", {mesh("0.5", std::nullopt)}, {"send gfs:40N,50N,30W,10W|0.5,0.5|0,6..120|WIND,PRMSL"}},
        {"subscription of N days", {days("7")}, {"sub gfs:40N,50N,30W,10W|1,1|0,6..120|WIND,PRMSL days=7 time=06:00"}},
        {"waves, their direction and period, 500 hPa height", {params({"HTSGW", "WVDIR", "WVPER", "HGT500"}), steps({"0", "12", "24", "36"})},
         {"send gfs:40N,50N,30W,10W|1,1|0,12..36|WAVES,WVDIR,WVPER,HGT"}},
        {"a line past 72 characters goes on after '=', cut after a comma", {days("10"), params({"WIND", "GUST", "PRMSL", "HGT500", "TMP", "APCP", "HTSGW", "WVDIR", "WVPER"})},
         {"sub gfs:40N,50N,30W,10W|1,1|0,6..120|WIND,GUST,PRMSL,HGT,AIRTMP,RAIN,=", "WAVES,WVDIR,WVPER days=10 time=06:00"}},
        {"cancel all, whatever else is chosen", {[](RequestChoices& c) { c.subscription = 3; }, zone(0, "0", "0", "0", "0"), steps({})}, {"cancel all"}},
        {"no button checked cancels as the catalogue's order does", {[](RequestChoices& c) { c.subscription = -1; }}, {"cancel all"}},
        {"a parameter ticked twice is ordered once", {params({"WIND", "WIND"}), steps({"6"})}, {"send gfs:40N,50N,30W,10W|1,1|6|WIND"}},
    };
    // clang-format on
    for (const Case& k : cases) {
        RequestChoices c = DocumentedChoices();
        for (const Change& change : k.changes) change(c);
        const SaildocsOrder order = BuildSaildocsOrder(c, service);
        EXPECT_EQ(order.lines, k.lines) << k.what;
        EXPECT_EQ(order.refusal, "") << k.what;
        for (const std::string& line : order.lines) EXPECT_LE(line.size(), 72u) << k.what;
    }
    // 11 x 21 points; wind (u, v) and pressure at 21 steps.
    const SaildocsOrder documented = BuildSaildocsOrder(DocumentedChoices(), service);
    EXPECT_EQ(documented.points, 231);
    EXPECT_EQ(documented.fields, 63);
}

TEST(SaildocsOrder, WhatTheServiceDoesNotOfferIsRefusedByName) {
    const SaildocsService service = ShippedSaildocs();
    using Change = std::function<void(RequestChoices&)>;
    // clang-format off
    const std::pair<Change, std::string> cases[] = {
        {[](RequestChoices& c) { c.subscription = 2; }, LoadString(IDS_SD_PERMANENT)},
        {[](RequestChoices& c) { c.subscription = 1, c.days = "0"; }, LoadString(IDS_SD_DAYS)},
        {[](RequestChoices& c) { c.speed = "12"; }, LoadString(IDS_SD_MOVING)},
        {[](RequestChoices& c) { c.lonMesh = "0.1"; }, "Saildocs n'offre pas la maille de 0.1° (mailles offertes : 0.25, 0.5, 1, 2)."},
        {[](RequestChoices& c) { c.steps = {"0", "7"}; }, "Saildocs n'offre pas l'échéance 7 h (toutes les 3 h jusqu'à 384 h)."},
        {[](RequestChoices& c) { c.steps = {"390"}; }, "Saildocs n'offre pas l'échéance 390 h (toutes les 3 h jusqu'à 384 h)."},
        {[](RequestChoices& c) { c.parameters = {"WIND", "TCDC"}; }, "Saildocs n'offre pas le paramètre TCDC : décochez-le pour commander à Saildocs."},
        {[](RequestChoices& c) { c.lonMesh.reset(), c.latMesh.reset(); }, LoadString(IDS_NO_MESH)},
        {[](RequestChoices& c) { c.lon2 = c.lon1; }, LoadString(IDS_BAD_PARAMETERS)},
        {[](RequestChoices& c) { c.parameters.clear(); }, LoadString(IDS_BAD_PARAMETERS)},
        {[](RequestChoices& c) { c.steps.clear(); }, LoadString(IDS_BAD_PARAMETERS)},
        {[](RequestChoices& c) { c.lat1 = "1e400"; }, LoadString(IDS_BAD_PARAMETERS)},
    };
    // clang-format on
    for (const auto& [change, refusal] : cases) {
        RequestChoices c = DocumentedChoices();
        change(c);
        const SaildocsOrder order = BuildSaildocsOrder(c, service);
        EXPECT_EQ(order.refusal, refusal);
        EXPECT_TRUE(order.lines.empty()) << refusal;
    }
}

}  // namespace
}  // namespace wavepost
