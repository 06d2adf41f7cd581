// The table reader: whatever the bytes, a load, a save and a load give the same cells, and
// a second save gives the same bytes.
#include <cstdint>

#include "catalogue/CIniTable.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace wavepost;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Scratch();
    fuzz::Write("table.txt", std::string(reinterpret_cast<const char*>(data), size));
    CIniTable first("table.txt");
    try {
        first.Load();
    } catch (const std::exception&) {
        return 0;  // refused with its message: nothing to compare
    }
    const std::string saved = first.Bytes();
    fuzz::Write("again.txt", saved);
    CIniTable second("again.txt");
    second.Load();
    FUZZ_CHECK(second.GetRowCount() == first.GetRowCount());
    FUZZ_CHECK(second.GetColumnCount() == first.GetColumnCount());
    for (std::int32_t r = 1; r <= first.GetRowCount(); ++r)
        for (std::int32_t c = 1; c <= first.GetColumnCount(); ++c)
            FUZZ_CHECK(second.GetCell(r, c) == first.GetCell(r, c));
    FUZZ_CHECK(second.Bytes() == saved);
    // No cell holds what would split it or its row at the next load.
    for (std::int32_t r = 1; r <= first.GetRowCount(); ++r)
        for (std::int32_t c = 1; c <= first.GetColumnCount(); ++c)
            FUZZ_CHECK(first.GetCell(r, c).find_first_of(";\n") == std::string::npos);
    return 0;
}
