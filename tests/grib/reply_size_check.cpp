// SPDX-License-Identifier: GPL-3.0-or-later
// The reply size estimate against real GRIB files: for each order of the table, the GRIB 1
// and GRIB 2 files the service would send (made with ecCodes from its shipped samples, one
// message per field and step, filled with smooth fields and noise in realistic ranges),
// compressed by the real zip, gzip and bzip2. Every estimate must fall within 30% of the
// real size. Prints the table that docs/reply-size.md shows.
#include <eccodes.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "base/NumberText.h"
#include "catalogue/CIniTable.h"
#include "request/CostArithmetic.h"
#include "request/ReplySize.h"
#include "request/SaildocsOrder.h"
#include "tests/core/TestSupport.h"

extern char** environ;

namespace wavepost {
namespace {

// One GRIB field: its parameter, the range its values take, and the point-to-point noise
// on its smooth shape as a fraction of half that range (pressure and sea temperature are
// smooth, gusts, rain and cloud patchy). Values below floor are held at it (no rain over
// most of a zone).
struct Field {
    long paramId;
    double low, high, floor, noise;
    bool accumulated = false;  // a statistical product in GRIB 2
};
// Every field's noise is multiplied by this; docs/reply-size.md shows the table for 0
// (smooth fields alone) and 3 as well.
constexpr double kNoiseScale = 1;

struct Parameter {
    std::vector<Field> fields;  // its weight
    bool analysisOnly = false;
};

const Parameter kWind{{{165, -30, 30, -30, 0.03}, {166, -30, 30, -30, 0.03}}};
const Parameter kPressure{{{151, 97000, 104000, 97000, 0.005}}};
const Parameter kGust{{{228029, 0, 40, 0, 0.05}}};
const Parameter kWaveHeight{{{140229, 0, 10, 0, 0.01}}};
const Parameter kWaveDirection{{{140230, 0, 360, 0, 0.03}}};
const Parameter kWavePeriod{{{140232, 2, 20, 2, 0.02}}};
const Parameter kAirTemperature{{{167, 250, 310, 250, 0.01}}};
const Parameter kPrecipitation{{{228, -30, 50, 0, 0.05, true}}};
const Parameter kCloud{{{164, 0, 1, 0, 0.08}}};
const Parameter kCurrent{{{151131, -2, 2, -2, 0.03}, {151132, -2, 2, -2, 0.03}}};
const Parameter kSeaTemperature{{{34, 270, 305, 270, 0.005}}, true};

struct Case {
    const char* what;
    double lon, lat, width, height, spacing;  // a centred zone
    std::vector<Parameter> parameters;
    int steps;  // 0, 6, 12 ... hours
};

// The order as the window would hand it to the estimate.
CostResult Estimate(const Case& order) {
    CostChoices c;
    c.currency = CostChoices::Currency{"EUR", "1"};
    c.dollarRate = "1";
    c.link = CostChoices::Link{"1", "2000000000", "2000000000"};
    for (int s = 0; s < order.steps; ++s) c.steps.push_back({std::to_string(6 * s), "1"});
    for (const Parameter& p : order.parameters)
        c.parameters.push_back({"1", std::to_string(p.fields.size()), p.analysisOnly ? "1" : "0"});
    c.lonSpacing = c.latSpacing = FormatFixed(order.spacing, 2);
    c.zoneMode = 0;
    c.lon1 = FormatFixed(order.lon, 1), c.lat1 = FormatFixed(order.lat, 1);
    c.lon2 = FormatFixed(order.width, 1), c.lat2 = FormatFixed(order.height, 1);
    return EstimateCost(c);
}

// A smooth field moving with the step, plus noise at every point.
std::vector<double> Values(const Field& f, long ni, long nj, double west, double north,
                           double spacing, int step, std::mt19937& random) {
    std::normal_distribution<double> noise(0, 1);
    const double mid = (f.low + f.high) / 2, half = (f.high - f.low) / 2;
    const double phase = static_cast<double>(f.paramId % 97) + 0.4 * step;
    std::vector<double> values(static_cast<std::size_t>(ni * nj));
    for (long j = 0; j < nj; ++j) {
        for (long i = 0; i < ni; ++i) {
            const double lon = west + i * spacing, lat = north - j * spacing;
            const double shape = 0.55 * std::sin(lon / 6 + phase) * std::cos(lat / 4 + phase / 3) +
                                 0.3 * std::sin((lon + 0.7 * lat) / 2.5 + phase) +
                                 kNoiseScale * f.noise * noise(random);
            values[static_cast<std::size_t>(j * ni + i)] =
                std::clamp(mid + half * shape, f.floor, f.high);
        }
    }
    return values;
}

// The reply as the service packs it: one message per field and step, the analysis-only
// parameters at hour 0 alone.
void WriteGrib(const Case& order, GribEdition edition, long ni, long nj,
               const std::filesystem::path& path, std::int64_t& messages) {
    messages = 0;
    std::ofstream out(path, std::ios::binary);
    const char* sample =
        edition == GribEdition::One ? "regular_ll_sfc_grib1" : "regular_ll_sfc_grib2";
    const double west = order.lon - order.width / 2, north = order.lat + order.height / 2;
    std::mt19937 random(7);
    for (int step = 0; step < order.steps; ++step) {
        for (const Parameter& p : order.parameters) {
            if (p.analysisOnly && step > 0) continue;
            for (const Field& f : p.fields) {
                codes_handle* h = codes_grib_handle_new_from_samples(nullptr, sample);
                ASSERT_NE(h, nullptr) << sample;
                if (f.accumulated && edition == GribEdition::Two) {
                    ASSERT_EQ(codes_set_long(h, "productDefinitionTemplateNumber", 8), 0);
                }
                const std::pair<const char*, long> longs[] = {
                    {"paramId", f.paramId},
                    {"Ni", ni},
                    {"Nj", nj},
                    {"jScansPositively", 0},
                    {"step", 6L * step},
                    {"bitsPerValue", kServiceBitsPerValue}};
                const std::pair<const char*, double> doubles[] = {
                    {"latitudeOfFirstGridPointInDegrees", north},
                    {"longitudeOfFirstGridPointInDegrees", west},
                    {"latitudeOfLastGridPointInDegrees", north - (nj - 1) * order.spacing},
                    {"longitudeOfLastGridPointInDegrees", west + (ni - 1) * order.spacing},
                    {"iDirectionIncrementInDegrees", order.spacing},
                    {"jDirectionIncrementInDegrees", order.spacing}};
                for (auto [key, value] : longs) ASSERT_EQ(codes_set_long(h, key, value), 0) << key;
                for (auto [key, value] : doubles)
                    ASSERT_EQ(codes_set_double(h, key, value), 0) << key;
                const std::vector<double> values =
                    Values(f, ni, nj, west, north, order.spacing, step, random);
                ASSERT_EQ(codes_set_double_array(h, "values", values.data(), values.size()), 0);
                long bits = 0;
                codes_get_long(h, "bitsPerValue", &bits);
                EXPECT_EQ(bits, kServiceBitsPerValue);
                const void* message = nullptr;
                std::size_t length = 0;
                ASSERT_EQ(codes_get_message(h, &message, &length), 0);
                out.write(static_cast<const char*>(message), static_cast<std::streamsize>(length));
                codes_handle_delete(h);
                ++messages;
            }
        }
    }
}

// Runs a tool from its argument vector and waits for it.
void Run(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0)
        << arguments[0];
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << arguments[0];
}

// The file compressed as the order asks, by each tool with its default level.
std::int64_t Compressed(const std::filesystem::path& grib, ReplyCompression compression) {
    const std::string file = grib.string();
    if (compression == ReplyCompression::None) return std::filesystem::file_size(grib);
    const bool zip = compression == ReplyCompression::Zip;
    const std::string result = file + (zip                                     ? ".zip"
                                       : compression == ReplyCompression::Gzip ? ".gz"
                                                                               : ".bz2");
    if (zip)
        Run({"zip", "-q", "-j", result, file});
    else
        Run({compression == ReplyCompression::Gzip ? "gzip" : "bzip2", "-k", "-f", file});
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(result));
    std::filesystem::remove(result);
    return size;
}

