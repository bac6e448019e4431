#pragma once
// A file's whole content, for the tests that check a file kept its bytes.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace revora::testing {

// Empty when the file cannot be read, which no file a test compares is.
inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace revora::testing
