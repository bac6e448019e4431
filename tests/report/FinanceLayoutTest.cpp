// The financial calculators' printouts: the eight loan layouts over the one row of "Loans"
// (the four with a schedule also over the lines of "Amort"), the loan buster, the loan
// comparison, the daily balance and the inflation layouts over their one rows. The loan rows
// are written by hand, as the print routines write them, the others by the models; all go
// through the real report database in a data folder created from the installed seeds. Also
// the renderer's second table, day numbers and rates, which only these printouts use.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cmath>
#include <string>
#include <vector>

#include "AppState.h"
#include "Database.h"
#include "report/LayoutTestSupport.h"
#include "ReportDatabase.h"
#include "ReportJob.h"
#include "ReportRenderer.h"
#include "TestSupport.h"
#include "finance/DailyBalance.h"
#include "finance/Inflation.h"
#include "finance/LoanBuster.h"
#include "finance/LoanComparison.h"

namespace revora {
namespace {

QSqlRecord TableColumns(const AppPaths& paths, const QString& table)
{
    DatabaseConnection connection(paths.ReportDbPath, paths.SeedFolder());
    return connection.database().record(table);
}

// A schedule line as pdftotext lays it out: the month or year, then capital, interest and
// balance ("  12     1 005.97     95.12     8 426.31").
const QRegularExpression ScheduleLine(QStringLiteral(R"(^\s*(\d+)\s+\d[\d ]*\.\d\d\s+\d[\d ]*\.\d\d\s+\d[\d ]*\.\d\d\s*$)"),
                                      QRegularExpression::MultilineOption);

// R 100 000 over 240 months at 12 %: the repayment and totals every loan print below uses.
ReportRow LoansRow(const std::string& heading, bool totals, const std::string& yearMon = {})
{
    return {
        {"Heading", heading},
        {"Num1", 100000.0},
        {"Num2", 240.0},
        {"Num3", 12.0},
        {"Num4", 1101.0861},
        {"FinText1", std::string(totals ? "Total Interest" : "")},
        {"FinText1A", std::string(totals ? ": R" : "")},
        {"FinNum1", totals ? 164260.67 : 0.0},
        {"FinText2", std::string(totals ? "Total Repayments" : "")},
        {"FinNum2", totals ? 264260.67 : 0.0},
        {"YearMon", yearMon},
    };
}

// The monthly schedule of a loan: capital part R (1 + j)^(i - n - 1), the rest interest.
std::vector<ReportRow> MonthlySchedule(double principal, int months, double rate)
{
    const double j = rate / 1200.0;
    const double repayment = j * principal / (1.0 - std::pow(1.0 + j, -months));
    std::vector<ReportRow> rows;
    double balance = principal;
    for (int i = 1; i <= months; ++i) {
        const double capital = repayment * std::pow(1.0 + j, i - months - 1);
        balance = std::fabs(balance - capital);
        rows.push_back({{"Year", static_cast<std::int16_t>(i)},
                        {"Capital", capital},
                        {"Interest", repayment - capital},
                        {"Required", balance}});
    }
    return rows;
}

class FinanceLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        state.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
    }

    QString PrintOne(const QString& table, const QString& layout, const QString& title, const ReportRow& row)
    {
        return Checked(WriteAndRenderOneRowReport(state, {table, layout, title}, row).html);
    }

    // The loans print: the one row of "Loans", and the schedule refilled when it is printed.
    QString PrintLoan(const QString& layout, const ReportRow& loans, const std::vector<ReportRow>* schedule = nullptr)
    {
        WriteOneRowTable(state.Paths, "Loans", loans);
        if (schedule)
            WriteMultiRowTable(state.Paths, "Amort", *schedule);
        return Checked(RenderReport(state, layout, "Loans").html);
    }

    static QString Checked(const QString& html)
    {
        EXPECT_FALSE(html.contains("{{") || html.contains("}}")) << "a tag was left unrendered";
        static const QRegularExpression notANumber(QStringLiteral(R"(\b(nan|inf)\b)"), QRegularExpression::CaseInsensitiveOption);
        EXPECT_FALSE(Text(html).contains(notANumber)) << html.toStdString();
        return html;
    }

