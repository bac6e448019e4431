// revora-calc from the outside: the figures it prints, its JSON, its report files, and its
// refusal of bad command lines.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>

#include "FileContents.h"
#include "TestSupport.h"
#include "cli/RevoraCalc.h"

namespace revora {
namespace {

TEST_F(RevoraCalcTest, QuickTaxPrintsTheTenCaptionedFigures)
{
    const CalcRun run = RevoraCalc({"quicktax", "--income", "500000", "--age", "40", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    struct Line {
        const char* caption;
        const char* figure;
    };
    const Line expected[] = {
        {"Taxable Income", "500 000.00"},
        {"Age", "40"},
        {"Tax on taxable income", "93 135.00"},
        {"Marginal rate (%)", "36.00"},
        {"+ Portion @ M/Rate", "38 448.00"},
        {"Total tax", "131 583.00"},
        {"Less rebates", "13 257.00"},
        {"Tax commitment", "118 326.00"},
        {"Average rate before rebates", "26.3166"},
        {"Average rate after rebates", "23.6652"},
    };
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(std::size(expected))) << run.out.toStdString();
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].caption);
        const QString line = lines[static_cast<qsizetype>(i)];
        EXPECT_TRUE(line.startsWith(expected[i].caption)) << line.toStdString();
        EXPECT_TRUE(line.endsWith(QString(" ") + expected[i].figure)) << line.toStdString();
    }
    EXPECT_TRUE(FilesInDataDir().isEmpty()) << "no database without --report or --print";
}

