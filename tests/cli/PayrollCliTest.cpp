// revora-calc payroll: every employee of a file worked as the single calculator works them,
// the declaration's totals summed from the payslips' cents, and a bad file refused whole.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <cmath>

#include "TestSupport.h"
#include "cli/RevoraCalc.h"

namespace revora {
namespace {

class PayrollCliTest : public RevoraCalcTest {
protected:
    QString File(const QByteArray& text)
    {
        const QString path = QDir(files.path()).filePath("june.csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        return path;
    }
    QTemporaryDir files;
};

// Each row as the file gives it, and again as the single calculator's options.
struct RunCase {
    const char* period;
    QByteArray header;
    std::vector<QByteArray> rows;
};

const RunCase RunCases[] = {
    {"monthly",
     "employee,age,salary,bonus,employer-medical,employee-medical,beneficiaries,travel,start,end",
     {"part month,40,20000,,,,,,10/03/2015,31/03/2015", "bonus month,40,20000,15000,,,,,,",
      "\"Botha, on a scheme\",42,25000,,1500,500,3,3000,,", "sixty-five,65,18000,,800,800,1,,,",
      "seventy-five,75,9000,,,1200,2,,,", "over the UIF limit,50,60000,,,,,,,"}},
    {"weekly", "employee,age,salary,normal-days,this-days,bonus",
     {"short week,30,5000,5,3,3000", "whole week,66,4000,5,5,"}},
    {"daily", "employee,age,salary,employee-medical,beneficiaries", {"a day,40,1000,100,1"}},
};

TEST_F(PayrollCliTest, EveryEmployeeIsWorkedAsTheSingleCalculatorAndTheTotalsAddUpThePayslips)
{
    for (const RunCase& c : RunCases) {
        SCOPED_TRACE(c.period);
        QByteArray text = c.header + '\n';
        for (const QByteArray& row : c.rows)
            text += row + '\n';
        const CalcRun run = RevoraCalc({"payroll", "--period", c.period, "--csv", File(text), "--json", DataDirArg()});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject all = JsonOf(run);
        const QJsonArray employees = all["Employees"].toArray();
        ASSERT_EQ(employees.size(), static_cast<qsizetype>(c.rows.size()));

        const QList<QByteArray> columns = c.header.split(',');
        double paye = 0, uif = 0, sdl = 0;
        for (qsizetype i = 0; i < employees.size(); ++i) {
            // The single calculator on the same values: the row split where no quote protects a comma.
            QStringList arguments{c.period};
            const QStringList values = QString(c.rows[i]).split(QRegularExpression(R"(,(?=(?:[^"]*"[^"]*")*[^"]*$))"));
            for (qsizetype k = 1; k < columns.size(); ++k)
                if (!values[k].isEmpty())
                    arguments << "--" + columns[k] << values[k];
            QJsonObject single = JsonOf(RevoraCalc(arguments << "--json" << DataDirArg()));
            QJsonObject employee = employees[i].toObject();
            EXPECT_EQ(employee.take("Employee").toString(), QString(values[0]).remove('"'));
            EXPECT_EQ(employee, single) << c.rows[i].toStdString();
            paye += std::round(single["TotalTaxDeduction"].toDouble() * 100);
            uif += std::round(single["UIFEmployee"].toDouble() * 100) + std::round(single["UIFEmployer"].toDouble() * 100);
            sdl += std::round(single["SDL"].toDouble() * 100);
        }
        const QJsonObject totals = all["Totals"].toObject();
        EXPECT_EQ(totals["Employees"].toDouble(), static_cast<double>(c.rows.size()));
        EXPECT_DOUBLE_EQ(totals["PAYE"].toDouble(), paye / 100);
        EXPECT_DOUBLE_EQ(totals["UIF"].toDouble(), uif / 100);
        EXPECT_DOUBLE_EQ(totals["SDL"].toDouble(), sdl / 100);
        EXPECT_DOUBLE_EQ(totals["EMP201Total"].toDouble(), (paye + uif + sdl) / 100);
    }
}

