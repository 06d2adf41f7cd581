// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own settings, apart from the catalogue and the address file: how orders
// are handed over, and the folders the user picked.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/FileAccess.h"

namespace wavepost {

// Where "Envoi" hands the orders: the desktop mail program, Pat's outbox, or message
// files in a folder.
enum class HandOverMethod { Mail, Pat, File };

// "mail", "pat", "file": the names in the settings and the history.
const char* MethodName(HandOverMethod method);
std::optional<HandOverMethod> ReadMethodName(const std::string& name);

struct ProgramSettings {
    HandOverMethod method = HandOverMethod::Mail;
    std::string outboxFolder;  // "Fichier" writes the orders there
    std::string saveFolder;    // "Enregistrer..." starts there
    // Keys this version does not know, in file order, kept for the version that wrote them.
    std::vector<std::pair<std::string, std::string>> otherKeys;
    // Set when the file is there but not a regular file or too large: what to tell the
    // user, who gets the defaults meanwhile.
    std::optional<FileFailure> problem;
    bool operator==(const ProgramSettings&) const = default;
};

constexpr const char* kSettingsFileName = "settings.txt";

// "key=value" lines; a line without "=" or a value that cannot be read is skipped, so a
// damaged file gives the defaults for what it lost.
ProgramSettings ParseSettings(const std::string& text);
std::string FormatSettings(const ProgramSettings& settings);

// The settings file of the folder, read up to kSmallFileLimit; the defaults when it is
// missing or cannot be read (with the problem said when it is not a file of settings).
ProgramSettings LoadSettings(const std::string& folder);
// Replaces the settings file whole, creating the folder; throws FileError naming the file.
void SaveSettings(const std::string& folder, const ProgramSettings& settings);

}  // namespace wavepost
