// E-mail addresses from the address file: the one rule an address must meet, its ASCII
// form for message headers, and the reading of the address keys.
#pragma once

#include <optional>
#include <string>

namespace wavepost {

// True when the text, in UTF-8, is one plain address (an addr-spec without comments or
// folding, non-ASCII allowed as UTF-8): a dot-atom or quoted local part, '@', a dot-atom
// domain or a [literal]; no blank, no control byte, no display name or angle brackets, no
// second address; at most 254 bytes; a non-ASCII domain must have an ASCII form. See
// docs/mail-addresses.md.
bool IsPlainAddress(const std::string& utf8);

// The address with its domain in ASCII (IDNA A-labels: "bücher.example" becomes
// "xn--bcher-kva.example"); the local part is kept. None when the domain has no ASCII form.
std::optional<std::string> AsciiDomainAddress(const std::string& utf8);

// One address of the address file, as the program takes it.
struct AddressEntry {
    std::string address;  // in UTF-8
    // The key is absent or its value empty: the configuration-error text stands in.
    bool missing = false;
    // The value is not one plain address; message names the key and the file.
    bool refused = false;
    std::optional<std::string> message;  // for the user, when missing or refused
};

// Reads an address key ("meteo", "question") of the address file. Throws FileError when
// the file cannot be read.
AddressEntry LookUpAddress(const std::string& file, const std::string& key);

// The sailor's own address for the From: of message files (key "expediteur"): none when
// the key is absent or empty; refused like any address when it is not a plain one.
// Throws FileError when the file cannot be read.
AddressEntry LookUpSender(const std::string& file);

}  // namespace wavepost
