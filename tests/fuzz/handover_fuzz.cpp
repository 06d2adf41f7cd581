// SPDX-License-Identifier: GPL-3.0-or-later
// The files of the hand-over read back whatever they hold: a history line written from any
// record reads as that record, the settings read from any bytes write and read as the
// same, and no text of a mail starts a header of its own in its message file.
#include <cstdint>

#include "request/OrderHistory.h"
#include "request/OutgoingMail.h"
#include "request/Subscriptions.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace wavepost;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    const HistoryContents history = ParseHistory(bytes);
    ActiveSubscriptions(history.records, UtcNow());
    for (HistoryRecord record : history.records) {
        record.withdrawn = false;  // a line of its own follows to say so
        const HistoryContents again = ParseHistory(FormatHistoryLine(record));
        FUZZ_CHECK(again.damagedLines == 0 && again.records.size() == 1);
        FUZZ_CHECK(again.records[0] == record);
        // Its withdrawal reads back as one, naming it.
        const HistoryContents withdrawn =
            ParseHistory(FormatHistoryLine(record) + FormatWithdrawalLine(record, UtcNow()));
        FUZZ_CHECK(withdrawn.damagedLines == 0 && withdrawn.records.size() == 1);
        FUZZ_CHECK(withdrawn.records[0].withdrawn);
    }

    const ProgramSettings settings = ParseSettings(bytes);
    FUZZ_CHECK(ParseSettings(FormatSettings(settings)) == settings);

    // The input cut in three at its first two NUL bytes: address, subject, body.
    const std::size_t first = bytes.find('\0');
    const std::size_t second = first == std::string::npos ? first : bytes.find('\0', first + 1);
    if (second == std::string::npos) return 0;
    const OutgoingMail mail{bytes.substr(0, first), bytes.substr(first + 1, second - first - 1),
                            bytes.substr(second + 1)};
    const std::string eml = FormatEml(mail, UtcNow(), "i@d");
    const std::size_t headEnd = eml.find("\r\n\r\n");
    FUZZ_CHECK(headEnd != std::string::npos);
    int fields = 0;
    for (std::size_t at = 0; at <= headEnd; at = eml.find("\r\n", at) + 2) {
        FUZZ_CHECK(eml.find_first_of("\r\n", at) == eml.find("\r\n", at));  // no bare CR or LF
        FUZZ_CHECK(eml.find("\r\n", at) - at <= 998);
        if (eml[at] != ' ') ++fields;
    }
    FUZZ_CHECK(fields == 8);
    return 0;
}
