#include "app/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "app/NumberText.h"
#include "app/layout/StringTable.h"

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
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    // What could be read counts: the marker's end is checked, not its reading.
    ReadWholeDescriptor(fd, content, std::size_t{1} << 20);
    ::close(fd);
    return true;
}

// A name mkstemp made from the path's: six letters and digits after a dot. Words a
// person might give a copy ("backup", "ANCIEN") are one kind of character and are kept.
bool IsOldTempName(const std::string& name, const std::string& base) {
    if (name.size() != base.size() + 7 || name.compare(0, base.size(), base) != 0 ||
        name[base.size()] != '.')
        return false;
    bool lower = false, upper = false, digit = false;
    for (std::size_t i = base.size() + 1; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (std::islower(c))
            lower = true;
        else if (std::isupper(c))
            upper = true;
        else if (std::isdigit(c))
            digit = true;
        else
            return false;
    }
    return lower + upper + digit >= 2;
}

// Removes the temporary files a crash may have left next to the target.
void RemoveLeftovers(const std::string& target) {
    ::unlink((target + kSetSuffix).c_str());
    const std::string directory = DirectoryOf(target);
    const std::string base = BaseNameOf(target);
    const std::string single = base + kSingleSuffix;
    DIR* dir = ::opendir(directory.c_str());
    if (!dir) return;
    std::vector<std::string> doomed;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        bool ours = name.size() == single.size() + 6 && name.compare(0, single.size(), single) == 0;
        if (ours || IsOldTempName(name, base)) doomed.push_back(directory + "/" + name);
    }
    ::closedir(dir);
    for (const std::string& path : doomed) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
}

}  // namespace

void ThrowFileError(const std::string& path, FileOperation operation) {
    const int message =
        operation == FileOperation::Read ? IDS_FILE_READ_ERROR : IDS_FILE_WRITE_ERROR;
    throw FileError(path, Format(LoadString(message).c_str(), path.c_str()));
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

std::string ReadWholeFile(const std::string& path, ReadAccess access) {
    const int flags = access == ReadAccess::ForUpdate ? O_RDWR : O_RDONLY;
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) ThrowFileError(path, FileOperation::Read);
    std::string content;
    const bool read = ReadWholeDescriptor(fd, content);
    ::close(fd);
    if (!read) ThrowFileError(path, FileOperation::Read);
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

void WriteFilesTogether(const std::string& folder, const std::vector<FileBytes>& files) {
    CFolderLock lock(folder);
    struct stat folderStat {};
    if (!lock.IsHeld() && ::stat(folder.c_str(), &folderStat) == 0)
        throw FileError(folder, Format(LoadString(IDS_FOLDER_BUSY).c_str(), folder.c_str()));

    // A set another process left half done is finished first: this save may replace
    // its temporary files.
    std::vector<std::string> paths;
    for (const FileBytes& file : files) paths.push_back(file.path);
    if (lock.IsHeld()) RecoverFileSet(folder, paths);

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

    // 2. The files that can only be rewritten in place; a failure still leaves the others.
    for (const Pending& p : pending) {
        if (!p.temp.empty() || WriteInPlace(p.target, p.file->bytes)) continue;
        RemoveTemps(pending);
        ThrowFileError(p.file->path, FileOperation::Write);
    }

    // 3. The commit marker. A folder that takes no new file gets none; its renames are
    // then done without one.
    std::string marker;
    for (const Pending& p : pending)
        if (!p.temp.empty()) marker += p.temp + '\t' + p.target + '\n';
    if (marker.empty()) return;
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
    if (marked) SyncDirectory(folder);

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

    // 5. The set is complete.
    if (marked) {
        ::unlink(markerPath.c_str());
        SyncDirectory(folder);
    }
}

void RecoverFileSet(const std::string& folder, const std::vector<std::string>& paths) {
    const std::string markerPath = folder + "/" + kMarkerName;
    std::string marker;
    const bool hasMarker = ReadSmallFile(markerPath, marker);
    const std::size_t endSize = std::char_traits<char>::length(kMarkerEnd);
    const bool committed = hasMarker && marker.size() >= endSize &&
                           marker.compare(marker.size() - endSize, endSize, kMarkerEnd) == 0;
    bool finished = true;
    if (committed) {
        // Finish the renames whose temporary file is still there.
        std::set<std::string> directories;
        std::size_t start = 0;
        for (std::size_t end; (end = marker.find('\n', start)) != std::string::npos;
             start = end + 1) {
            const std::string line = marker.substr(start, end - start);
            const std::size_t tab = line.find('\t');
            if (tab == std::string::npos) continue;
            const std::string temp = line.substr(0, tab);
            const std::string target = line.substr(tab + 1);
            // Only a set's own temporary file, onto the file it was made for.
            if (temp != target + kSetSuffix) continue;
            struct stat st {};
            if (::lstat(temp.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            if (::rename(temp.c_str(), target.c_str()) == 0)
                directories.insert(DirectoryOf(target));
            else
                finished = false;
        }
        for (const std::string& directory : directories) SyncDirectory(directory);
    }
    // A set that could not be finished keeps its files and its marker for the next try.
    if (!finished) return;
    for (const std::string& path : paths) RemoveLeftovers(ResolvedTarget(path));
    if (hasMarker && ::unlink(markerPath.c_str()) == 0) SyncDirectory(folder);
}

}  // namespace wavepost
