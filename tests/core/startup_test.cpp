#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/layout/Layout.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
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

// Every file the program reads, replaced by what a person or a fault might leave there: it
// is never waited on nor read beyond its bound, the user gets one message naming it, and
// the program goes on wherever it can do without the file.
TEST(Startup, FilesThatAreNotWhatTheyClaimGetOneMessage) {
    enum class Shape { Pipe, Device, Folder, Huge };
    using enum Shape;
    constexpr int kOdd = IDS_FILE_NOT_REGULAR;
    struct Case {
        const char* file;
        bool goesOn;
        std::vector<std::pair<Shape, int>> shapes;  // the message's one argument is the path
    };
    // clang-format off
    const Case files[] = {
        {"init.cnf", false, {{Pipe, kOdd}, {Device, kOdd}, {Folder, kOdd}, {Huge, IDS_FILE_TOO_LARGE}}},
        {"config/settings.txt", true, {{Pipe, kOdd}, {Device, kOdd}, {Folder, kOdd}, {Huge, IDS_FILE_TOO_LARGE}}},
        {"ini/presentation.txt", true, {{Pipe, kOdd}, {Device, kOdd}, {Huge, IDS_FILE_TOO_LARGE}}},
        {"ini/options.txt", false, {{Pipe, kOdd}, {Device, kOdd}, {Huge, IDS_TABLE_TOO_LARGE}}},
        {"state/history.txt", true, {{Pipe, IDS_HISTORY_UNREADABLE}, {Device, IDS_HISTORY_UNREADABLE}, {Huge, IDS_HISTORY_CUT}}},
    };
    // clang-format on
    const std::string order =
        "2026-12-08T08:03:33Z\tmail\tgrib@example.org\tGrib\t@mto@reqt@grib@\\nA 1\n";
    for (const Case& c : files)
        for (const auto& [shape, messageId] : c.shapes) {
            SeededFolder dir;
            const std::string path = dir / c.file;
            std::filesystem::create_directories(dir / "config");
            std::filesystem::create_directories(dir / "state");
            std::filesystem::remove(path);
            ASSERT_TRUE(shape != Pipe || ::mkfifo(path.c_str(), 0644) == 0);
            if (shape == Device) std::filesystem::create_symlink("/dev/zero", path);
            if (shape == Folder) std::filesystem::create_directory(path);
            if (shape == Huge) {
                // Sparse: far beyond any bound, with the newest order at its end.
                WriteFile(path, "");
                std::filesystem::resize_file(path, std::uintmax_t{10} << 30);
                std::ofstream(path, std::ios::app | std::ios::binary) << "\n" << order;
            }
            TestWindow w(dir.Path());
            w.tk.settingsDirectory = dir / "config";
            w.tk.systemDirectory = dir / "state";
            bool ended = false;
            try {
                w.Start();
                w.tk.SelectTab(kOrderPage);
                w.tk.SelectTab(0);
                w.tk.SelectTab(kOrderPage);
            } catch (const platform::ProcessExit& exit) {
                EXPECT_EQ(exit.status, 1);
                ended = true;
            }
            const std::string what = std::string(c.file) + " " + std::to_string(int(shape));
            EXPECT_EQ(ended, !c.goesOn) << what;
            ASSERT_EQ(w.tk.messages.size(), 1u) << what;
            const std::string& message = w.tk.messages.front();
            const std::string& text = LoadString(messageId);
            EXPECT_EQ(message.substr(0, 12), Format(text.c_str(), path.c_str()).substr(0, 12))
                << what;
            EXPECT_NE(message.find(path), std::string::npos) << what << ": " << message;
            if (shape == Huge && c.goesOn && std::string(c.file) == "state/history.txt") {
                EXPECT_NE(w.tk.Control(IDC_HISTORY_EDIT).text.find("grib@example.org"),
                          std::string::npos);
            }
        }
}

}  // namespace
}  // namespace wavepost
