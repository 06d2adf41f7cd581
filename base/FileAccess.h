// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads, crash-safe whole-file writes, and the error both raise.
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace wavepost {

// What went wrong with a file, as the file code knows it: the failure, the path and the
// system's error number. The user's message is phrased from it where it is shown
// (FileErrorMessage, beside the string table).
enum class FileFault {
    Read,           // could not be opened or read
    Write,          // could not be written, flushed or renamed into place
    NotRegular,     // a folder, a device or a pipe where a file was expected
    TooLarge,       // more bytes than its kind may hold (limit)
    FolderBusy,     // another program holds the folder's lock
    TableTooLarge,  // a table beyond the bounds of the table reader
    ListOutside,    // a save list naming a file outside its folder (that name not followed)
};

struct FileFailure {
    FileFault fault = FileFault::Read;
    std::string path;
    int errorNumber = 0;    // errno when the system said why, else 0
    std::size_t limit = 0;  // the bound passed, in bytes, for TooLarge
    bool operator==(const FileFailure&) const = default;
};

// A file that could not be read or written. Handlers either catch it and show their own
// message, or let it reach the event dispatcher, which shows FileErrorMessage of it and
// abandons the rest of the handler. what() is a plain description for logs.
class FileError : public std::runtime_error {
  public:
    explicit FileError(FileFailure failure);
    const FileFailure& Failure() const { return m_failure; }
    FileFault Fault() const { return m_failure.fault; }
    const std::string& Path() const { return m_failure.path; }
    int ErrorNumber() const { return m_failure.errorNumber; }

  protected:
    FileError(FileFailure failure, const std::string& what)
        : std::runtime_error(what), m_failure(std::move(failure)) {}

  private:
    FileFailure m_failure;
};

enum class FileOperation { Read, Write };

// Throws the FileError of a failed read or write of the path, with errno as it is now.
[[noreturn]] void ThrowFileError(const std::string& path, FileOperation operation);

// Creates the folder the path is to be written into, with its parents; throws the path's
// write FileError when the folder is empty or cannot be created.
void CreateFolderOf(const std::string& folder, const std::string& path);

// Who may open a file for a whole read: any reader, or only one that could also rewrite it
// (a missing or read-only file is then refused).
enum class ReadAccess { ReadOnly, ForUpdate };

// The most a whole read takes of the small files: the address file, the settings, the
// presentation text.
constexpr std::size_t kSmallFileLimit = std::size_t{4} << 20;

// A file refused for its kind or its size: a device, a pipe or a folder where a file was
// expected, or more bytes than its kind may hold.
class FileShapeError : public FileError {
  public:
    using FileError::FileError;
};

// Reads the whole file, of at most limit bytes. It is opened without blocking and must be
// a regular file. Throws FileShapeError for another kind of file or a larger one, and
// FileError when it cannot be opened as asked, or read.
std::string ReadWholeFile(const std::string& path, ReadAccess access,
                          std::size_t limit = kSmallFileLimit);

// Opens a file for reading (and writing with ForUpdate) without blocking on a pipe or a
// device; -1 with errno set when it cannot be opened. A file that is not regular is
// closed at once and gives -1 with notRegular set.
int OpenRegularFile(const std::string& path, ReadAccess access, bool& notRegular);

// The FileShapeError of a file that is not regular, or larger than limit bytes.
[[noreturn]] void ThrowNotRegular(const std::string& path);
[[noreturn]] void ThrowTooLarge(const std::string& path, std::size_t limit);

// The end of a regular file: its last limit bytes at most, starting after a line break
// when the file is longer, so that only whole lines are kept; cut tells that older lines
// were left out. Throws as ReadWholeFile.
std::string ReadFileTail(const std::string& path, std::size_t limit, bool& cut);

// Reads an open file whole from its start, whatever its offset, or stops once past limit
// bytes; false on a read error, the bytes read before it kept.
bool ReadWholeDescriptor(int fd, std::string& content,
                         std::size_t limit = std::numeric_limits<std::size_t>::max());

// Writes all the bytes at the descriptor's offset (its end, when opened to append); false
// on a write error.
bool WriteAll(int fd, const std::string& bytes);

// Replaces the file with the bytes: a temporary file next to it is written, flushed to
// disk and renamed over the old one, so a crash leaves the old file or the new one, whole.
// A symbolic link stays a link: its target is replaced. When no temporary file can be
// created there (a read-only folder), the file is rewritten in place. An existing file
// that is not writable is refused like a failed open. A new file gets newFileMode; a
// replaced one keeps its permissions.
// Throws FileError naming the path.
void WriteFileAtomically(const std::string& path, const std::string& bytes,
                         unsigned newFileMode = 0644);

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
// commit marker in the folder lists them by their names in the folder, then they are
// renamed, then the marker goes. Files that can only be rewritten in place (see
// WriteFileAtomically) have their old bytes kept first in a journal in journalFolder,
// which the next recovery of an unfinished set writes back; without a journal folder they
// are not covered. Takes the folder's lock.
// Throws FileError naming the file; nothing is renamed or rewritten before every file has
// been written aside and the journal is on disk.
void WriteFilesTogether(const std::string& folder, const std::vector<FileBytes>& files,
                        const std::string& journalFolder);

// With the folder's lock held: completes a set whose commit marker was written (the
// renames were cut short), or else removes its temporary files and writes back the old
// bytes its journal holds; then removes any other temporary file of this program a crash
// left next to the given files. The result is the ListOutside failure, naming the marker,
// when it named a file outside the folder (that line is not followed).
std::optional<FileFailure> RecoverFileSet(const std::string& folder,
                                          const std::vector<std::string>& paths,
                                          const std::string& journalFolder);

}  // namespace wavepost