TEST_F(RevoraCalcTest, JsonIsOneObjectWithTheTenFigures)
{
    const CalcRun run = RevoraCalc({"quicktax", "--income", "500000", "--age", "40", "--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
    ASSERT_TRUE(document.isObject());
    const QJsonObject object = document.object();

    const QStringList keys{"TaxableIncome", "Age",           "BaseTax",     "MarginalRate", "PortionTax",
                           "TotalTax",      "TotalRebate",   "TaxCommitment", "AverageRate",
                           "AverageRateAfterRebates"};
    const QStringList printed = object.keys();
    EXPECT_EQ(QSet<QString>(printed.begin(), printed.end()), QSet<QString>(keys.begin(), keys.end()))
        << printed.join(", ").toStdString();
    EXPECT_EQ(object.value("TaxableIncome").toDouble(), 500000);
    EXPECT_EQ(object.value("Age").toDouble(), 40);
    EXPECT_EQ(object.value("TaxCommitment").toDouble(), 118326);
    EXPECT_NEAR(object.value("AverageRate").toDouble(), 26.3166, 1e-9);
    EXPECT_NEAR(object.value("AverageRateAfterRebates").toDouble(), 23.6652, 1e-9);
}

// --explain: the working follows the figures, its last amount the calculator's headline figure;
// without it the JSON is as it was.
struct ExplainCase {
    const char* name;
    QStringList arguments;
    const char* headline; // the JSON key the last step's amount equals ("Rows/5/TotalPaid")
    const char* vehicles = nullptr; // the company car's vehicles file
};

class ExplainTest : public RevoraCalcTest, public ::testing::WithParamInterface<ExplainCase> {};

TEST_P(ExplainTest, TheWorkingEndsWithTheHeadlineFigure)
{
    const ExplainCase& c = GetParam();
    QStringList arguments = c.arguments;
    QTemporaryDir files;
    if (c.vehicles) {
        QFile file(files.filePath("cars.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.vehicles);
        arguments << "--vehicles" << file.fileName();
    }
    const CalcRun plain = RevoraCalc(QStringList(arguments) << "--json" << DataDirArg());
    ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
    EXPECT_FALSE(QJsonDocument::fromJson(plain.out.toUtf8()).object().contains("Explanation"));

    const CalcRun run = RevoraCalc(QStringList(arguments) << "--json" << "--explain" << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QJsonArray steps = object.value("Explanation").toArray();
    ASSERT_FALSE(steps.isEmpty()) << run.out.toStdString();
    for (const QJsonValue& step : steps) {
        EXPECT_FALSE(step["Step"].toString().isEmpty());
        EXPECT_FALSE(step["Working"].toString().isEmpty());
        EXPECT_TRUE(step["Amount"].isDouble()) << "a figure that is not finite";
    }
    QJsonValue headline = object;
    for (const QString& key : QString(c.headline).split('/'))
        headline = headline.isArray() ? headline[key.toInt()] : headline[key];
    // The daily balance's interest is worked in single precision and printed as such.
    EXPECT_NEAR(steps.last()["Amount"].toDouble(), headline.toDouble(), 1e-7 * std::abs(headline.toDouble()))
        << run.out.toStdString();

    const CalcRun text = RevoraCalc(QStringList(arguments) << "--explain" << DataDirArg());
    EXPECT_TRUE(text.out.contains("\nHow these figures were worked out\n1. ")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains(QStringLiteral("\n%1. ").arg(steps.size())));
}

const ExplainCase ExplainCases[] = {
    {"quick tax", {"quicktax", "--income", "240000", "--age", "70"}, "TaxCommitment"},
    {"a part month with a bonus", {"monthly", "--salary", "20000", "--bonus", "5000", "--start", "10/03/2015"},
     "TotalTaxDeduction"},
    {"a week of three days", {"weekly", "--salary", "5000", "--normal-days", "5", "--this-days", "3"},
     "TotalTaxDeduction"},
    {"a fortnight at 70 on a medical scheme",
     {"fortnightly", "--age", "70", "--salary", "8000", "--employer-medical", "600", "--beneficiaries", "1"},
     "TotalTaxDeduction"},
    {"a day", {"daily", "--salary", "1000", "--employee-medical", "100", "--beneficiaries", "1"}, "TotalTaxDeduction"},
    {"a part year", {"annual", "--salary", "182000", "--bonus", "10000", "--end", "31/08/2015"}, "TotalTaxDeduction"},
    {"a gross-up", {"grossup", "--net", "10000", "--age", "40", "--ra", "5000"}, "TotalCostToCompany"},
    {"a net pay", {"netpay", "--monthly", "--net", "20000", "--pension-pct", "7.5"}, "NetSalary"},
    {"two company cars", {"companycar", "--actual-3802", "36600"}, "TotAdjustTaxableInc",
     R"([{"CCRegNumber": "A", "CCPrice": 200000, "CCEndDate": "08/06/2015"},
         {"CCRegNumber": "B", "CCPrice": 250000, "CCStartDate": "09/06/2015"}])"},
    {"a travel allowance at deemed costs",
     {"travel", "--value", "150000", "--allowance", "40000", "--close-km", "60000", "--open-km", "30000",
      "--business-km", "20000"},
     "DeductionClaim"},
    {"a loan's repayment", {"loan", "--principal", "100000", "--months", "240", "--rate", "12"}, "Repayment"},
    {"a loan's rate", {"loan", "--solve", "rate", "--principal", "100000", "--months", "240", "--repayment", "1101.08"},
     "Rate"},
    {"a loan's period", {"loan", "--solve", "period", "--principal", "1000", "--rate", "12", "--repayment", "300"},
     "Months"},
    {"a loan's principal",
     {"loan", "--solve", "principal", "--months", "240", "--rate", "12", "--repayment", "1101.09"}, "Principal"},
    {"a loan buster", {"loanbuster", "--principal", "100000", "--months", "240", "--rate", "12", "--extra", "100"},
     "Saving"},
    {"a loan comparison", {"loancompare", "--amount", "100000", "--rate", "12"}, "Rows/5/TotalPaid"},
    {"daily balance interest",
     {"dailybalance", "--capital", "100000", "--rate", "10", "--start", "01/03/2015", "--end", "31/03/2015"},
     "Interest"},
    {"inflation", {"inflation", "--cost", "100000", "--rate", "6", "--years", "10"}, "FutureValue"},
};
INSTANTIATE_TEST_SUITE_P(EveryCalculator, ExplainTest, ::testing::ValuesIn(ExplainCases), testing::RowName{});

struct BadArgumentsCase {
    const char* name;
    QStringList arguments;
    const char* named; // what the one line of complaint must name
};

class BadArgumentsTest : public RevoraCalcTest, public ::testing::WithParamInterface<BadArgumentsCase> {};

TEST_P(BadArgumentsTest, ExitWith2OneLineNamingTheOptionAndNoDatabase)
{
    const BadArgumentsCase& c = GetParam();
    QStringList arguments = c.arguments;
    // The report file, where a case names one, goes beside the databases.
    for (QString& argument : arguments)
        argument.replace("@", dataDir.path());
    const CalcRun run = RevoraCalc(arguments << DataDirArg());

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith('\n'));
    EXPECT_TRUE(run.err.contains(c.named)) << run.err.toStdString();
    EXPECT_TRUE(FilesInDataDir().isEmpty()) << FilesInDataDir().join(", ").toStdString();
}

const BadArgumentsCase BadArgumentsCases[] = {
    {"an unknown option", {"quicktax", "--incme", "500000"}, "--incme"},
    {"an income with letters after the digits", {"quicktax", "--income", "12x"}, "--income"},
    {"an income that is not finite", {"quicktax", "--income", "inf"}, "--income"},
    {"an age beyond 16 bits", {"quicktax", "--income", "500000", "--age", "40000"}, "--age"},
    {"an age with no value", {"quicktax", "--income", "500000", "--age"}, "--age"},
    {"no income at all", {"quicktax", "--age", "40"}, "--income"},
    {"a value for a flag", {"quicktax", "--income", "500000", "--json=yes"}, "--json"},
    {"an unknown calculator", {"paye", "--income", "500000"}, "paye"},
    {"a report file that is not pdf odt or html", {"quicktax", "--income", "500000", "--report", "@/F.txt"},
     "--report"},
    {"a year the data does not hold", {"quicktax", "--income", "1", "--year", "2013"},
     "--year: 2013 is not a tax year of the data; the years are 2015 to 2027"},
};
INSTANTIATE_TEST_SUITE_P(Refused, BadArgumentsTest, ::testing::ValuesIn(BadArgumentsCases), testing::RowName{});

// Every number is held to its box's limits, the same in every calculator, so no figure is worked
// from a value no box takes.
class BoxLimitTest : public RevoraCalcTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(BoxLimitTest, ExitWith2TheOneLineNamingTheLimitAndNothingWritten) { ExpectRefused(GetParam()); }

const RefusalCase BoxLimitCases[] = {
    {"a negative income", {"quicktax", "--income", "-1"}, "--income: '-1' is below 0"},
    {"an income of nineteen digits", {"quicktax", "--income", "9999999999999999999"},
     "--income: '9999999999999999999' must be 0 to 999 999 999 999.99"},
    {"an income whose tax would overflow", {"quicktax", "--income", "1.7e308"},
     "--income: '1.7e308' must be 0 to 999 999 999 999.99"},
    {"a negative age", {"quicktax", "--income", "1", "--age", "-1"}, "--age: '-1' is below 0"},
    {"an age of 1 000", {"monthly", "--age", "1000"}, "--age: '1000' must be 0 to 130"},
    {"an age that rounds above 130", {"annual", "--age", "130.51"}, "--age: '130.51' must be 0 to 130"},
    {"an age of 131 in a package", {"grossup", "--net", "1000", "--age", "131"}, "--age: '131' must be 0 to 130"},
    {"a monthly salary of 1e308", {"monthly", "--salary", "1e308"},
     "--salary: '1e308' must be 0 to 999 999 999 999.99"},
    {"a weekly bonus beyond the box", {"weekly", "--bonus", "1e12"}, "--bonus: '1e12' must be 0 to 999 999 999 999.99"},
    {"a daily pension beyond the box", {"daily", "--pension", "3.65e305"},
     "--pension: '3.65e305' must be 0 to 999 999 999 999.99"},
    {"a pension percentage below 0", {"netpay", "--net", "100000", "--pension-pct", "-50"},
     "--pension-pct: '-50' is below 0"},
    {"an employer's pension of -1e15 %", {"grossup", "--net", "1000", "--employer-pension-pct", "-1e15"},
     "--employer-pension-pct: '-1e15' is below 0"},
    {"a provident percentage above 100", {"grossup", "--net", "1000", "--provident-pct", "100.01"},
     "--provident-pct: '100.01' must be 0 to 100"},
    {"another deduction beyond the box", {"grossup", "--net", "1000", "--other", "Loan:1e12"},
     "--other: 'Loan:1e12' has an amount above 999 999 999 999.99"},
    {"a payroll file that is a device", {"payroll", "--period", "monthly", "--csv", "/dev/zero"},
     "--csv: /dev/zero: is not a file but a device or socket; a payroll file is a CSV file saved from a spreadsheet"},
};
INSTANTIATE_TEST_SUITE_P(Refused, BoxLimitTest, ::testing::ValuesIn(BoxLimitCases), testing::RowName{});

// --year works in that year's table, and the printout names it; 2016 gives today's answer.
TEST_F(RevoraCalcTest, QuickTaxWorksInTheYearGiven)
{
    const QStringList income{"quicktax", "--income", "500000", "--age", "40", DataDirArg()};
    const CalcRun run = RevoraCalc(QStringList(income) << "--year" << "2024" << "--json");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectFigures(JsonOf(run), {}, {{"TotalTax", 117507}, {"TaxCommitment", 100272}});
    EXPECT_EQ(RevoraCalc(QStringList(income) << "--year" << "2016").out, RevoraCalc(income).out);
    const QString html = dataDir.filePath("tax.html");
    ASSERT_EQ(RevoraCalc(QStringList(income) << "--year" << "2024" << "--report" << html).exitCode, 0);
    const QString printed = QString::fromUtf8(testing::ReadAll(html));
    EXPECT_TRUE(printed.contains("Tax year 1 March 2023 to 29 February 2024")) << printed.toStdString();
    EXPECT_FALSE(printed.contains("2015")) << printed.toStdString();
}

TEST_F(RevoraCalcTest, ReportWritesTheDatabaseAndThePdf)
{
    QTemporaryDir reportDir;
    ASSERT_TRUE(reportDir.isValid());
    const QString pdf = reportDir.filePath("F.pdf");
    const CalcRun run = RevoraCalc({"quicktax", "--income", "500000", "--age", "40", "--report", pdf, "--data-dir",
                                dataDir.path()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(dataDir.path()).filePath("Crysprin.db")));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no report file";
    EXPECT_TRUE(file.read(4) == "%PDF");
}

TEST_F(RevoraCalcTest, ADataDirThatDoesNotExistYetIsMade)
{
    const QString folder = QDir(dataDir.path()).filePath("new/data");
    const QString html = QDir(dataDir.path()).filePath("tax.html");
    const CalcRun run = RevoraCalc({"quicktax", "--income", "500000", "--report", html, "--data-dir", folder});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath("Crysprin.db")));
    EXPECT_TRUE(QFileInfo::exists(html));
}

TEST_F(RevoraCalcTest, ADataDirThatCannotBeMadeIsNamedAsMissing)
{
    QFile blocker(QDir(dataDir.path()).filePath("a file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = QDir(blocker.fileName()).filePath("data");
    const CalcRun run = RevoraCalc({"quicktax", "--income", "500000", "--report", dataDir.path() + "/tax.html",
                                    "--data-dir", folder});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(folder + "/Crysprin.db")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("its folder does not exist")) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dataDir.path() + "/tax.html"));
}

