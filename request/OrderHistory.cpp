#include "request/OrderHistory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "base/FileAccess.h"
#include "base/LineEscape.h"
#include "base/TextLines.h"

namespace wavepost {

namespace {

constexpr std::size_t kFieldCount = 5;
constexpr const char* kWithdrawal = "withdraw";
constexpr const char* kPendingFileName = "handover-pending.txt";

// One line of the file: a record, or the withdrawal of one.
struct HistoryLine {
    std::optional<HistoryRecord> record;
    struct Withdrawal {
        UtcTime of;
        std::string address, subject;
    };
    std::optional<Withdrawal> withdrawal;
};

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

// Nothing when the line reads as neither.
std::optional<HistoryLine> ParseLine(std::string_view line) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != kFieldCount) return std::nullopt;
    const std::optional<UtcTime> time = ReadIsoUtc(fields[0]);
    const std::optional<std::string> address = UnescapeLine(fields[2]);
    const std::optional<std::string> subject = UnescapeLine(fields[3]);
    if (!time || !address || !subject) return std::nullopt;
    if (fields[1] == kWithdrawal) {
        const std::optional<UtcTime> of = ReadIsoUtc(fields[4]);
        if (!of) return std::nullopt;
        return HistoryLine{std::nullopt, HistoryLine::Withdrawal{*of, *address, *subject}};
    }
    const std::optional<HandOverMethod> method = ReadMethodName(std::string(fields[1]));
    const std::optional<std::string> body = UnescapeLine(fields[4]);
    if (!method || !body) return std::nullopt;
    return HistoryLine{HistoryRecord{*time, *method, {*address, *subject, *body}}, std::nullopt};
}

// Whether the file's last byte ends a line: a record cut short by a crash must not take
// the next one with it.
bool EndsWithLineBreak(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size == 0) return true;
    char last = 0;
    return ::pread(fd, &last, 1, st.st_size - 1) == 1 && last == '\n';
}

void AppendLine(const std::string& folder, std::string line) {
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
    if (!EndsWithLineBreak(fd)) line.insert(0, "\n");
    // One write per line: appends of two programs at once do not interleave.
    bool ok = WriteAll(fd, line) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) ThrowFileError(path, FileOperation::Write);
}

std::string PendingPath(const std::string& folder) {
    return folder + "/" + kPendingFileName;
}

}  // namespace

std::string HistoryPath(const std::string& folder) {
    return folder + "/" + kHistoryFileName;
}

std::string FormatHistoryLine(const HistoryRecord& r) {
    return FormatIsoUtc(r.time) + "\t" + MethodName(r.method) + "\t" + EscapeLine(r.mail.address) +
           "\t" + EscapeLine(r.mail.subject) + "\t" + EscapeLine(r.mail.body) + "\n";
}

std::string FormatWithdrawalLine(const HistoryRecord& r, UtcTime now) {
    return FormatIsoUtc(now) + "\t" + kWithdrawal + "\t" + EscapeLine(r.mail.address) + "\t" +
           EscapeLine(r.mail.subject) + "\t" + FormatIsoUtc(r.time) + "\n";
}

void AppendToHistory(const std::string& folder, const HistoryRecord& record) {
    AppendLine(folder, FormatHistoryLine(record));
}

void AppendWithdrawal(const std::string& folder, const HistoryRecord& record, UtcTime now) {
    AppendLine(folder, FormatWithdrawalLine(record, now));
}

void WritePendingHandOver(const std::string& folder, const HistoryRecord& record) {
    const std::string path = PendingPath(folder);
    CreateFolderOf(folder, path);
    WriteFileAtomically(path, FormatHistoryLine(record));
}

void ClearPendingHandOver(const std::string& folder) {
    ::unlink(PendingPath(folder).c_str());
}

std::optional<HistoryRecord> RecoverPendingHandOver(const std::string& folder) {
    const std::string path = PendingPath(folder);
    std::string text;
    try {
        text = ReadWholeFile(path, ReadAccess::ReadOnly);
    } catch (const FileError&) {
        return std::nullopt;  // none
    }
    const HistoryContents pending = ParseHistory(text);
    std::optional<HistoryRecord> record;
    if (pending.records.size() == 1 && pending.damagedLines == 0) {
        record = pending.records.front();
        const HistoryContents history = ReadHistory(folder);
        if (std::find(history.records.begin(), history.records.end(), *record) ==
            history.records.end())
            AppendToHistory(folder, *record);
    }
    ClearPendingHandOver(folder);
    return record;
}

std::vector<std::string> StateFiles(const std::string& folder) {
    std::vector<std::string> files;
    for (const char* name : {"WavepostGrib.txt", "WavepostBulletin.txt", "wavepost_error.log",
                             kPendingFileName, kHistoryFileName})
        files.push_back(folder + "/" + name);
    return files;
}

HistoryContents ParseHistory(const std::string& text) {
    HistoryContents contents;
    for (const std::string_view line : SplitLines(text)) {
        if (line.empty()) continue;
        std::optional<HistoryLine> read = ParseLine(line);
        if (!read) {
            ++contents.damagedLines;
        } else if (read->record) {
            contents.records.push_back(std::move(*read->record));
        } else {
            // The latest record it names that is still standing.
            const auto& w = *read->withdrawal;
            for (auto it = contents.records.rbegin(); it != contents.records.rend(); ++it) {
                if (it->withdrawn || it->time != w.of || it->mail.address != w.address ||
                    it->mail.subject != w.subject)
                    continue;
                it->withdrawn = true;
                break;
            }
        }
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
