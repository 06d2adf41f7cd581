// SPDX-License-Identifier: GPL-3.0-or-later
// The addresses the tests order to, for the logic and the Qt tests alike.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace wavepost::test {

// The shipped address file's placeholders (under ".invalid", which stop every order) set
// to the addresses the tests order to.
inline void SetTestAddresses(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"commandes@a-regler.invalid", "grib@example.org"},
          {"questions@a-regler.invalid", "support@example.org"}})
        if (const std::size_t at = text.find(from); at != std::string::npos)
            text.replace(at, from.size(), to);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

}  // namespace wavepost::test
