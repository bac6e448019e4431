// The payroll run screen: a file's run in the grid and its totals to the printed cent, and a
// refused, cancelled or re-periodised run never leaving figures the choices do not give.

#include <QComboBox>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include "PayrollCsv.h"
#include "PrintPanel.h"
#include "ReportWindow.h"
#include "SetupSettings.h"
#include "FormKit.h"
#include "common/AmountFormat.h"
#include "payroll/PayrollRunScreen.h"
#include "ui/ScreenTestSupport.h"
#include "ui/UiTest.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;

namespace {

// A part month, a bonus month with a medical scheme, and a plain salary.
const QByteArray Employees = "employee,age,salary,bonus,employer-medical,employee-medical,beneficiaries,start,end\n"
                             "\"Botha, Jan\",66,12000,5000,800,800,1,,\n"
                             "Thandi Nkosi,42,25000,0,1500,1500,3,10/03/2015,31/03/2015\n"
                             "Lerato Mokoena,24,6500,0,0,0,0,,\n";

} // namespace

class PayrollRunScreenTest : public QObject, revora::testing::MainWindowFixture {
    Q_OBJECT

    PayrollRunScreen* screen_ = nullptr;

    template <typename T = QWidget>
    T* find(const char* name) const { return screen_->findChild<T*>(name); }
    QString shown(const char* name) const { return find<QLineEdit>(name)->text(); }
    QString write(const char* name, const QByteArray& bytes) const
    {
        const QString path = folder_->filePath(name);
        QFile file(path);
        (void)(file.open(QIODevice::WriteOnly) && file.write(bytes));
        return path;
    }
    QStringList gridRow(int row) const
    {
        QStringList texts;
        auto* grid = find<QTableView>("tvwPayroll");
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            texts << grid->model()->index(row, column).data().toString();
        return texts;
    }
    QStringList totals() const
    {
        return {shown("txtEmployees"), shown("txtPAYE"), shown("txtUIF"), shown("txtSDL"), shown("txtEMP201")};
    }
    void openAndWait(const QString& path)
    {
        screen_->openFile(path);
        QTRY_VERIFY(!screen_->isRunning());
    }

private slots:
    void init()
    {
        startMain();
        screen_ = openFromMenu<PayrollRunScreen>("mnuPayrollRun", "frmPayrollRun");
    }
    void cleanup() { stopMain(); }

    void theGridAndTotalsAreTheRunsPrintedCentsAndANewPeriodWorksTheFileAgain()
    {
        openAndWait(write("march.csv", Employees));
        const PayrollCsv csv = ReadPayrollCsv("march.csv", Employees.toStdString(), PayPeriod::Monthly, {});
        const PayrollRun run = RunPayroll(PayPeriod::Monthly, csv.Employees, ReadPayeSettings(main_->state().Paths));
        const auto money = [](std::int64_t cents) { return Text(FormatAmount(static_cast<double>(cents) / 100.0)); };
        QCOMPARE(find<QTableView>("tvwPayroll")->model()->rowCount(), 3);
        for (int i = 0; i < 3; ++i) {
            const PayrollLine& line = run.Lines[static_cast<std::size_t>(i)];
            QCOMPARE(gridRow(i), (QStringList{QString::fromStdString(csv.Employees[static_cast<std::size_t>(i)].Employee),
                                              money(line.GrossCents), money(line.PAYECents),
                                              money(line.UIFEmployeeCents), money(line.UIFEmployerCents),
                                              money(line.SDLCents)}));
        }
        QCOMPARE(totals(), (QStringList{"3", money(run.Totals.PAYECents), money(run.Totals.UIFCents),
                                        money(run.Totals.SDLCents), money(run.Totals.EMP201Cents())}));
        // The summary printed holds the run's EMP201 total.
        QTest::mouseClick(find<QPushButton>("cmdPrint"), Qt::LeftButton);
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        ReportWindow* report = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<ReportWindow*>(top); window && window->isVisible())
                report = window;
        QVERIFY(report);
        QVERIFY(report->html().contains("R " + money(run.Totals.EMP201Cents())));

