// SPDX-License-Identifier: GPL-3.0-or-later
// What "Envoi" would hand over now: the mails in their order, or the message the user
// gets instead. Sending carries the plan out; the order page shows it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavepost {

struct OrderMail {
    std::string address;   // as the address file gives it
    std::string subject;   // "Bulletin" or "Grib"
    std::string urlBody;   // the body as it goes into the mailto: URL
    std::string url;       // the whole mailto: URL handed to the mail program
    std::string copyFile;  // the name of the copy written after the hand-over
    bool isGribOrder = false;
    // The body as the service reads it, with real line breaks.
    std::string Text() const;
};

struct OrderPlan {
    // The address file could not be read: nothing is sent, the subscription choice resets.
    bool noAddressFile = false;
    // Shown before anything is handed over: an empty address, or one refused (then nothing
    // is sent at all).
    std::optional<std::string> addressMessage;
    bool addressRefused = false;
    // No "meteo" address: the mails carry the configuration-error text in its place, for
    // the mail program only, where the user can correct it by hand.
    bool addressMissing = false;
    std::string addressFile;  // the address file's path, for the messages
    std::string sender;       // the sailor's own address for message files; empty if unknown
    // The address is the shipped placeholder: the user is offered to set it.
    bool addressNotSet = false;
    // In hand-over order: the bulletins, then the gridded data.
    std::vector<OrderMail> mails;
    // Shown in place of the gridded-data order (no zone, no spacing, nothing ordered).
    std::optional<std::string> insteadMessage;
    // Said once the orders are handed over: what was ticked and not ordered.
    std::optional<std::string> note;
    // The reply's grid when the service's own rules give it (Saildocs): points of one
    // field and GRIB messages; otherwise the estimate's figures hold.
    std::optional<std::int64_t> replyPoints, replyFields;

    bool HasGribOrder() const { return !mails.empty() && mails.back().isGribOrder; }
};

}  // namespace wavepost
