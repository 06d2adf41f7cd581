#include "app/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace wavepost {

namespace {

// The blanks of the "C" locale, whatever locale the process runs in.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The power of ten of a decimal number's leading significant digit, roughly: positive
// for numbers of 10 and more, negative below 1 (enough to tell overflow from underflow).
long DecimalExponent(const char* first, const char* last) {
    long digitsBeforePoint = 0;
    long zerosAfterPoint = 0;
    bool seenSignificant = false, afterPoint = false;
    const char* p = first;
    for (; p != last && (IsDigit(*p) || *p == '.'); ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (*p != '0' || seenSignificant) {
            seenSignificant = true;
            if (!afterPoint) ++digitsBeforePoint;
        } else if (afterPoint) {
            ++zerosAfterPoint;
        }
    }
    long exponent = 0;
    if (p != last && (*p == 'e' || *p == 'E')) exponent = ReadInteger(std::string(p + 1, last));
    const long lead = digitsBeforePoint > 0 ? digitsBeforePoint : -zerosAfterPoint;
    // Saturating: both terms may be huge.
    if (exponent > 0 && lead > std::numeric_limits<long>::max() - exponent) return 1;
    if (exponent < 0 && lead < std::numeric_limits<long>::min() - exponent) return -1;
    return lead + exponent;
}

}  // namespace

long ReadInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    constexpr long kMax = std::numeric_limits<long>::max();
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        int digit = text[i] - '0';
        // Saturate rather than overflow on absurdly long digit runs.
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

double ReadNumber(const std::string& text) {
    // Parsed by hand so that the process locale can never turn the point into a comma.
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            end = j;
        }
    }
    // from_chars reads the point whatever the process locale; it takes no plus sign.
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-') ++first;
    double value = 0.0;
    auto [stop, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Beyond the double range: what strtod gives, an infinity or a zero.
        value = DecimalExponent(first, last) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    (void)stop;
    return negative ? -value : value;
}

float ToFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax) return std::numeric_limits<float>::infinity();
    if (value < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::string FormatFixed(double value, int decimals) {
    // to_chars writes the point whatever the process locale, and the same digits as
    // printf's "%.*f" (exact, ties to even).
    // 309 digits before the point at most, the sign and the point.
    std::string text(320 + static_cast<std::size_t>(std::max(decimals, 0)), '\0');
    auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, decimals);
    text.resize(error == std::errc() ? static_cast<std::size_t>(end - text.data()) : 0);
    return text;
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(result.data(), result.size() + 1, format, args);
    va_end(args);
    return result;
}

std::string Unquoted(const std::string& text) {
    return RemoveChar(text, '"');
}

std::string Replace(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string RemoveChar(std::string text, char removed) {
    text.erase(std::remove(text.begin(), text.end(), removed), text.end());
    return text;
}

}  // namespace wavepost
