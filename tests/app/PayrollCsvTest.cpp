// The payroll file: what refuses it, with the message a clerk sees, and what it accepts.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <sys/stat.h>
#include <utility>

#include "PayrollCsv.h"
#include "PayrollFile.h"
#include "TestSupport.h"
#include "common/DayDate.h"

namespace revora {
namespace {

const MonthlyPeriod April{ParseDayDate("01/04/2015").value(), ParseDayDate("30/04/2015").value()};

// As a run reads it: the file, then its contributions at the settings' 80 % inclusion rate.
PayrollCsv Read(PayPeriod period, std::string_view bytes)
{
    PayrollCsv csv = ReadPayrollCsv("june.csv", bytes, period, April);
    CheckPayrollContributions(csv, "june.csv", 0.8);
    return csv;
}

struct RefusedCase {
    const char* name;
    PayPeriod period;
    const char* file;
    const char* ending; // of the refusal text
};

class PayrollCsvRefusalTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(PayrollCsvRefusalTest, RefusesTheWholeFile)
{
    const PayrollCsv csv = Read(GetParam().period, GetParam().file);
    const std::string text = PayrollCsvRefusalText(csv);
    EXPECT_TRUE(csv.Employees.empty());
    const std::string_view ending = GetParam().ending;
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), ending.size())), ending);
}

