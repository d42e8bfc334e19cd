// Paths between the file system, which names files by bytes, and Qt, which
// names them by text. A name that is not UTF-8 keeps its bytes: each byte
// that is no part of a UTF-8 character stands for itself as the character
// U+DC80 + byte (a lone surrogate, which no UTF-8 name can hold), so a path
// goes from bytes to text and back unchanged.
#pragma once

#include <QString>
#include <QUrl>
#include <string>
#include <string_view>

namespace zentil {

QString pathFromBytes(std::string_view bytes);
std::string pathToBytes(const QString& path);
// The path of a local file URL (as a drop brings it), from its encoded bytes.
QString pathFromUrl(const QUrl& url);
// The folder a file dialog opens in: the stored folder while it exists and
// is more than separators (the settings' default is a bare separator), else
// the folder the editor started from.
QString dialogFolder(std::string_view stored, std::string_view startFolder);
// A path as a message shows it: the platform's separators, and any byte
// that is not UTF-8 as the replacement character.
std::string shownPath(const QString& path);

}  // namespace zentil
