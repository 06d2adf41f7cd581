// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <string>
#include <vector>

namespace wavepost {

// Reads the whole file; throws platform::FileError when it cannot be opened for reading
// and writing (a missing or read-only file) or read.
std::string ReadWholeFileForUpdate(const std::string& path);

// Replaces the file with the bytes: a temporary file next to it is written, flushed to
// disk and renamed over the old one, so a crash leaves the old file or the new one, whole.
// A symbolic link stays a link: its target is replaced. When no temporary file can be
// created there (a read-only folder), the file is rewritten in place. An existing file
// that is not writable is refused like a failed open.
// Throws platform::FileError naming the path.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// An exclusive lock between processes on a folder, held while its set of files is written
// or read, so that each process sees whole sets. Waits a few seconds for another holder;
// a folder that cannot be opened is not locked.
class CFolderLock {
  public:
    explicit CFolderLock(const std::string& folder);
    ~CFolderLock();
    CFolderLock(const CFolderLock&) = delete;
    CFolderLock& operator=(const CFolderLock&) = delete;

    bool IsHeld() const { return m_bHeld; }
    void Release();

  private:
    int m_nFd = -1;
    bool m_bHeld = false;
};

struct FileBytes {
    std::string path;
    std::string bytes;
};

// Replaces a set of files of one folder as one change: as the next RecoverFileSet sees
// them, all are old or all are new. Each new file is written aside and flushed, then a
// commit marker in the folder lists them, then they are renamed, then the marker goes.
// Files that can only be rewritten in place (see WriteFileAtomically) are written first
// and are not covered. Takes the folder's lock.
// Throws platform::FileError naming the file; nothing is renamed before every file has
// been written aside.
void WriteFilesTogether(const std::string& folder, const std::vector<FileBytes>& files);

// With the folder's lock held: completes a set whose commit marker was written (the
// renames were cut short), or else removes its temporary files, along with any other
// temporary file a crash left next to the given files.
void RecoverFileSet(const std::string& folder, const std::vector<std::string>& paths);

}  // namespace wavepost
