#include "app/MailAddress.h"

#include <cstring>

namespace wavepost {

namespace {

// The longest address a mail server must take: its 256-byte path less the angle brackets.
constexpr std::size_t kMaxAddressBytes = 254;

}  // namespace

bool IsPlainAddress(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > kMaxAddressBytes) return false;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || std::strchr("\"<>:,;?&#()[]\\", c)) return false;
    }
    const std::size_t at = utf8.find('@');
    return at != std::string::npos && at > 0 && at + 1 < utf8.size() &&
           utf8.find('@', at + 1) == std::string::npos && utf8.front() != '.' && utf8.back() != '.';
}

}  // namespace wavepost
