#pragma once
// revora-calc run as a user runs it: a separate process, offscreen, over a data folder of its
// own that each test starts empty; and what every calculator's tests check of a run: its JSON
// figures, its refusals and its PDF report.

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

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

// The one JSON object of a run, or an empty one with a failure recorded.
inline QJsonObject JsonOf(const CalcRun& run)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(document.isObject());
    return document.object();
}

struct Expected {
    const char* key;
    double value;
};

// The object holds exactly `keys`, unless none are given, and each expected figure.
inline void ExpectFigures(const QJsonObject& object, const QStringList& keys, const std::vector<Expected>& figures)
{
    if (!keys.isEmpty()) {
        const QStringList printed = object.keys();
        EXPECT_EQ(QSet<QString>(printed.begin(), printed.end()), QSet<QString>(keys.begin(), keys.end()))
            << printed.join(", ").toStdString();
    }
    for (const Expected& figure : figures) {
        SCOPED_TRACE(figure.key);
        ASSERT_TRUE(object.value(figure.key).isDouble());
        EXPECT_NEAR(object.value(figure.key).toDouble(), figure.value, 1e-9);
    }
}

// A command line refused with one line of complaint.
struct RefusalCase {
    const char* name;
    QStringList arguments;
    const char* line; // the whole complaint after "revora-calc: "
};

// The text of a PDF, as pdftotext reads it.
inline QString PdfText(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {pdf, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30000));
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

class RevoraCalcTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dataDir.isValid()); }

    QString DataDirArg() const { return "--data-dir=" + dataDir.path(); }
    QStringList FilesInDataDir() const { return QDir(dataDir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

    // The case's command line, asked for a report beside the databases, exits with 2 and its
    // one line, and writes nothing.
    void ExpectRefused(const RefusalCase& c) const
    {
        const QString report = QDir(dataDir.path()).filePath("F.pdf");
        const CalcRun run = RevoraCalc(QStringList(c.arguments) << "--report" << report << DataDirArg());
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(run.err, QString("revora-calc: ") + QString::fromUtf8(c.line) + '\n');
        EXPECT_TRUE(FilesInDataDir().isEmpty()) << FilesInDataDir().join(", ").toStdString();
    }

    QTemporaryDir dataDir;
};

} // namespace revora
