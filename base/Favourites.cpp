// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Favourites.h"

#include <filesystem>

#include "base/FileAccess.h"
#include "base/TextLines.h"

namespace wavepost {

namespace {

constexpr const char* kOptionPrefix = "option.";

void AddCodes(std::string& out, const char* key, const std::vector<std::string>& codes) {
    for (const std::string& code : codes) out += std::string(key) + "=" + code + "\n";
}

// A value as one line: a line break would start a line of its own.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

}  // namespace

std::string FavouritesPath(const std::string& folder) {
    return (std::filesystem::path(folder) / kFavouritesFileName).string();
}

std::string TrimmedName(const std::string& name) {
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

bool IsFavouriteName(const std::string& name) {
    return !TrimmedName(name).empty() && name.find_first_of("[]\r\n") == std::string::npos;
}

std::string FormatFavourites(const std::vector<Favourite>& favourites) {
    std::string out;
    for (const Favourite& f : favourites) {
        if (!out.empty()) out += "\n";
        out += "[" + f.name + "]\n";
        out += "map=" + OneLine(f.map) + "\n";
        out += std::string("service=") + (f.saildocs ? "saildocs" : "catalogue") + "\n";
        for (const auto& [key, value] : f.options)
            out += kOptionPrefix + OneLine(key) + "=" + OneLine(value) + "\n";
        AddCodes(out, "step", f.steps);
        AddCodes(out, "parameter", f.parameters);
        AddCodes(out, "bulletin", f.bulletins);
        AddCodes(out, "image", f.images);
    }
    return out;
}

std::vector<Favourite> ParseFavourites(const std::string& text) {
    std::vector<Favourite> out;
    for (const std::string_view raw : SplitLines(text)) {
        const std::string line(WithoutCarriageReturn(raw));
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            out.push_back({});
            out.back().name = line.substr(1, line.size() - 2);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (out.empty() || equals == std::string::npos) continue;
        Favourite& f = out.back();
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "map")
            f.map = value;
        else if (key == "service")
            f.saildocs = value == "saildocs";
        else if (key.rfind(kOptionPrefix, 0) == 0)
            f.options.emplace_back(key.substr(std::string(kOptionPrefix).size()), value);
        else if (key == "step")
            f.steps.push_back(value);
        else if (key == "parameter")
            f.parameters.push_back(value);
        else if (key == "bulletin")
            f.bulletins.push_back(value);
        else if (key == "image")
            f.images.push_back(value);
    }
    std::erase_if(out,
                  [](const Favourite& f) { return f.map.empty() || !IsFavouriteName(f.name); });
    return out;
}

std::vector<Favourite> ReadFavourites(const std::string& folder) {
    const std::string path = FavouritesPath(folder);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return {};
    return ParseFavourites(ReadWholeFile(path, ReadAccess::ReadOnly));
}

void SaveFavourites(const std::string& folder, const std::vector<Favourite>& favourites) {
    const std::string path = FavouritesPath(folder);
    CreateFolderOf(folder, path);
    WriteFileAtomically(path, FormatFavourites(favourites));
}

}  // namespace wavepost
