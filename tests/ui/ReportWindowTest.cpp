// The report window as a clerk works it: where it opens, its keys, and what export tells.

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "ReportWindow.h"
#include "ui/UiTest.h"
#include "ui/ScreenTestSupport.h"

using namespace revora;

namespace {
const QString Html = QStringLiteral("<h1>Revora 2016</h1><p>Total tax R 131 583.00</p>");
}

class ReportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void itOpensInsideTheScreenCentredOnTheMainWindow_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::newRow("a main window in the middle") << QRect(100, 80, 600, 400);
        QTest::newRow("a main window against the bottom right") << QRect(500, 400, 700, 500);
        QTest::newRow("a main window larger than the screen") << QRect(0, 0, 3000, 2000);
    }
    void itOpensInsideTheScreenCentredOnTheMainWindow()
    {
        QFETCH(QRect, main);
        QMainWindow owner;
        owner.setGeometry(main);
        owner.show();
        auto* report = new ReportWindow(Html, "QuickTax", &owner);
        report->placeOver(&owner);
        report->show();
        const QRect area = owner.screen()->availableGeometry();
        QVERIFY2(area.contains(report->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                        .arg(report->x())
                                                                        .arg(report->y())
                                                                        .arg(report->width())
                                                                        .arg(report->height())));
        // Centred on the main window wherever the screen leaves room for that.
        const QRect centred = QRect(QPoint(), report->frameGeometry().size()).translated(
            owner.frameGeometry().center() - QRect(QPoint(), report->frameGeometry().size()).center());
        if (area.contains(centred))
            QVERIFY((report->frameGeometry().center() - owner.frameGeometry().center()).manhattanLength() <= 2);
        report->close();
    }

    void escapeClosesIt()
    {
        QPointer<ReportWindow> report = new ReportWindow(Html, "QuickTax");
        report->show();
        QVERIFY(QTest::qWaitForWindowActive(report));
        QTest::keyClick(report->focusWidget() ? report->focusWidget() : report.data(), Qt::Key_Escape);
        QTRY_VERIFY(!report);
    }

    void everyToolbarActionHasAKeyShownInItsTooltipAndTakesTheTabKey()
    {
        ReportWindow report(Html, "QuickTax");
        auto* toolbar = report.findChild<QToolBar*>();
        QStringList keys;
        for (QAction* action : toolbar->actions()) {
            if (action->isSeparator())
                continue;
            QVERIFY2(!action->shortcut().isEmpty(), qPrintable(action->text()));
            QVERIFY2(action->toolTip().contains(action->shortcut().toString(QKeySequence::NativeText)),
                     qPrintable(action->toolTip()));
            QVERIFY(toolbar->widgetForAction(action)->focusPolicy() & Qt::TabFocus);
            keys << action->shortcut().toString();
        }
        QVERIFY(keys.contains("Ctrl+E"));
        QVERIFY(keys.contains("Ctrl+P"));
        QVERIFY(keys.contains("Esc"));
    }

    void exportSaysWhereItWrote()
    {
        QTemporaryDir folder;
        ReportWindow report(Html, "QuickTax");
        const QString file = folder.filePath("tax.html");
        QVERIFY(report.exportTo(file));
        QCOMPARE(report.findChild<QStatusBar*>()->currentMessage(), "Saved report to " + QDir::toNativeSeparators(file));
        // The next export is offered in the same folder.
        QCOMPARE(QFileInfo(report.suggestedExportPath()).absolutePath(), folder.path());
    }

    void anExportIsOfferedUnderTheReportsNameAndTheDay_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("the layout's title")
            << "<title>Full use of Company Car</title>" + Html << "Full use of Company Car - To export printout click on the suitcase button or goto Help"
            << "Full use of Company Car 2016-12-09";
        QTest::newRow("a layout titled with the program's name")
            << "<title>Revora 2016</title>" + Html << "Monthly - To export printout click on the suitcase button or goto Help"
            << "Monthly 2016-12-09";
        QTest::newRow("characters no file name holds") << Html << "Loan/Bond: 20*30?" << "Loan Bond 20 30 2016-12-09";
    }
    void anExportIsOfferedUnderTheReportsNameAndTheDay()
    {
        QFETCH(QString, html);
        QFETCH(QString, title);
        QFETCH(QString, name);
        ReportWindow report(html, title);
        const QString today = QDate::currentDate().toString("yyyy-MM-dd");
        QCOMPARE(QFileInfo(report.suggestedExportPath()).fileName(), QString(name).replace("2016-12-09", today) + ".pdf");
    }

    void thePreviewShowsThePagesTheExportMakes()
    {
        // Lines that fill a page between narrow margins run onto a second between the export's.
        QString html;
        for (int i = 0; i < 63; ++i)
            html += QStringLiteral("<p style=\"margin: 0\">Line %1</p>").arg(i);
        QTemporaryDir folder;
        ReportWindow report(html, "QuickTax");
        QVERIFY(report.exportTo(folder.filePath("lines.pdf")));
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {folder.filePath("lines.pdf")});
        QVERIFY(pdfinfo.waitForFinished());
        auto* preview = report.findChild<QPrintPreviewWidget*>();
        preview->updatePreview();
        QVERIFY(QString(pdfinfo.readAllStandardOutput()).contains(QRegularExpression(
            QStringLiteral("Pages:\\s+%1\\n").arg(preview->pageCount()))));
    }

    void exportToAMissingFolderSaysSo()
    {
        QTemporaryDir folder;
        ReportWindow report(Html, "QuickTax");
        revora::testing::MessageBoxWatcher watcher;
        QVERIFY(!report.exportTo(folder.filePath("no such folder/tax.pdf")));
        QCOMPARE(watcher.texts().size(), 1);
        QVERIFY2(watcher.texts()[0].contains("does not exist"), qPrintable(watcher.texts()[0]));
        QVERIFY(report.findChild<QStatusBar*>()->currentMessage().isEmpty());
    }

    void theExportDialogOpensInDocumentsOrElseHome()
    {
        QTemporaryDir home;
        const QByteArray saved = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const QString withoutDocuments = ExportFolder();
        QDir(home.path()).mkdir("Documents");
        const QString withDocuments = ExportFolder();
        qputenv("HOME", saved);
        QCOMPARE(withoutDocuments, home.path());
        QCOMPARE(withDocuments, home.filePath("Documents"));
    }
};

REVORA_UI_TEST(ReportWindowTest)
#include "ReportWindowTest.moc"
