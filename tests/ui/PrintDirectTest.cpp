// Direct printing through a real CUPS: the cups-pdf printer "PDF" is the default printer and
// writes every job it receives as a PDF file into ~/PDF.

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "MainWindow.h"
#include "ui/UiTest.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ui/ScreenTestSupport.h"
#include "StartupSettings.h"
#include "tax/QuickTaxScreen.h"

using namespace revora;

namespace {

QString PrintedFolder() { return QDir::homePath() + "/PDF"; }

QSet<QString> PrintedFiles()
{
    const QStringList names = QDir(PrintedFolder()).entryList({"*.pdf"}, QDir::Files);
    return {names.begin(), names.end()};
}

// cups-pdf writes the file some moments after the job is queued.
QString WaitForNewPdf(const QSet<QString>& before)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        for (const QString& name : PrintedFiles())
            if (!before.contains(name)) {
                const QString path = PrintedFolder() + '/' + name;
                QTest::qWait(500); // let the writer finish the file
                return path;
            }
        QTest::qWait(200);
    }
    return {};
}

// The printer's PDF passes through PostScript, which keeps the page but not the text's
// character codes; the page count and the job's name are what can be read back.
QString PdfInfo(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {path});
    pdfinfo.waitForFinished(30000);
    return QString::fromUtf8(pdfinfo.readAllStandardOutput());
}

void VerifyOnePagePrint(const QString& printed, const QString& jobName)
{
    QVERIFY2(!printed.isEmpty(), "no PDF arrived in ~/PDF");
    QVERIFY2(QFileInfo(printed).fileName().contains(jobName), qPrintable(printed));
    QVERIFY(PdfInfo(printed).contains(QRegularExpression("Pages:\\s+1\\n")));
}

QString CalcProgram() { return qEnvironmentVariable("REVORA_CALC"); }

} // namespace

class PrintDirectTest : public QObject {
    Q_OBJECT

private slots:
    void revoraCalcPrintsToTheDefaultPrinter()
    {
        QTemporaryDir folder;
        const QSet<QString> before = PrintedFiles();
        QProcess calc;
        calc.start(CalcProgram(), {"quicktax", "--income", "500000", "--age", "65", "--print", "--data-dir", folder.path()});
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 0);
        const QString printed = WaitForNewPdf(before);
        VerifyOnePagePrint(printed, "QuickTax");
    }

    void aPayslipPrintsOnOnePage()
    {
        QTemporaryDir folder;
        const QSet<QString> before = PrintedFiles();
        QProcess calc;
        calc.start(CalcProgram(), {"monthly", "--salary", "25000", "--employee", "Thandi Nkosi", "--language", "af",
                                   "--print", "--data-dir", folder.path()});
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 0);
        VerifyOnePagePrint(WaitForNewPdf(before), "Monthly");
    }

    void theScreensDirectPrintButtonPrintsWithoutAReportWindow()
    {
        QTemporaryDir folder;
        revora::testing::SkipAboutAtStart(folder.path());
        MainWindow main(folder.path(), revora::testing::TestInstallFolder());
        main.start();
        main.state().ReportWindowTitle = "title of the last report shown";
        revora::testing::MenuAction(main, "QuickTax")->trigger();
        auto* screen = qobject_cast<QuickTaxScreen*>(main.findScreen("frmKwikTax")->widget());
        screen->box(0)->selectAll();
        QTest::keyClicks(screen->box(0), "750000");
        screen->calculate();

        const QSet<QString> before = PrintedFiles();
        QTest::mouseClick(screen->findChild<QPushButton*>("cmPrint"), Qt::LeftButton);
        QTest::mouseClick(screen->printPanel()->directButton(), Qt::LeftButton);
        QVERIFY(!screen->printPanel()->isVisible());
        QCOMPARE(main.state().ReportWindowTitle, QString("title of the last report shown"));
        const QString printed = WaitForNewPdf(before);
        VerifyOnePagePrint(printed, "QuickTax");
    }
};

REVORA_UI_TEST(PrintDirectTest)
#include "PrintDirectTest.moc"