std::string Grouped(std::int64_t n) {
    std::string digits = std::to_string(n), text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

TEST(ReplySize, EstimateWithin30PercentOfRealGribFiles) {
    // clang-format off
    const Case cases[] = {
        {"tiny, 1 parameter, 1 step", -4, 47, 2, 2, 0.5, {kPressure}, 1},
        {"small, wind, 5 steps", -3, 47, 4, 3, 0.25, {kWind}, 5},
        {"small, 10 parameters, 8 steps", -5, 45, 10, 5, 0.5,
         {kWind, kPressure, kGust, kWaveHeight, kWaveDirection, kWavePeriod, kAirTemperature,
          kPrecipitation, kCloud, kSeaTemperature}, 8},
        {"coast at 0.1, 3 parameters, 9 steps", 2, 46, 10, 6, 0.1, {kWind, kGust, kPressure}, 9},
        {"medium, 4 parameters, 20 steps", -10, 45, 20, 10, 0.5,
         {kWind, kPressure, kWaveHeight, kCurrent}, 20},
        {"ocean crossing, 6 parameters, 20 steps", -40, 30, 40, 30, 1,
         {kWind, kPressure, kWaveHeight, kWaveDirection, kWavePeriod, kSeaTemperature}, 20},
        {"large at 0.25, 2 parameters, 3 steps", 7.5, 48.5, 60, 35, 0.25, {kWind, kPressure}, 3},
        {"large, 10 parameters, 10 steps", -30, 20, 100, 60, 1,
         {kWind, kPressure, kGust, kWaveHeight, kWaveDirection, kWavePeriod, kAirTemperature,
          kPrecipitation, kCloud, kCurrent}, 10},
        {"large at 0.25, 1 parameter, 20 steps", 7.5, 48.5, 75, 37, 0.25, {kWaveHeight}, 20},
        {"world at 2, wind, 12 steps", 0, 0, 358, 178, 2, {kWind}, 12},
    };
    // clang-format on
    const ReplyCompression kinds[] = {ReplyCompression::None, ReplyCompression::Zip,
                                      ReplyCompression::Gzip, ReplyCompression::Bzip2};
    const test::TempFolder folder;
    std::cout << "| order | points | messages | GRIB | raw | zip | gzip | bzip2 |\n"
              << "|---|---:|---:|---|---:|---:|---:|---:|\n";
    for (const Case& order : cases) {
        SCOPED_TRACE(order.what);
        const long ni = std::lround(order.width / order.spacing) + 1;
        const long nj = std::lround(order.height / order.spacing) + 1;
        const CostResult estimate = Estimate(order);
        ASSERT_EQ(estimate.points, ni * nj);
        for (const GribEdition edition : {GribEdition::One, GribEdition::Two}) {
            const std::filesystem::path grib = folder.Path() / "reply.grb";
            std::int64_t messages = 0;
            WriteGrib(order, edition, ni, nj, grib, messages);
            if (HasFatalFailure()) return;
            EXPECT_EQ(messages, estimate.fields);
            std::string row = std::string("| ") + order.what + " | " + Grouped(estimate.points) +
                              " | " + std::to_string(estimate.fields) + " | " +
                              (edition == GribEdition::One ? "1" : "2");
            for (const ReplyCompression kind : kinds) {
                const std::int64_t real = Compressed(grib, kind);
                const std::int64_t estimated = ReplyBytes(
                    {estimate.points, estimate.fields, kServiceBitsPerValue, edition, kind});
                const double ratio = static_cast<double>(estimated) / static_cast<double>(real);
                EXPECT_NEAR(ratio, 1.0, 0.3) << "edition " << static_cast<int>(edition) + 1
                                             << ", compression " << static_cast<int>(kind);
                row += " | " + Grouped(real) + " / " + Grouped(estimated) + " (" +
                       FormatFixed(ratio, 2) + ")";
            }
            std::cout << row << " |\n";
        }
    }
}

// A Saildocs order: the service's own grid (the zone on whole degrees) sent as GRIB 1,
// uncompressed, as the order page estimates it.
TEST(ReplySize, SaildocsEstimateWithin30PercentOfRealGribFiles) {
    CIniTable table(std::string(WAVEPOST_SOURCE_DIR) + "/data/ini/saildocs.txt");
    table.Load();
    const std::optional<SaildocsService> service = ReadSaildocsService(table);
    ASSERT_TRUE(service.has_value());
    struct SaildocsCase {
        Case grid;  // the same zone, centred, for the file
        int every;  // hours between steps
        std::vector<std::string> codes;
    };
    // clang-format off
    const SaildocsCase cases[] = {
        {{"documented, 1 degree, 21 steps", -20, 45, 20, 10, 1, {kWind, kPressure}, 21}, 6, {"WIND", "PRMSL"}},
        {{"Biscay at 0.25, waves, 25 steps", -5, 46.5, 10, 7, 0.25, {kWind, kPressure, kWaveHeight}, 25}, 3, {"WIND", "PRMSL", "HTSGW"}},
        {{"ocean at 2, 21 steps", -35, 35, 50, 30, 2, {kWind, kPressure}, 21}, 12, {"WIND", "PRMSL"}},
    };
    // clang-format on
    const test::TempFolder folder;
    for (const SaildocsCase& sd : cases) {
        SCOPED_TRACE(sd.grid.what);
        const Case& grid = sd.grid;
        RequestChoices c;
        c.subscription = 0;
        c.zoneMode = 1;
        c.lon1 = FormatFixed(grid.lon - grid.width / 2, 1);
        c.lat1 = FormatFixed(grid.lat + grid.height / 2, 1);
        c.lon2 = FormatFixed(grid.lon + grid.width / 2, 1);
        c.lat2 = FormatFixed(grid.lat - grid.height / 2, 1);
        c.lonMesh = c.latMesh = FormatFixed(grid.spacing, 2);
        c.speed = "0";
        c.parameters = sd.codes;
        for (int s = 0; s < grid.steps; ++s) c.steps.push_back(std::to_string(s * sd.every));
        const SaildocsOrder order = BuildSaildocsOrder(c, *service);
        ASSERT_EQ(order.refusal, "");
        const long ni = std::lround(grid.width / grid.spacing) + 1;
        const long nj = std::lround(grid.height / grid.spacing) + 1;
        ASSERT_EQ(order.points, ni * nj);
        const std::filesystem::path grib = folder.Path() / "saildocs.grb";
        std::int64_t messages = 0;
        WriteGrib(grid, GribEdition::One, ni, nj, grib, messages);
        if (HasFatalFailure()) return;
        EXPECT_EQ(messages, order.fields);
        const std::int64_t real = Compressed(grib, ReplyCompression::None);
        const std::int64_t estimated = ReplyBytes({order.points, order.fields, kServiceBitsPerValue,
                                                   GribEdition::One, ReplyCompression::None});
        const double ratio = static_cast<double>(estimated) / static_cast<double>(real);
        EXPECT_NEAR(ratio, 1.0, 0.3);
        std::cout << "| Saildocs: " << grid.what << " | " << Grouped(order.points) << " | "
                  << order.fields << " | 1 | " << Grouped(real) << " / " << Grouped(estimated)
                  << " (" << FormatFixed(ratio, 2) << ") |\n";
    }
}

}  // namespace
}  // namespace wavepost
