// E-mail addresses from the address file: the one rule an address must meet.
#pragma once

#include <string>

namespace wavepost {

// True when the text is one plain address: a local part, '@' and a domain, at most 254
// bytes, no blank, control byte, quote, angle bracket or any of ":,;?&#" that would let a
// file add recipients or headers to a mail.
bool IsPlainAddress(const std::string& utf8);

}  // namespace wavepost
