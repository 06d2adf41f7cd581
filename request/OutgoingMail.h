// SPDX-License-Identifier: GPL-3.0-or-later
// One order as a mail, apart from the way it leaves: a mailto: URL, Pat's outbox or a
// message file.
#pragma once

#include <string>

#include "app/UtcTime.h"

namespace wavepost {

struct OutgoingMail {
    std::string address;
    std::string subject;
    // The order with real line breaks, in UTF-8: a URL body read back with PercentDecoded.
    std::string body;
    bool operator==(const OutgoingMail&) const = default;
};

// The mail as a message file: To, Subject (encoded when not plain ASCII), Date,
// MIME-Version and a UTF-8 plain-text body, every line ended by CRLF. No text of the mail
// can start a header of its own: control bytes of the address become blanks, and a
// subject holding any goes encoded.
std::string FormatEml(const OutgoingMail& mail, UtcTime time);

// Writes the mail as a new ".eml" file into the folder, named after the time and the
// subject, never replacing a file there; returns its path. Throws FileError naming the
// path when it cannot be written (a missing folder included).
std::string WriteEmlFile(const std::string& folder, const OutgoingMail& mail, UtcTime time);

}  // namespace wavepost
