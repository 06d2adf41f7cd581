// SPDX-License-Identifier: GPL-3.0-or-later
// The sailor's favourites: sets of choices kept under a name in the settings folder, in a
// file a person can read and mend.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wavepost {

struct Favourite {
    std::string name;
    std::string map;        // the map name that keys the catalogue rows
    bool saildocs = false;  // the service the orders go to
    // The options rows of the map, by key, each value as the table holds it.
    std::vector<std::pair<std::string, std::string>> options;
    // The codes ticked, by kind, in the catalogue's order.
    std::vector<std::string> steps, parameters, bulletins, images;
    bool operator==(const Favourite&) const = default;
};

constexpr const char* kFavouritesFileName = "favourites.txt";
std::string FavouritesPath(const std::string& folder);

// "[name]" then "key=value" lines: map=, service=, option.KEY=, step=, parameter=,
// bulletin=, image= (one line per code ticked), a blank line between favourites.
std::string FormatFavourites(const std::vector<Favourite>& favourites);
// Lines that do not read so are skipped; a favourite without a map is left out.
std::vector<Favourite> ParseFavourites(const std::string& text);

// The folder's favourites, none when there is no file yet. Throws FileError when the file
// exists but cannot be read.
std::vector<Favourite> ReadFavourites(const std::string& folder);
// Rewrites the file whole or not at all. Throws FileError naming it.
void SaveFavourites(const std::string& folder, const std::vector<Favourite>& favourites);

// A name the file can hold: not empty once trimmed, no line break nor bracket.
bool IsFavouriteName(const std::string& name);
std::string TrimmedName(const std::string& name);

}  // namespace wavepost
