// The quick tax screen as the user drives it: typing, recalculation on activation, the
// print panel and its failures.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include "shell/MainWindow.h"
#include "shell/NumberBox.h"
#include "shell/PrintPanel.h"
#include "shell/ReportDatabase.h"
#include "shell/ReportWindow.h"
#include "shell/ScreenTestSupport.h"
#include "shell/StartupSettings.h"
#include "tax/QuickTaxScreen.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;

namespace {

// A stand-in for another tax screen: it passes an income to the engine as they all do.
class OtherScreen : public CalculatorWindow {
public:
    using CalculatorWindow::CalculatorWindow;
    void calculate() override {}
    void printReport() override {}
};

QList<QWidget*> ReportWindows()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ReportWindow" && w->isVisible())
            found << w;
    return found;
}

} // namespace

class QuickTaxScreenTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<MainWindow> main_;
    QuickTaxScreen* screen_ = nullptr;

    QuickTaxScreen* openQuickTax()
    {
        revora::testing::MenuAction(*main_, "QuickTax")->trigger();
        QMdiSubWindow* sub = main_->findScreen("frmKwikTax");
        return sub ? qobject_cast<QuickTaxScreen*>(sub->widget()) : nullptr;
    }
    QString shown(int i) const { return screen_->box(i)->text(); }
    QPushButton* button(const char* name) const { return screen_->findChild<QPushButton*>(name); }
    void type(int box, const QString& text)
    {
        screen_->box(box)->selectAll();
        QTest::keyClicks(screen_->box(box), text);
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        main_ = std::make_unique<MainWindow>(folder_->path(), revora::testing::TestInstallFolder());
        // The About window is not what these tests look at.
        revora::testing::SkipAboutAtStart(folder_->path());
        main_->start();
        screen_ = openQuickTax();
        QVERIFY(screen_);
    }
    void cleanup()
    {
        for (QWidget* w : ReportWindows())
            w->close();
        main_.reset();
        folder_.reset();
    }

    void typingStoresAtOnceAndCalculateShowsTheBreakdown()
    {
        type(0, "500000");
        type(1, "40");
        QCOMPARE(main_->state().TaxBracketResult.TaxableIncome, 500000.0);
        QCOMPARE(main_->state().QuickTax.IncomeCopy, 500000.0);
        QCOMPARE(main_->state().QuickTax.Age, std::int16_t(40));
        QCOMPARE(shown(7), QString("0.00")); // outputs wait for "&Calculate"

        QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
        QCOMPARE(shown(0), QString("500 000.00"));
        QCOMPARE(shown(2), QString("93 135.00"));
        QCOMPARE(shown(3), QString("36.00"));
        QCOMPARE(shown(4), QString("38 448.00"));
        QCOMPARE(shown(5), QString("131 583.00"));
        QCOMPARE(shown(6), QString("13 257.00"));
        QCOMPARE(shown(7), QString("118 326.00"));
        QCOMPARE(shown(8), QString("26.32"));
        QCOMPARE(shown(9), QString("23.67"));
    }

    void boxTextReadsAsItsLeadingNumber()
    {
        type(0, "12abc");
        QCOMPARE(main_->state().TaxBracketResult.TaxableIncome, 12.0);
        type(0, "abc");
        QCOMPARE(main_->state().TaxBracketResult.TaxableIncome, 0.0);
    }

    void ageIsRoundedHalfToEven()
    {
        type(1, "64.5");
        QCOMPARE(main_->state().QuickTax.Age, std::int16_t(64));
        type(1, "65.5");
        QCOMPARE(main_->state().QuickTax.Age, std::int16_t(66));
        screen_->calculate();
        QCOMPARE(shown(6), QString("20 664.00"));
    }

    void anAgeBeyondSixteenBitsIsRefusedAndTheOldAgeKept()
    {
        type(1, "32767");
        QTest::keyClicks(screen_->box(1), "9");
        QCOMPARE(main_->state().QuickTax.Age, std::int16_t(32767));
        QCOMPARE(shown(1), QString("32767"));
    }

    void anAbsurdAmountIsRefused()
    {
        type(0, "5");
        QTest::keyClicks(screen_->box(0), QString(30, '9'));
        screen_->calculate();
        QVERIFY(std::isfinite(main_->state().QuickTax.TaxCommitment));
        QVERIFY(!shown(7).contains("inf") && !shown(7).contains("nan"));
    }

    void becomingActiveShowsTheIncomeAnotherScreenPassed()
    {
        main_->openScreen("frmMonthly", [this] { return new OtherScreen(main_->state()); });
        main_->state().TaxBracketResult.TaxableIncome = 200000; // as the monthly screen would
        main_->mdiArea()->setActiveSubWindow(main_->findScreen("frmKwikTax"));
        QCOMPARE(shown(0), QString("200 000.00"));
        QCOMPARE(shown(5), QString("37 448.00"));
    }

    void printPanelShowsAndCancels()
    {
        PrintPanel* frame1 = screen_->printPanel();
        QCOMPARE(frame1->objectName(), QString("Frame1"));
        QVERIFY(!frame1->isVisible());
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        QVERIFY(frame1->isVisible());
        QCOMPARE(frame1->viewButton()->text(), QString("&View/Export report"));
        QCOMPARE(frame1->directButton()->text(), QString("P&rint directly to printer"));
        QTest::mouseClick(frame1->cancelButton(), Qt::LeftButton);
        QVERIFY(!frame1->isVisible());
        QVERIFY(ReportWindows().isEmpty());
    }

    void viewReportWritesTheRowAndOpensTheReportWindow()
    {
        type(0, "500000");
        type(1, "40");
        screen_->calculate();
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(!screen_->printPanel()->isVisible());
        QCOMPARE(main_->state().PrintDirect, std::int16_t(0));

        const QList<QWidget*> windows = ReportWindows();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows[0]->windowTitle(),
                 QString("QuickTax - To export printout click on the suitcase button or goto Help"));
        const QString html = static_cast<ReportWindow*>(windows[0])->html();
        QVERIFY(html.contains("118 326.00"));
        QVERIFY(html.contains("9 860.50")); // the commitment per month

        const QList<QSqlRecord> rows = ReadReportTable(main_->state().Paths, "kwiktax");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value("TAXCOM4").toDouble(), 118326.0);
        QCOMPARE(rows[0].value("AGE").toInt(), 40);

        const QString exported = folder_->filePath("exported.odt");
        QVERIFY(static_cast<ReportWindow*>(windows[0])->exportTo(exported));
        QVERIFY(QFileInfo(exported).size() > 0);
    }

    void aDamagedReportDatabaseIsNamedAndLeftAsItIs()
    {
        const QString db = main_->state().Paths.ReportDbPath;
        {
            QFile file(db);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        const QByteArray before = revora::testing::ReadAll(db);
        MessageBoxWatcher watcher;
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QTRY_COMPARE(watcher.texts().size(), 1);
        QVERIFY(watcher.texts()[0].contains("Crysprin.db"));
        QCOMPARE(revora::testing::ReadAll(db), before);
        QVERIFY(ReportWindows().isEmpty());
    }

    void aMissingPrinterIsToldAndNothingElseChanges()
    {
        type(0, "250000");
        screen_->calculate();
        main_->state().PrinterName = "NoSuchPrinter";
        MessageBoxWatcher watcher;
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        QTest::mouseClick(screen_->printPanel()->directButton(), Qt::LeftButton);
        QTRY_COMPARE(watcher.texts().size(), 1);
        QVERIFY(watcher.texts()[0].contains("printer"));
        QCOMPARE(main_->state().PrintDirect, std::int16_t(1));
        QVERIFY(ReportWindows().isEmpty());
        QCOMPARE(shown(0), QString("250 000.00"));
    }

    void okClosesTheScreenButItsValuesLiveOn()
    {
        type(0, "321000");
        type(1, "70");
        QTest::mouseClick(button("cmdOk"), Qt::LeftButton);
        QTRY_VERIFY(!main_->findScreen("frmKwikTax"));
        screen_ = openQuickTax();
        QCOMPARE(shown(0), QString("321 000.00"));
        QCOMPARE(shown(1), QString("70"));
    }
};

QTEST_MAIN(QuickTaxScreenTest)
#include "QuickTaxScreenTest.moc"
