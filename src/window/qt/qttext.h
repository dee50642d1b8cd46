// Text between the program's std::strings and Qt's QStrings.
#pragma once

#include <string>
#include <string_view>

#include <QFile>
#include <QObject>
#include <QString>

namespace ordalis {

// The form's own texts, which are ASCII or Latin-1.
inline QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The form name of a control, which is its object name.
inline std::string Name(const QObject* object) { return object->objectName().toStdString(); }

// A file name in the file system's own bytes, and back.
inline QString FromNative(const std::string& path) { return QFile::decodeName(path.c_str()); }
inline std::string ToNative(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace ordalis