    static QString Text(const QString& html) { return MakeReportDocument(html)->toPlainText(); }

    QString WriteLayout(const QString& name, const QString& text) const
    {
        const QString path = appFolder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }

    QTemporaryDir appFolder;
    AppState state;
};

// --- The seeds: the tables the print routines write into, as a new data folder gets them. ---

struct SeedRow {
    const char* name;
    const char* table;
    const char* columns; // name:type, in order
    bool oneRow;
};

const SeedRow Seeds[] = {
    {"loans", "Loans",
     "Heading:T Num1:R Num2:R Num3:R Num4:R FinText1:T FinText1A:T FinNum1:R FinText2:T FinNum2:R YearMon:T", true},
    {"schedule", "Amort", "Year:I Capital:R Interest:R Required:R", false},
    {"loan buster", "BondBust",
     "PAmt:R Period:R IntRate:R MonRep:R TotIntPaid:R TotRep:R XtraPay:R Xper:R XMonRep:R XTotIntPaid:R XTotRep:R "
     "XTotSavings:R",
     true},
    {"loan comparison", "BondComp",
     "PAmt:R IntRate:R MonRep1:R IntPaid1:R Total1:R MonRep2:R IntPaid2:R Total2:R MonRep3:R IntPaid3:R Total3:R "
     "MonRep4:R IntPaid4:R Total4:R MonRep5:R IntPaid5:R Total5:R MonRep6:R IntPaid6:R Total6:R",
     true},
    {"daily balance", "DailyBal", "CapAmount:R StartDate:I EndDate:I IntRate:R ANS1:R ANS2:I", true},
    {"inflation", "Inflation", "PresCost:R Period:R InflaRate:R Ans1:R ANS2:R", true},
};

TEST_F(FinanceLayout, EachTableHasItsColumnsInOrderAndOneRowTablesOneBlankRow)
{
    for (const SeedRow& seed : Seeds) {
        SCOPED_TRACE(seed.name);
        const QSqlRecord columns = TableColumns(state.Paths, seed.table);
        QStringList got;
        for (int i = 0; i < columns.count(); ++i) {
            const int type = columns.field(i).metaType().id();
            const char* kind = type == QMetaType::QString                                 ? "T"
                               : type == QMetaType::Double                                ? "R"
                               : type == QMetaType::Int || type == QMetaType::LongLong ? "I"
                                                                                          : "?";
            got << columns.fieldName(i) + ':' + kind;
        }
        EXPECT_EQ(got.join(' ').toStdString(), seed.columns);

        const QList<QSqlRecord> rows = ReadReportTable(state.Paths, seed.table);
        ASSERT_EQ(rows.size(), seed.oneRow ? 1 : 0);
        for (const QSqlRecord& row : rows)
            for (int i = 0; i < row.count(); ++i) {
                if (columns.field(i).metaType().id() == QMetaType::QString)
                    EXPECT_EQ(row.value(i).toString(), "") << row.fieldName(i).toStdString();
                else
                    EXPECT_EQ(row.value(i).toDouble(), 0.0) << row.fieldName(i).toStdString();
            }
    }
}

// --- The renderer: a second table, day numbers and rates. ---

struct RowsLineRow {
    const char* name;
    const char* text;
    const char* rowsTable;
};

const RowsLineRow RowsLines[] = {
    {"on the line after the table line", "<!-- revora-table: Loans -->\n<!-- revora-table-rows: Amort -->\n<p/>",
     "Amort"},
    {"with blanks", "<!-- revora-table: Loans -->\r\n  <!--revora-table-rows:Amort   -->\n", "Amort"},
    {"none", "<!-- revora-table: Loans -->\n<p>{{Heading}}</p>\n", ""},
    {"further down is only a comment", "<!-- revora-table: Loans -->\n<p/>\n<!-- revora-table-rows: Amort -->\n",
     ""},
};

