// SPDX-License-Identifier: GPL-3.0-or-later
// The files of the catalogue folder, whatever their bytes. As a table: a load, a save and
// a load give the same cells, and a second save the same bytes. As the address file:
// SetValue keeps the file's length and every byte but the value's.
#include <cstdint>

#include "app/CConfigFile.h"
#include "catalogue/CIniTable.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace wavepost;

namespace {

void CheckTable(const std::string& bytes) {
    fuzz::Write("table.txt", bytes);
    CIniTable first("table.txt");
    try {
        first.Load();
    } catch (const std::exception&) {
        return;  // refused with its message: nothing to compare
    }
    const std::string saved = first.Bytes();
    fuzz::Write("again.txt", saved);
    CIniTable second("again.txt");
    second.Load();
    FUZZ_CHECK(second.GetRowCount() == first.GetRowCount());
    FUZZ_CHECK(second.GetColumnCount() == first.GetColumnCount());
    for (std::int32_t r = 1; r <= first.GetRowCount(); ++r) {
        for (std::int32_t c = 1; c <= first.GetColumnCount(); ++c) {
            FUZZ_CHECK(second.GetCell(r, c) == first.GetCell(r, c));
            // No cell holds what would split it or its row at the next load.
            FUZZ_CHECK(first.GetCell(r, c).find_first_of(";\n") == std::string::npos);
        }
    }
    FUZZ_CHECK(second.Bytes() == saved);
}

// The size picks the key and the value written.
void CheckAddressFile(const std::string& before) {
    static const char* const keys[] = {"meteo", "question", "Antime", "PtEuro"};
    const std::string key = keys[before.size() % 4];
    const std::string value = before.size() / 4 % 2 ? "1" : "0";
    fuzz::Write("init.cnf", before);
    {
        CConfigFile config("init.cnf", false);
        try {
            config.GetValue(key);
            config.SetValue(key, value);
            config.Close();
        } catch (const std::exception&) {
            return;
        }
    }
    const std::string after = fuzz::Read("init.cnf");
    FUZZ_CHECK(after.size() == before.size());
    const std::size_t at = FindConfigKey(before, key);
    if (at == std::string::npos) {
        FUZZ_CHECK(after == before);
        return;
    }
    // Only bytes of the old value's span changed.
    const std::size_t start = at + key.size() + 1;
    for (std::size_t i = 0; i < before.size(); ++i)
        FUZZ_CHECK(before[i] == after[i] || (i >= start && i < start + value.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Scratch();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckTable(bytes);
    CheckAddressFile(bytes);
    return 0;
}
