#include "VideoSource.h"

#include <QFile>

#include "WholeFile.h"

#ifndef REVORA_LECTURE_BASE_ADDRESS
#error "REVORA_LECTURE_BASE_ADDRESS is set by src/app/CMakeLists.txt from the cache variable of that name"
#endif

namespace revora {

std::optional<std::int16_t> ReadVideoSource(const QString& path)
{
    QFile file(path);
    // A few bytes are enough for any 16-bit number; a large file is not the preference.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64)
        return std::nullopt;
    bool ok = false;
    const short value = QString::fromLatin1(file.readAll()).trimmed().toShort(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

bool WriteVideoSource(const QString& path, std::int16_t source, QString* why)
{
    return WriteWholeFile(path, QByteArray::number(source) + '\n', why);
}

QString LectureBaseAddress() { return QStringLiteral(REVORA_LECTURE_BASE_ADDRESS); }

QUrl LectureAddress(const AppPaths& paths, std::optional<std::int16_t> source, const Lecture& lecture,
                    const QString& baseAddress)
{
    const QString name = QString::fromUtf8(lecture.fileName);
    if (source == PlayFromHardDisk)
        return QUrl::fromLocalFile(paths.LecturePath(name));
    if (source == StreamFromInternet) {
        // "https://host/lectures/" from a packager must not give a double slash.
        QString base = baseAddress;
        while (base.endsWith(u'/'))
            base.chop(1);
        return QUrl(base + u'/' + name);
    }
    return {};
}

} // namespace revora