TEST_F(FinanceLayout, ALayoutNamesItsRowsTableOnTheLineAfterItsTable)
{
    for (const RowsLineRow& row : RowsLines) {
        SCOPED_TRACE(row.name);
        const ReportLayout layout = LoadReportLayout(WriteLayout("own.rpt", row.text));
        EXPECT_EQ(layout.table, "Loans");
        EXPECT_EQ(layout.rowsTable, row.rowsTable);
    }
    EXPECT_EQ(LoadReportLayout(state.Paths.LayoutPath("compcar.rpt")).rowsTable, "");
    EXPECT_EQ(LoadReportLayout(state.Paths.LayoutPath("kwiktep.rpt")).rowsTable, "");
}

// The rendered body of a test layout: its last line, after the table lines.
std::string Body(const QString& html) { return html.mid(html.lastIndexOf('\n') + 1).toStdString(); }

QSqlRecord Record(const QList<std::pair<QString, QVariant>>& values)
{
    QSqlRecord record;
    for (const auto& [name, value] : values) {
        record.append(QSqlField(name, value.metaType()));
        record.setValue(name, value);
    }
    return record;
}

TEST_F(FinanceLayout, RowsComeFromTheRowsTableAndTheFieldsFromTheFirstTable)
{
    const ReportLayout layout = LoadReportLayout(WriteLayout(
        "own.rpt", "<!-- revora-table: Loans -->\n<!-- revora-table-rows: Amort -->\n"
                   "[{{Heading}}]{{#rows}}({{Year}} {{money.Capital}}){{/rows}}{{^rows}}none{{/rows}}"));
    const QList<QSqlRecord> loans{Record({{"Heading", QString("Interest rate")}})};
    const QList<QSqlRecord> lines{Record({{"Year", 1LL}, {"Capital", 1500.5}}), Record({{"Year", 2LL}, {"Capital", 2.0}})};
    const QDate today(2015, 3, 1);
    EXPECT_EQ(Body(RenderReportHtml(layout, loans, lines, today)), "[Interest rate](1 1 500.50)(2 2.00)");
    EXPECT_EQ(Body(RenderReportHtml(layout, loans, {}, today)), "[Interest rate]none");
    // A layout over one table lists that table's rows, as before.
    EXPECT_EQ(Body(RenderReportHtml(layout, lines, today)), "[](1 1 500.50)(2 2.00)");
}

struct DayRow {
    const char* name;
    qlonglong day;
    const char* shown;
};

const DayRow Days[] = {
    {"the first of the tax year", 42064, "01/03/2015"},
    {"a leap day", 42429, "29/02/2016"},
    {"day 0", 0, "30/12/1899"},
    {"before day 0: a date not set", -36522, "01/01/1800"},
    {"beyond any calendar", 4000000000LL, ""},
};

TEST_F(FinanceLayout, WholeNumbersPrintAsDatesUnderDateAndNumbersWithThreeDecimalsUnderRate)
{
    const ReportLayout layout = LoadReportLayout(
        WriteLayout("own.rpt", "<!-- revora-table: DailyBal -->\n{{date.Day}}|{{Day}}|{{date.Rate}}|{{rate.Rate}}|"
                               "{{rate.Day}}|{{money.Rate}}|{{date.Name}}"));
    for (const DayRow& row : Days) {
        SCOPED_TRACE(row.name);
        const QSqlRecord record =
            Record({{"Day", row.day}, {"Rate", static_cast<double>(10.3F)}, {"Name", QString("x")}});
        const QString shown = RenderReportHtml(layout, {record}, QDate(2015, 3, 1));
        // A number with a fraction is no day number; a rate held in single precision shows as typed.
        EXPECT_EQ(Body(shown), std::string(row.shown) + "|" + std::to_string(row.day) + "||10.300|"
                                           + FormatAmount(static_cast<double>(row.day), 3) + "|10.30|");
    }
}

// --- The loan printouts. ---

struct LoanRow {
    const char* name;
    const char* layout;
    const char* heading;
    const char* solved; // the label of the line marked as calculated
};

const LoanRow Loans[] = {
    {"repayment", "Lonrepa.rpt", "Monthly repayment", "Monthly repayment"},
    {"repayment with schedule", "LonrepaA.rpt", "Monthly repayment", "Monthly repayment"},
    {"principal", "LonPrAm.rpt", "Principal amount", "Principal amount"},
    {"principal with schedule", "LonPrAmA.rpt", "Principal amount", "Principal amount"},
    {"period", "LonRPer.rpt", "Repayment period", "Period"},
    {"period with schedule", "LonRPerA.rpt", "Repayment period", "Period"},
    {"rate", "LonInRt.rpt", "Interest rate", "Interest rate"},
    {"rate with schedule", "LonInRtA.rpt", "Interest rate", "Interest rate"},
};

