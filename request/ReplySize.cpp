// SPDX-License-Identifier: GPL-3.0-or-later
// The reply size model; its constants are measured on real GRIB files (docs/reply-size.md,
// tests/grib/reply_size_check.cpp).
#include "request/ReplySize.h"

#include <algorithm>
#include <cmath>

#include "base/NumberText.h"

namespace wavepost {

namespace {

// The sections of one message around its packed values: indicator, product, grid, the
// data section's own fields and the end, for a regular latitude-longitude grid.
double HeaderBytes(GribEdition edition) {
    return edition == GribEdition::One ? 108 : 179;
}

// What a compressor leaves of the packed values, of the first message's headers, of the
// following ones' (which differ from the one before in a few bytes only), and the bytes
// of its own container (for zip the entry's name twice, in the local header and the
// central directory; for bzip2 a block's tables).
struct Squeeze {
    double values, firstHeaders, nextHeaders, container;
};
Squeeze SqueezeOf(ReplyCompression compression) {
    switch (compression) {
        case ReplyCompression::None:
            return {1, 1, 1, 0};
        case ReplyCompression::Zip:
            return {0.98, 0.7, 0.15, 168};
        case ReplyCompression::Gzip:
            return {0.98, 0.7, 0.15, 28};
        case ReplyCompression::Bzip2:
            return {0.9, 0.45, 0.15, 105};
    }
    return {1, 1, 1, 0};
}

// A mail attachment travels in base64, 4 characters for 3 bytes, in lines of 76 and a
// line end; the mail's own headers come on top.
constexpr double kMailHeaderBytes = 2000;
double MailBytes(double fileBytes) {
    const double characters = 4 * std::ceil(fileBytes / 3);
    return kMailHeaderBytes + characters + 2 * std::ceil(characters / 76);
}

}  // namespace

ReplyCompression ReplyCompressionOf(std::int32_t button) {
    switch (button) {
        case 0:
            return ReplyCompression::None;
        case 1:
            return ReplyCompression::Zip;
        case 2:
            return ReplyCompression::Gzip;
        default:
            return ReplyCompression::Bzip2;
    }
}

std::int64_t ReplyBytes(const ReplyShape& shape) {
    if (shape.points <= 0 || shape.fields <= 0) return 0;
    const double fields = static_cast<double>(shape.fields);
    const double values = std::ceil(static_cast<double>(shape.points) * shape.bitsPerValue / 8);
    const Squeeze squeeze = SqueezeOf(shape.compression);
    const double headers =
        HeaderBytes(shape.edition) * (squeeze.firstHeaders + squeeze.nextHeaders * (fields - 1));
    const double bytes = fields * squeeze.values * values + headers + squeeze.container;
    constexpr double kBound = 4.0e18;
    return bytes >= kBound ? static_cast<std::int64_t>(kBound) : std::llround(bytes);
}

std::optional<double> LinkRate(const std::string& cell) {
    std::string text = Unquoted(cell);
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    const std::size_t start = std::find_if_not(text.begin(), text.end(), blank) - text.begin();
    text.erase(0, start);
    const bool plain = std::all_of(text.begin(), text.end(),
                                   [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
    if (!plain || std::count(text.begin(), text.end(), '.') > 1) return std::nullopt;
    const double rate = ReadNumber(text);
    if (!(rate > 0) || !std::isfinite(rate)) return std::nullopt;
    return rate;
}

std::optional<double> TransferSeconds(std::int64_t replyBytes,
                                      std::optional<double> bitsPerSecond) {
    if (!bitsPerSecond) return std::nullopt;
    if (replyBytes <= 0) return 0.0;
    return MailBytes(static_cast<double>(replyBytes)) * 8 / *bitsPerSecond;
}

}  // namespace wavepost
