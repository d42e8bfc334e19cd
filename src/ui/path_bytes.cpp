#include "path_bytes.h"

#include "system/utf8.h"

namespace zentil {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

QString pathFromBytes(QByteArrayView bytes) {
    QString path;
    path.reserve(bytes.size());
    std::string_view rest(bytes.data(), static_cast<std::size_t>(bytes.size()));
    while (!rest.empty()) {
        const std::size_t length = utf8SequenceLength(rest);
        if (length == 0) {
            path += QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(rest[0])));
            rest.remove_prefix(1);
        } else {
            path += QString::fromUtf8(rest.data(), static_cast<qsizetype>(length));
            rest.remove_prefix(length);
        }
    }
    return path;
}

std::string pathToBytes(const QString& path) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(path.size()));
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        const char16_t next = i + 1 < path.size() ? path[i + 1].unicode() : 0;
        if (QChar::isHighSurrogate(c) && QChar::isLowSurrogate(next)) {
            appendUtf8(bytes, QChar::surrogateToUcs4(c, next));
            ++i;
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            bytes += static_cast<char>(c - kEscapeBase);
        } else if (QChar::isSurrogate(c)) {
            appendUtf8(bytes, 0xFFFD);  // no byte stands for it
        } else {
            appendUtf8(bytes, c);
        }
    }
    return bytes;
}

}  // namespace zentil