void PrintTo(const LoanRow& row, std::ostream* out) { *out << row.name; }

class LoanLayout : public FinanceLayout, public ::testing::WithParamInterface<LoanRow> {};

TEST_P(LoanLayout, ShowsTheFourValuesWithTheSolvedOneMarkedAndTheTotalsOnlyWhenShown)
{
    const std::vector<ReportRow> schedule = MonthlySchedule(100000, 12, 12);
    const QString html = PrintLoan(GetParam().layout, LoansRow(GetParam().heading, true, "Month"), &schedule);
    const QString text = Text(html);
    testing::FindInOrder(text, {"Revora 2016", QDate::currentDate().toString("dd/MM/yyyy"),
                                QString("Calculate mode: ") + GetParam().heading, "Principal amount", "R 100 000.00",
                                "Period", "240 months", "Interest rate", "12.000 % p.a.", "Monthly repayment",
                                "R 1 101.09", "Total Interest", "R 164 260.67", "Total Repayments", "R 264 260.67"});
    // The mark follows the solved value's line and no other.
    EXPECT_EQ(text.count("calculated"), 1) << text.toStdString();
    const QString mode = QString("Calculate mode: ") + GetParam().heading;
    const QStringList between =
        testing::FindInOrder(text.mid(text.indexOf(mode) + mode.size()), {GetParam().solved, "calculated"});
    ASSERT_EQ(between.size(), 3);
    for (const char* label : {"Principal amount", "Period", "Interest rate", "Monthly repayment"})
        EXPECT_FALSE(between[1].contains(label)) << label << " lies between the solved line and its mark";

    const bool withSchedule = QString(GetParam().layout).endsWith("A.rpt");
    EXPECT_EQ(text.contains("Amortisation schedule"), withSchedule);
    const QString pdf = appFolder.filePath("loan.pdf");
    if (!withSchedule)
        testing::ExpectOnePage(html, pdf);
    else
        ExportReport(html, pdf);
    EXPECT_EQ(testing::PrintFaults(html, pdf), "");

    const QString without = Text(PrintLoan(GetParam().layout, LoansRow(GetParam().heading, false, "Month"), &schedule));
    EXPECT_FALSE(without.contains("Total Interest") || without.contains("Total Repayments")) << without.toStdString();
    EXPECT_FALSE(without.contains("164 260.67") || without.contains("264 260.67"));
    EXPECT_TRUE(without.contains("R 1 101.09"));
}

INSTANTIATE_TEST_SUITE_P(Modes, LoanLayout, ::testing::ValuesIn(Loans), testing::RowName());

TEST_F(FinanceLayout, AThirtyMonthLoanHasAnAnnualScheduleOfThreeLines)
{
    // R 100 000 over 30 months at 12 %: two full years, then months 25 to 30.
    const std::vector<ReportRow> years{
        {{"Year", std::int16_t{1}}, {"Capital", 36459.80}, {"Interest", 10037.93}, {"Required", 63540.20}},
        {{"Year", std::int16_t{2}}, {"Capital", 41083.82}, {"Interest", 5413.92}, {"Required", 22456.38}},
        {{"Year", std::int16_t{3}}, {"Capital", 22456.38}, {"Interest", 792.49}, {"Required", 0.0}},
    };
    WriteMultiRowTable(state.Paths, "Amort", MonthlySchedule(100000, 600, 12)); // an earlier, longer print
    const QString html = PrintLoan("LonrepaA.rpt", LoansRow("Monthly repayment", false, "Year"), &years);
    const QString pdf = appFolder.filePath("annual.pdf");
    ExportReport(html, pdf);
    const QStringList pages = testing::PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QRegularExpression(QStringLiteral(R"(Year\s+Capital\s+Interest\s+Balance)"))))
        << pages[0].toStdString();
    QStringList lines;
    for (const auto& match : ScheduleLine.globalMatch(pages[0]))
        lines << match.captured(0).simplified();
    EXPECT_EQ(lines, (QStringList{"1 36 459.80 10 037.93 63 540.20", "2 41 083.82 5 413.92 22 456.38",
                                  "3 22 456.38 792.49 0.00"}));
}

