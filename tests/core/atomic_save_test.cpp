// SPDX-License-Identifier: GPL-3.0-or-later
// A save killed at any moment leaves the old file or the new one, whole.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "catalogue/CIniTable.h"
#include "catalogue/CatalogueFiles.h"
#include "tests/core/CatalogueTestSupport.h"
#include "tests/core/TestSupport.h"

// Every fsync of this process, by the path of the file flushed: a save must flush each
// file before anything depends on it being on disk.
std::vector<std::string>* g_flushed = nullptr;

extern "C" int fsync(int fd) {
    using Fsync = int (*)(int);
    static const auto real = reinterpret_cast<Fsync>(::dlsym(RTLD_NEXT, "fsync"));
    if (g_flushed) {
        char target[4096];
        const std::string link = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
        g_flushed->push_back(n > 0 ? std::string(target, static_cast<std::size_t>(n)) : "");
    }
    return real(fd);
}

namespace wavepost {
namespace {

using test::ReadFile;
using test::RunInChild;
using test::SeedDefaultData;
using test::Snapshot;
using test::TempFolder;
using test::TestWindow;
using test::WriteFile;
namespace fs = std::filesystem;

// Saves in memory need no disk: the kill loops run where flushing costs nothing.
fs::path FastFolder() {
    return fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
}

std::vector<CIniTable*> SavedTables(CMarlockDlg& d) {
    return {d.m_pEcheances.get(), d.m_pParametres.get(),   d.m_pDomaines.get(),
            d.m_pModes.get(),     d.m_pOptions.get(),      d.m_pUnites.get(),
            d.m_pMailles.get(),   d.m_pCompressions.get(), d.m_pEnvois.get(),
            d.m_pTelecoms.get(),  d.m_pBulletins.get(),    d.m_pImages.get()};
}

std::vector<std::string> LastHeaderCells(CMarlockDlg& d) {
    std::vector<std::string> cells;
    for (CIniTable* table : SavedTables(d))
        cells.push_back(table->GetCell(1, table->GetColumnCount()));
    return cells;
}

// Marks every saved table with the number of the save, in its last header cell.
void Stamp(CMarlockDlg& d, const std::vector<std::string>& headers, long generation) {
    auto tables = SavedTables(d);
    for (std::size_t i = 0; i < tables.size(); ++i)
        tables[i]->SetCell(1, tables[i]->GetColumnCount(),
                           headers[i] + "#" + std::to_string(generation));
}

std::string StampOf(const std::string& cell) {
    auto hash = cell.find('#');
    return hash == std::string::npos ? std::string() : cell.substr(hash + 1);
}

// The stamps of the saved tables as a start loaded them, and on disk unless another
// program may be saving.
std::set<std::string> Stamps(const fs::path& dir, CMarlockDlg& loaded, bool onDisk = true) {
    std::set<std::string> stamps;
    for (CIniTable* table : SavedTables(loaded))
        stamps.insert(StampOf(table->GetCell(1, table->GetColumnCount())));
    for (const char* path : catalogue::kSavedTables) {
        if (!onDisk) break;
        const std::string content = ReadFile(dir / path);
        stamps.insert(StampOf(content.substr(0, content.find_first_of("\r\n"))));
    }
    return stamps;
}

std::set<std::string> Listing(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A child process saving the catalogue again and again, each save stamped with the next
// generation, pausing between saves; it ends only when killed (status 3 if a save fails).
pid_t StartSaver(CMarlockDlg& dlg, const std::vector<std::string>& headers, long firstGeneration,
                 int pauseMicros) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    try {
        for (long generation = firstGeneration;; ++generation) {
            Stamp(dlg, headers, generation);
            dlg.SaveCatalogue();
            if (pauseMicros > 0) ::usleep(static_cast<useconds_t>(pauseMicros));
        }
    } catch (...) {
    }
    ::_exit(3);
}

// Kills savers at random moments, each followed by a start that must find one whole set
// and nothing left behind. A read-only folder makes every table be rewritten in place;
// with moveFolder every other start finds the folder moved since the kill.
void KillSavesAndRestart(const fs::path& storage, bool readOnly, bool moveFolder) {
    if (readOnly)
        fs::permissions(storage / "ini", fs::perms::owner_write, fs::perm_options::remove);
    const auto files = Listing(storage / "ini");
    TestWindow w(storage);
    w.tk.systemDirectory = (storage / "state").string();
    w.Start();
    const auto headers = LastHeaderCells(w.dlg);
    // The kills land anywhere within a few saves.
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 1; i <= 20; ++i) {
        Stamp(w.dlg, headers, i);
        w.dlg.SaveCatalogue();
    }
    const auto save = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - begin) /
                      20;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<long> delay(0, 3 * save.count() + 1);
    int midSave = 0, committed = 0, journals = 0;
    const int kills = 200;
    const fs::path moved = storage.string() + "-moved";
    for (int kill = 0; kill < kills && !::testing::Test::HasFailure(); ++kill) {
        const pid_t child = StartSaver(w.dlg, headers, (kill + 1) * 1000000L, 0);
        ASSERT_GE(child, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the save failed on its own at kill " << kill;
        const auto left = Listing(storage / "ini");
        midSave += left != files;
        committed += left.count(".wavepost-save") != 0;
        journals += fs::exists(storage / "state") && !fs::is_empty(storage / "state");

        const bool move = moveFolder && kill % 2 == 1;
        if (move) fs::rename(storage, moved);
        const fs::path home = move ? moved : storage;
        {
            TestWindow restarted(home);
            restarted.tk.systemDirectory = (home / "state").string();
            restarted.Start();
            EXPECT_TRUE(restarted.tk.messages.empty()) << "kill " << kill;
            const auto stamps = Stamps(home, restarted.dlg);
            EXPECT_EQ(stamps.size(), 1u)
                << "kill " << kill << ": tables of " << stamps.size() << " different saves";
            EXPECT_EQ(Listing(home / "ini"), files) << "kill " << kill << " left files behind";
        }
        if (move) fs::rename(moved, storage);
    }
    std::cout << kills << " kills" << (readOnly ? " in a read-only folder" : "")
              << (moveFolder ? ", every other folder moved" : "") << ": " << midSave
              << " during a save, " << committed << " after its commit marker, " << journals
              << " with a journal; one save takes " << save.count() << " us\n";
    EXPECT_GT(readOnly ? journals : midSave, 0);
}

TEST(AtomicSave, KilledCatalogueSavesAreAllOldOrAllNew) {
    TempFolder dir(FastFolder());
    SeedDefaultData(dir.Path());
    KillSavesAndRestart(dir.Path(), false, true);
}

// A folder that takes no new file: the tables are rewritten in place, their old bytes
// journalled first; run as a user, for whom the folder's permissions count.
TEST(AtomicSave, KilledInPlaceSavesInAReadOnlyFolderAreAllOldOrAllNew) {
    TempFolder dir(FastFolder());
    SeedDefaultData(dir.Path());
    EXPECT_TRUE(
        test::RunInChild([&] { KillSavesAndRestart(dir.Path(), true, true); }, {dir.Path()}));
}

// Each new table is flushed before the commit marker is, the marker before the renames,
// and in a read-only folder the journal before the tables are rewritten, then each table.
TEST(AtomicSave, EveryFileIsFlushedBeforeItCounts) {
    for (const bool readOnly : {false, true}) {
        TempFolder dir(FastFolder());
        SeedDefaultData(dir.Path());
        EXPECT_TRUE(test::RunInChild(
            [&] {
                const fs::path ini = fs::canonical(dir.Path() / "ini");
                if (readOnly)
                    fs::permissions(ini, fs::perms::owner_write, fs::perm_options::remove);
                TestWindow w(dir.Path());
                w.tk.systemDirectory = (dir.Path() / "state").string();
                w.Start();
                std::vector<std::string> flushed;
                g_flushed = &flushed;
                w.dlg.SaveCatalogue();
                g_flushed = nullptr;
                auto at = [&](const std::string& path) {
                    return std::find(flushed.begin(), flushed.end(), path) - flushed.begin();
                };
                const auto none = static_cast<std::ptrdiff_t>(flushed.size());
                const std::string table = (ini / "options.txt").string();
                if (!readOnly) {
                    const auto marker = at((ini / ".wavepost-save").string());
                    EXPECT_LT(marker, none);
                    for (const char* path : catalogue::kSavedTables)
                        EXPECT_LT(at((ini / fs::path(path).filename()).string() + ".wavepost-new"),
                                  marker)
                            << path;
                } else {
                    std::ptrdiff_t journal = 0;
                    while (journal < none &&
                           flushed[journal].find("/state/save-journal-") == std::string::npos)
                        ++journal;
                    EXPECT_LT(journal, none);
                    for (const char* path : catalogue::kSavedTables) {
                        const auto rewritten = at((ini / fs::path(path).filename()).string());
                        EXPECT_LT(rewritten, none) << path;
                        EXPECT_GT(rewritten, journal) << path;
                    }
                }
                // A single table's own save too.
                flushed.clear();
                g_flushed = &flushed;
                w.dlg.m_pOptions->Save();
                g_flushed = nullptr;
                EXPECT_TRUE(std::any_of(flushed.begin(), flushed.end(),
                                        [&](auto& p) { return p.rfind(table, 0) == 0; }));
            },
            {readOnly ? dir.Path() : fs::path()}));
    }
}

// A writer that truncates the file before writing it anew loses the old bytes when the
// disk is full; a size limit stands for the full disk.
TEST(AtomicSave, AFullDiskLeavesTheOldFilesWhole) {
    struct Case {
        const char* name;
        bool readOnlyFolder;  // the save falls back to writing in place
        bool wholeCatalogue;
    };
    const Case cases[] = {{"one table, aside", false, false},
                          {"one table, in place", true, false},
                          {"the catalogue, aside", false, true},
                          {"the catalogue, in place", true, true}};
    for (const Case& c : cases) {
        test::SeededFolder dir;
        const auto before = Snapshot(dir.Path());
        const bool passed = RunInChild(
            [&] {
                if (c.readOnlyFolder)
                    fs::permissions(dir / "ini", fs::perms::owner_write, fs::perm_options::remove);
                const std::string grown(64 * 1024, 'x');
                if (c.wholeCatalogue) {
                    TestWindow w(dir.Path());
                    w.Start();
                    w.dlg.m_pImages->SetCell(2, 2, grown);
                    EXPECT_THROW(w.dlg.SaveCatalogue(), FileError);
                } else {
                    CIniTable table(dir / catalogue::kOptions);
                    table.Load();
                    table.SetCell(2, 2, grown);
                    EXPECT_THROW(table.Save(), FileError);
                }
            },
            {c.readOnlyFolder ? dir.Path() : fs::path(), 16 * 1024});
        fs::permissions(dir / "ini", fs::perms::owner_write, fs::perm_options::add);
        EXPECT_TRUE(passed) << c.name;
        EXPECT_TRUE(Snapshot(dir.Path()) == before) << c.name;
    }
}

TEST(AtomicSave, TwoProgramsInOneFolderSaveWholeSets) {
    TempFolder dir(FastFolder());
    SeedDefaultData(dir.Path());
    const auto files = Listing(dir / "ini");
    TestWindow w(dir.Path());
    w.Start();
    const auto headers = LastHeaderCells(w.dlg);
    pid_t savers[2];
    for (int p = 0; p < 2; ++p) {
        // Saves come from a person's clicks: a lock taken again at once would keep the
        // other program waiting, which no user could bring about.
        savers[p] = StartSaver(w.dlg, headers, (p + 1) * 100000000L, 200);
        ASSERT_GE(savers[p], 0);
    }
    // Meanwhile a third program starts again and again: each start reads one whole set.
    std::set<char> seenSavers;
    int starts = 0;
    // Until both programs' saves have been read, on a loaded machine too.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end && !HasFailure() &&
           (seenSavers.size() < 2 || starts < 20)) {
        TestWindow reader(dir.Path());
        reader.Start();
        const auto stamps = Stamps(dir.Path(), reader.dlg, false);
        EXPECT_EQ(stamps.size(), 1u) << "start " << starts << " read a mixed set";
        if (!stamps.begin()->empty()) seenSavers.insert(stamps.begin()->front());
        ++starts;
    }
    for (pid_t saver : savers) {
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "a saver stopped on its own";
    }
    TestWindow last(dir.Path());
    last.Start();
    EXPECT_EQ(Stamps(dir.Path(), last.dlg).size(), 1u);
    EXPECT_EQ(Listing(dir / "ini"), files);
    EXPECT_GT(starts, 10);
    EXPECT_EQ(seenSavers.size(), 2u) << "both programs' saves were read";
}

