// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a text file held in memory, for the readers of the program's own files.
#pragma once

#include <string_view>
#include <vector>

namespace wavepost {

// Each line without its '\n'; a last line without one counts, nothing after a final '\n'
// does. The views point into text.
std::vector<std::string_view> SplitLines(std::string_view text);

// The line without the '\r' a CRLF file leaves at its end.
std::string_view WithoutCarriageReturn(std::string_view line);

}  // namespace wavepost
