#pragma once

#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace quilby {

// UTF-8 text of the core to QString and back.
inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string toUtf8(const QString& text) {
    return text.toStdString();
}

// File names travel through the core as the bytes the file system uses.
inline std::string toLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
inline QString fromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace quilby
