// Helpers shared by the logic tests: a scratch working directory and a main window on
// the in-memory toolkit.
#pragma once

#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/CMarlockDlg.h"
#include "platform/memory/MemoryToolkit.h"

namespace wavepost::test {

// A fresh directory that is the working directory for the test's lifetime.
class ScratchDir {
  public:
    ScratchDir() {
        m_previous = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "wavepost-test-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
        std::filesystem::current_path(m_path);
    }
    ~ScratchDir() {
        std::filesystem::current_path(m_previous);
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

// A decimal-comma locale for the length of a test, as a French desktop gives the process,
// when the machine has one.
struct CommaLocale {
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

// Copies the shipped catalogue, "init.cnf" and "aide.html" into the working directory.
inline void SeedDefaultData() {
    std::filesystem::copy(std::filesystem::path(WAVEPOST_SOURCE_DIR) / "data",
                          std::filesystem::current_path(),
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

// The main window on the in-memory toolkit; Start() runs the start-up sequence.
struct TestWindow {
    platform::MemoryToolkit tk;
    CMarlockDlg dlg{tk};
    void Start() { tk.RunModal(dlg); }
};

}  // namespace wavepost::test
