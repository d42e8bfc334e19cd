// File names as the file system's bytes inside QStrings. On this platform a
// name is any bytes; Qt turns bytes that are not UTF-8 into U+FFFD
// (QFile::decodeName included), and the file can then not be opened. Here
// every such byte b becomes the lone surrogate U+DC00 + b, which no UTF-8
// text holds, so that the name comes back byte for byte.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <string>

namespace zentil {

QString pathFromBytes(QByteArrayView bytes);
// The bytes a path of pathFromBytes came from; other text as UTF-8.
std::string pathToBytes(const QString& path);

}  // namespace zentil
