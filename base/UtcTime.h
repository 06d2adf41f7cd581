// SPDX-License-Identifier: GPL-3.0-or-later
// Instants in UTC as the program writes them into files: never in the user's locale or
// time zone, so that files read the same everywhere.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace wavepost {

using UtcTime = std::chrono::sys_seconds;

// Now, to the second.
UtcTime UtcNow();
// "2026-12-08T08:03:33Z".
std::string FormatIsoUtc(UtcTime time);
// Reads exactly the form FormatIsoUtc writes; nothing for anything else (a day that does
// not exist included).
std::optional<UtcTime> ReadIsoUtc(std::string_view text);
// "Tue, 08 Dec 2026 08:03:33 +0000", the date form of a mail header, in English whatever
// the locale.
std::string FormatMailDate(UtcTime time);

}  // namespace wavepost
