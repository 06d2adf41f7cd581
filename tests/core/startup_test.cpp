#include <gtest/gtest.h>

#include <string>

#include "app/NumberText.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "tests/core/CatalogueTestSupport.h"

namespace wavepost {
namespace {

using test::ReadFile;
using test::SeededFolder;
using test::TestWindow;
using test::WriteFile;

// A missing file ends the start with status 1 and one message, writing nothing; the
// catalogue is loaded before the address file is read.
TEST(Startup, MissingFilesEndWithStatusOneAndWriteNothing) {
    const std::tuple<std::vector<const char*>, int> cases[] = {
        {{"init.cnf"}, IDS_NO_ADDRESS},
        {{"init.cnf", "ini/telecoms.txt"}, IDS_CATALOGUE_MISSING},
    };
    for (const auto& [missing, message] : cases) {
        SeededFolder dir;
        for (const char* name : missing) std::filesystem::remove(dir / name);
        const auto before = test::Snapshot(dir.Path());
        TestWindow w(dir.Path());
        try {
            w.Start();
            ADD_FAILURE() << "start-up went on without " << missing.back();
        } catch (const platform::ProcessExit& exit) {
            EXPECT_EQ(exit.status, 1);
        }
        EXPECT_EQ(w.tk.messages, std::vector<std::string>{LoadString(message)});
        EXPECT_EQ(test::Snapshot(dir.Path()), before);
    }
}

// Only the click on "Antiméridien" needs to write the address file.
TEST(Startup, ReadOnlyAddressFileStartsAndRefusesOnlyTheAntimeridian) {
    SeededFolder dir;
    std::string config = ReadFile(dir / "init.cnf");
    config[config.find("Antime=") + 7] = '1';
    WriteFile(dir / "init.cnf", config);
    EXPECT_TRUE(test::RunInChild(
        [&] {
            std::filesystem::permissions(dir / "init.cnf", std::filesystem::perms::owner_read);
            TestWindow w(dir.Path());
            w.tk.systemDirectory = dir.Path().string();
            w.Start();
            EXPECT_TRUE(w.tk.messages.empty());
            EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, 1);
            w.tk.Click(IDC_ANTIMERIDIAN_CHECK);
            EXPECT_EQ(w.tk.messages, std::vector<std::string>{
                                         Format(LoadString(IDS_ANTIMERIDIAN_NOT_SAVED).c_str(),
                                                w.dlg.StoragePath("init.cnf").c_str())});
            EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, 1);
            EXPECT_EQ(w.dlg.m_bAntimeridian, 1);
            // The addresses are still read: an order goes.
            w.tk.messages.clear();
            w.tk.Click(IDC_SEND_BUTTON);
            EXPECT_TRUE(w.tk.messages.empty()) << w.tk.messages.front();
            EXPECT_FALSE(w.tk.opened.empty());
        },
        {dir.Path()}));
    EXPECT_EQ(ReadFile(dir / "init.cnf"), config);
}

// The address file's settings as the start reads them; a price is read up to a comma.
TEST(Startup, AddressFileSettings) {
    const std::tuple<const char*, int, double> cases[] = {
        {"Antime=1\r\n", 1, 0},          {"", 0, 0},
        {"Antime=7\r\n", 0, 0},          {"Antime=2\r\n", 2, 0},
        {"Antime=4294967297\r\n", 0, 0}, {"PtEuro=0,002\r\n", 0, 0},
        {"PtEuro=0.002\r\n", 0, 0.002}};
    for (const auto& [content, antimeridian, price] : cases) {
        SeededFolder dir;
        WriteFile(dir / "init.cnf", content);
        TestWindow w(dir.Path());
        w.Start();
        EXPECT_EQ(w.tk.Control(IDC_ANTIMERIDIAN_CHECK).check, antimeridian) << content;
        EXPECT_DOUBLE_EQ(w.dlg.m_dPtEuro, price) << content;
        EXPECT_TRUE(w.tk.messages.empty());
    }
}

}  // namespace
}  // namespace wavepost
