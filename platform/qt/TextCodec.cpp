#include "platform/qt/TextCodec.h"

#include "base/TextEncoding.h"

namespace platform::qt {

// One rule with the orders: a stray Windows-1252 byte in an otherwise UTF-8 text shows as
// its own character and leaves the rest of the text as it is.
QString Decode(const std::string& bytes) {
    const std::string text = wavepost::ToUtf8(bytes);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Encode(const QString& text) {
    return text.toStdString();
}

}  // namespace platform::qt
