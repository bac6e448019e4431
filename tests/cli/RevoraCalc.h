#pragma once
// revora-calc run as a user runs it: a separate process, offscreen, over a data folder of its
// own that each test starts empty.

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

namespace revora {

struct CalcRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CalcRun RevoraCalc(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(REVORA_CALC), arguments);
    CalcRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class RevoraCalcTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dataDir.isValid()); }

    QString DataDirArg() const { return "--data-dir=" + dataDir.path(); }
    QStringList FilesInDataDir() const { return QDir(dataDir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

    QTemporaryDir dataDir;
};

} // namespace revora
