#include "WholeFile.h"

namespace revora {

WholeFileWriter::WholeFileWriter(const QString& path) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly))
        fail(file_.errorString());
}

bool WholeFileWriter::fail(const QString& reason)
{
    if (error_.isEmpty())
        error_ = reason.isEmpty() ? QStringLiteral("the file could not be written") : reason;
    if (file_.isOpen())
        file_.cancelWriting();
    return false;
}

bool WholeFileWriter::write(const QByteArray& bytes)
{
    if (!error_.isEmpty())
        return false;
    // A write that reaches the end of the disk or of the file-size limit writes what it can and
    // says nothing; only the next one, refused, gives the reason.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file_.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail(file_.errorString());
        done += written;
    }
    // Written bytes may still wait in the file's buffer, whose failure the commit would not see.
    if (!file_.flush())
        return fail(file_.errorString());
    return true;
}

bool WholeFileWriter::commit()
{
    if (!error_.isEmpty())
        return false;
    if (!file_.commit())
        return fail(file_.errorString());
    return true;
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* why)
{
    WholeFileWriter file(path);
    if (file.write(bytes) && file.commit())
        return true;
    if (why)
        *why = file.error();
    return false;
}

} // namespace revora