constexpr auto M = PayPeriod::Monthly;
const RefusedCase RefusedCases[] = {
    {"an empty file", M, "\xEF\xBB\xBF\n",
     "june.csv is empty: its first line names the columns, then each line is an employee"},
    {"a header alone", M, "employee,age,salary\n\n", "june.csv has its header line but no employees"},
    {"an unknown column", PayPeriod::Daily, "employee,age,salary,this-days\n",
     "june.csv line 1, 'this-days': not a column of a daily run"},
    {"a repeated column", M, "employee,age,Salary,salary\n", "june.csv line 1, salary: the column is named twice"},
    {"a required column missing", M, "employee,salary\nA,1\n",
     "june.csv line 1, age: the column is missing, and every employee needs it"},
    {"a line break in a name; a quoted line break counts as a line", M,
     "employee,age,salary\n\"Anna\nvan Wyk\",40,1\n\nB,40,12a00\n",
     "june.csv line 2, employee: the name holds a line break or another control character\n"
     "june.csv line 5, salary: '12a00' is not an amount"},
    {"a C1 control in a name, and not UTF-8", M, "employee,age,salary\nAnn\xC2\x9B" "2J,40,1\nAnn\xFF,40,1\n",
     "june.csv line 2, employee: the name holds a line break or another control character\n"
     "june.csv line 3, employee: the name is not UTF-8 text"},
    {"a negative amount", M, "employee,age,salary,bonus\nA,40,1,-5\n", "june.csv line 2, bonus: '-5' is below 0"},
    {"an amount too large", M, "employee,age,salary\nA,40,1000000000000\n",
     "june.csv line 2, salary: '1000000000000' is more than 999 999 999 999.99, the most an amount can be"},
    {"an age of 1 000", M, "employee,age,salary\nA,1000,1\n", "june.csv line 2, age: '1000' is more than 130"},
    {"an age beyond 16 bits", M, "employee,age,salary\nA,32767.5,1\n", "june.csv line 2, age: '32767.5' is more than 130"},
    {"a blank age", M, "employee,age,salary\nAnn,,20000\n",
     "june.csv line 2, age: the value is empty, and every employee needs it"},
    {"a blank salary", M, "employee,age,salary\nAnn,40,\n",
     "june.csv line 2, salary: the value is empty, and every employee needs it"},
    {"a blank name", M, "employee,age,salary\n  ,40,20000\n",
     "june.csv line 2, employee: the value is empty, and every employee needs it"},
    {"too many beneficiaries for a day", PayPeriod::Daily, "employee,age,salary,beneficiaries\nA,40,1,18\n",
     "june.csv line 2, beneficiaries: The number of medical aid beneficiaries can be at most 17."},
    {"a week of more than 7 days", PayPeriod::Weekly, "employee,age,salary,normal-days\nA,40,1,8\n",
     "june.csv line 2, normal-days: The number of days in a work week can be at most 7."},
    {"more days this fortnight than normal", PayPeriod::Fortnightly,
     "employee,age,salary,normal-days,this-days\nA,40,1,10,11\n",
     "june.csv line 2, this-days: The number of 'Normal fortnight' days must be = to or larger than 'This fortnight'."},
    {"dates in different months", M, "employee,age,salary,end\nA,40,1,01/05/2015\n",
     "june.csv line 2, end: The Start and End dates entered must be for the same Month"},
    {"an end before the start", M, "employee,age,salary,start,end\nA,40,1,20/04/2015,10/04/2015\n",
     "june.csv line 2, start: The Start date entered must be before the End date"},
    {"a date outside the tax year", M, "employee,age,salary,start\nA,40,1,01/03/2016\n",
     "june.csv line 2, start: The date entered is not correct please enter a date between 01/03/2015 and 29/02/2016"},
    {"a date not a date", M, "employee,age,salary,start\nA,40,1,31/04/2015\n",
     "june.csv line 2, start: \"31/04/2015\" is not a date: please enter a date as dd/mm/yyyy, such as 01/03/2015"},
    {"a row in another month than the first row's", M,
     "employee,age,salary,start,end\nA,40,1,,\nB,40,1,01/05/2015,31/05/2015\n",
     "june.csv line 3, start: 01/05/2015 to 31/05/2015 is not in the run's month, 01/04/2015 to 30/04/2015 (the "
     "month of the first employee's start date)"},
    {"the first row's month is the run's, not the run's dates", M,
     "employee,age,salary,start,end\nA,40,1,01/05/2015,31/05/2015\nB,40,1,,\n",
     "june.csv line 3, start: 01/04/2015 to 30/04/2015 is not in the run's month, 01/05/2015 to 31/05/2015 (the "
     "month of the first employee's start date)"},
    {"pension and R/A above the income", M, "employee,age,salary,pension,ra\nA,40,1000,800,300.5\n",
     "june.csv line 2, pension: The pension and R/A contributions, 1 100.50, are more than the period's income, "
     "1 000.00 (salary, commissions, bonus, taxable travel allowance and the employer's medical contribution)."},
    {"a name too long", M, "employee,age,salary\nAnna Maria Magdalena van der Westhuizen-Oosthuizen Jr,40,1\n",
     "june.csv line 2, employee: the name is longer than 50 characters"},
    {"an unquoted comma in a name", M, "employee,age,salary\nSmith, J,40,1\n",
     "june.csv line 2: 4 values, but the header names 3 columns (a value holding a comma is enclosed in quotation "
     "marks)"},
    {"a stray quotation mark", M, "employee,age,salary\nA \"B\",40,1\n",
     "june.csv line 2: a quotation mark out of place (a quoted value ends at its closing quotation mark, and a "
     "quotation mark inside it is written twice)"},
    {"a quoted value never closed", M, "employee,age,salary\nA,40,1\n\"B,40,1\nC,40,1\n",
     "june.csv line 3: a quotation mark opens a value that is never closed"},
    {"a UTF-16 file", M, "\xFF\xFE" "e\0",
     "june.csv line 1: the file is UTF-16 text; save it from the spreadsheet as CSV in UTF-8"},
    {"ten lines listed, then a count", M,
     "employee,age,salary\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\nA,x,1\n",
     "... and 2 more lines with errors"},
};
INSTANTIATE_TEST_SUITE_P(Refusals, PayrollCsvRefusalTest, ::testing::ValuesIn(RefusedCases), testing::RowName{});

struct AcceptedCase {
    const char* name;
    PayPeriod period;
    const char* file;
    std::size_t employees; // then the last one's
    const char* employee;
    std::int16_t age;
    double salary;
    double bonus;
    MonthlyPeriod month;
    WeekPeriod days;
};

class PayrollCsvAcceptedTest : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(PayrollCsvAcceptedTest, ReadsEveryEmployee)
{
    const AcceptedCase& c = GetParam();
    const PayrollCsv csv = Read(c.period, c.file);
    ASSERT_EQ(PayrollCsvRefusalText(csv), "");
    ASSERT_EQ(csv.Employees.size(), c.employees);
    const PayrollEmployee& e = csv.Employees.back();
    EXPECT_EQ(e.Employee, c.employee);
    EXPECT_EQ(e.Inputs.Age, c.age);
    EXPECT_EQ(e.Inputs.Salary, c.salary);
    EXPECT_EQ(e.Inputs.Bonus, c.bonus);
    EXPECT_EQ(std::pair(e.Month.StartDate, e.Month.EndDate), std::pair(c.month.StartDate, c.month.EndDate));
    EXPECT_EQ(std::pair(e.Days.NormalDays, e.Days.ThisDays), std::pair(c.days.NormalDays, c.days.ThisDays));
}