TEST_F(FinanceLayout, ALongMonthlyScheduleRunsOverPagesWithItsHeaderOnEach)
{
    const std::vector<ReportRow> months = MonthlySchedule(100000, 600, 12);
    const QString html = PrintLoan("LonInRtA.rpt", LoansRow("Interest rate", true, "Month"), &months);
    const auto document = MakeReportDocument(html);
    const qreal width = (210 - 2 * 18) / 25.4 * QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    document->setTextWidth(width);
    EXPECT_LE(document->idealWidth(), width + 0.5) << "the page is wider than the paper";

    const QString pdf = appFolder.filePath("monthly.pdf");
    ExportReport(html, pdf);
    const QStringList pages = testing::PdfPages(pdf);
    ASSERT_GE(pages.size(), 5);
    static const QRegularExpression header(QStringLiteral(R"(Month\s+Capital\s+Interest\s+Balance)"));
    QStringList numbers;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        const auto head = header.match(pages[p]);
        const auto first = ScheduleLine.match(pages[p]);
        if (!first.hasMatch())
            continue; // the closing lines only
        ASSERT_TRUE(head.hasMatch()) << pages[p].toStdString();
        EXPECT_LT(head.capturedStart(), first.capturedStart()) << "the header comes after a line";
        for (const auto& match : ScheduleLine.globalMatch(pages[p]))
            numbers << match.captured(1);
    }
    QStringList expected;
    for (int i = 1; i <= 600; ++i)
        expected << QString::number(i);
    EXPECT_EQ(numbers, expected) << "every month once, in order";
    EXPECT_TRUE(pages.last().contains("0.00"));
    EXPECT_TRUE(pages.first().contains("Total Repayments"));
}

TEST_F(FinanceLayout, EverySchedulesLastPageHoldsItsLastLines)
{
    // Schedules of 32 to 48 months end their first page at every height.
    for (int months = 32; months <= 48; ++months) {
        const std::vector<ReportRow> schedule = MonthlySchedule(100000, months, 12);
        const QString pdf = appFolder.filePath("schedule.pdf");
        ExportReport(PrintLoan("LonrepaA.rpt", LoansRow("Monthly repayment", true, "Month"), &schedule), pdf);
        EXPECT_TRUE(testing::PdfPages(pdf).last().contains(ScheduleLine)) << months << " months";
    }
}

// --- The other calculators' printouts. ---

TEST_F(FinanceLayout, LoanBusterShowsTheLoanWithoutAndWithTheExtraPaymentAndTheSaving)
{
    // R 100 000 over 240 months at 12 % with R 100 extra a month: paid off in 179 months; the new
    // totals are worked on the new repayment before it is shown to the cent.
    LoanBusterState buster{.Principal = 100000, .Rate = 12, .Extra = 100};
    const ReportRow row = LoanBusterReportRow(buster, 240, BBCalc(buster, 240));
    const QString html = PrintOne("BondBust", "loanbuster.rpt", "Loan Buster", row);
    const QString pdf = appFolder.filePath("buster.pdf");
    testing::FindInOrder(Text(html),
                         {"Revora 2016", "Loan Buster", QDate::currentDate().toString("dd/MM/yyyy"),
                          "Without extra payment", "With extra payment", "Principal amount", "R 100 000.00",
                          "R 100 000.00", "Period", "240 months", "179 months", "Interest rate", "12.000 % p.a.",
                          "12.000 % p.a.", "Extra voluntary payments", "R 101.49", "Monthly repayment", "R 1 101.09",
                          "R 1 202.58", "Total interest", "R 164 260.67", "R 115 261.13", "Total repayments",
                          "R 264 260.67", "R 215 261.13", "Total saving", "R 48 999.54"});
    testing::ExpectOnePage(html, pdf);
    EXPECT_EQ(testing::PrintFaults(html, pdf), "");
    // The two column headings stand well apart, wrapped on their words if need be.
    EXPECT_TRUE(testing::PdfPages(pdf).first().contains(QRegularExpression(QStringLiteral(R"(\S {4,}With extra)"))));
}

