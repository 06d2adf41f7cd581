// The address file: SetValue keeps the file's length and every byte but the value's, and
// GetValue then reads the value back as far as it fits.
#include <cstdint>

#include "app/CConfigFile.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace wavepost;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Scratch();
    if (size < 2) return 0;
    // The first byte picks the key, the second the value written; the rest is the file.
    static const char* const keys[] = {"meteo", "question", "Antime", "PtEuro"};
    const std::string key = keys[data[0] % 4];
    const std::string value = data[1] % 2 ? "1" : "0";
    const std::string before(reinterpret_cast<const char*>(data) + 2, size - 2);
    fuzz::Write("init.cnf", before);
    std::string read;
    {
        CConfigFile config("init.cnf", false);
        try {
            read = config.GetValue(key);
            config.SetValue(key, value);
            config.Close();
        } catch (const std::exception&) {
            return 0;
        }
    }
    const std::string after = fuzz::Read("init.cnf");
    FUZZ_CHECK(after.size() == before.size());
    const std::size_t at = FindConfigKey(before, key);
    if (at == std::string::npos) {
        FUZZ_CHECK(after == before);
        return 0;
    }
    // Only bytes of the old value's span changed.
    const std::size_t start = at + key.size() + 1;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        FUZZ_CHECK(i >= start && i < start + value.size());
        ++differing;
    }
    FUZZ_CHECK(differing <= value.size());
    (void)read;
    return 0;
}
