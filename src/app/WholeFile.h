#pragma once
// Files replaced whole or not at all. The bytes go to a temporary file beside the file, which
// takes the file's place only once every byte has reached it: a full disk, a file-size limit
// or a failing device leaves the file that was there as it was, and no part-written file.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace revora {

class WholeFileWriter {
public:
    explicit WholeFileWriter(const QString& path);

    // Writes every byte and flushes them to the file: a write the system cuts short is tried
    // again from where it stopped until the system refuses. On a refusal the temporary file is
    // dropped and false returned, the reason in error().
    bool write(const QByteArray& bytes);
    // Puts the written file in the place of the old one; false, the reason in error(), when the
    // file cannot be opened, was not written whole or cannot take the old one's place.
    bool commit();
    const QString& error() const { return error_; }

private:
    bool fail(const QString& reason);

    QSaveFile file_;
    QString error_;
};

// One file written whole: true when it was; else false, and `why` (when given) says why.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* why = nullptr);

} // namespace revora
