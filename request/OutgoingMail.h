// SPDX-License-Identifier: GPL-3.0-or-later
// One order as a mail, apart from the way it leaves: a mailto: URL, Pat's outbox or a
// message file.
#pragma once

#include <string>

#include "base/UtcTime.h"

namespace wavepost {

struct OutgoingMail {
    std::string address;
    std::string subject;
    // The order with real line breaks, in UTF-8: a URL body read back with PercentDecoded.
    std::string body;
    bool operator==(const OutgoingMail&) const = default;
};

// The mail as a message file: From (when known), To, Subject (encoded when not plain
// ASCII), Date, Message-ID, X-Unsent (desktop mail programs open it as a draft to send),
// MIME-Version and a UTF-8 plain-text body, every line ended by CRLF. Addresses go with
// their domain in ASCII (IDNA); no header line is over 998 bytes. No text of the mail can
// start a header of its own: control bytes of an address become blanks, and a subject
// holding any goes encoded. messageId: without its angle brackets; from: the sailor's own
// address, empty when unknown.
std::string FormatEml(const OutgoingMail& mail, UtcTime time, const std::string& messageId,
                      const std::string& from = {});

// A Message-ID no other message has: the time, random digits, and the sender's domain.
std::string NewMessageId(const std::string& from, UtcTime time);

// Writes the mail as a new ".eml" file into the folder, named after the time and the
// subject, never replacing a file there, readable by the user alone; returns its path.
// Throws FileError naming the path when it cannot be written (a missing folder included).
std::string WriteEmlFile(const std::string& folder, const OutgoingMail& mail, UtcTime time,
                         const std::string& from = {});

}  // namespace wavepost
