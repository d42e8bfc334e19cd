#include "file_paths.h"

#include <QDir>

namespace zentil {
namespace {

constexpr char16_t kEscapeBase = 0xDC80;

bool continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 character at the start of `s`, or 0.
std::size_t characterLength(std::string_view s) {
    const auto at = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = at(0);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;  // no encoded surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < n || at(1) < low || at(1) > high) return 0;
    for (std::size_t i = 2; i < n; ++i)
        if (!continuation(at(i))) return 0;
    return n;
}

}  // namespace

QString pathFromBytes(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    while (!bytes.empty()) {
        const std::size_t n = characterLength(bytes);
        if (n == 0) {
            text.append(QChar(
                static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[0]) - 0x80)));
            bytes.remove_prefix(1);
        } else {
            text.append(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(n)));
            bytes.remove_prefix(n);
        }
    }
    return text;
}

std::string pathToBytes(const QString& path) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(path.size()));
    qsizetype start = 0;  // the first character not yet written
    const auto flush = [&](qsizetype end) {
        if (end > start) bytes += path.mid(start, end - start).toUtf8().toStdString();
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t c = path[i].unicode();
        const bool escaped = c >= kEscapeBase && c <= kEscapeBase + 0x7F;
        if (!escaped) continue;
        flush(i);
        bytes += static_cast<char>(c - kEscapeBase + 0x80);
        start = i + 1;
    }
    flush(path.size());
    return bytes;
}

QString pathFromUrl(const QUrl& url) {
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    const QByteArray raw = QByteArray::fromPercentEncoding(encoded);
    return pathFromBytes(std::string_view(raw.constData(), static_cast<std::size_t>(raw.size())));
}

QString dialogFolder(std::string_view stored, std::string_view startFolder) {
    const QString folder = pathFromBytes(stored);
    const bool onlySeparators =
        folder.count(QLatin1Char('/')) + folder.count(QLatin1Char('\\')) == folder.size();
    if (!onlySeparators && QDir(folder).exists()) return folder;
    const QString start = pathFromBytes(startFolder);
    return !start.isEmpty() && QDir(start).exists() ? start : QDir::currentPath();
}

std::string shownPath(const QString& path) {
    QString text = QDir::toNativeSeparators(path);
    for (QChar& c : text)
        if (c.unicode() >= kEscapeBase && c.unicode() <= kEscapeBase + 0x7F)
            c = QChar::ReplacementCharacter;
    return text.toStdString();
}

}  // namespace zentil
