// SPDX-License-Identifier: GPL-3.0-or-later
// The size of the GRIB file an order brings back and its time on the telecom link, from
// plain numbers. The model and the measurements behind its constants: docs/reply-size.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wavepost {

enum class GribEdition { One, Two };
// As the order's C line asks for it.
enum class ReplyCompression { None, Zip, Gzip, Bzip2 };

// How the weather service packs its replies: simple packing of every field at a fixed
// number of bits, GRIB edition 1.
inline constexpr int kServiceBitsPerValue = 12;
inline constexpr GribEdition kServiceEdition = GribEdition::One;

struct ReplyShape {
    std::int64_t points = 0;  // grid points of one field
    std::int64_t fields = 0;  // GRIB messages: one per field and step
    int bitsPerValue = kServiceBitsPerValue;
    GribEdition edition = kServiceEdition;
    ReplyCompression compression = ReplyCompression::None;
};

// The compression the order asks for from the compression button: 0 none, 1 zip, 2 gzip,
// any other (no button included) bzip2, as the C line of the order says.
ReplyCompression ReplyCompressionOf(std::int32_t button);

// The estimated size of the reply file in bytes; 0 when it holds no value.
std::int64_t ReplyBytes(const ReplyShape& shape);

// The link's rate in bit/s from its catalogue cell: a plain positive number (quotes and
// surrounding blanks allowed), or none. A description, an empty cell or 0 gives none, so
// that catalogues from before the rate column keep working without a time.
std::optional<double> LinkRate(const std::string& cell);

// Seconds to receive a reply of that size as a mail attachment at that rate (base64 and
// the mail's headers included); 0 when there is no reply, none when there is no rate.
std::optional<double> TransferSeconds(std::int64_t replyBytes, std::optional<double> bitsPerSecond);

}  // namespace wavepost
