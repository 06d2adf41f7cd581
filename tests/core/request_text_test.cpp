#include <gtest/gtest.h>

#include "app/layout/StringTable.h"
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

    SetRadio(w.tk, 1017);
    SetZone(w.tk, "170", "50", "-170", "40");
    w.tk.Control(1002).selection = 1;
    w.tk.Control(1085).text = "270";
    w.tk.Control(1086).text = "12";
    SetRadio(w.tk, 1020);
    SetRadio(w.tk, 1019);
    EXPECT_EQ(w.dlg.BuildGribRequest(),
              "@mto@reqt@grib@%0AA 1%0AZ 180.0 45.0 20.0 10.0%0AM 0.5 1.0%0AV 270 12.0%0AD "
              "Europe%0AP vent temp%0AE 0 12 24%0AS 1.0%0A@mto@reqt@fin@");

    // Without a software row the line keeps its letter.
    test::WriteFile("ini/soft.txt", "Logiciel\r\n");
    test::ShowMap(w, 1);
    EXPECT_EQ(w.dlg.BuildGribRequest(), Example("S 1.0", "S "));
}

TEST(RequestText, EachChoiceChangesItsLine) {
    using Texts = std::vector<std::pair<int, const char*>>;
    auto zoneTexts = [](const char* lon1, const char* lat1, const char* lon2, const char* lat2) {
        return Texts{{1073, lon1}, {1074, lat1}, {1079, lon2}, {1080, lat2}};
    };
    const std::string cancel = "@mto@reqt@grib@%0AA 0%0A@mto@reqt@fin@";
    const std::string zone = "Z -10.0 45.0 20.0 15.0";
    // A negative button unchecks its whole group.
    struct Case {
        const char* what;
        std::vector<int> buttons;
        Texts texts;
        int lonItem, latItem;
        std::string order;
    } cases[] = {
        {"cancel", {1027}, zoneTexts("", "", "", ""), -1, -1, cancel},
        {"no kind checked", {-1024}, {}, 0, 0, cancel},
        {"7 days", {1025}, {}, 0, 0, Example("A 1", "A 7")},
        {"no day count", {1025}, {{1055, "jours"}}, 0, 0, Example("A 1", "A 0")},
        {"10 x 10", {}, {{1079, "10"}, {1080, "10"}}, 0, 0, Example(zone, "Z -10.0 45.0")},
        {"10 x 10.5",
         {},
         {{1079, "10"}, {1080, "10.5"}},
         0,
         0,
         Example(zone, "Z -10.0 45.0 10.0 10.5")},
        {"no width", {}, {{1079, "0"}}, 0, 0, ""},
        {"infinite centre", {}, {{1073, "1e999"}}, 0, 0, ""},
        {"rectangle 10 x 10",
         {1017},
         zoneTexts("0", "10", "10", "0"),
         0,
         0,
         Example(zone, "Z 5.0 5.0")},
        // The float nearest 0.15 lies above it, the double below.
        {"single precision",
         {1017},
         zoneTexts("0", "10", "0.15", "0"),
         0,
         0,
         Example(zone, "Z 0.1 5.0 0.2 10.0")},
        {"equal longitudes", {1017}, zoneTexts("20", "50", "20", "40"), 0, 0, ""},
        {"north below south",
         {1017},
         zoneTexts("0", "40", "20", "50"),
         0,
         0,
         Example(zone, "Z 10.0 135.0 20.0 170.0")},
        {"far outside any map", {1017}, zoneTexts("1e30", "50", "0", "40"), 0, 0, ""},
        {"only longitude spacing", {}, {}, 0, -1, Example("M 0.5", "M 0.5 ")},
        {"only latitude spacing", {}, {}, -1, 1, Example("M 0.5", "M  1.0")},
        {"no spacing", {}, {}, -1, -1, LoadString(IDS_NO_MESH)},
        {"speed 0.0", {}, {{1085, "90"}, {1086, "0.0"}}, 0, 0, kExample},
        {"speed without digits", {}, {{1086, "vite"}}, 0, 0, kExample},
        {"infinite speed", {}, {{1086, "1e999"}}, 0, 0, ""},
        {"moving grid",
         {},
         {{1085, "12.7"}, {1086, "5"}},
         0,
         0,
         Example("M 0.5", "M 0.5%0AV 12 5.0")},
        {"gzip", {1022}, {}, 0, 0, Example("C zip", "C gzip")},
        {"no compression checked", {-1020}, {}, 0, 0, Example("C zip", "C bzip2")},
        {"no land data", {1019}, {}, 0, 0, Example("%0AF 0", "")},
    };
    test::RequestWindow w;
    for (const auto& c : cases) {
        test::ShowMap(w, 1);
        for (int button : c.buttons) SetRadio(w.tk, button, -button);
        for (const auto& [id, value] : c.texts) w.tk.Control(id).text = value;
        w.tk.Control(1001).selection = c.lonItem;
        w.tk.Control(1002).selection = c.latItem;
        EXPECT_EQ(w.dlg.BuildGribRequest(), c.order) << c.what;
    }

    // Ticks count only on the current map's rows (Monde's stay ticked in the table).
    test::ShowMap(w, 1);
    for (int i : {0, 1}) SetListCheck(w.tk, w.dlg.m_pListParametres, i, 0);
    EXPECT_EQ(w.dlg.BuildGribRequest(), "");
    SetListCheck(w.tk, w.dlg.m_pListParametres, 2, 1);
    for (int i : {0, 1, 2}) SetListCheck(w.tk, w.dlg.m_pListEcheances, i, 0);
    EXPECT_EQ(w.dlg.BuildGribRequest(), "");
    SetListCheck(w.tk, w.dlg.m_pListEcheances, 3, 1);
    EXPECT_EQ(w.dlg.BuildGribRequest(), Example("P vent temp%0AE 0 12 24", "P pluie%0AE 36"));
}