        // A week's run has no dates: the file is read again and refused, and no month's figures
        // stay under the weekly choice.
        MessageBoxWatcher watcher;
        find<QComboBox>("cboPeriod")->setCurrentIndex(static_cast<int>(PayPeriod::Weekly));
        QTRY_VERIFY(!screen_->isRunning());
        QTRY_COMPARE(watcher.texts().size(), 1);
        QVERIFY(watcher.texts()[0].startsWith("march.csv line 1, 'start'"));
        QCOMPARE(find<QTableView>("tvwPayroll")->model()->rowCount(), 0);
        QCOMPARE(shown("txtEMP201"), QString());
        QVERIFY(!find<QPushButton>("cmdPrint")->isEnabled());

        // The template is the chosen period's header line; a file that cannot be written is named.
        QVERIFY(screen_->saveTemplate(folder_->filePath("weekly.csv")));
        QCOMPARE(revora::testing::ReadAll(folder_->filePath("weekly.csv")),
                 QByteArray::fromStdString(PayrollCsvHeader(PayPeriod::Weekly) + '\n'));
        QVERIFY(!screen_->saveTemplate(folder_->filePath("no folder/weekly.csv")));
        QTRY_COMPARE(watcher.texts().size(), 2);
        QVERIFY(watcher.texts()[1].contains("no folder"));
    }

    void aRefusedOrCancelledRunKeepsTheRunBefore()
    {
        openAndWait(write("march.csv", Employees));
        const QStringList before = totals();
        const QByteArray bad = "employee,age,salary\nA,40,12a00\nB,40,1000\nC,200,1000\n";
        MessageBoxWatcher watcher;
        openAndWait(write("bad.csv", bad));
        QTRY_COMPARE(watcher.texts().size(), 1);
        // The lines revora-calc writes, in the same words.
        QCOMPARE(watcher.texts()[0],
                 Text(PayrollCsvRefusalText(ReadPayrollCsv("bad.csv", bad.toStdString(), PayPeriod::Monthly, {}))));
        QCOMPARE(totals(), before);
        QCOMPARE(gridRow(0)[0], QString("Botha, Jan"));
        // A device that never ends is named and refused, never read.
        openAndWait("/dev/zero");
        QTRY_COMPARE(watcher.texts().size(), 2);
        QVERIFY(watcher.texts()[1].startsWith("/dev/zero: is not a file but a device"));
        QCOMPARE(totals(), before);

        // Cancelled before the thread's work is taken in: nothing of it shows.
        screen_->openFile(write("other.csv", "employee,age,salary\nZ,40,1000\n"));
        screen_->cancelRun();
        QTRY_VERIFY(!screen_->isRunning());
        QCOMPARE(totals(), before);
        QVERIFY(find<QLabel>("lblStatus")->text().contains("cancelled"));

        // Ending the program while the payslips are rendered stops them and keeps the program.
        QByteArray many = "employee,age,salary\n";
        for (int i = 0; i < 600; ++i)
            many += "E" + QByteArray::number(i) + ",40,9000\n";
        openAndWait(write("many.csv", many));
        QTest::mouseClick(find<QPushButton>("cmdPrint"), Qt::LeftButton);
        find<QRadioButton>("optPayslips")->setChecked(true);
        QTimer::singleShot(0, main_.get(), [this] { main_->close(); });
        QTest::mouseClick(screen_->printPanel()->viewButton(), Qt::LeftButton);
        QVERIFY(main_->isVisible());
        QVERIFY(find<QLabel>("lblStatus")->text().contains("payslips were cancelled"));
    }
};

REVORA_UI_TEST(PayrollRunScreenTest)
#include "PayrollRunScreenTest.moc"
