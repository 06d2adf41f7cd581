// The work behind one keystroke in a zone field: the zone follows the texts and the cost
// estimate is recomputed over the whole catalogue. Run on the shipped catalogue and on
// ones with 10 and 100 times its rows, to show that the cost grows with the rows, not
// faster.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

// Tables whose rows stand for choices in lists; the radio-button tables and the map
// frames keep their rows.
constexpr const char* kScaledTables[] = {
    "ini/parametres.txt", "ini/echeances.txt", "ini/options.txt",  "ini/bulletins.txt",
    "ini/images.txt",     "ini/mailles.txt",   "ini/telecoms.txt", "ini/unites.txt"};

// Every data row repeated scale times; the copies' second cell gets a suffix so that
// codes stay distinct where that matters (the options keep their keys).
void ScaleTable(const std::string& path, int scale) {
    std::istringstream in(test::ReadFile(path));
    std::string header, line, out;
    std::getline(in, header);
    out = header + "\n";
    std::vector<std::string> rows;
    while (std::getline(in, line)) rows.push_back(line);
    const bool keepKeys = path == "ini/options.txt";
    for (int copy = 0; copy < scale; ++copy) {
        for (std::string row : rows) {
            if (copy > 0 && !keepKeys) {
                auto first = row.find(';');
                auto second = row.find(';', first + 1);
                if (first != std::string::npos && second != std::string::npos)
                    row.insert(second, std::string(1, '_').append(std::to_string(copy)));
            }
            out += row + "\n";
        }
    }
    test::WriteFile(path, out);
}

void Keystroke(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    test::ScratchDir dir;
    test::SeedDefaultData();
    if (scale > 1)
        for (const char* table : kScaledTables) ScaleTable(table, scale);
    auto window = std::make_unique<test::TestWindow>();
    window->Start();
    bool flip = false;
    for (auto _ : state) {
        window->tk.Control(1073).text = flip ? "-20.0" : "-20.5";
        flip = !flip;
        window->dlg.UpdateZoneFromFields();
        window->dlg.UpdateCostEstimate();
        window->tk.messages.clear();
    }
    state.counters["parameter_rows"] = window->dlg.m_pParametres->GetRowCount() - 1;
    benchmark::DoNotOptimize(window->dlg.m_strWeatherCost);
    window.reset();  // before the working directory goes
}

BENCHMARK(Keystroke)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wavepost
