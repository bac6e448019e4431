// revora-calc's employees' tax calculators from the outside: their figures and JSON, the
// employer's settings given for one run, their refusals, and their printouts.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <cmath>

#include "TestSupport.h"
#include "cli/RevoraCalc.h"

namespace revora {
namespace {

const QStringList PeriodicKeys{"UIFEmployee",   "UIFEmployer", "SDL", "TaxLiability", "MedicalCredit",
                               "AdditionalMedicalCredit", "TotalTaxDeduction"};
const QStringList AnnualKeys{"TaxLiability", "MedicalCredit", "AdditionalMedicalCredit", "TotalTaxDeduction",
                             "PAYE",         "SITE",          "Total"};

struct KnownFigureCase {
    const char* name;
    QStringList arguments;
    QStringList keys;
    std::vector<Expected> figures;
};

class KnownFiguresTest : public RevoraCalcTest, public ::testing::WithParamInterface<KnownFigureCase> {};

TEST_P(KnownFiguresTest, JsonHoldsTheKeysAndTheFiguresWorkedByHand)
{
    const KnownFigureCase& c = GetParam();
    const CalcRun run = RevoraCalc(QStringList(c.arguments) << "--json" << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectFigures(JsonOf(run), c.keys, c.figures);
}

// The stored settings are the seed's: UIF 1 % each, SDL 1 %, UIF monthly limit 14 872,
// inclusion rate 0.8. TaxBeforeRebates(I) = base + rate x (I - floor) of I's bracket.
const KnownFigureCase KnownFigureCases[] = {
    // 240 000 a year: 32 742 + 26 % x (240 000 - 181 900) = 47 848; less 13 257, / 12.
    // UIF on the limit (20 000 > 14 872): 148.72 each; SDL 1 % of 20 000.
    {"monthly salary 20 000 for all of March at 40",
     {"monthly", "--salary", "20000", "--age", "40"},
     QStringList{"TaxableTravelAllowance"} + PeriodicKeys,
     {{"TaxableTravelAllowance", 0.0},
      {"UIFEmployee", 148.72},
      {"UIFEmployer", 148.72},
      {"SDL", 200.0},
      {"TaxLiability", (47848.0 - 13257.0) / 12.0},
      {"MedicalCredit", 0.0},
      {"TotalTaxDeduction", (47848.0 - 13257.0) / 12.0}}},
    // 1 to 15 March: 10 000 x 31/15 x 12 = 248 000 a year; 32 742 + 26 % x 66 100 = 49 928;
    // (49 928 - 13 257) / 12 x 15/31. The 10 000 is the salary 9 200 and the taxable part of
    // the travel allowance, 0.8 x 1 000.
    {"monthly part month of 15 days",
     {"monthly", "--salary", "9200", "--travel", "1000", "--age", "40", "--start", "01/03/2015", "--end",
      "15/03/2015"},
     QStringList{"TaxableTravelAllowance"} + PeriodicKeys,
     {{"TaxableTravelAllowance", 800.0}, {"TaxLiability", (49928.0 - 13257.0) / 12.0 * 15.0 / 31.0}}},
    // 5 000 x 52 = 260 000: 32 742 + 26 % x 78 100 = 53 048; (53 048 - 13 257) / 52.
    // Credit for 2 beneficiaries 540 / 4; UIF on the week's limit 14 872 x 12 / 52 = 3 432.
    {"weekly salary 5 000 with two beneficiaries",
     {"weekly", "--salary", "5000", "--age", "40", "--employee-medical", "500", "--beneficiaries", "2"},
     PeriodicKeys,
     {{"UIFEmployee", 34.32},
      {"SDL", 50.0},
      {"TaxLiability", (53048.0 - 13257.0) / 52.0},
      {"MedicalCredit", 135.0},
      {"TotalTaxDeduction", (53048.0 - 13257.0) / 52.0 - 135.0}}},
    // The same year in fortnights; 3 beneficiaries: (540 + 181) / 2; limit 6 864.
    {"fortnightly salary 10 000 with three beneficiaries",
     {"fortnightly", "--salary", "10000", "--age", "40", "--employee-medical", "1000", "--beneficiaries", "3"},
     PeriodicKeys,
     {{"UIFEmployer", 68.64},
      {"TaxLiability", (53048.0 - 13257.0) / 26.0},
      {"MedicalCredit", 360.5},
      {"TotalTaxDeduction", (53048.0 - 13257.0) / 26.0 - 360.5}}},
    // 1 000 x 260 = 260 000; (53 048 - 13 257) / 260; day limit 14 872 x 12 / 260 = 686.40.
    {"daily salary 1 000 at 40",
     {"daily", "--salary", "1000", "--age", "40"},
     PeriodicKeys,
     {{"UIFEmployee", 6.864}, {"SDL", 10.0}, {"TaxLiability", (53048.0 - 13257.0) / 260.0}}},
    // 59 314 + 31 % x (300 000 - 284 100) = 64 243; less 13 257 = 50 986. Two members in
    // every month: 12 x 540 = 6 480.
    {"annual salary 300 000 with two members every month",
     {"annual", "--salary", "300000", "--age", "40", "--employee-medical", "12000", "--members-by-month", "2"},
     AnnualKeys,
     {{"TaxLiability", 50986.0},
      {"MedicalCredit", 6480.0},
      {"AdditionalMedicalCredit", 0.0},
      {"TotalTaxDeduction", 50986.0 - 6480.0},
      {"PAYE", 50986.0 - 6480.0},
      {"SITE", 0.0},
      {"Total", 50986.0}}},
    // March to May are outside 1 June to 29 February and give no credit: 3 x 270 + 6 x 540.
    {"annual members month by month from June",
     {"annual", "--salary", "300000", "--employee-medical", "12000", "--start", "01/06/2015", "--members-by-month",
      "2,2,2,1,1,1,2,2,2,2,2,2"},
     AnnualKeys,
     {{"MedicalCredit", 3 * 270.0 + 6 * 540.0}}},
    // --year 2024: its March and its whole year by default, its table (42 678 + 26 % of 122 900
    // on 360 000), its rebate, and its UIF ceiling of 17 712 as the stored seed is a published one.
    {"monthly 2024 for its March", {"monthly", "--salary", "30000", "--age", "40", "--year", "2024"}, {},
     {{"TaxLiability", (74632.0 - 17235) / 12}, {"UIFEmployee", 177.12}}},
    {"annual 2024 for its whole year", {"annual", "--salary", "360000", "--age", "40", "--year", "2024"}, {},
     {{"TaxLiability", 74632.0 - 17235}}},
    // From 2016/17 pension and R/A are deducted up to 27.5 % of the remuneration, at most
    // 350 000 a year: 2 000 000 - 350 000 = 1 650 000 gives 251 258 + 41 % of 792 100, less
    // 17 235; 600 000 - 165 000 = 435 000 gives 77 362 + 31 % of 64 500, less 17 235.
    {"annual 2024 above the cap", {"annual", "--salary", "2000000", "--pension", "600000", "--age", "40", "--year",
                                   "2024"}, {}, {{"TaxLiability", 558784}}},
    {"annual 2024 the whole salary contributed",
     {"annual", "--salary", "600000", "--pension", "600000", "--year", "2024"}, {}, {{"TaxLiability", 80122}}},
    // 50 000 a month: the same 435 000 a year; the SDL on 50 000 less 165 000 / 12.
    {"monthly 2024 above 27.5 percent", {"monthly", "--salary", "50000", "--pension", "20000", "--year", "2024"}, {},
     {{"TaxLiability", 80122.0 / 12}, {"SDL", 362.5}}},
};
INSTANTIATE_TEST_SUITE_P(Paye, KnownFiguresTest, ::testing::ValuesIn(KnownFigureCases), testing::RowName{});

TEST_F(RevoraCalcTest, MonthlyPrintsTheScreensCaptions)
{
    const CalcRun run = RevoraCalc({"monthly", "--salary", "20000", "--age", "40", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8) << run.out.toStdString();
    EXPECT_TRUE(lines[1].startsWith("UIF contribution Employee") && lines[1].endsWith(" 148.72"));
    EXPECT_TRUE(lines[4].startsWith("Tax liability") && lines[4].endsWith(" 2 882.58"));
    EXPECT_TRUE(lines[7].startsWith("Total tax deduction") && lines[7].endsWith(" 2 882.58"));
}

TEST_F(RevoraCalcTest, SettingsGivenForOneRunLeaveTheSetupRowAsItWas)
{
    const QStringList monthly{"monthly", "--salary", "20000", "--travel", "1000", "--json", DataDirArg()};
    const CalcRun stored = RevoraCalc(monthly);
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    QFile settings(QDir(dataDir.path()).filePath("Settings.db"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "the settings database is made from its seed";
    const QByteArray before = settings.readAll();
    settings.close();

    const CalcRun given = RevoraCalc(QStringList(monthly) << "--employee-uif" << "2" << "--employer-uif" << "0.5"
                                                          << "--sdl" << "0" << "--uif-limit" << "30000"
                                                          << "--travel-inclusion" << "0.2");
    ASSERT_EQ(given.exitCode, 0) << given.err.toStdString();
    const QJsonObject g = JsonOf(given);
    // Base 20 000 + 0.2 x 1 000, under the 30 000 limit.
    EXPECT_NEAR(g.value("TaxableTravelAllowance").toDouble(), 200.0, 1e-9);
    EXPECT_NEAR(g.value("UIFEmployee").toDouble(), 404.0, 1e-9);
    EXPECT_NEAR(g.value("UIFEmployer").toDouble(), 101.0, 1e-9);
    EXPECT_EQ(g.value("SDL").toDouble(), 0.0);

    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll() == before) << "the settings database was written";
    const CalcRun again = RevoraCalc(monthly);
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, stored.out);
    EXPECT_NEAR(JsonOf(again).value("UIFEmployee").toDouble(), 148.72, 1e-9);
}

// A payroll run of 2024 is worked as monthly --year 2024 is, on that year's March; a date of
// another year is refused with the 2024 date box's message.
TEST_F(RevoraCalcTest, AYearsRunIsWorkedAndDatedInThatYear)
{
    const CalcRun outside = RevoraCalc({"monthly", "--year", "2024", "--start", "01/03/2015", DataDirArg()});
    EXPECT_EQ(outside.exitCode, 2);
    EXPECT_EQ(outside.err, "revora-calc: --start: The date entered is not correct please enter a date between "
                           "01/03/2023 and 29/02/2024\n");
    QFile csv(QDir(dataDir.path()).filePath("march.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("employee,age,salary\nA,40,30000\n");
    csv.close();
    const CalcRun run = RevoraCalc(
        {"payroll", "--period", "monthly", "--csv", csv.fileName(), "--year", "2024", "--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject totals = JsonOf(run).value("Totals").toObject();
    EXPECT_NEAR(totals["PAYE"].toDouble(), 4783.08, 1e-9);
    EXPECT_NEAR(totals["UIF"].toDouble(), 2 * 177.12, 1e-9);
}

// Pension and R/A above the period's income: exit 2 and one line naming both, in every
// calculator; the working shows the cap where it bites.
TEST_F(RevoraCalcTest, ContributionsAboveTheIncomeAreRefusedAndTheCapIsExplained)
{
    for (const char* period : {"monthly", "weekly", "fortnightly", "daily", "annual"}) {
        const CalcRun run = RevoraCalc({period, "--salary", "1000", "--pension", "5000", DataDirArg()});
        EXPECT_EQ(run.exitCode, 2) << period;
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(run.err, "revora-calc: --pension: The pension and R/A contributions, 5 000.00, are more than the "
                           "period's income, 1 000.00 (salary, commissions, bonus, taxable travel allowance and the "
                           "employer's medical contribution).\n");
    }
    const CalcRun explained = RevoraCalc(
        {"annual", "--salary", "600000", "--pension", "600000", "--year", "2024", "--explain", DataDirArg()});
    ASSERT_EQ(explained.exitCode, 0) << explained.err.toStdString();
    EXPECT_TRUE(explained.out.contains("27.5 % of the annual remuneration, before pension and R/A"))
        << explained.out.toStdString();
    EXPECT_TRUE(explained.out.contains("165 000.00")) << explained.out.toStdString();
}

class PayeRefusalTest : public RevoraCalcTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PayeRefusalTest, ExitWith2TheOneLineAndNothingWritten)
{
    ExpectRefused(GetParam());
}

const QString FiftyOneCharacters(51, 'x');

const RefusalCase RefusalCases[] = {
    // The period checks, with the screens' own messages.
    {"a start and end in different months",
     {"monthly", "--start", "31/03/2015", "--end", "01/04/2015"},
     "The Start and End dates entered must be for the same Month"},
    {"a start day after the end day",
     {"monthly", "--start", "10/03/2015", "--end", "05/03/2015"},
     "The Start date entered must be before the End date"},
    {"weekly 6 this days with 5 normal",
     {"weekly", "--normal-days", "5", "--this-days", "6"},
     "The number of 'Normal work-week' days must be = to or larger than 'This work-week'."},
    {"fortnightly 15 this days with 14 normal",
     {"fortnightly", "--this-days", "15"},
     "The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'."},
    {"weekly normal days 0",
     {"weekly", "--normal-days", "0", "--this-days", "0"},
     "The number of days must be 1 or more."},
    {"fortnightly this days 0", {"fortnightly", "--this-days", "0"}, "The number of days must be 1 or more."},
    {"an annual end before the start",
     {"annual", "--start", "01/06/2015", "--end", "31/05/2015"},
     "The date entered is not correct please enter a date between 01/06/2015 and 29/02/2016"},
    // Dates the date boxes do not take.
    {"a start date after the tax year",
     {"monthly", "--start", "31/03/2016", "--end", "31/03/2016"},
     "--start: The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016"},
    {"a start date before the tax year",
     {"annual", "--start", "28/02/2015"},
     "--start: The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016"},
    {"an end date that is not a date",
     {"monthly", "--start", "02/03/2015", "--end", "31/02/2015"},
     "--end: The date entered is not correct please enter a date between 02/03/2015 and 29/02/2016"},
    // Counts beyond what the calculations hold.
    {"monthly beneficiaries 184",
     {"monthly", "--beneficiaries", "184"},
     "--beneficiaries: The number of medical aid beneficiaries can be at most 183."},
    {"daily beneficiaries 18",
     {"daily", "--beneficiaries", "18"},
     "--beneficiaries: The number of medical aid beneficiaries can be at most 17."},
    {"beneficiaries below 0", {"monthly", "--beneficiaries", "-1"}, "--beneficiaries: '-1' is below 0"},
    {"a salary below 0", {"monthly", "--salary", "-14500"}, "--salary: '-14500' is below 0"},
    {"members by month with 11 values",
     {"annual", "--members-by-month", "1,1,1,1,1,1,1,1,1,1,1"},
     "--members-by-month: '1,1,1,1,1,1,1,1,1,1,1' must be one count, or twelve from March to February"},
    {"members by month with a 25",
     {"annual", "--members-by-month", "1,1,1,1,1,25,1,1,1,1,1,1"},
     "--members-by-month: Only a maximum of 24 are allowed i.e. Principal member & first beneficiary!"},
    {"members by month 25 for every month",
     {"annual", "--members-by-month", "25"},
     "--members-by-month: Only a maximum of 24 are allowed i.e. Principal member & first beneficiary!"},
    {"annual with beneficiaries", {"annual", "--beneficiaries", "2"}, "--beneficiaries: unknown option"},
    // The printout's and the settings' choices.
    {"language xx", {"daily", "--language", "xx"}, "--language: 'xx' must be en or af"},
    {"a 51 character employee",
     {"monthly", "--employee", FiftyOneCharacters},
     "--employee: the name is longer than 50 characters"},
    {"an inclusion rate of 0.5",
     {"monthly", "--travel-inclusion", "0.5"},
     "--travel-inclusion: '0.5' must be 0.8 or 0.2"},
    {"a skills levy with letters", {"weekly", "--sdl", "1x"}, "--sdl: '1x' is not a number"},
    {"an employee UIF of 150 %", {"monthly", "--employee-uif", "150"}, "--employee-uif: '150' must be 0 to 100"},
};
INSTANTIATE_TEST_SUITE_P(Refused, PayeRefusalTest, ::testing::ValuesIn(RefusalCases), testing::RowName{});

class PayeAcceptedTest : public RevoraCalcTest, public ::testing::WithParamInterface<KnownFigureCase> {};

TEST_P(PayeAcceptedTest, TheLimitsThemselvesAreTaken)
{
    const CalcRun run = RevoraCalc(QStringList(GetParam().arguments) << "--json" << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectFigures(JsonOf(run), {}, GetParam().figures);
}

const KnownFigureCase AcceptedCases[] = {
    // 540 + 181 x 181 = 33 301, the largest credit 16 bits hold.
    {"monthly beneficiaries 183", {"monthly", "--employee-medical", "1", "--beneficiaries", "183"}, {},
     {{"MedicalCredit", 33301.0}}},
    // (6 480 + 15 x 2 172) / 260.
    {"daily beneficiaries 17", {"daily", "--employee-medical", "1", "--beneficiaries", "17"}, {},
     {{"MedicalCredit", (6480.0 + 15 * 2172.0) / 260.0}}},
    // 540 + 22 x 181 = 4 522 a month.
    {"members by month 24", {"annual", "--employee-medical", "1", "--members-by-month", "24"}, {},
     {{"MedicalCredit", 12 * 4522.0}}},
    {"weekly 5 this days with 5 normal", {"weekly", "--normal-days", "5", "--this-days", "5"}, {}, {}},
    {"monthly one day period", {"monthly", "--start", "05/03/2015", "--end", "05/03/2015"}, {}, {}},
    {"a 50 character employee", {"daily", "--employee", QString(50, 'x')}, {}, {}},
    // The UIF of the capped remuneration: 1 % of 14 872.
    {"the oldest age and the largest salary", {"monthly", "--age", "130.5", "--salary", "999999999999.99"}, {},
     {{"UIFEmployee", 148.72}}},
    {"an inclusion rate of 0.2", {"daily", "--travel", "100", "--travel-inclusion", "0.2"}, {},
     {{"UIFEmployee", 0.2}}},
};
INSTANTIATE_TEST_SUITE_P(Paye, PayeAcceptedTest, ::testing::ValuesIn(AcceptedCases), testing::RowName{});

struct PrintoutCase {
    const char* name;
    QStringList arguments;
    const char* heading; // TypeAM in Afrikaans
};

class AfrikaansPrintoutTest : public RevoraCalcTest, public ::testing::WithParamInterface<PrintoutCase> {};

TEST_P(AfrikaansPrintoutTest, ReportWritesAPdfWithTheAfrikaansHeading)
{
    const PrintoutCase& c = GetParam();
    const QString pdf = QDir(dataDir.path()).filePath("F.pdf");
    const CalcRun run = RevoraCalc(QStringList(c.arguments)
                                   << "--language" << "af" << "--employee" << "Thandi Mokoena" << "--report" << pdf
                                   << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(dataDir.path()).filePath("Crysprin.db")));
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(c.heading)) << text.toStdString();
    EXPECT_TRUE(text.contains("Vir : Thandi Mokoena")) << text.toStdString();
}

const PrintoutCase PrintoutCases[] = {
    {"monthly", {"monthly", "--salary", "20000"}, "Maandelikse Inkomste"},
    {"weekly", {"weekly", "--salary", "5000"}, "Weeklikse Inkomste"},
    {"fortnightly", {"fortnightly", "--salary", "10000"}, "Twee Weeklikse Inkomste"},
    {"daily", {"daily", "--salary", "1000"}, "Daaglikse Inkomste"},
    {"annual", {"annual", "--salary", "300000"}, "Jaarlikse Inkomste"},
};
INSTANTIATE_TEST_SUITE_P(Paye, AfrikaansPrintoutTest, ::testing::ValuesIn(PrintoutCases), testing::RowName{});

TEST_F(RevoraCalcTest, HelpListsThePayeCalculatorsAndTheirOptions)
{
    const CalcRun run = RevoraCalc({"--help"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* text : {"monthly:", "weekly:", "fortnightly:", "daily:", "annual:", "--employer-medical",
                             "--members-by-month", "--normal-days", "--travel-inclusion", "--language"})
        EXPECT_TRUE(run.out.contains(text)) << text;
}

} // namespace
} // namespace revora
