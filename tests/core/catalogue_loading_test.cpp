#include <gtest/gtest.h>

#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "catalogue/PrefixSearch.h"
#include "tests/core/CatalogueTestSupport.h"

namespace wavepost {
namespace {

using test::ItemChecks;
using test::ItemTexts;
using test::Selected;
using test::TempFolder;
using test::TestWindow;
using test::WriteFile;
using test::WriteTestCatalogue;
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;

TEST(CatalogueLoading, ListsHoldTheCurrentMapsRowsInFileOrder) {
    TempFolder dir;
    WriteTestCatalogue(dir.Path());
    TestWindow w(dir.Path());
    w.Start();
    const auto& tk = w.tk;
    const auto& steps = tk.Control(w.dlg.m_pListEcheances);
    // Steps are shown as stored, quotes and all; labels without their quotes.
    EXPECT_EQ(ItemTexts(steps), (Strings{"0", "\"24\"", "48"}));
    EXPECT_EQ(ItemChecks(steps), (Ints{1, 0, 1}));
    const auto& params = tk.Control(w.dlg.m_pListParametres);
    EXPECT_EQ(ItemTexts(params), (Strings{"Vent", "Pression", "Rafales"}));
    EXPECT_EQ(ItemChecks(params), (Ints{1, 0, 1}));
    EXPECT_EQ(ItemTexts(tk.Control(w.dlg.m_pListBulletins)), (Strings{"Bulletin large", "Avis"}));
    EXPECT_EQ(ItemChecks(tk.Control(w.dlg.m_pListBulletins)), (Ints{0, 1}));
    EXPECT_EQ(ItemTexts(tk.Control(w.dlg.m_pListImages)), (Strings{"Isobares"}));
    EXPECT_EQ(tk.Control(IDC_MESH_LAT_COMBO).items, (Strings{"0.5", "1.0"}));  // "lat" is not "LAT"
    EXPECT_EQ(tk.Control(IDC_PRESENTATION_EDIT).text, "Bonjour\r\nà bord");
}

TEST(CatalogueLoading, OnlyTheCurrentMapsOptionRowsCountAndTheLastOneWins) {
    TempFolder dir;
    WriteTestCatalogue(dir.Path());
    WriteFile(dir.Path() / "ini/options.txt",
              "Cle;Valeur;Defaut;Carte\n"
              "CAP;10;0;Monde\n"
              "\"VITESSE\";\"12\";0;\"Monde\"\n"
              "CAP;99;0;Europe\n"
              "CAP;20;0;Monde\n"
              "MODE;Mode centré;Mode centré;Monde\n"
              "COMPRESSION;Compression;Zip;Monde\n"
              "TELECOM;Satellite;GSM;Monde\n"
              "ENVOI;demande unique;Demande unique;Monde\n"
              "CAP;30;0;France\n");
    TestWindow w(dir.Path());
    w.Start();
    const auto& tk = w.tk;
    EXPECT_EQ(tk.Control(IDC_HEADING_EDIT).text, "20");
    EXPECT_EQ(tk.Control(IDC_SPEED_EDIT).text, "12");
    EXPECT_EQ(tk.Control(IDC_ZONE_CENTRED_RADIO).check, 1);
    // The header name, an unknown name and a name in the wrong case check nothing.
    for (int id :
         {IDC_COMPRESSION_NONE_RADIO, IDC_COMPRESSION_ZIP_RADIO, IDC_COMPRESSION_GZIP_RADIO,
          IDC_COMPRESSION_BZIP2_RADIO, IDC_SUBSCRIPTION_SINGLE_RADIO, IDC_SUBSCRIPTION_DAYS_RADIO,
          IDC_SUBSCRIPTION_PERMANENT_RADIO, IDC_SUBSCRIPTION_CANCEL_RADIO})
        EXPECT_EQ(tk.Control(id).check, 0);
    EXPECT_EQ(Selected(tk, IDC_TELECOM_COMBO), "(none)");
}

// The search starts at the second item, so an empty text selects the second; a miss also
// clears the selection.
TEST(CatalogueLoading, PrefixSearchExaminesTheFirstItemLast) {
    const std::tuple<Strings, const char*, int> cases[] = {
        {{"A", "Bc", "bd"}, "b", 1}, {{"Bc", "A", "bd"}, "b", 2}, {{"Bc", "A"}, "B", 0},
        {{"Bc", "A"}, "", 1},        {{"Bc", "A"}, "Bcd", -1},    {{}, "", -1}};
    platform::MemoryToolkit tk;
    for (const auto& [items, prefix, index] : cases) {
        if (tk.Control(IDC_CURRENCY_COMBO).items != items) {
            tk.ComboReset(IDC_CURRENCY_COMBO);
            for (const auto& item : items) tk.ComboAddItem(IDC_CURRENCY_COMBO, item);
        }
        EXPECT_EQ(SelectByPrefix(tk, IDC_CURRENCY_COMBO, prefix), index) << prefix;
        EXPECT_EQ(tk.ComboGetSelection(IDC_CURRENCY_COMBO), index) << prefix;
    }
}

// A header of 20,000 semicolons over 20,000 empty lines: 60 KB that would be written back
// as 400 MB. The table is refused by name, before anything is written.
TEST(CatalogueLoading, ATableTooLargeToHoldEndsTheProgramNamingIt) {
    TempFolder dir;
    WriteTestCatalogue(dir.Path());
    const std::filesystem::path path = dir.Path() / "ini/mailles.txt";
    WriteFile(path, std::string(20000, ';') + "\n" + std::string(20000, '\n'));
    const auto before = test::Snapshot(dir.Path());
    TestWindow w(dir.Path());
    EXPECT_THROW(w.Start(), platform::ProcessExit);
    EXPECT_EQ(w.tk.messages,
              (Strings{Format(LoadString(IDS_TABLE_TOO_LARGE).c_str(), path.string().c_str())}));
    EXPECT_EQ(test::Snapshot(dir.Path()), before);
}

TEST(CatalogueLoading, AMissingPresentationIsReportedAndLoadingGoesOn) {
    TempFolder dir;
    WriteTestCatalogue(dir.Path());
    std::filesystem::remove(dir.Path() / "ini/presentation.txt");
    TestWindow w(dir.Path());
    w.Start();
    ASSERT_EQ(w.tk.messages.size(), 1u);
    EXPECT_NE(w.tk.messages[0].find("ini/presentation.txt"), std::string::npos);
    EXPECT_EQ(w.tk.Control(IDC_PRESENTATION_EDIT).text, "");
    EXPECT_EQ(w.tk.Control(w.dlg.m_pListParametres).checkItems.size(), 3u);
    EXPECT_EQ(w.tk.Control(IDC_HEADING_EDIT).text, "90");
    // The map still changes; each load reports the file again.
    w.tk.ClickMapList(1);
    EXPECT_EQ(w.tk.messages.size(), 2u);
    EXPECT_EQ(w.dlg.m_nMap, 1);
    EXPECT_EQ(ItemTexts(w.tk.Control(w.dlg.m_pListParametres)), (Strings{"Pression"}));
}

}  // namespace
}  // namespace wavepost
