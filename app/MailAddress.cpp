#include "app/MailAddress.h"

#include <idn2.h>

#include <cstdlib>
#include <cstring>

#include "app/CConfigFile.h"
#include "app/layout/StringTable.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"

namespace wavepost {

namespace {

// The longest address a mail server must take: its 256-byte path less the angle brackets.
constexpr std::size_t kMaxAddressBytes = 254;

bool IsAsciiLetterOrDigit(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// atext, with the bytes of non-ASCII UTF-8 characters allowed as in internationalized mail.
bool IsAtext(unsigned char c) {
    return IsAsciiLetterOrDigit(c) || c >= 0x80 || std::strchr("!#$%&'*+-/=?^_`{|}~", c);
}

// dot-atom-text: atext runs joined by single dots.
bool IsDotAtomText(const std::string& text) {
    if (text.empty() || text.front() == '.' || text.back() == '.') return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '.' ? text[i + 1] == '.' : !IsAtext(c)) return false;
    }
    return true;
}

// A quoted local part: qtext and backslash pairs of a visible character between two
// double quotes; no blank.
bool IsQuotedString(const std::string& text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') return false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\') {
            const auto next = static_cast<unsigned char>(text[++i]);
            if (i + 1 >= text.size() || next < 0x21 || next > 0x7E) return false;
        } else if (c == '"' || (c < 0x21) || c == 0x7F) {
            return false;
        }
    }
    return true;
}

// A domain literal, "[192.0.2.1]": printable ASCII but "[", "]" and "\" inside brackets.
bool IsDomainLiteral(const std::string& text) {
    if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x21 || c > 0x7E || c == '[' || c == ']' || c == '\\') return false;
    }
    return true;
}

bool IsAscii(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::optional<std::string> AsciiDomain(const std::string& domain) {
    if (IsAscii(domain)) return domain;
    char* ascii = nullptr;
    if (idn2_to_ascii_8z(domain.c_str(), &ascii, IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL) != IDN2_OK)
        return std::nullopt;
    std::string out = ascii;
    idn2_free(ascii);
    return out;
}

}  // namespace

bool IsPlainAddress(const std::string& utf8) {
    if (utf8.empty() || utf8.size() > kMaxAddressBytes || ToUtf8(utf8) != utf8) return false;
    // A quoted local part may hold '@'; the domain never does.
    const std::size_t at = utf8.rfind('@');
    if (at == std::string::npos) return false;
    const std::string local = utf8.substr(0, at), domain = utf8.substr(at + 1);
    if (!IsDotAtomText(local) && !IsQuotedString(local)) return false;
    if (IsDomainLiteral(domain)) return true;
    return IsDotAtomText(domain) && AsciiDomain(domain).has_value();
}

std::optional<std::string> AsciiDomainAddress(const std::string& utf8) {
    const std::size_t at = utf8.rfind('@');
    if (at == std::string::npos) return IsAscii(utf8) ? std::optional(utf8) : std::nullopt;
    const std::optional<std::string> domain = AsciiDomain(utf8.substr(at + 1));
    if (!domain) return std::nullopt;
    return utf8.substr(0, at + 1) + *domain;
}

namespace {

AddressEntry ReadEntry(const std::string& file, const std::string& key) {
    CConfigFile config(file, false);
    AddressEntry entry;
    const std::string value = config.GetValue(key);
    config.Close();
    if (value.empty() || value == LoadString(IDS_CONFIG_ERROR)) {
        entry.address = value;
        entry.missing = true;
        return entry;
    }
    entry.address = ToUtf8(value);
    if (!IsPlainAddress(entry.address)) {
        entry.refused = true;
        entry.message = Format(LoadString(IDS_BAD_ADDRESS).c_str(), key.c_str(), file.c_str());
    }
    return entry;
}

}  // namespace

AddressEntry LookUpAddress(const std::string& file, const std::string& key) {
    AddressEntry entry = ReadEntry(file, key);
    // The text read stands in, so that a mail still opens for the user to correct by hand.
    if (entry.missing) entry.message = LoadString(IDS_NO_ADDRESS);
    return entry;
}

AddressEntry LookUpSender(const std::string& file) {
    AddressEntry entry = ReadEntry(file, LoadString(IDS_KEY_SENDER));
    if (entry.missing) entry.address.clear();
    return entry;
}

}  // namespace wavepost