// A catalogue cell can neither add a line to the order nor cut it short: what it holds
// reaches the service as the text it is.
TEST(RequestText, TextsFromFilesCannotChangeTheOrdersLines) {
    struct Case {
        const char* what;
        const char* file;
        std::string planted;  // written over the Europe example's cell
        std::string cell;
        std::string piece;  // the example's line
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"line in a parameter", "ini/parametres.txt", "Europe;temp;", "Europe;t%0AA X;",
         "P vent temp", "P vent t%250AA X"},
        {"end in a parameter", "ini/parametres.txt", "Europe;temp;", "Europe;t&x=#?;",
         "P vent temp", "P vent t%26x=%23%3F"},
        {"step with a raw control byte", "ini/echeances.txt", "Europe;12;", "Europe;1\x01\x7F;",
         "E 0 12 24", "E 0 1%01%7F 24"},
        {"software identifier", "ini/soft.txt", "1.0", "W&bcc=a@b", "S 1.0", "S W%26bcc=a@b"},
        {"spacing", "ini/mailles.txt", "Europe;LONG;0.5", "Europe;LONG;0.5#", "M 0.5",
         "M 0.5%23 0.5"},
        {"Windows-1252 code", "ini/parametres.txt", "Europe;temp;", "Europe;\"t\xE9\";",
         "P vent temp", "P vent té"},
    };
    for (const Case& c : cases) {
        test::RequestWindow w;
        std::string content = test::ReadFile(c.file);
        const std::size_t at = content.find(c.planted);
        ASSERT_NE(at, std::string::npos) << c.what;
        test::WriteFile(c.file, content.replace(at, c.planted.size(), c.cell));
        test::ShowMap(w, 1);
        EXPECT_EQ(w.dlg.BuildGribRequest(), Example(c.piece, c.expected)) << c.what;
    }
}

}  // namespace
}  // namespace wavepost