const AcceptedCase AcceptedCases[] = {
    {"a byte-order mark and Windows line ends", M, "\xEF\xBB\xBF" "employee,age,salary\r\nAnna,40,20000\r\n", 1, "Anna",
     40, 20000, 0, April, {}},
    {"a quoted comma and quotation mark", M, "employee,age,salary\n\"Smith, \"\"JJ\"\"\",40,\"15,000.50\"\n", 1,
     "Smith, \"JJ\"", 40, 15000.5, 0, April, {}},
    {"columns out of order in any case; a missing amount column reads 0", M,
     "Salary,AGE,Employee\n20000,66,Ben\nR 1 000,64.5,Cas", 2, "Cas", 64, 1000, 0, April, {}},
    {"monthly dates defaulted where empty", M,
     "employee,age,salary,bonus,start,end\nA,40,1,,15/04/2015,\nB,40,1,500,,\n", 2, "B", 40, 1, 500, April, {}},
    {"blank lines and rows skipped", PayPeriod::Fortnightly, "\nemployee,age,salary\n\n,,\nA,40,1\n  \n", 1, "A", 40, 1,
     0, April, {14, 14}},
    {"the oldest age, rounded half to even", M, "employee,age,salary\nOld,130.5,1\n", 1, "Old", 130, 1, 0, April, {}},
    {"day counts read", PayPeriod::Weekly, "employee,age,salary,this-days,normal-days\nA,40,1,3,5\n", 1, "A", 40, 1, 0,
     April, {5, 3}},
};
INSTANTIATE_TEST_SUITE_P(Accepted, PayrollCsvAcceptedTest, ::testing::ValuesIn(AcceptedCases), testing::RowName{});

// The file as read from the disk: what is not a regular file or is too large to hold is refused,
// naming it, and a pipe that nothing writes to is not waited on.
struct FileCase {
    const char* name;
    std::function<std::string(const QDir& folder)> make; // the path
    const char* ending;                                  // of the refusal, after the path
};

class PayrollFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(PayrollFileTest, IsRefusedNamingTheFile)
{
    QTemporaryDir folder;
    const std::string path = GetParam().make(QDir(folder.path()));
    const PayrollFileBytes read = ReadPayrollFile(path, path);
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_EQ(read.refusal, path + ": " + GetParam().ending);
}

std::string Made(const QDir& folder, qint64 size)
{
    QFile file(folder.filePath("big.csv"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
    return file.fileName().toStdString();
}

const FileCase FileCases[] = {
    {"a device that never ends", [](const QDir&) { return std::string("/dev/zero"); },
     "is not a file but a device or socket; a payroll file is a CSV file saved from a spreadsheet"},
    {"a pipe nothing writes to",
     [](const QDir& folder) {
         const std::string path = folder.filePath("pipe.csv").toStdString();
         EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
         return path;
     },
     "is not a file but a pipe; a payroll file is a CSV file saved from a spreadsheet"},
    {"a folder", [](const QDir& folder) { return folder.path().toStdString(); },
     "is not a file but a folder; a payroll file is a CSV file saved from a spreadsheet"},
    {"a byte beyond the limit", [](const QDir& folder) { return Made(folder, MostPayrollFileBytes + 1); },
     "33 554 433 bytes is more than a payroll file may hold (33 554 432 bytes); split the payroll over several files"},
    {"a file that is not there", [](const QDir& folder) { return folder.filePath("none.csv").toStdString(); },
     "cannot be read (No such file or directory)"},
};
INSTANTIATE_TEST_SUITE_P(Refused, PayrollFileTest, ::testing::ValuesIn(FileCases), testing::RowName{});

TEST(PayrollFile, AFileAtTheLimitIsReadWhole)
{
    QTemporaryDir folder;
    const PayrollFileBytes read = ReadPayrollFile(Made(QDir(folder.path()), MostPayrollFileBytes), "big.csv");
    EXPECT_EQ(read.refusal, "");
    EXPECT_EQ(read.bytes, std::string(MostPayrollFileBytes, '\0'));
}

// The template's header is a file every period reads.
TEST(PayrollCsvHeader, ReadsBack)
{
    for (const PayPeriod period : {M, PayPeriod::Weekly, PayPeriod::Fortnightly, PayPeriod::Daily}) {
        const std::string row = "\nA,40,1" + std::string(PayrollColumns(period).size() - 3, ',');
        EXPECT_EQ(Read(period, PayrollCsvHeader(period) + row).Employees.size(), 1u);
    }
}

} // namespace
} // namespace revora
