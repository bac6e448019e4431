#pragma once
// Reads an .odt back with a real OpenDocument reader, Debian's python3-odf run by the system
// python (the python first on PATH may not see Debian's packages), through OdtOutline.py.

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>
#include <QStringList>

namespace revora::testing {

// The file's outline, one "kind<TAB>value" line per table, row, cell, paragraph and text
// line in order (see OdtOutline.py); empty when it cannot be read, with the reason reported.
inline QStringList ReadOdtOutline(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(REVORA_ODT_OUTLINE_SCRIPT), path});
    if (!python.waitForFinished() || python.exitCode() != 0) {
        ADD_FAILURE() << "the OpenDocument reader could not read " << path.toStdString() << ": "
                      << python.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace revora::testing
