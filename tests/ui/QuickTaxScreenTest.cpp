// The quick tax screen as the user drives it: typing, recalculation on activation, the
// print panel and its failures.

#include <QCheckBox>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include "MainWindow.h"
#include "ui/UiTest.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ReportWindow.h"
#include "ui/ScreenTestSupport.h"
#include "StartupSettings.h"
#include "tax/QuickTaxScreen.h"
#include "WorkingSection.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;

namespace {

QList<QWidget*> ReportWindows()
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ReportWindow" && w->isVisible())
            found << w;
    return found;
}

} // namespace

class QuickTaxScreenTest : public QObject, revora::testing::MainWindowFixture {
    Q_OBJECT

    QuickTaxScreen* screen_ = nullptr;

    QuickTaxScreen* openQuickTax() { return openFromMenu<QuickTaxScreen>("QuickTax", "frmKwikTax"); }
    QString shown(int i) const { return screen_->box(i)->text(); }
    QPushButton* button(const char* name) const { return screen_->findChild<QPushButton*>(name); }
    void type(int box, const QString& text)
    {
        screen_->box(box)->selectAll();
        QTest::keyClicks(screen_->box(box), text);
    }
    // "&Print", then a choice on the print panel.
    void printFromThePanel(QPushButton* choice)
    {
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        QTest::mouseClick(choice, Qt::LeftButton);
    }
    QLabel* caption(const QString& text) const
    {
        for (QLabel* label : screen_->findChildren<QLabel*>())
            if (label->text() == text)
                return label;
        return nullptr;
    }
    void focusBox(int box)
    {
        screen_->box(box)->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(screen_->box(box)->hasFocus());
    }

private slots:
    void init()
    {
        startMain();
        screen_ = openQuickTax();
        QVERIFY(screen_);
    }
    void cleanup() { stopMain(); }

