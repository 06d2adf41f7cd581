// SPDX-License-Identifier: GPL-3.0-or-later
// One text kept on one line of a line-oriented file, whatever it holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wavepost {

// Backslash, tab, CR and LF written as "\\", "\t", "\r" and "\n": the result holds
// neither a line break nor a tab, so tabs can separate fields.
std::string EscapeLine(std::string_view text);
// Undoes EscapeLine; nothing for a lone backslash or an unknown escape (a damaged line).
std::optional<std::string> UnescapeLine(std::string_view line);

}  // namespace wavepost
