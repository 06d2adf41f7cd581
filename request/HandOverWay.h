// SPDX-License-Identifier: GPL-3.0-or-later
// How "Envoi" hands its orders over this time: the method chosen in the settings, when
// this machine can carry it out, else the desktop mail program.
#pragma once

#include <string>

#include "base/ProgramSettings.h"

namespace wavepost {

struct HandOverWay {
    HandOverMethod method = HandOverMethod::Mail;
    std::string patPath;  // Pat
    std::string outbox;   // File
    bool operator==(const HandOverWay&) const = default;
};

// patPath: where Pat is on the PATH, empty when it is not. Pat without Pat, or files
// without an outbox folder, fall back on the mail program.
HandOverWay ChooseHandOver(const ProgramSettings& settings, const std::string& patPath);

}  // namespace wavepost
