// SPDX-License-Identifier: GPL-3.0-or-later
// The program's bytes as the user sees them: each well-formed UTF-8 sequence as UTF-8,
// every other byte as Windows-1252 (files carried over from older installations).
#pragma once

#include <QString>
#include <string>

namespace platform::qt {

QString Decode(const std::string& bytes);
std::string Encode(const QString& text);

}  // namespace platform::qt