// The thirteen years of the data, newest first, each with what it holds and what rests on one source.
TEST_F(RevoraCalcTest, YearsListsTheThirteenYearsNewestFirst)
{
    const CalcRun run = RevoraCalc({"years", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray years = QJsonDocument::fromJson(run.out.toUtf8()).array();
    ASSERT_EQ(years.size(), 13) << run.out.toStdString();
    for (qsizetype i = 0; i < years.size(); ++i)
        EXPECT_EQ(years[i]["Year"].toInt(), 2027 - i);
    const QString text = RevoraCalc({"years"}).out;
    EXPECT_TRUE(text.contains("\n2025  2024/25  01/03/2024 to 28/02/2025\n  holds: tax table (7 brackets), rebates, "
                              "medical credits, UIF 1 % + 1 % (ceiling R 17 712 a month), SDL 1 %, deemed-cost travel "
                              "table, prescribed rate per km (484 c), company car rates, retirement: one deduction of "
                              "27.5 %, at most R 350 000 a year\n  missing: nothing\n  single-sourced: travel table\n"))
        << text.toStdString();
}

// Years in the data folder's tax-years/ stand alone: a damaged 2023 is listed as refused and
// refuses --year 2023 alone, and a damaged 2016 the calculations without --year; a corrected 2024
// takes the shipped one's place, marked "added here" in the list and in the printout.
TEST_F(RevoraCalcTest, YearsAddedInTheDataFolderStandAlone)
{
    ASSERT_TRUE(QDir(dataDir.path()).mkdir("tax-years"));
    const QString shipped = QFileInfo(REVORA_CALC).absolutePath() + "/tax-years/";
    const auto add = [&](const char* name, const char* from, const char* to) {
        QFile file(dataDir.filePath(QStringLiteral("tax-years/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(testing::ReadAll(shipped + name).replace(from, to));
    };
    add("2023.json", "\"sdl_rate\": 0.01,", "\"sdl_rate\": 0.01, \"sdl_rate\": 0.5,");
    add("2024.json", "\"main_member\": 364", "\"main_member\": 400");
    add("2016.json", "\"sdl_rate\": 0.01,", "\"sdl_rate\": 0.01, \"sdl_rate\": 0.5,");
    const QString refusal = "The file " + dataDir.filePath("tax-years/2023.json") +
                            " could not be used: sdl_rate is given twice.";

    const CalcRun years = RevoraCalc({"years", DataDirArg()});
    ASSERT_EQ(years.exitCode, 0) << years.err.toStdString();
    EXPECT_TRUE(years.out.contains("\n2024  2023/24 (added here)  01/03/2023 to 29/02/2024\n")) << years.out.toStdString();
    EXPECT_TRUE(years.out.contains("\n2023  refused: " + refusal + "\n2022  2021/22  ")) << years.out.toStdString();

    const QStringList income{"quicktax", "--income", "500000", DataDirArg(), "--year"};
    const CalcRun damaged = RevoraCalc(QStringList(income) << "2023");
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_EQ(damaged.err, "revora-calc: " + refusal + "\n");
    EXPECT_EQ(RevoraCalc(QStringList(income) << "2022").exitCode, 0);
    EXPECT_EQ(RevoraCalc(income.mid(0, 4)).exitCode, 1);
    const QString html = dataDir.filePath("tax.html");
    ASSERT_EQ(RevoraCalc(QStringList(income) << "2024" << "--report" << html).exitCode, 0);
    const QString printed = QString::fromUtf8(testing::ReadAll(html));
    EXPECT_TRUE(printed.contains("Tax year 1 March 2023 to 29 February 2024 (added here)")) << printed.toStdString();
}

// --help lists the calculators and their options under the version the main window's caption
// shows; --version is that one line.
TEST_F(RevoraCalcTest, HelpAndVersionAnswer)
{
    const std::pair<QStringList, QStringList> rows[] = {
        {{"--help"},
         {"revora-calc 1.05.000: ", "quicktax", "--income", "--age", "--json", "--report", "--print", "--data-dir",
          "age in whole years, 0 to 130", "income (required) (0 to 999 999 999 999.99)", "revora-calc --version"}},
        {{"--version"}, {"Revora 2016 Ver: 1.05.000\n"}},
        {{"--version", DataDirArg()}, {"Revora 2016 Ver: 1.05.000\n"}},
    };
    for (const auto& [arguments, texts] : rows) {
        const CalcRun run = RevoraCalc(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        for (const QString& text : texts)
            EXPECT_TRUE(run.out.contains(text)) << arguments.join(' ').toStdString() << text.toStdString();
    }
    EXPECT_EQ(RevoraCalc({"--version"}).out, "Revora 2016 Ver: 1.05.000\n");
}

// CALCULATOR --help lists that calculator's options and no other calculator's.
TEST_F(RevoraCalcTest, ACalculatorsHelpListsItsOptionsAlone)
{
    const QStringList rows[][2] = {
        {{"monthly:", "--start", "--language", "--json"}, {"quicktax:", "weekly:", "--income", "--normal-days"}},
        {{"grossup:", "--reference-search", "--directive"}, {"netpay:", "monthly:"}},
        {{"settings:", "--set", "--data-dir"}, {"--report", "inflation:"}},
    };
    for (const auto& [listed, absent] : rows) {
        const CalcRun run = RevoraCalc({listed[0].chopped(1), "--help"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        for (const QString& text : listed + absent)
            EXPECT_EQ(run.out.contains(text), listed.contains(text)) << listed[0].toStdString() << text.toStdString();
    }
}

// Every calculator's declaration holds as revora-calc starts, and its readers ask only for
// options it declares: given every option its help lists, each one a value its placeholder
// allows, it answers or refuses, and never stops on a fault of its own.
TEST_F(RevoraCalcTest, EveryCalculatorReadsOnlyTheOptionsItDeclares)
{
    QFile vehicles(dataDir.filePath("vehicles.json"));
    ASSERT_TRUE(vehicles.open(QIODevice::WriteOnly) && vehicles.write("[{}]") == 4);
    vehicles.close();
    const auto valueFor = [&](const QString& placeholder) -> QString {
        if (placeholder.contains('|'))
            return placeholder.section('|', 0, 0);
        const QMap<QString, QString> values{{"dd/mm/yyyy", "01/03/2015"}, {"FILE", vehicles.fileName()},
                                            {"COLUMN=VALUE", "PensionCont=1"},
                                            {"DESCRIPTION:AMOUNT[:COST-TO-COMPANY]", "a:1"}};
        return values.value(placeholder, "1");
    };
    QStringList calculator;
    const auto run = [&] {
        const CalcRun answer = RevoraCalc(calculator << DataDirArg());
        EXPECT_TRUE(answer.exitCode >= 0 && answer.exitCode <= 2) << answer.err.toStdString();
    };
    for (const QString& line : RevoraCalc({"--help"}).out.split('\n')) {
        const QString head = line.section(": ", 0, 0);
        if (line.contains(": ") && !head.contains(' ') && head != "usage") {
            if (!calculator.isEmpty())
                run();
            calculator = {head};
        }
        // No report or printer, and the data folder is the test's own.
        const QString name = line.trimmed().section(' ', 0, 0);
        const QStringList skipped{"--report", "--print", "--data-dir"};
        if (calculator.isEmpty() || !name.startsWith("--") || skipped.contains(name))
            continue;
        calculator << name;
        const QString rest = line.trimmed().section(' ', 1).trimmed();
        if (rest.contains("  "))
            calculator << valueFor(rest.section("  ", 0, 0));
    }
    ASSERT_EQ(calculator.value(0), "settings");
    run();
}

} // namespace
} // namespace revora
