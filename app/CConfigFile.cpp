#include "app/CConfigFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/layout/StringTable.h"
#include "base/FileAccess.h"

namespace wavepost {

namespace {

// The first key at a line start (after blanks, and a byte-order mark on the first line)
// for which accept holds, or npos.
template <typename Accept>
std::size_t FindAtLineStart(const std::string& content, const std::string& key, Accept accept) {
    if (key.empty()) return std::string::npos;
    std::size_t lineStart = content.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (lineStart <= content.size()) {
        std::size_t pos = lineStart;
        while (pos < content.size() && (content[pos] == ' ' || content[pos] == '\t')) ++pos;
        if (content.compare(pos, key.size(), key) == 0 && accept(pos + key.size())) return pos;
        std::size_t end = content.find_first_of("\r\n", lineStart);
        if (end == std::string::npos) break;
        lineStart = end + 1;
    }
    return std::string::npos;
}

}  // namespace

std::size_t FindConfigKey(const std::string& content, const std::string& key) {
    // "meteo-ancien=..." before "meteo=..." must not be taken for it; files written by
    // hand with another separator keep being read as before.
    const std::size_t exact =
        FindAtLineStart(content, key, [&](std::size_t after) { return content[after] == '='; });
    if (exact != std::string::npos) return exact;
    return FindAtLineStart(content, key, [](std::size_t) { return true; });
}

CConfigFile::CConfigFile(const std::string& path, bool create) : m_strPath(path) {
    // Never waits on a pipe in place of the file.
    int flags = O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (create ? O_CREAT | O_TRUNC : 0);
    m_nFd = ::open(path.c_str(), flags, 0644);
    // A read-only file still gives its values; only SetValue is refused.
    if (m_nFd < 0 && !create && (errno == EACCES || errno == EPERM || errno == EROFS)) {
        m_nFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        m_bReadOnly = m_nFd >= 0;
    }
    struct stat st {};
    m_bNotRegular = (m_nFd < 0 && errno == EISDIR) ||
                    (m_nFd >= 0 && (::fstat(m_nFd, &st) != 0 || !S_ISREG(st.st_mode)));
    if (m_bNotRegular) Close();
    if (m_nFd >= 0 && ::flock(m_nFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_nFd);
        m_nFd = -1;
    }
}

CConfigFile::~CConfigFile() {
    Close();
}

void CConfigFile::Close() {
    if (m_nFd >= 0) ::close(m_nFd);
    m_nFd = -1;
}

std::string CConfigFile::ReadAll() {
    if (m_bNotRegular) ThrowNotRegular(m_strPath);
    std::string content;
    if (m_nFd < 0 || !ReadWholeDescriptor(m_nFd, content, kSmallFileLimit))
        ThrowFileError(m_strPath, FileOperation::Read);
    if (content.size() > kSmallFileLimit) ThrowTooLarge(m_strPath, kSmallFileLimit);
    return content;
}

std::string CConfigFile::GetValue(const std::string& key) {
    std::string content = ReadAll();
    if (content.empty()) return LoadString(IDS_CONFIG_ERROR);
    std::size_t found = FindConfigKey(content, key);
    if (found == std::string::npos) return LoadString(IDS_CONFIG_ERROR);
    std::size_t start = found + key.size() + 1;  // one separator, whatever it is
    if (start >= content.size()) return std::string();
    std::size_t end = content.find_first_of(std::string("\r\n\0", 3), start);
    return content.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void CConfigFile::SetValue(const std::string& key, const std::string& value) {
    std::string content = ReadAll();
    std::size_t found = FindConfigKey(content, key);
    if (found == std::string::npos) return;
    std::size_t start = found + key.size() + 1;
    if (start >= content.size()) return;
    // Characters beyond the end of the file are dropped: the length never changes.
    const std::string written = value.substr(0, content.size() - start);
    if (content.compare(start, written.size(), written) == 0) return;
    auto fail = [this] { ThrowFileError(m_strPath, FileOperation::Write); };
    if (m_bReadOnly) fail();
    std::size_t done = 0;
    while (done < written.size()) {
        ssize_t n = ::pwrite(m_nFd, written.data() + done, written.size() - done,
                             static_cast<off_t>(start + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail();
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(m_nFd) != 0) fail();
}

}  // namespace wavepost