TEST_F(PayrollCliTest, ABadFileIsRefusedWholeLineByLineAndNothingIsWritten)
{
    const CalcRun run = RevoraCalc({"payroll", "--period", "monthly", "--csv",
                                    File("employee,age,salary\nA,40,12a00\nB,40,1000\nC,-3,100\nD,40,\x1b[2J\n"),
                                    DataDirArg()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(run.err.count('\n'), 3) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("june.csv line 2, salary: '12a00' is not an amount")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("june.csv line 4, age:")) << run.err.toStdString();
    // The file's ESC is spelt out, not sent to the terminal.
    EXPECT_TRUE(run.err.contains("june.csv line 5, salary: '\\x1b[2J' is not an amount")) << run.err.toStdString();
    EXPECT_TRUE(FilesInDataDir().isEmpty()) << FilesInDataDir().join(", ").toStdString();
}

// A monthly run is the month of its first row, worked at that month's levies: the UIF ceiling
// rose from 14 872 to 17 712 on 1 June 2021; no SDL was paid from May to August 2020.
struct MonthCase {
    const char* name;
    const char* year;
    const char* row; // start,end
    double uifEmployee;
    double sdl;
};
class PayrollMonthTest : public PayrollCliTest, public ::testing::WithParamInterface<MonthCase> {};

TEST_P(PayrollMonthTest, WorksTheRunAtItsMonthsLevies)
{
    const MonthCase& c = GetParam();
    const CalcRun run = RevoraCalc({"payroll", "--period", "monthly", "--year", c.year, "--json", "--csv",
                                    File(QByteArray("employee,age,salary,start,end\nA,40,20000,") + c.row + '\n'),
                                    DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject employee = JsonOf(run)["Employees"].toArray().at(0).toObject();
    EXPECT_NEAR(employee["UIFEmployee"].toDouble(), c.uifEmployee, 1e-9);
    EXPECT_NEAR(employee["SDL"].toDouble(), c.sdl, 1e-9);
}
const MonthCase MonthCases[] = {
    {"May 2021, before the ceiling rose", "2022", "01/05/2021,31/05/2021", 148.72, 200},
    {"July 2021, after it rose", "2022", "01/07/2021,31/07/2021", 177.12, 200},
    {"May 2020, in the SDL holiday", "2021", "01/05/2020,31/05/2020", 148.72, 0},
    {"August 2020, its last month", "2021", "01/08/2020,15/08/2020", 148.72, 0},
};
INSTANTIATE_TEST_SUITE_P(Levies, PayrollMonthTest, ::testing::ValuesIn(MonthCases), testing::RowName{});

// Contributions above a row's income are refused once the settings' inclusion rate is read.
TEST_F(PayrollCliTest, ARowsContributionsAboveItsIncomeRefuseTheFile)
{
    const CalcRun run = RevoraCalc({"payroll", "--period", "monthly", "--csv",
                                    File("employee,age,salary,pension\nA,40,1000,500\nB,40,1000,5000\n"), DataDirArg()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains("june.csv line 3, pension: The pension and R/A contributions, 5 000.00, are more "
                                 "than the period's income, 1 000.00 (")) << run.err.toStdString();
}

// The table cuts and pads a name by characters, not bytes, and keeps the largest figures apart.
TEST_F(PayrollCliTest, TheTableLinesUpWhateverTheNamesAndAmounts)
{
    const QString name = QString(40, QChar(0x0416)); // two bytes each in UTF-8
    const CalcRun run = RevoraCalc({"payroll", "--period", "monthly", "--csv",
                                    File("employee,age,salary,commission,bonus\n" + name.toUtf8() +
                                         ",40,999999999999.99,999999999999.99,999999999999.99\nAnn,40,1,,\n"),
                                    DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n').mid(0, 3);
    EXPECT_EQ(lines[1].left(30), name.left(29) + ' ');
    for (const QString& line : lines) {
        // Two blanks or more between columns: five figures after the name, each one amount.
        const QStringList figures = line.mid(30).trimmed().split(QRegularExpression("\\s{2,}"));
        EXPECT_EQ(figures.size(), 5) << line.toStdString();
        EXPECT_EQ(line.size(), lines[0].size()) << line.toStdString();
    }
}

TEST_F(PayrollCliTest, TheTemplateStartsAFileTheRunReads)
{
    const CalcRun header = RevoraCalc({"payroll", "--template", "weekly"});
    ASSERT_EQ(header.exitCode, 0);
    const QStringList columns = header.out.trimmed().split(',');
    EXPECT_EQ(columns.mid(0, 3), (QStringList{"employee", "age", "salary"}));
    EXPECT_TRUE(columns.contains("normal-days") && !columns.contains("start"));
    const QString row = "Thandi,40,5000" + QString(",").repeated(columns.size() - 3);
    const CalcRun run = RevoraCalc({"payroll", "--period", "weekly", "--csv",
                                    File(header.out.toUtf8() + row.toUtf8() + '\n'), DataDirArg()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
}

// The summary declares the run's totals; the payslips are a page each, in the language asked for.
TEST_F(PayrollCliTest, TheSummaryHoldsTheTotalsAndEveryPayslipIsAPage)
{
    const QString csv = File("employee,age,salary,bonus\nThandi,40,20000,\nSipho,30,9000,1000\nAnna,70,30000,\n");
    const QString summary = QDir(files.path()).filePath("june.html");
    const CalcRun run = RevoraCalc({"payroll", "--period", "monthly", "--csv", csv, "--report", summary, DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile html(summary);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(html.readAll());
    const QStringList totals = run.out.split('\n').filter(QRegularExpression("^(PAYE|UIF|SDL|EMP201 total) "));
    ASSERT_EQ(totals.size(), 4) << run.out.toStdString();
    for (const QString& line : totals) // "PAYE   13 998.26": the figure after the caption's column
        EXPECT_TRUE(text.contains("R " + line.section(QRegularExpression("\\s{2,}"), 1).trimmed())) << line.toStdString();

    for (const QString language : {"en", "af"}) {
        const QString pdf = QDir(files.path()).filePath("slips-" + language + ".pdf");
        const CalcRun slips = RevoraCalc({"payroll", "--period", "monthly", "--csv", csv, "--payslips", pdf,
                                          "--language", language, DataDirArg()});
        ASSERT_EQ(slips.exitCode, 0) << slips.err.toStdString();
        const QStringList pages = PdfText(pdf).split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), 3) << language.toStdString();
        EXPECT_TRUE(pages[1].contains(language == "af" ? "Vir : Sipho" : "For : Sipho")) << pages[1].toStdString();
        EXPECT_EQ(pages[1].contains("Maandelikse Inkomste"), language == "af");
    }
}

TEST_F(PayrollCliTest, APrintoutThatCannotBeWrittenAsAskedIsRefusedFirst)
{
    const QStringList run{"payroll", "--period", "monthly", "--csv", File("employee,age,salary\nThandi,40,20000\n")};
    ExpectRefused({"payslips of no known kind", QStringList(run) << "--payslips" << "slips.txt",
                   "--payslips: 'slips.txt' must end in .pdf, .odt or .html"});
    ExpectRefused({"a language without payslips", QStringList(run) << "--language" << "af",
                   "--language: the payslips' language, given with --payslips"});
}

} // namespace
} // namespace revora
