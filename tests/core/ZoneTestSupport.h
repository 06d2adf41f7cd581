// SPDX-License-Identifier: GPL-3.0-or-later
// The zone tests' maps for the zone arithmetic, and their window: the shipped catalogue
// with the zone options of the tests and a few texts replaced, started.
#pragma once

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "app/layout/ResourceIds.h"
#include "tests/core/TestSupport.h"
#include "zone/ZoneArithmetic.h"

namespace wavepost::test {

// The shipped frames (bottom, top, left, right), one pixel a degree from (100, 50).
inline const zone::DomainFrame kWorldFrame{-90, 90, 0, 360, true};
inline const zone::MapView kWorld{kWorldFrame, {100, 50, 460, 230}, true, false};
inline const zone::MapView kPacific{kWorldFrame, {100, 50, 460, 230}, true, true};
inline const zone::MapView kEurope{{30, 67, -30, 45, true}, {100, 50, 175, 87}, false, false};
inline const zone::MapView kFrance{{41.5f, 51.5f, -7, 11, true}, {100, 50, 118, 60}, false, false};

struct Edit {
    std::string path, from, to;
};

inline void Apply(const TempFolder& dir, const Edit& edit) {
    std::string content = ReadFile(dir / edit.path);
    auto at = content.find(edit.from);
    if (at == std::string::npos) throw std::runtime_error(edit.path + " has no " + edit.from);
    WriteFile(dir / edit.path, content.replace(at, edit.from.size(), edit.to));
}

struct ZoneWindow {
    SeededFolder dir;
    TestWindow w{dir.Path()};
    platform::MemoryToolkit& tk = w.tk;
    CMarlockDlg& dlg = w.dlg;
    platform::Rect area;

    explicit ZoneWindow(const std::vector<Edit>& edits = {}) {
        // Zone texts of their own, so the expected values do not follow the shipped ones.
        std::filesystem::copy_file(
            std::filesystem::path(WAVEPOST_SOURCE_DIR) / "tests/core/fixtures/zone_options.txt",
            dir / "ini/options.txt", std::filesystem::copy_options::overwrite_existing);
        for (const Edit& edit : edits) Apply(dir, edit);
        w.Start();
        area = dlg.GetMapArea();
    }
    // Lon1, Lat1, Lon2, Lat2 as the fields show them.
    std::vector<std::string> Texts() const {
        return {tk.GetControlText(IDC_LON1_EDIT), tk.GetControlText(IDC_LAT1_EDIT),
                tk.GetControlText(IDC_LON2_EDIT), tk.GetControlText(IDC_LAT2_EDIT)};
    }
    std::vector<platform::DrawOp> Painted(platform::DrawOp::Kind kind) {
        auto ops = tk.Paint().ops;
        std::erase_if(ops, [kind](const platform::DrawOp& op) { return op.kind != kind; });
        return ops;
    }
};

using Texts = std::vector<std::string>;

}  // namespace wavepost::test

namespace wavepost::zone {

// Readable failures of the tables.
inline void PrintTo(const ZoneTexts& t, std::ostream* out) {
    *out << '{' << t.lon1 << ", " << t.lat1 << ", " << t.lon2 << ", " << t.lat2 << " mode "
         << t.mode << '}';
}
inline void PrintTo(const ZoneRect& z, std::ostream* out) {
    *out << '{' << z.west << ", " << z.east << ", " << z.north << ", " << z.south << '}';
}

}  // namespace wavepost::zone
