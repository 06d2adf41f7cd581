#include "base/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "base/NumberText.h"

namespace wavepost {

namespace {

// The temporary file of a set, next to its target; fixed, so that the next start finds it.
constexpr const char* kSetSuffix = ".wavepost-new";
// The prefix of a single file's temporary name (mkstemp adds six characters).
constexpr const char* kSingleSuffix = ".wavepost-";
// In the folder: present and complete, it says every temporary file of the set is whole.
constexpr const char* kMarkerName = ".wavepost-save";
constexpr const char* kMarkerEnd = "end\n";
// Another process's save takes milliseconds; a holder this slow is stuck.
constexpr auto kLockWait = std::chrono::seconds(5);

std::string DirectoryOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncDirectory(const std::string& directory) {
    int dir = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// The file a path names once symbolic links are followed, so that a link stays a link;
// the path itself when it names nothing yet.
std::string ResolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// Errors that say the folder takes no new file, while its files may still be writable.
bool FolderIsClosed(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// Rewrites the file through its own inode. Room for a longer content is reserved first,
// so that a full disk or a size limit fails before any old byte is overwritten.
bool WriteInPlace(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    const off_t size = static_cast<off_t>(bytes.size());
    if (ok && size > st.st_size && ::posix_fallocate(fd, 0, size) != 0) {
        (void)::ftruncate(fd, st.st_size);
        ok = false;
    }
    ok = ok && WriteAll(fd, bytes) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

// The permissions and owner of the file being replaced go to its replacement. Taking the
// owner only works for the owner or an administrator; otherwise the saver owns it.
void TakeAttributes(int fd, const struct stat& old) {
    (void)::fchown(fd, old.st_uid, old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

// One file of a set on its way: written aside, or to be rewritten in place.
struct Pending {
    const FileBytes* file;
    std::string target;
    std::string temp;  // empty when written in place
};

void RemoveTemps(const std::vector<Pending>& pending) {
    for (const Pending& p : pending)
        if (!p.temp.empty()) ::unlink(p.temp.c_str());
}

bool ReadSmallFile(const std::string& path, std::string& content) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    // What could be read counts: the marker's end is checked, not its reading.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        ReadWholeDescriptor(fd, content, std::size_t{1} << 20);
    ::close(fd);
    return true;
}

// A temporary name this program gives a file of its own: the name, its fixed mark, then
// six letters or digits (mkstemp's).
bool IsSingleTempName(const std::string& name, const std::string& base) {
    const std::string single = base + kSingleSuffix;
    if (name.size() != single.size() + 6 || name.compare(0, single.size(), single) != 0)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(single.size()), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Removes the temporary files a crash may have left next to the target: only regular files
// whose names carry this program's mark.
void RemoveLeftovers(const std::string& target) {
    const std::string directory = DirectoryOf(target);
    const std::string base = BaseNameOf(target);
    DIR* dir = ::opendir(directory.c_str());
    if (!dir) return;
    std::vector<std::string> doomed;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == base + kSetSuffix || IsSingleTempName(name, base))
            doomed.push_back(directory + "/" + name);
    }
    ::closedir(dir);
    for (const std::string& path : doomed) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
}

// A file's name within its folder, as the marker and the journal write it.
bool IsNameInFolder(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

// The journal of a folder's in-place rewrites, named after the folder itself rather than
// its path, so that a folder moved after a crash still finds it.
std::string JournalPath(const std::string& folder, const std::string& journalFolder) {
    struct stat st {};
    if (journalFolder.empty() || ::stat(folder.c_str(), &st) != 0) return {};
    return journalFolder + "/save-journal-" + std::to_string(st.st_dev) + "-" +
           std::to_string(st.st_ino);
}

// "<name>\t<size>\n<bytes>" for each file, then the end line: a journal cut short by a
// crash lacks it, and no file was rewritten yet.
std::string JournalText(const std::vector<FileBytes>& oldFiles) {
    std::string text;
    for (const FileBytes& file : oldFiles)
        text += file.path + '\t' + std::to_string(file.bytes.size()) + '\n' + file.bytes;
    return text + kMarkerEnd;
}

// The old files a complete journal holds; none when it is cut short or damaged.
std::vector<FileBytes> ReadJournal(const std::string& text) {
    std::vector<FileBytes> files;
    std::size_t at = 0;
    while (text.size() - at > std::char_traits<char>::length(kMarkerEnd)) {
        const std::size_t tab = text.find('\t', at);
        const std::size_t eol = tab == std::string::npos ? tab : text.find('\n', tab);
        if (eol == std::string::npos) return {};
        const std::string size = text.substr(tab + 1, eol - tab - 1);
        if (size.empty() || size.find_first_not_of("0123456789") != std::string::npos ||
            size.size() > 12)
            return {};
        const std::size_t length = std::stoull(size);
        if (length > text.size() - eol - 1) return {};
        files.push_back({text.substr(at, tab - at), text.substr(eol + 1, length)});
        at = eol + 1 + length;
    }
    if (text.compare(at, std::string::npos, kMarkerEnd) != 0) return {};
    return files;
}

void RemoveJournal(const std::string& journal) {
    if (!journal.empty() && ::unlink(journal.c_str()) == 0) SyncDirectory(DirectoryOf(journal));
}

}  // namespace

namespace {

const char* FaultName(FileFault fault) {
    switch (fault) {
        case FileFault::Read:
            return "cannot read";
        case FileFault::Write:
            return "cannot write";
        case FileFault::NotRegular:
            return "not a regular file";
        case FileFault::TooLarge:
            return "too large";
        case FileFault::FolderBusy:
            return "folder locked by another program";
        case FileFault::TableTooLarge:
            return "table too large";
        case FileFault::ListOutside:
            return "save list names a file outside its folder";
    }
    return "file error";
}

std::string Described(const FileFailure& failure) {
    std::string text = std::string(FaultName(failure.fault)) + ": " + failure.path;
    if (failure.errorNumber != 0) text += std::string(": ") + std::strerror(failure.errorNumber);
    return text;
}

}  // namespace

FileError::FileError(FileFailure failure)
    : std::runtime_error(Described(failure)), m_failure(std::move(failure)) {}

void ThrowFileError(const std::string& path, FileOperation operation) {
    const int errorNumber = errno;
    throw FileError(
        {operation == FileOperation::Read ? FileFault::Read : FileFault::Write, path, errorNumber});
}

void CreateFolderOf(const std::string& folder, const std::string& path) {
    std::error_code error;
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    if (folder.empty() || error) ThrowFileError(path, FileOperation::Write);
}

bool ReadWholeDescriptor(int fd, std::string& content, std::size_t limit) {
    content.clear();
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        content.append(buffer, static_cast<std::size_t>(n));
        offset += n;
        if (content.size() > limit) return true;
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void ThrowNotRegular(const std::string& path) {
    throw FileShapeError(FileFailure{FileFault::NotRegular, path});
}

void ThrowTooLarge(const std::string& path, std::size_t limit) {
    throw FileShapeError(FileFailure{FileFault::TooLarge, path, 0, limit});
}

int OpenRegularFile(const std::string& path, ReadAccess access, bool& notRegular) {
    notRegular = false;
    const int flags = access == ReadAccess::ForUpdate ? O_RDWR : O_RDONLY;
    // A pipe would wait for a writer, at the open or at the first read.
    int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        // A folder cannot be opened for writing.
        notRegular = errno == EISDIR;
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        notRegular = true;
        errno = EINVAL;
        return -1;
    }
    return fd;
}

std::string ReadWholeFile(const std::string& path, ReadAccess access, std::size_t limit) {
    bool notRegular = false;
    int fd = OpenRegularFile(path, access, notRegular);
    if (notRegular) ThrowNotRegular(path);
    if (fd < 0) ThrowFileError(path, FileOperation::Read);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && static_cast<std::uintmax_t>(st.st_size) > limit) {
        ::close(fd);
        ThrowTooLarge(path, limit);
    }
    std::string content;
    const bool read = ReadWholeDescriptor(fd, content, limit);
    ::close(fd);
    if (!read) ThrowFileError(path, FileOperation::Read);
    // Grown while it was read.
    if (content.size() > limit) ThrowTooLarge(path, limit);
    return content;
}

std::string ReadFileTail(const std::string& path, std::size_t limit, bool& cut) {
    cut = false;
    bool notRegular = false;
    int fd = OpenRegularFile(path, ReadAccess::ReadOnly, notRegular);
    if (notRegular) ThrowNotRegular(path);
    if (fd < 0) ThrowFileError(path, FileOperation::Read);
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    const std::uintmax_t size = known ? static_cast<std::uintmax_t>(st.st_size) : 0;
    std::string content;
    bool read = known;
    if (read && size <= limit) {
        read = ReadWholeDescriptor(fd, content, limit);
        cut = content.size() > limit;
    } else if (read) {
        cut = true;
        content.resize(limit);
        std::size_t done = 0;
        const off_t start = static_cast<off_t>(size - limit);
        while (read && done < limit) {
            const ssize_t n =
                ::pread(fd, content.data() + done, limit - done, start + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) read = n == 0;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        content.resize(done);
    }
    ::close(fd);
    if (!read) ThrowFileError(path, FileOperation::Read);
    if (cut) {
        // The first line may have begun before the part read: it is left out whole.
        if (content.size() > limit) content.erase(0, content.size() - limit);
        const std::size_t lineEnd = content.find('\n');
        content.erase(0, lineEnd == std::string::npos ? content.size() : lineEnd + 1);
    }
    return content;
}

void WriteFileAtomically(const std::string& path, const std::string& bytes, unsigned newFileMode) {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || ::access(path.c_str(), W_OK) != 0))
        ThrowFileError(path, FileOperation::Write);
    const std::string target = ResolvedTarget(path);
    std::string temp = target + kSingleSuffix + "XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        if (exists && FolderIsClosed(errno) && WriteInPlace(target, bytes)) return;
        ThrowFileError(path, FileOperation::Write);
    }
    if (exists)
        TakeAttributes(fd, st);
    else
        ::fchmod(fd, static_cast<mode_t>(newFileMode));
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        ThrowFileError(path, FileOperation::Write);
    }
    // Make the rename itself durable.
    SyncDirectory(DirectoryOf(target));
}

CFolderLock::CFolderLock(const std::string& folder) {
    m_nFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_nFd < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    for (;;) {
        if (::flock(m_nFd, LOCK_EX | LOCK_NB) == 0) {
            m_bHeld = true;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

CFolderLock::~CFolderLock() {
    Release();
}

void CFolderLock::Release() {
    if (m_nFd >= 0) ::close(m_nFd);  // closing drops the lock
    m_nFd = -1;
    m_bHeld = false;
}

void WriteFilesTogether(const std::string& folder, const std::vector<FileBytes>& files,
                        const std::string& journalFolder) {
    CFolderLock lock(folder);
    struct stat folderStat {};
    if (!lock.IsHeld() && ::stat(folder.c_str(), &folderStat) == 0)
        throw FileError({FileFault::FolderBusy, folder});

    // A set another process left half done is finished first: this save may replace
    // its temporary files.
    std::vector<std::string> paths;
    for (const FileBytes& file : files) paths.push_back(file.path);
    if (lock.IsHeld()) RecoverFileSet(folder, paths, journalFolder);

    // 1. Every file aside, whole and flushed; any failure leaves every old file as it is.
    std::vector<Pending> pending;
    std::set<std::string> directories;
    for (const FileBytes& file : files) {
        struct stat st {};
        const bool exists = ::stat(file.path.c_str(), &st) == 0;
        if (exists && (!S_ISREG(st.st_mode) || ::access(file.path.c_str(), W_OK) != 0)) {
            RemoveTemps(pending);
            ThrowFileError(file.path, FileOperation::Write);
        }
        Pending p{&file, ResolvedTarget(file.path), {}};
        const std::string temp = p.target + kSetSuffix;
        ::unlink(temp.c_str());
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (exists && FolderIsClosed(errno)) {
                pending.push_back(p);
                continue;
            }
            RemoveTemps(pending);
            ThrowFileError(file.path, FileOperation::Write);
        }
        p.temp = temp;
        pending.push_back(p);
        if (exists) TakeAttributes(fd, st);
        bool ok = WriteAll(fd, file.bytes) && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
        if (!ok) {
            RemoveTemps(pending);
            ThrowFileError(file.path, FileOperation::Write);
        }
        directories.insert(DirectoryOf(p.target));
    }
    for (const std::string& directory : directories) SyncDirectory(directory);

    // 2. The files that can only be rewritten in place: their old bytes go to the journal
    // first, so that a crash halfway through is undone at the next start.
    std::vector<FileBytes> oldFiles;
    for (const Pending& p : pending) {
        if (!p.temp.empty()) continue;
        try {
            oldFiles.push_back({BaseNameOf(p.file->path),
                                ReadWholeFile(p.target, ReadAccess::ReadOnly, SIZE_MAX)});
        } catch (const FileError&) {
            RemoveTemps(pending);
            ThrowFileError(p.file->path, FileOperation::Write);
        }
    }
    const std::string journal =
        oldFiles.empty() ? std::string() : JournalPath(folder, journalFolder);
    if (!journal.empty()) {
        std::error_code error;
        std::filesystem::create_directories(journalFolder, error);
        ::unlink(journal.c_str());
        int fd =
            ::open(journal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        bool ok = fd >= 0 && WriteAll(fd, JournalText(oldFiles)) && ::fsync(fd) == 0;
        ok = fd >= 0 && ::close(fd) == 0 && ok;
        if (!ok) {
            ::unlink(journal.c_str());
            RemoveTemps(pending);
            ThrowFileError(pending.front().file->path, FileOperation::Write);
        }
        SyncDirectory(journalFolder);
    }
    for (const Pending& p : pending) {
        if (!p.temp.empty() || WriteInPlace(p.target, p.file->bytes)) continue;
        // What was rewritten goes back at once; the journal stays until it has.
        bool restored = true;
        for (const FileBytes& old : oldFiles)
            restored = WriteInPlace(folder + "/" + old.path, old.bytes) && restored;
        if (restored) RemoveJournal(journal);
        RemoveTemps(pending);
        ThrowFileError(p.file->path, FileOperation::Write);
    }

    // 3. The commit marker, naming the files within the folder. A folder that takes no new
    // file gets none; its renames are then done without one.
    std::string marker;
    for (const Pending& p : pending)
        if (!p.temp.empty()) marker += BaseNameOf(p.file->path) + '\n';
    if (marker.empty()) {
        // Every file was rewritten in place: the set is new once the journal is gone.
        RemoveJournal(journal);
        return;
    }
    marker += kMarkerEnd;
    const std::string markerPath = folder + "/" + kMarkerName;
    ::unlink(markerPath.c_str());
    int fd = ::open(markerPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    const bool closed = fd < 0 && FolderIsClosed(errno);
    if (fd >= 0) {
        bool ok = WriteAll(fd, marker) && ::fsync(fd) == 0;
        ok = ::close(fd) == 0 && ok;
        if (!ok) fd = -1;
    }
    if (fd < 0 && !closed) {
        ::unlink(markerPath.c_str());
        RemoveTemps(pending);
        ThrowFileError(pending.front().file->path, FileOperation::Write);
    }
    const bool marked = fd >= 0;
    if (marked) {
        SyncDirectory(folder);
        RemoveJournal(journal);
    }

    // 4. The renames. From here on the set is new: one that fails is finished by the next
    // recovery, as the marker stays.
    for (const Pending& p : pending) {
        if (p.temp.empty()) continue;
        if (::rename(p.temp.c_str(), p.target.c_str()) != 0) {
            if (!marked) RemoveTemps(pending);
            ThrowFileError(p.file->path, FileOperation::Write);
        }
    }
    for (const std::string& directory : directories) SyncDirectory(directory);
    RemoveJournal(journal);

    // 5. The set is complete.
    if (marked) {
        ::unlink(markerPath.c_str());
        SyncDirectory(folder);
    }
}

std::optional<FileFailure> RecoverFileSet(const std::string& folder,
                                          const std::vector<std::string>& paths,
                                          const std::string& journalFolder) {
    const std::string markerPath = folder + "/" + kMarkerName;
    std::string marker;
    const bool hasMarker = ReadSmallFile(markerPath, marker);
    const std::size_t endSize = std::char_traits<char>::length(kMarkerEnd);
    const bool committed = hasMarker && marker.size() >= endSize &&
                           marker.compare(marker.size() - endSize, endSize, kMarkerEnd) == 0;
    const std::string journal = JournalPath(folder, journalFolder);
    std::optional<FileFailure> report;
    bool finished = true;
    if (committed) {
        // Finish the renames whose temporary file is still there.
        std::set<std::string> directories;
        std::size_t start = 0;
        for (std::size_t end; (end = marker.find('\n', start)) != std::string::npos;
             start = end + 1) {
            const std::string name = marker.substr(start, end - start);
            if (end + 1 == marker.size() && name + '\n' == kMarkerEnd) break;
            // Only a file of the folder, from its own temporary file.
            if (!IsNameInFolder(name)) {
                if (!report) report = FileFailure{FileFault::ListOutside, markerPath};
                continue;
            }
            const std::string target = ResolvedTarget(folder + "/" + name);
            const std::string temp = target + kSetSuffix;
            struct stat st {};
            if (::lstat(temp.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            if (::rename(temp.c_str(), target.c_str()) == 0)
                directories.insert(DirectoryOf(target));
            else
                finished = false;
        }
        for (const std::string& directory : directories) SyncDirectory(directory);
    } else if (!journal.empty()) {
        // The set was never committed: the files rewritten in place get their old bytes.
        std::string text;
        try {
            text = ReadWholeFile(journal, ReadAccess::ReadOnly, SIZE_MAX);
        } catch (const FileError&) {
        }
        for (const FileBytes& old : ReadJournal(text)) {
            if (!IsNameInFolder(old.path)) continue;
            if (!WriteInPlace(ResolvedTarget(folder + "/" + old.path), old.bytes)) finished = false;
        }
    }
    // A set that could not be finished keeps its files, its marker and its journal for the
    // next try.
    if (!finished) return report;
    for (const std::string& path : paths) RemoveLeftovers(ResolvedTarget(path));
    RemoveJournal(journal);
    if (hasMarker && ::unlink(markerPath.c_str()) == 0) SyncDirectory(folder);
    return report;
}

}  // namespace wavepost