    void typingStoresAtOnceAndCalculateShowsTheBreakdown()
    {
        type(0, "500000");
        type(1, "40");
        QCOMPARE(main_->state().Tax.TaxBracketResult.TaxableIncome, 500000.0);
        QCOMPARE(main_->state().Tax.QuickTax.IncomeCopy, 500000.0);
        QCOMPARE(main_->state().Tax.QuickTax.Age, std::int16_t(40));
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

    void aFreshScreenIsTypedOverFromTheFirstKey()
    {
        // The screen opens with the focus in "Taxable Income", whose "0.00" the first key replaces.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(screen_->box(0)));
        QTest::keyClicks(QApplication::focusWidget(), "500000");
        QCOMPARE(shown(0), QString("500000"));
        QCOMPARE(main_->state().Tax.TaxBracketResult.TaxableIncome, 500000.0);
        // Tab to "Age" selects it too.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "65");
        QCOMPARE(shown(1), QString("65"));
    }

    void enterAndKeypadEnterCalculate()
    {
        focusBox(0);
        QTest::keyClicks(screen_->box(0), "500000");
        QTest::keyClick(screen_->box(0), Qt::Key_Return);
        QCOMPARE(shown(7), QString("118 326.00"));
        // The new figure is selected, so the next income replaces it.
        QTest::keyClicks(screen_->box(0), "50000");
        QTest::keyClick(screen_->box(0), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown(5), QString("9 000.00"));
        QCOMPARE(shown(7), QString("0.00"));
    }

    void altCIsCalculateHereWhileTheMenusStayReachable()
    {
        focusBox(0);
        QTest::keyClicks(screen_->box(0), "500000");
        QTest::keyClick(screen_->box(0), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(shown(7), QString("118 326.00"));
        QVERIFY(!QApplication::activePopupWidget()); // "&Car Calculations" did not open

        // A letter no control here claims still opens its menu; F10 opens the first one.
        QTest::keyClick(screen_->box(0), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QString("mnuTaxCalc"));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        focusBox(0);
        QTest::keyClick(screen_->box(0), Qt::Key_F10);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QString("mnuFile"));
        QApplication::activePopupWidget()->close();
    }

    void altVAndAltRChooseOnThePrintPanel()
    {
        focusBox(0);
        QTest::keyClick(screen_->box(0), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(screen_->printPanel()->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::AltModifier);
        QTRY_COMPARE(ReportWindows().size(), 1);
        QVERIFY(!QApplication::activePopupWidget()); // not "A&vanta"
        QVERIFY(!screen_->printPanel()->isVisible());
    }

    void escapeClosesThePrintPanel()
    {
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        QVERIFY(screen_->printPanel()->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!screen_->printPanel()->isVisible());
        QVERIFY(ReportWindows().isEmpty());
    }

    void aPrintoutHoldsTheFiguresOfTheIncomeOnTheScreen()
    {
        type(0, "500000");
        screen_->calculate();
        type(0, "300000"); // changed, but "&Calculate" not pressed
        printFromThePanel(screen_->printPanel()->viewButton());
        const QList<QSqlRecord> rows = ReadReportTable(main_->state().Paths, "kwiktax");
        QCOMPARE(rows[0].value("TAXINCOME").toDouble(), 300000.0);
        QCOMPARE(rows[0].value("TAXTOPAY").toDouble(), 59314.0);
        QCOMPARE(rows[0].value("TOTTAX").toDouble(), 64243.0);
        QCOMPARE(shown(5), QString("64 243.00")); // the screen shows what was printed
    }

    void aPrintoutAfterInitialiseAllIsConsistent()
    {
        type(0, "500000");
        screen_->calculate();
        revora::testing::MenuAction(*main_, "mnuNew")->trigger();
        printFromThePanel(screen_->printPanel()->viewButton());
        const QList<QSqlRecord> rows = ReadReportTable(main_->state().Paths, "kwiktax");
        QCOMPARE(rows[0].value("TAXTOPAY").toDouble(), 93135.0);
        QCOMPARE(rows[0].value("MARGRATE").toDouble(), 36.0);
        QCOMPARE(rows[0].value("TOTTAX").toDouble(), 131583.0);
    }

    void thePrintPanelLiesOnTopWithoutSqueezingTheBoxes()
    {
        const QSize boxBefore = screen_->box(0)->size();
        QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
        PrintPanel* panel = screen_->printPanel();
        QCOMPARE(screen_->box(0)->size(), boxBefore);
        for (QPushButton* b : {panel->viewButton(), panel->directButton(), panel->cancelButton()})
            QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
        QVERIFY(screen_->rect().contains(panel->geometry()));
        // In front of the controls it covers.
        QWidget* onTop = screen_->childAt(panel->geometry().center());
        QVERIFY(onTop == panel || panel->isAncestorOf(onTop));
    }

    void aLargeWindowCentresTheFormAndASmallOneScrolls()
    {
        QMdiSubWindow* sub = main_->findScreen("frmKwikTax");
        auto* form = screen_->findChild<QWidget*>("form");
        const QSize natural = form->size();
        const int gap = screen_->box(0)->x() - caption("Taxable Income")->x();
        sub->showMaximized();
        QTRY_VERIFY(sub->isMaximized());
        QCOMPARE(form->size(), natural);
        QCOMPARE(screen_->box(0)->x() - caption("Taxable Income")->x(), gap);
        QVERIFY(qAbs(form->geometry().center().x() - form->parentWidget()->rect().center().x()) <= 1);

        sub->showNormal();
        sub->resize(220, 160);
        auto* scroll = screen_->findChild<QScrollArea*>();
        QTRY_VERIFY(scroll->verticalScrollBar()->maximum() > 0);
        scroll->ensureWidgetVisible(button("cmPrint"));
        QVERIFY(button("cmPrint")->visibleRegion().boundingRect().size() == button("cmPrint")->size());
    }

    void everyWindowCarriesTheProgramIcon()
    {
        const QImage icon = ProgramIcon().pixmap(32).toImage();
        QVERIFY(!icon.isNull());
        QCOMPARE(main_->windowIcon().pixmap(32).toImage(), icon);
        QCOMPARE(main_->findScreen("frmKwikTax")->windowIcon().pixmap(32).toImage(), icon);
        printFromThePanel(screen_->printPanel()->viewButton());
        QCOMPARE(ReportWindows().at(0)->windowIcon().pixmap(32).toImage(), icon);
    }

    void ageIsRoundedHalfToEven()
    {
        type(1, "64.5");
        QCOMPARE(main_->state().Tax.QuickTax.Age, std::int16_t(64));
        type(1, "65.5");
        QCOMPARE(main_->state().Tax.QuickTax.Age, std::int16_t(66));
        screen_->calculate();
        QCOMPARE(shown(6), QString("20 664.00"));
    }

    void anAgeAboveTheOldestIsRefusedAndTheOldAgeKept()
    {
        MessageBoxWatcher watcher;
        type(1, "40");
        QVERIFY(screen_->box(1)->commit());
        type(1, "131");
        QTRY_COMPARE(watcher.titles(), QStringList("Incorrect Age"));
        QCOMPARE(main_->state().Tax.QuickTax.Age, std::int16_t(40));
        QCOMPARE(shown(1), QString("40"));
    }

    void anAbsurdAmountIsRefused()
    {
        MessageBoxWatcher watcher; // the box says why it refuses a digit
        type(0, "5");
        QTest::keyClicks(screen_->box(0), QString(30, '9'));
        QVERIFY(!watcher.texts().isEmpty());
        screen_->calculate();
        QVERIFY(std::isfinite(main_->state().Tax.QuickTax.TaxCommitment));
        QVERIFY(!shown(7).contains("inf") && !shown(7).contains("nan"));
        for (int i = 0; i < 10; ++i) // every figure shows whole
            QVERIFY2(screen_->box(i)->fontMetrics().horizontalAdvance(shown(i)) + 8 <= screen_->box(i)->width(),
                     qPrintable(shown(i)));
    }

    void becomingActiveShowsTheIncomeAnotherScreenPassedAndSaysWhose()
    {
        type(0, "500000");
        QVERIFY(screen_->incomeNote()->text().isEmpty()); // typed here
        auto* fortnightly = openFromMenu<CalculatorWindow>("mnuFortNight", "frmFortNight");
        auto* salary = fortnightly->findChild<NumberBox*>("sidbEdit2");
        salary->selectAll();
        QTest::keyClicks(salary, "6000");
        QVERIFY(fortnightly->calculate());
        main_->mdiArea()->setActiveSubWindow(main_->findScreen("frmKwikTax"));
        QCOMPARE(shown(0), QString("156 000.00")); // 26 fortnights, replacing what was typed
        QCOMPARE(shown(5), QString("28 080.00"));
        QCOMPARE(screen_->incomeNote()->text(), QString("from Fortnightly's last calculation"));
        // Typing an income of its own takes the note away, and it stays away.
        type(0, "200000");
        QVERIFY(screen_->incomeNote()->text().isEmpty());
        QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
        QCOMPARE(shown(5), QString("37 448.00"));
        QVERIFY(screen_->incomeNote()->text().isEmpty());
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
        printFromThePanel(screen_->printPanel()->viewButton());
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

    void theWorkingFollowsEachCalculationAndPrintsWhenAsked()
    {
        type(0, "240000");
        type(1, "70");
        QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
        // The command's key works from a box being typed in, and takes nothing from it.
        focusBox(0);
        QTest::keyClick(screen_->box(0), Qt::Key_K, Qt::ControlModifier);
        QMdiSubWindow* sub = main_->findScreen("frmWorking");
        QVERIFY(sub);
        QCOMPARE(shown(0), QString("240 000.00"));
        QCOMPARE(sub->windowTitle(), QString("Working - QuickTax"));
        QVERIFY(!sub->geometry().intersects(main_->findScreen("frmKwikTax")->geometry()));
        auto* steps = sub->findChild<QTableWidget*>("tvwWorking");
        const auto last = [steps] { return steps->item(steps->rowCount() - 1, 3)->text(); };
        QCOMPARE(last(), KeepFiguresWhole("27 184.00"));

        main_->mdiArea()->setActiveSubWindow(main_->findScreen("frmKwikTax"));
        type(0, "500000");
        QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
        QCOMPARE(last(), KeepFiguresWhole("110 919.00"));
        const QString copied("How these figures were worked out\n1. Taxable income: 500 000.00\n");
        main_->mdiArea()->setActiveSubWindow(sub);
        steps->setFocus();
        QTest::keyClick(steps, Qt::Key_C, Qt::AltModifier); // "&Copy", not "&Car Calculations"
        QTRY_VERIFY(QApplication::clipboard()->text().startsWith(copied));
        QVERIFY(!QApplication::activePopupWidget());
        QApplication::clipboard()->clear();
        QTest::keyClick(steps, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().startsWith(copied));

        // The export holds the working only with the box ticked, which stays as it was left.
        for (const bool ticked : {true, false}) {
            QTest::mouseClick(button("cmPrint"), Qt::LeftButton);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
            QTRY_COMPARE(screen_->printPanel()->includesWorking(), ticked);
            QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
            const QString exported = folder_->filePath("exported.html");
            QVERIFY(static_cast<ReportWindow*>(ReportWindows().at(0))->exportTo(exported));
            QCOMPARE(revora::testing::ReadAll(exported).contains("How these figures were worked out"), ticked);
            revora::testing::CloseReportWindows();
        }

        // Closed, it gives the focus back to the screen it showed, not to one opened since.
        revora::testing::MenuAction(*main_, "mnuLoans")->trigger();
        main_->mdiArea()->setActiveSubWindow(main_->findScreen("frmKwikTax"));
        main_->mdiArea()->setActiveSubWindow(sub);
        sub->close();
        QTRY_COMPARE(main_->mdiArea()->activeSubWindow(), main_->findScreen("frmKwikTax"));
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
        printFromThePanel(screen_->printPanel()->viewButton());
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
        printFromThePanel(screen_->printPanel()->directButton());
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

REVORA_UI_TEST(QuickTaxScreenTest)
#include "QuickTaxScreenTest.moc"
