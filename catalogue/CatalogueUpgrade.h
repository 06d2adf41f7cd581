// SPDX-License-Identifier: GPL-3.0-or-later
// Brings a newer installed catalogue into the user's working folder, keeping the user's
// choices.
#pragma once

#include <string>

#include "base/UtcTime.h"

namespace wavepost {

// The catalogue's version file, beside the tables: a header row, then the version number.
inline const char* const kCatalogueVersionFile = "ini/version.txt";

struct CatalogueUpgrade {
    bool merged = false;  // the working folder now holds the newer catalogue's version
    std::string message;  // what changed, for the user; empty when nothing did
};

// When the catalogue of shippedFolder is newer than the one of workFolder (a folder without
// a version file holds version 0), merges it in: the rows of the newer tables, each table's
// choice column keeping the user's value for a row both have, new rows taking their
// defaults. The previous tables are first copied into workFolder/ini-<date>, then all the
// tables change as one set. Throws FileError when anything cannot be read or written: the
// user's tables are then as they were.
CatalogueUpgrade UpgradeCatalogue(const std::string& shippedFolder, const std::string& workFolder,
                                  UtcTime now);

}  // namespace wavepost
