// Loading a large catalogue table: the time should follow the file's bytes, whether or not
// its lines hold separators.
#include <benchmark/benchmark.h>

#include "catalogue/CIniTable.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

constexpr int kLines = 300000;

// Argument: 1 when the data lines hold their separators, 0 when the same bytes hold none.
void TableLoad(benchmark::State& state) {
    const char separator = state.range(0) ? ';' : ' ';
    std::string text = "Carte;Code;Libelle;Choix;Defaut;Poids;Analyse\r\n";
    for (int i = 0; i < kLines; ++i) {
        std::string line = "Monde;v" + std::to_string(i) + ";Vent;1;1;1;0\r\n";
        for (char& c : line)
            if (c == ';') c = separator;
        text += line;
    }
    test::TempFolder dir;
    test::WriteFile(dir / "table.txt", text);
    for (auto _ : state) {
        CIniTable table(dir / "table.txt");
        table.Load();
        benchmark::DoNotOptimize(table.GetRowCount());
    }
    state.counters["lines"] = kLines;
}

BENCHMARK(TableLoad)->ArgNames({"separators"})->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wavepost
