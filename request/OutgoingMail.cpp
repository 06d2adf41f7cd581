#include "request/OutgoingMail.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <random>

#include "app/MailAddress.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "base/TextEncoding.h"

namespace wavepost {

namespace {

constexpr const char* kCrLf = "\r\n";
// Raw bytes per encoded word: 56 characters of base64, so that even the first word, after
// "Subject: ", keeps its line within 78 characters.
constexpr std::size_t kWordBytes = 42;
// A subject longer than this is folded into encoded words rather than left on one line.
constexpr std::size_t kPlainSubjectLimit = 66;
constexpr std::size_t kNameSubjectLimit = 40;
// The longest line a message may hold, CRLF not counted.
constexpr std::size_t kMaxLineBytes = 998;

bool IsPrintableAscii(const std::string& text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

std::string Base64(const std::string& bytes) {
    static const char* const kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned value = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) value |= static_cast<unsigned char>(bytes[i + 2]);
        out += kDigits[(value >> 18) & 63];
        out += kDigits[(value >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(value >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[value & 63] : '=';
    }
    return out;
}

// The subject as encoded words, one per folded line, each cut between whole characters.
std::string EncodedWords(const std::string& utf8) {
    std::string out;
    std::size_t at = 0;
    while (at < utf8.size()) {
        std::size_t end = std::min(at + kWordBytes, utf8.size());
        while (end < utf8.size() && end > at + 1 && (utf8[end] & 0xC0) == 0x80) --end;
        if (!out.empty()) out += std::string(kCrLf) + " ";
        out += "=?UTF-8?B?" + Base64(utf8.substr(at, end - at)) + "?=";
        at = end;
    }
    return out;
}

std::string SubjectField(const std::string& subject) {
    const std::string utf8 = ToUtf8(subject);
    if (IsPrintableAscii(utf8) && utf8.size() <= kPlainSubjectLimit) return utf8;
    return EncodedWords(utf8);
}

std::string AddressField(std::string address) {
    for (char& c : address)
        if ((c >= 0 && c < 0x20) || c == 0x7F) c = ' ';
    address = ToUtf8(address);
    return AsciiDomainAddress(address).value_or(address);
}

// The header line, folded before blanks so that no line passes the 998 bytes a message
// line may hold; a run without blanks that long (never a checked address) is cut.
std::string FoldedField(const std::string& name, const std::string& value) {
    std::string line = name + ": " + value, out;
    while (line.size() > kMaxLineBytes) {
        std::size_t cut = line.rfind(' ', kMaxLineBytes);
        if (cut == std::string::npos || cut == 0) cut = kMaxLineBytes;
        out += line.substr(0, cut) + kCrLf;
        line = line[cut] == ' ' ? line.substr(cut) : " " + line.substr(cut);
    }
    return out + line + kCrLf;
}

// Every line end (CRLF, LF or a lone CR) as CRLF, and one after the last line.
std::string CrLfLines(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += kCrLf;
        } else if (text[i] == '\n') {
            out += kCrLf;
        } else {
            out += text[i];
        }
    }
    if (!out.empty() && out.back() != '\n') out += kCrLf;
    return out;
}

// Letters, digits, '-' and '_' of the subject, anything else as '_': a name any file
// system and any mail program takes.
std::string SafeNamePart(const std::string& subject) {
    std::string out;
    for (const char c : subject.substr(0, kNameSubjectLimit)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '_';
        out += plain ? c : '_';
    }
    return out.empty() ? std::string("commande") : out;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string FormatEml(const OutgoingMail& mail, UtcTime time, const std::string& messageId,
                      const std::string& from) {
    std::string out;
    if (!from.empty()) out += FoldedField("From", AddressField(from));
    out += FoldedField("To", AddressField(mail.address));
    out += "Subject: " + SubjectField(mail.subject) + kCrLf;
    out += "Date: " + FormatMailDate(time) + kCrLf;
    out += FoldedField("Message-ID", "<" + messageId + ">");
    out += std::string("X-Unsent: 1") + kCrLf;
    out += std::string("MIME-Version: 1.0") + kCrLf;
    out += std::string("Content-Type: text/plain; charset=UTF-8") + kCrLf;
    out += std::string("Content-Transfer-Encoding: 8bit") + kCrLf;
    out += kCrLf;
    out += CrLfLines(ToUtf8(mail.body));
    return out;
}

std::string NewMessageId(const std::string& from, UtcTime time) {
    std::uint64_t random = 0;
    try {
        std::random_device device;
        random = (std::uint64_t{device()} << 32) ^ device();
    } catch (const std::exception&) {
        // No random source: the clock's nanoseconds still tell two messages apart.
        random =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
    std::string domain = "wavepost.invalid";
    if (const auto ascii = AsciiDomainAddress(ToUtf8(from)); ascii && IsPlainAddress(*ascii))
        domain = ascii->substr(ascii->rfind('@') + 1);
    const std::string stamp = RemoveChar(RemoveChar(FormatIsoUtc(time), '-'), ':');
    return stamp + "." + Format("%016llx", static_cast<unsigned long long>(random)) + "@" + domain;
}

std::string WriteEmlFile(const std::string& folder, const OutgoingMail& mail, UtcTime time,
                         const std::string& from) {
    std::string stamp = FormatIsoUtc(time);  // 2026-12-08T08:03:33Z -> 20261208-080333
    stamp = RemoveChar(RemoveChar(RemoveChar(stamp, '-'), ':'), 'Z');
    stamp = Replace(stamp, 'T', '-');
    const std::string base = folder + "/" + stamp + "-" + SafeNamePart(mail.subject);
    std::string path = base + ".eml";
    // Orders of the same second and subject (a bulletin ordered twice) each keep their file.
    for (int counter = 2; Exists(path); ++counter) path = base + Format("-%d", counter) + ".eml";
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        ThrowFileError(path, FileOperation::Write);
    // Orders and the sailor's address are the user's own, like the history.
    WriteFileAtomically(path, FormatEml(mail, time, NewMessageId(from, time), from), 0600);
    return path;
}

}  // namespace wavepost
