// SPDX-License-Identifier: GPL-3.0-or-later
// Every order handed over, one line each in the state folder, kept so that the user can
// see what went out and which subscriptions are running.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/ProgramSettings.h"
#include "base/UtcTime.h"
#include "request/OutgoingMail.h"

namespace wavepost {

struct HistoryRecord {
    UtcTime time;
    HandOverMethod method = HandOverMethod::Mail;
    OutgoingMail mail;
    // Withdrawn by the sailor later (the order was abandoned in the mail program): listed
    // as such, and starting or ending no subscription.
    bool withdrawn = false;
    bool operator==(const HistoryRecord&) const = default;
};

constexpr const char* kHistoryFileName = "history.txt";
// The history file of a folder.
std::string HistoryPath(const std::string& folder);

// "<UTC time>\t<method>\t<recipient>\t<subject>\t<body>\n", each text escaped onto the line.
std::string FormatHistoryLine(const HistoryRecord& record);

// A line withdrawing a record: "<UTC time>\twithdraw\t<recipient>\t<subject>\t<the record's
// UTC time>". It names the latest record of that time, recipient and subject.
std::string FormatWithdrawalLine(const HistoryRecord& record, UtcTime now);

// Adds the record at the end of the folder's history, creating both when missing; lines
// already there are never rewritten. Throws FileError naming the file.
void AppendToHistory(const std::string& folder, const HistoryRecord& record);
// Adds a line withdrawing the record, the same way.
void AppendWithdrawal(const std::string& folder, const HistoryRecord& record, UtcTime now);

// The order being handed over is written beside the history before the hand-over starts
// and removed once its outcome is recorded, so that a crash in between leaves it for the
// next start. Write throws FileError naming the file; Clear ignores failures.
void WritePendingHandOver(const std::string& folder, const HistoryRecord& record);
void ClearPendingHandOver(const std::string& folder);
// A hand-over a crash cut short: added to the history (unless its line got there before
// the crash), then forgotten. Nothing when there is none, or it was cut short itself.
// Throws FileError when the history cannot be written; the pending file then stays.
std::optional<HistoryRecord> RecoverPendingHandOver(const std::string& folder);
// The files of the state folder whose leftovers a crash may leave beside them.
std::vector<std::string> StateFiles(const std::string& folder);

struct HistoryContents {
    std::vector<HistoryRecord> records;  // oldest first
    int damagedLines = 0;                // skipped, for the caller to report once
    bool olderRecordsIgnored = false;    // the file passed the bound, for the caller too
};

// The most of the history's end that is read: thousands of orders, years of use.
constexpr std::size_t kHistoryReadLimit = std::size_t{4} << 20;

// The records of a history file's text; lines that do not read as one are counted.
HistoryContents ParseHistory(const std::string& text);
// The folder's history, its last kHistoryReadLimit bytes at most (whole lines); empty when
// there is none yet. Throws FileError when it exists but cannot be read, FileShapeError
// when it is not a regular file.
HistoryContents ReadHistory(const std::string& folder);

// The last count records, the newest last.
std::vector<HistoryRecord> LastRecords(const HistoryContents& contents, std::size_t count);

}  // namespace wavepost
