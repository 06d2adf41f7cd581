#include "request/OutgoingMail.h"

#include <sys/stat.h>

#include "app/FileAccess.h"
#include "app/NumberText.h"
#include "app/TextEncoding.h"

namespace wavepost {

namespace {

constexpr const char* kCrLf = "\r\n";
// Raw bytes per encoded word: 56 characters of base64, so that even the first word, after
// "Subject: ", keeps its line within 78 characters.
constexpr std::size_t kWordBytes = 42;
// A subject longer than this is folded into encoded words rather than left on one line.
constexpr std::size_t kPlainSubjectLimit = 66;
constexpr std::size_t kNameSubjectLimit = 40;

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
    return ToUtf8(address);
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

std::string FormatEml(const OutgoingMail& mail, UtcTime time) {
    std::string out;
    out += "To: " + AddressField(mail.address) + kCrLf;
    out += "Subject: " + SubjectField(mail.subject) + kCrLf;
    out += "Date: " + FormatMailDate(time) + kCrLf;
    out += std::string("MIME-Version: 1.0") + kCrLf;
    out += std::string("Content-Type: text/plain; charset=UTF-8") + kCrLf;
    out += std::string("Content-Transfer-Encoding: 8bit") + kCrLf;
    out += kCrLf;
    out += CrLfLines(ToUtf8(mail.body));
    return out;
}

std::string WriteEmlFile(const std::string& folder, const OutgoingMail& mail, UtcTime time) {
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
    WriteFileAtomically(path, FormatEml(mail, time));
    return path;
}

}  // namespace wavepost
