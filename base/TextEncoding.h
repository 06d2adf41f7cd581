// SPDX-License-Identifier: GPL-3.0-or-later
// Texts read from files on their way into a mailto: URL. Files carried over from older
// installations hold Windows-1252 where newer ones hold UTF-8, sometimes both in one file.
#pragma once

#include <string>

namespace wavepost {

// The text in UTF-8: well-formed UTF-8 sequences are kept as they are, every other byte
// is taken as the Windows-1252 character it stands for (U+FFFD for the five bytes that
// code page leaves undefined).
std::string ToUtf8(const std::string& bytes);

// A text from a file made safe inside a mailto: URL: converted by ToUtf8, then every byte
// but the unreserved characters and "!$'()*,;:@" percent-encoded ('=', '&', '%', '#', '?',
// '+', blanks, control bytes and non-ASCII included), so that no file can add a header or
// a recipient, cut a field short or add a line to an order, and the URL is plain ASCII
// that no program encodes again.
std::string ForUrl(const std::string& text);

// The program's own blanks of a text already made of ForUrl pieces, as "%20".
std::string WithBlanksEncoded(const std::string& text);

// Every "%" followed by two hexadecimal digits replaced by the byte it encodes, so that a
// URL body reads as plain text again ("%0A" a line break). Undoes ForUrl.
std::string PercentDecoded(const std::string& text);

}  // namespace wavepost
