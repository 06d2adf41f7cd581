// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <string>

namespace wavepost {

// Reads the whole file; throws platform::FileError when it cannot be opened for reading
// and writing (a missing or read-only file) or read.
std::string ReadWholeFileForUpdate(const std::string& path);

// Replaces the file with the bytes: a temporary file in the same folder is written,
// flushed to disk and renamed over the old one, so a crash leaves the old file or the new
// one, whole. An existing file that is not writable is refused like a failed open.
// Throws platform::FileError naming the path.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace wavepost
