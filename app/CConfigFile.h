// SPDX-License-Identifier: GPL-3.0-or-later
// The address file "init.cnf": one value read by key, one value rewritten in place.
// Every use opens the file anew and closes it at once.
#pragma once

#include <string>

namespace wavepost {

class CConfigFile {
  public:
    // Opens the file for reading and writing, locked against other openers; a file that
    // may only be read is opened for reading. A file that cannot be opened is not reported
    // here: the first GetValue or SetValue throws.
    CConfigFile(const std::string& path, bool create);
    ~CConfigFile();
    CConfigFile(const CConfigFile&) = delete;
    CConfigFile& operator=(const CConfigFile&) = delete;

    // The value of the key up to the line end; the configuration-error text when the file
    // is empty or the key absent; the empty text when the key ends the file.
    // Throws FileError when there is no open file or it cannot be read, FileShapeError
    // when it is not a regular file or passes kSmallFileLimit.
    std::string GetValue(const std::string& key);
    // Overwrites the value in place, keeping the file's length, and flushes it to disk;
    // a missing key changes nothing. The bytes go through the locked file itself, so it
    // keeps its inode, owner and links. Throws FileError when there is no open
    // file, or it cannot be read, or the value must change and the file cannot be written.
    void SetValue(const std::string& key, const std::string& value);
    void Close();

  private:
    std::string ReadAll();
    std::string m_strPath;
    int m_nFd = -1;
    bool m_bReadOnly = false;
    // A folder, device or pipe in place of the file: never read.
    bool m_bNotRegular = false;
};

// Position of the key's entry: the first occurrence of key followed by '=' at the start of
// a line (optionally after blanks, and after a byte-order mark on the first line); without
// one, the first occurrence of key at the start of a line whatever follows; else npos.
std::size_t FindConfigKey(const std::string& content, const std::string& key);

}  // namespace wavepost
