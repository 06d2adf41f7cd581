#include "zone/SailorCoordinates.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "base/NumberText.h"

namespace wavepost::zone {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The marks after degrees, minutes and seconds. A degree sign may come as one
// Windows-1252 byte from an options file of an older installation; keyboards without one
// offer the ordinal sign, and word processors turn the apostrophe into a quote mark.
constexpr std::string_view kDegreeMarks[] = {"\xC2\xB0", "\xC2\xBA", "\xB0"};
constexpr std::string_view kMinuteMarks[] = {"'", "\xE2\x80\xB2", "\xE2\x80\x99"};
constexpr std::string_view kSecondMarks[] = {"\"", "\xE2\x80\xB3", "''"};

class Reader {
  public:
    explicit Reader(std::string_view text) : m_rest(text) {}
    bool AtEnd() const { return m_rest.empty(); }
    char Peek() const { return m_rest.empty() ? '\0' : m_rest.front(); }
    void Take(std::size_t count) { m_rest.remove_prefix(count); }
    bool SkipBlanks() {
        std::size_t n = 0;
        while (n < m_rest.size() && IsBlank(m_rest[n])) ++n;
        Take(n);
        return n > 0;
    }
    template <std::size_t N>
    bool SkipMark(const std::string_view (&marks)[N]) {
        for (std::string_view mark : marks) {
            if (m_rest.starts_with(mark)) {
                Take(mark.size());
                return true;
            }
        }
        return false;
    }
    // Digits with a decimal point or comma, as a plain number text; empty when none.
    std::string Number(bool& fraction) {
        std::size_t n = 0;
        std::size_t digits = 0;
        while (n < m_rest.size() && IsDigit(m_rest[n])) ++n, ++digits;
        fraction = n < m_rest.size() && (m_rest[n] == '.' || m_rest[n] == ',');
        if (fraction) {
            ++n;
            while (n < m_rest.size() && IsDigit(m_rest[n])) ++n, ++digits;
        }
        if (digits == 0) return {};
        std::string number = Replace(std::string(m_rest.substr(0, n)), ',', '.');
        Take(n);
        return number;
    }

  private:
    std::string_view m_rest;
};

// +1 or -1 for a hemisphere letter of the axis; 0 for any other character.
int HemisphereSign(char letter, Quantity quantity) {
    switch (letter) {
        case 'N':
        case 'n':
            return quantity == Quantity::Latitude ? 1 : 0;
        case 'S':
        case 's':
            return quantity == Quantity::Latitude ? -1 : 0;
        case 'E':
        case 'e':
            return quantity == Quantity::Longitude ? 1 : 0;
        case 'W':
        case 'w':
        case 'O':
        case 'o':
            return quantity == Quantity::Longitude ? -1 : 0;
        default:
            return 0;
    }
}

}  // namespace

std::optional<double> ReadSailorPosition(const std::string& text, Quantity quantity) {
    if (quantity == Quantity::Size) return std::nullopt;
    Reader in(text);
    in.SkipBlanks();
    // The hemisphere first, as GPS units show it: "N47°15.5'", "W 005 30".
    int hemisphere = HemisphereSign(in.Peek(), quantity);
    const bool leading = hemisphere != 0;
    if (leading) {
        in.Take(1);
        in.SkipBlanks();
    }
    int sign = 0;
    if (in.Peek() == '+' || in.Peek() == '-') {
        sign = in.Peek() == '-' ? -1 : 1;
        in.Take(1);
    }
    // Degrees, minutes, seconds: only the last may have a fraction, and each but the last
    // ends in its mark or in blanks.
    double parts[3] = {0, 0, 0};
    int count = 0;
    bool marked = false;
    bool hyphen = false;
    bool fraction = false;
    while (count < 3) {
        if (fraction) break;
        const std::string number = in.Number(fraction);
        if (number.empty()) break;
        parts[count] = ReadNumber(number);
        bool ended = false;
        switch (count) {
            case 0:
                ended = in.SkipMark(kDegreeMarks);
                break;
            case 1:
                ended = in.SkipMark(kMinuteMarks);
                break;
            default:
                ended = in.SkipMark(kSecondMarks);
                break;
        }
        marked = marked || ended;
        // "47-15N": a hyphen between degrees and minutes, where a letter says what it is.
        if (count == 0 && !ended && in.Peek() == '-') {
            in.Take(1);
            hyphen = ended = true;
        }
        ++count;
        if (!in.SkipBlanks() && !ended) break;
    }
    if (count == 0) return std::nullopt;
    in.SkipBlanks();
    if (!in.AtEnd()) {
        if (leading) return std::nullopt;
        hemisphere = HemisphereSign(in.Peek(), quantity);
        if (hemisphere == 0) return std::nullopt;
        in.Take(1);
        in.SkipBlanks();
        if (!in.AtEnd()) return std::nullopt;
    }
    // A plain number reads as before; degrees and minutes apart ("47 15") are a position.
    if (hemisphere == 0 && !marked && count == 1) return std::nullopt;
    if (hemisphere == 0 && hyphen) return std::nullopt;
    if (hemisphere != 0 && sign != 0) return std::nullopt;
    if (count > 1 && parts[1] >= 60) return std::nullopt;
    if (count > 2 && parts[2] >= 60) return std::nullopt;
    const double value = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    const bool negative = sign < 0 || hemisphere < 0;
    // Nought degrees west is 0.0, not -0.0.
    return negative && value != 0 ? -value : value;
}

double ReadCoordinate(const std::string& text, Quantity quantity) {
    const std::optional<double> position = ReadSailorPosition(text, quantity);
    return position ? *position : ReadNumber(text);
}

std::string PlainCoordinate(const std::string& text, Quantity quantity) {
    const std::optional<double> position = ReadSailorPosition(text, quantity);
    if (!position) return text;
    // Degrees of hundreds of digits overflow as a plain number of them does.
    if (std::isinf(*position)) return *position < 0 ? "-1e999" : "1e999";
    // The shortest fixed-point text that reads back to the same double.
    char buffer[400];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, *position, std::chars_format::fixed);
    return error == std::errc() ? std::string(buffer, end) : text;
}

std::string DegreesMinutes(double latitude, double longitude) {
    auto part = [](double value, char positive, char negative) {
        if (!std::isfinite(value) || std::fabs(value) > 1e6) return std::string("?");
        const long long minutes = std::llround(std::fabs(value) * 60.0);
        return Format("%lld\xC2\xB0%02lld'%c", minutes / 60, minutes % 60,
                      value < 0 && minutes != 0 ? negative : positive);
    };
    return part(latitude, 'N', 'S') + " " + part(longitude, 'E', 'W');
}

}  // namespace wavepost::zone
