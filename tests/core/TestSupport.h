// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the logic tests: a scratch folder and a main window on the in-memory
// toolkit keeping its files there.
#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/CMarlockDlg.h"
#include "platform/memory/MemoryToolkit.h"
#include "tests/TestAddresses.h"

namespace wavepost::test {

// A fresh directory, removed with everything in it at the end of the test.
class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / "wavepost-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    // A file of the folder, as a path string.
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

// The working directory for the test's lifetime, only for what the program opens relative
// to the directory it was started in: the help page, and the files of the window the
// application object makes.
class WorkingDirectoryAt {
  public:
    explicit WorkingDirectoryAt(const std::filesystem::path& folder)
        : m_previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingDirectoryAt() { std::filesystem::current_path(m_previous); }
    WorkingDirectoryAt(const WorkingDirectoryAt&) = delete;
    WorkingDirectoryAt& operator=(const WorkingDirectoryAt&) = delete;

  private:
    std::filesystem::path m_previous;
};

// A decimal-comma locale for the length of a test, as a French desktop gives the process;
// without it the checks that need it fail rather than pass unseen (the test command makes it).
struct CommaLocale {
    CommaLocale() {
        if (!active)
            ADD_FAILURE() << "no fr_FR.UTF-8 locale: make it with "
                             "localedef -i fr_FR -f UTF-8 fr_FR.UTF-8 (tools/test.sh does)";
    }
    std::string previous = std::setlocale(LC_ALL, nullptr);
    bool active = std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr;
    ~CommaLocale() { std::setlocale(LC_ALL, previous.c_str()); }
};

inline void WriteFile(const std::filesystem::path& path, const std::string& content) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// What a child process of RunInChild runs under.
struct ChildSetting {
    // When set, an administrator's child becomes the user "nobody" and is given this
    // folder, so that permissions count as they do for a user.
    std::filesystem::path unprivilegedIn;
    // RLIMIT_FSIZE, with SIGXFSZ ignored so that a write past it fails with EFBIG.
    long fileSizeLimit = -1;
};

// Runs the body in a child process; true when it passed its checks.
inline bool RunInChild(const std::function<void()>& body, ChildSetting setting = {}) {
    std::fflush(nullptr);
    pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
        if (!setting.unprivilegedIn.empty() && ::geteuid() == 0) {
            const uid_t nobody = 65534;
            ::lchown(setting.unprivilegedIn.c_str(), nobody, nobody);
            for (const auto& entry :
                 std::filesystem::recursive_directory_iterator(setting.unprivilegedIn))
                ::lchown(entry.path().c_str(), nobody, nobody);
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
                ::_exit(2);
        }
        if (setting.fileSizeLimit >= 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{static_cast<rlim_t>(setting.fileSizeLimit),
                         static_cast<rlim_t>(setting.fileSizeLimit)};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(2);
        }
        try {
            body();
        } catch (...) {
            ADD_FAILURE() << "the child's body threw";
        }
        std::fflush(nullptr);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Copies the shipped catalogue, "init.cnf" (with the tests' addresses) and "aide.html"
// into the folder.
inline void SeedDefaultData(const std::filesystem::path& folder) {
    std::filesystem::copy(std::filesystem::path(WAVEPOST_SOURCE_DIR) / "data", folder,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
    SetTestAddresses(folder / "init.cnf");
}

// A fresh folder holding the shipped files.
struct SeededFolder : TempFolder {
    SeededFolder() { SeedDefaultData(Path()); }
};

// The main window on the in-memory toolkit, keeping its files in the folder given;
// Start() runs the start-up sequence.
struct TestWindow {
    explicit TestWindow(const std::filesystem::path& storage) : dlg(tk, storage.string()) {}
    platform::MemoryToolkit tk;
    CMarlockDlg dlg;
    void Start() { tk.RunModal(dlg); }
};

}  // namespace wavepost::test
