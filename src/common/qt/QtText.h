#pragma once

#include <QCoreApplication>
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

// A core text marked with QUILBY_TEXT(context, text), translated in that
// context; without a translation it is the text itself.
inline QString trCore(const char* context, std::string_view text) {
    const std::string source(text);
    return QCoreApplication::translate(context, source.c_str());
}

// File names travel through the core as the bytes the file system uses.
inline std::string toLocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
inline QString fromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace quilby
