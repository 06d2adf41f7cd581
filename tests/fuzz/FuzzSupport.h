// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the fuzz targets: a scratch folder of the process's own and a property check
// that stops the run with the input saved when it fails.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace wavepost::fuzz {

// A folder that is the working directory for the whole run.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path path = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "wavepost-fuzz-XXXXXX").string();
        std::filesystem::path made = ::mkdtemp(pattern.data());
        std::filesystem::current_path(made);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Scratch(), ignored);
        });
        return made;
    }();
    return path;
}

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A broken property is a finding: abort, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

}  // namespace wavepost::fuzz