TEST_F(FinanceLayout, LoanComparisonShowsTheSixTermsInOrder)
{
    const LoanComparisonState loan{.Amount = 100000, .Rate = 12};
    const auto terms = CompareLoans(loan);
    QStringList expected{"Revora 2016", "Loan Comparison", "Bond amount", "R 100 000.00", "Interest rate",
                         "12.000 % p.a.", "Period", "Monthly repayment", "Total Interest", "Total Paid"};
    const auto rand = [](double amount) { return "R " + QString::fromStdString(FormatAmount(amount)); };
    for (const ComparisonRow& term : terms)
        expected << QString::fromStdString(term.Label) << rand(term.Repayment) << rand(term.TotalInterest)
                 << rand(term.TotalPaid);
    const QString html =
        PrintOne("BondComp", "LoanComparison.rpt", "Loan Comparison", LoanComparisonReportRow(loan, terms));
    const QString text = Text(html);
    testing::FindInOrder(text, expected);
    // The figures worked out by hand for 5 and 20 years.
    testing::FindInOrder(text, {"5 yrs.", "R 2 224.44", "20 yrs.", "R 1 101.09", "R 164 260.67", "R 264 260.67"});
    testing::ExpectOnePage(html, appFolder.filePath("comparison.pdf"));
    EXPECT_EQ(testing::PrintFaults(html, appFolder.filePath("comparison.pdf")), "");
}

TEST_F(FinanceLayout, DailyBalancePrintsItsDayNumbersAsDates)
{
    const DailyBalanceState daily{.Capital = 100000, .Rate = 10, .StartDate = 42064, .EndDate = 42094};
    const ReportRow row = DailyBalanceReportRow(daily, DailyBalanceCalc(daily));
    const QString html = PrintOne("DailyBal", "DayBal.rpt", "Daily Balance Calculation", row);
    const QString text = Text(html);
    testing::FindInOrder(text, {"Revora 2016", "Daily Balance Calculation", QDate::currentDate().toString("dd/MM/yyyy"),
                                "Capital amount", "R 100 000.00", "Start date", "01/03/2015", "End date", "31/03/2015",
                                "Interest rate", "10.000 % p.a.", "Number of days", "30", "Interest accrued",
                                "R 821.92"});
    EXPECT_FALSE(text.contains("42064") || text.contains("42094")) << "a date printed as a day number";
    testing::ExpectOnePage(html, appFolder.filePath("daybal.pdf"));
    EXPECT_EQ(testing::PrintFaults(html, appFolder.filePath("daybal.pdf")), "");
}

TEST_F(FinanceLayout, InflationShowsTheFutureValueAndTheBuyingPower)
{
    // R 10 000 over 10 years at 6 %: 10 000 x 1.06^10 and 10 000 / 1.06^10.
    InflationState inflation{.PresentCost = 10000, .Period = 10, .Rate = 6};
    InflationCalc(inflation);
    const QString html = PrintOne("Inflation", "Inflatin.rpt", "Inflation", InflationReportRow(inflation));
    testing::FindInOrder(Text(html), {"Revora 2016", "Inflation", QDate::currentDate().toString("dd/MM/yyyy"),
                                      "Present cost", "R 10 000.00", "Period", "10 year/s", "Inflation rate",
                                      "6.000 % p.a.", "Future value/cost", "R 17 908.48", "Buying power",
                                      "R 5 583.95"});
    testing::ExpectOnePage(html, appFolder.filePath("inflation.pdf"));
    EXPECT_EQ(testing::PrintFaults(html, appFolder.filePath("inflation.pdf")), "");

    // A falling price level: a negative rate prints with its sign.
    const QString falling = Text(PrintOne("Inflation", "Inflatin.rpt", "Inflation",
                                          {{"InflaRate", -2.5}, {"Ans1", 7763.27}, {"ANS2", 12881.0}}));
    testing::FindInOrder(falling, {"R 10 000.00", "10 year/s", "-2.500 % p.a.", "R 7 763.27", "R 12 881.00"});
}

} // namespace
} // namespace revora