TEST(AtomicSave, AStartFinishesOrUndoesASaveCutShort) {
    struct Case {
        const char* name;
        const char* marker;   // "" none; "end" a complete marker; "cut" one cut short
        bool optionsRenamed;  // the crash came after the first rename
        bool moved;           // the folder was moved before the start
        bool expectNew;
    };
    const Case cases[] = {
        {"temporary files only", "", false, false, false},
        {"marker cut short", "cut", false, false, false},
        {"marker written", "end", false, false, true},
        {"marker written, one rename done", "end", true, false, true},
        {"marker written, folder moved", "end", false, true, true},
        {"marker written, one rename done, folder moved", "end", true, true, true}};
    // Copies a person keeps beside the tables, whatever they look like; none is this
    // program's.
    const char* const kept[] = {
        "options.txt.copie1",    "options.txt.bak001",   "parametres.txt.orig23",
        "options.txt.2024v1",    "options.txt.a1B2c3",   "options.txt.Ab12Cd",
        "options.txt.backup",    "options.txt~",         "options.txt.old",
        ".options.txt.swp",      "options.txt.wavepost", "options.txt.wavepost-ab",
        "modes.txt.1",           "options.txt.tmp",      "options.txt.wavepost-new.bak",
        "parametres.txt.v2v2v2", "options.txt.sauve1",   "options (1).txt",
        "options.txt.ORIG01",    "envois.txt.2023ok"};
    for (const Case& c : cases) {
        test::SeededFolder dir;
        std::map<std::string, std::string> old, fresh;
        std::string marker;
        for (const char* path : {catalogue::kOptions, catalogue::kModes}) {
            old[path] = ReadFile(dir / path);
            fresh[path] = old[path].substr(0, old[path].find('\r')) + "#new" +
                          old[path].substr(old[path].find('\r'));
            const std::string target = dir / path;
            const bool renamed = c.optionsRenamed && path == std::string(catalogue::kOptions);
            WriteFile(renamed ? target : target + ".wavepost-new", fresh[path]);
            marker += fs::path(path).filename().string() + "\n";
        }
        // Names that leave the folder are never followed, whatever waits there.
        WriteFile(dir / "init.cnf.wavepost-new", "not an address file");
        const std::string config = ReadFile(dir / "init.cnf");
        marker += "../init.cnf\n" + (dir / "init.cnf") + "\n";
        if (std::string(c.marker) == "end") WriteFile(dir / "ini/.wavepost-save", marker + "end\n");
        if (std::string(c.marker) == "cut")
            WriteFile(dir / "ini/.wavepost-save", marker.substr(0, 14));
        // Temporary files of single saves; a folder of such a name is not one.
        WriteFile(dir / "ini/options.txt.wavepost-Ab12Cd", "left");
        fs::create_directory(dir / "ini/modes.txt.wavepost-Xy12Zz");
        for (const char* name : kept) WriteFile(dir / (std::string("ini/") + name), "kept");

        const fs::path home = c.moved ? fs::path(dir.Path().string() + "-moved") : dir.Path();
        if (c.moved) fs::rename(dir.Path(), home);
        {
            TestWindow w(home);
            w.Start();
            const bool outsideSaid = std::string(c.marker) == "end";
            EXPECT_EQ(w.tk.messages.size(), outsideSaid ? 1u : 0u) << c.name;
            if (outsideSaid && !w.tk.messages.empty()) {
                EXPECT_EQ(w.tk.messages.front(), Format(LoadString(IDS_SAVE_LIST_OUTSIDE).c_str(),
                                                        (home / "ini/.wavepost-save").c_str()));
            }
            for (const auto& [path, content] : old)
                EXPECT_EQ(ReadFile(home / path), c.expectNew ? fresh[path] : content)
                    << c.name << path;
            EXPECT_EQ(w.dlg.m_pOptions->GetCell(1, 4), c.expectNew ? "Carte#new" : "Carte")
                << c.name;
        }
        auto files = Listing(fs::path(WAVEPOST_SOURCE_DIR) / "data" / "ini");
        for (const char* name : kept) files.insert(name);
        files.insert("modes.txt.wavepost-Xy12Zz");
        EXPECT_EQ(Listing(home / "ini"), files) << c.name;
        EXPECT_EQ(ReadFile(home / "init.cnf"), config) << c.name;
        EXPECT_EQ(ReadFile(home / "init.cnf.wavepost-new"), "not an address file") << c.name;
        if (c.moved) fs::rename(home, dir.Path());
    }
}

}  // namespace
}  // namespace wavepost
