#include "request/OrderHistory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "app/FileAccess.h"
#include "app/LineEscape.h"

namespace wavepost {

namespace {

constexpr std::size_t kFieldCount = 5;

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::optional<HistoryRecord> ParseLine(std::string_view line) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != kFieldCount) return std::nullopt;
    const std::optional<UtcTime> time = ReadIsoUtc(fields[0]);
    const std::optional<HandOverMethod> method = ReadMethodName(std::string(fields[1]));
    const std::optional<std::string> address = UnescapeLine(fields[2]);
    const std::optional<std::string> subject = UnescapeLine(fields[3]);
    const std::optional<std::string> body = UnescapeLine(fields[4]);
    if (!time || !method || !address || !subject || !body) return std::nullopt;
    return HistoryRecord{*time, *method, {*address, *subject, *body}};
}

// Whether the file's last byte ends a line: a record cut short by a crash must not take
// the next one with it.
bool EndsWithLineBreak(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size == 0) return true;
    char last = 0;
    return ::pread(fd, &last, 1, st.st_size - 1) == 1 && last == '\n';
}

}  // namespace

std::string HistoryPath(const std::string& folder) {
    return folder + "/" + kHistoryFileName;
}

std::string FormatHistoryLine(const HistoryRecord& r) {
    return FormatIsoUtc(r.time) + "\t" + MethodName(r.method) + "\t" + EscapeLine(r.mail.address) +
           "\t" + EscapeLine(r.mail.subject) + "\t" + EscapeLine(r.mail.body) + "\n";
}

void AppendToHistory(const std::string& folder, const HistoryRecord& record) {
    const std::string path = HistoryPath(folder);
    CreateFolderOf(folder, path);
    // Private to the user: the orders tell where the boat is.
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) ThrowFileError(path, FileOperation::Write);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        ThrowNotRegular(path);
    }
    std::string line = FormatHistoryLine(record);
    if (!EndsWithLineBreak(fd)) line.insert(0, "\n");
    // One write per record: appends of two programs at once do not interleave.
    bool ok = WriteAll(fd, line) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) ThrowFileError(path, FileOperation::Write);
}

HistoryContents ParseHistory(const std::string& text) {
    HistoryContents contents;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line = std::string_view(text).substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        if (std::optional<HistoryRecord> record = ParseLine(line))
            contents.records.push_back(std::move(*record));
        else
            ++contents.damagedLines;
    }
    return contents;
}

HistoryContents ReadHistory(const std::string& folder) {
    const std::string path = HistoryPath(folder);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) return {};
    bool cut = false;
    const std::string text = ReadFileTail(path, kHistoryReadLimit, cut);
    HistoryContents contents = ParseHistory(text);
    contents.olderRecordsIgnored = cut;
    return contents;
}

std::vector<HistoryRecord> LastRecords(const HistoryContents& contents, std::size_t count) {
    const auto& records = contents.records;
    return {records.end() - static_cast<std::ptrdiff_t>(std::min(count, records.size())),
            records.end()};
}

}  // namespace wavepost
