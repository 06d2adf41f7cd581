// SPDX-License-Identifier: GPL-3.0-or-later
// The work behind one keystroke in a zone field (the zone follows the texts, the estimate
// is recomputed) and behind bringing the order page up to date. The keystroke runs on the
// shipped catalogue and on ones where only the shown map's rows, or only the other maps',
// are repeated 100 times: its cost should follow the shown map's rows and nothing else.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>

#include "app/layout/Layout.h"
#include "app/layout/ResourceIds.h"
#include "tests/core/TestSupport.h"

namespace wavepost {
namespace {

// The map shown at start with the shipped options.
constexpr const char* kShownMap = "Monde";

// Tables whose rows stand for choices in lists, with the column holding their map (0:
// rows shown on every map); the radio-button tables and the map frames keep their rows.
struct ScaledTable {
    const char* path;
    int mapColumn;
};
constexpr ScaledTable kScaledTables[] = {{"ini/parametres.txt", 1}, {"ini/echeances.txt", 1},
                                         {"ini/options.txt", 4},    {"ini/bulletins.txt", 1},
                                         {"ini/images.txt", 1},     {"ini/mailles.txt", 1},
                                         {"ini/telecoms.txt", 0},   {"ini/unites.txt", 0}};

// The cell of a CRLF row, counted from 1.
std::string CellOf(const std::string& row, int column) {
    std::istringstream cells(row.substr(0, row.find('\r')));
    std::string cell;
    for (int c = 0; c < column && std::getline(cells, cell, ';'); ++c) {
    }
    return cell;
}

// Every data row of the shown map repeated shownScale times, every other one otherScale
// times (rows of every map follow shownScale); the copies' second cell gets a suffix so
// that codes stay distinct where that matters (the options keep their keys).
void ScaleTable(const test::TempFolder& dir, const ScaledTable& table, int shownScale,
                int otherScale) {
    std::istringstream in(test::ReadFile(dir / table.path));
    std::string header, line, out;
    std::getline(in, header);
    out = header + "\n";
    std::vector<std::string> rows;
    while (std::getline(in, line)) rows.push_back(line);
    const bool keepKeys = std::string(table.path) == "ini/options.txt";
    for (const std::string& original : rows) {
        const bool shown = table.mapColumn == 0 || CellOf(original, table.mapColumn) == kShownMap;
        const int copies = shown ? shownScale : otherScale;
        for (int copy = 0; copy < copies; ++copy) {
            std::string row = original;
            if (copy > 0 && !keepKeys) {
                auto first = row.find(';');
                auto second = row.find(';', first + 1);
                if (first != std::string::npos && second != std::string::npos)
                    row.insert(second, std::string(1, '_').append(std::to_string(copy)));
            }
            out += row + "\n";
        }
    }
    test::WriteFile(dir / table.path, out);
}

// Arguments: how many times the shown map's rows and the other maps' rows are repeated.
void Keystroke(benchmark::State& state) {
    const int shownScale = static_cast<int>(state.range(0));
    const int otherScale = static_cast<int>(state.range(1));
    test::SeededFolder dir;
    if (shownScale > 1 || otherScale > 1)
        for (const ScaledTable& table : kScaledTables)
            ScaleTable(dir, table, shownScale, otherScale);
    auto window = std::make_unique<test::TestWindow>(dir.Path());
    window->Start();
    bool flip = false;
    for (auto _ : state) {
        window->tk.Control(IDC_LON1_EDIT).text = flip ? "-20.0" : "-20.5";
        flip = !flip;
        window->dlg.UpdateZoneFromFields();
        window->dlg.UpdateCostEstimate();
        window->tk.messages.clear();
    }
    state.counters["parameter_rows"] = window->dlg.m_pParametres->GetRowCount() - 1;
    benchmark::DoNotOptimize(window->dlg.m_strWeatherCost);
    window.reset();  // before its folder goes
}

// The order page, shown, brought up to date as after any event: the plan of the mails (the
// address file read), the texts, the settings and a history of `historyLines` orders.
void OrderPageRefresh(benchmark::State& state) {
    const int shownScale = static_cast<int>(state.range(0));
    test::SeededFolder dir;
    if (shownScale > 1)
        for (const ScaledTable& table : kScaledTables) ScaleTable(dir, table, shownScale, 1);
    auto window = std::make_unique<test::TestWindow>(dir.Path());
    window->tk.systemDirectory = (dir.Path() / "state").string();
    std::filesystem::create_directory(window->tk.systemDirectory);
    std::string history;
    for (int i = 0; i < state.range(1); ++i)
        history +=
            "2026-12-08T08:03:33Z\tmail\tgrib@example.org\tGrib\t@mto@reqt@grib@\\nA 1\\n"
            "Z 0.0 0.0\\n@mto@reqt@fin@\n";
    test::WriteFile(std::filesystem::path(window->tk.systemDirectory) / "history.txt", history);
    window->Start();
    window->tk.SelectTab(kOrderPage);
    for (auto _ : state) window->dlg.RefreshOrderPage();
    benchmark::DoNotOptimize(window->tk.Control(IDC_ORDER_TEXT_EDIT).text);
    window.reset();  // before its folder goes
}

BENCHMARK(OrderPageRefresh)
    ->ArgNames({"shown", "history"})
    ->Args({1, 0})
    ->Args({1, 1000})
    ->Args({100, 0})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(Keystroke)
    ->ArgNames({"shown", "other"})
    ->Args({1, 1})
    ->Args({100, 1})
    ->Args({1, 100})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wavepost
