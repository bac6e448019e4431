#include "OdtParts.h"

#include <QDateTime>
#include <algorithm>
#include <array>

namespace revora::odt {
namespace {

quint32 Crc32(const QByteArray& data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data)
        crc = table[(crc ^ static_cast<quint8>(ch)) & 0xFFu] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void Put16(QByteArray& out, quint32 value)
{
    out.append(static_cast<char>(value & 0xFFu));
    out.append(static_cast<char>((value >> 8) & 0xFFu));
}

void Put32(QByteArray& out, quint32 value)
{
    Put16(out, value & 0xFFFFu);
    Put16(out, value >> 16);
}

} // namespace

StoredZip::StoredZip()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    dosTime_ = static_cast<quint32>((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2));
    dosDate_ = static_cast<quint32>(((std::max(d.year(), 1980) - 1980) << 9) | (d.month() << 5) | d.day());
}

void StoredZip::add(const QByteArray& name, const QByteArray& data)
{
    const quint32 offset = static_cast<quint32>(archive_.size());
    const quint32 crc = Crc32(data);
    const auto size = static_cast<quint32>(data.size());

    Put32(archive_, 0x04034B50u); // local file header
    putEntryFields(archive_, name, crc, size);
    Put16(archive_, 0); // extra field length
    archive_.append(name);
    archive_.append(data);

    Put32(directory_, 0x02014B50u); // central directory header
    Put16(directory_, 20);          // made by: version 2.0, MS-DOS attributes
    putEntryFields(directory_, name, crc, size);
    Put16(directory_, 0); // extra field length
    Put16(directory_, 0); // comment length
    Put16(directory_, 0); // disk number
    Put16(directory_, 0); // internal attributes
    Put32(directory_, 0); // external attributes
    Put32(directory_, offset);
    directory_.append(name);
    ++count_;
}

QByteArray StoredZip::finish() const
{
    QByteArray out = archive_ + directory_;
    Put32(out, 0x06054B50u); // end of central directory
    Put16(out, 0);           // this disk
    Put16(out, 0);           // disk with the directory
    Put16(out, count_);
    Put16(out, count_);
    Put32(out, static_cast<quint32>(directory_.size()));
    Put32(out, static_cast<quint32>(archive_.size()));
    Put16(out, 0); // comment length
    return out;
}

void StoredZip::putEntryFields(QByteArray& out, const QByteArray& name, quint32 crc, quint32 size) const
{
    Put16(out, 10); // version needed: 1.0, stored entries
    Put16(out, 0);  // flags
    Put16(out, 0);  // method: stored
    Put16(out, dosTime_);
    Put16(out, dosDate_);
    Put32(out, crc);
    Put32(out, size); // compressed size
    Put32(out, size);
    Put16(out, static_cast<quint32>(name.size()));
}

} // namespace revora::odt
