// SPDX-License-Identifier: GPL-3.0-or-later
// Lenient number reading and printf-style writing of the program's texts, independent of
// the process locale.
#pragma once

#include <string>
#include <string_view>

namespace wavepost {

// Leading blanks, an optional sign, the leading decimal digits; 0 when there are none.
long ReadInteger(const std::string& text);
// The longest prefix that forms a decimal number with a point and an optional exponent;
// 0.0 when there is none.
double ReadNumber(const std::string& text);
// A double narrowed to float; values beyond the float range become infinities instead of
// being left to the undefined conversion (typed texts can hold any magnitude).
float ToFloat(double value);
// The value in fixed point with that many decimals, as "%.*f" writes it in the "C"
// locale, whatever the process locale is: numbers in orders and files never take the
// user's decimal comma.
std::string FormatFixed(double value, int decimals);
// snprintf into a string of the right size. For texts and integers only: a floating-point
// conversion would follow the process locale (use FormatFixed).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The text with every double quote removed.
std::string Unquoted(std::string_view text);
// Every occurrence of one character replaced by another.
std::string Replace(std::string text, char from, char to);
// Every occurrence of one character removed.
std::string RemoveChar(std::string text, char removed);

}  // namespace wavepost
