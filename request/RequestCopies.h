// SPDX-License-Identifier: GPL-3.0-or-later
// Copies of the sent orders, and the error log when a copy cannot be written.
#pragma once

#include <string>

namespace wavepost {

// Replaces the copy in the folder whole; when that fails, the folder's error log says so.
// Returns whether the copy was written.
bool WriteRequestCopyFile(const std::string& directory, const std::string& fileName,
                          const std::string& content);

}  // namespace wavepost
