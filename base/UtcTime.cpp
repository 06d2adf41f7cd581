#include "base/UtcTime.h"

#include <cstdio>

#include "base/NumberText.h"

namespace wavepost {

namespace {

using namespace std::chrono;

struct Parts {
    year_month_day date;
    hh_mm_ss<seconds> clock;
    weekday day;
};

Parts Split(UtcTime time) {
    const sys_days days = floor<std::chrono::days>(time);
    return {year_month_day(days), hh_mm_ss<seconds>(time - days), weekday(days)};
}

// A fixed count of decimal digits; nothing when any is missing or not a digit.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

UtcTime UtcNow() {
    return floor<seconds>(system_clock::now());
}

std::string FormatIsoUtc(UtcTime time) {
    const Parts p = Split(time);
    return Format("%04d-%02u-%02uT%02ld:%02ld:%02ldZ", static_cast<int>(p.date.year()),
                  static_cast<unsigned>(p.date.month()), static_cast<unsigned>(p.date.day()),
                  static_cast<long>(p.clock.hours().count()),
                  static_cast<long>(p.clock.minutes().count()),
                  static_cast<long>(p.clock.seconds().count()));
}

std::optional<UtcTime> ReadIsoUtc(std::string_view text) {
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto y = Digits(text, 0, 4), mo = Digits(text, 5, 2), d = Digits(text, 8, 2);
    const auto h = Digits(text, 11, 2), mi = Digits(text, 14, 2), s = Digits(text, 17, 2);
    if (!y || !mo || !d || !h || !mi || !s || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
    const year_month_day date{year(*y), month(static_cast<unsigned>(*mo)),
                              day(static_cast<unsigned>(*d))};
    if (!date.ok()) return std::nullopt;
    return sys_days(date) + hours(*h) + minutes(*mi) + seconds(*s);
}

std::string FormatMailDate(UtcTime time) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const Parts p = Split(time);
    return Format(
        "%s, %02u %s %04d %02ld:%02ld:%02ld +0000", kDays[p.day.c_encoding()],
        static_cast<unsigned>(p.date.day()), kMonths[static_cast<unsigned>(p.date.month()) - 1],
        static_cast<int>(p.date.year()), static_cast<long>(p.clock.hours().count()),
        static_cast<long>(p.clock.minutes().count()), static_cast<long>(p.clock.seconds().count()));
}

}  // namespace wavepost
