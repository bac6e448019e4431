// The payroll run: each employee as the period's calculation and payslip give them, and the totals.
#include <gtest/gtest.h>

#include "PayeTestSupport.h"
#include "TestSupport.h"
#include "common/AmountFormat.h"
#include "payroll/DailyPaye.h"
#include "payroll/PayePrintout.h"
#include "payroll/PayrollRun.h"

namespace revora {
namespace {

using testing::Date;
using testing::Settings;
const MonthlyPeriod March{Date(1, 3, 2015), Date(31, 3, 2015)};

struct AgreeCase {
    const char* name;
    PayPeriod period;
    PayeInputs in;
    MonthlyPeriod month = March;
    WeekPeriod days{};
};
class PayrollRunAgreesTest : public ::testing::TestWithParam<AgreeCase> {};

TEST_P(PayrollRunAgreesTest, AsTheSingleCalculationAndItsPayslip)
{
    const AgreeCase& c = GetParam();
    const PayrollLine line = RunPayroll(c.period, {{"A", c.in, c.month, c.days}}, Settings()).Lines.at(0);
    TaxBracketResult record;
    const auto kind = c.period == PayPeriod::Weekly ? WeekKind::Weekly : WeekKind::Fortnightly;
    const PeriodicPayeResult r = c.period == PayPeriod::Monthly
        ? MonthlyPayeCalculate(c.in, Settings(), c.month, record)
        : c.period == PayPeriod::Daily ? DailyPayeCalculate(c.in, Settings(), record)
                                       : WeekPayeCalculate(kind, c.in, Settings(), c.days, record);
    const ReportRow row = c.period == PayPeriod::Monthly ? MonthlyPayeReportRow(c.in, Settings(), c.month, r, "A", {})
        : c.period == PayPeriod::Daily ? DailyPayeReportRow(c.in, Settings(), r, "A", {})
                                       : WeekPayeReportRow(kind, c.in, Settings(), c.days, r, "A", {});
    std::string shown, printed; // the payslip's PAYE, UIF and SDL, and the run's cents, as printed
    for (const char* field : {"TotalNum", "UIFEMPENum", "UIFEMPRNum", "SDLNum"})
        for (const ReportField& f : row)
            shown += f.name == field ? FormatAmount(std::get<double>(f.value)) + ";" : "";
    for (const std::int64_t cents : {line.PAYECents, line.UIFEmployeeCents, line.UIFEmployerCents, line.SDLCents})
        printed += FormatAmount(cents / 100.0) + ";";
    EXPECT_EQ(printed, shown);
}
const AgreeCase AgreeCases[] = {
    {"a part month", PayPeriod::Monthly, {.Age = 40, .Salary = 20000.01, .TravelAllowance = 3000},
     {March.StartDate, Date(15, 3, 2015)}},
    {"a bonus month", PayPeriod::Monthly, {.Age = 40, .Salary = 18333.33, .Commission = 1234.56, .Bonus = 50000}},
    {"a member of a medical scheme", PayPeriod::Monthly,
     {.Age = 40, .Salary = 25000, .EmployerMedical = 1500, .EmployeeMedical = 1200, .Beneficiaries = 3,
      .Pension = 1875.5}},
    {"65", PayPeriod::Monthly, {.Age = 65, .Salary = 12000, .EmployeeMedical = 2000, .Beneficiaries = 2}},
    {"75", PayPeriod::Monthly, {.Age = 75, .Salary = 31000, .RetirementAnnuity = 999.99}},
    {"the UIF limit crossed", PayPeriod::Monthly, {.Age = 30, .Salary = 14872.37}},
    {"a short week", PayPeriod::Weekly, {.Age = 30, .Salary = 4321.09, .Bonus = 700}, March, {5, 3}},
    {"a fortnight", PayPeriod::Fortnightly, {.Age = 66, .Salary = 12345.67, .Beneficiaries = 1}, March, {10, 10}},
    {"a day", PayPeriod::Daily, {.Age = 40, .Salary = 1234.56, .TravelAllowance = 100}},
};
INSTANTIATE_TEST_SUITE_P(Employees, PayrollRunAgreesTest, ::testing::ValuesIn(AgreeCases), testing::RowName{});

// A monthly run is the calendar month of its first row: from the 1st to the month's last day,
// a part month's row in it, another month's refused, the levies of the month's last day.
TEST(PayrollRun, IsTheCalendarMonthOfTheFirstRow)
{
    const MonthlyPeriod february = RunMonthOf({Date(10, 2, 2016), Date(20, 2, 2016)});
    EXPECT_EQ(february.StartDate, Date(1, 2, 2016));
    EXPECT_EQ(february.EndDate, Date(29, 2, 2016));
    EXPECT_EQ(RunMonthOf({Date(31, 12, 2015), Date(31, 12, 2015)}).EndDate, Date(31, 12, 2015));
    EXPECT_FALSE(CheckInRunMonth({Date(1, 3, 2015), Date(15, 3, 2015)}, March));
    EXPECT_TRUE(CheckInRunMonth({Date(1, 4, 2015), Date(30, 4, 2015)}, March));
    const std::vector<PayrollEmployee> july{{"A", {}, {Date(1, 7, 2015), Date(15, 7, 2015)}, {}}};
    EXPECT_EQ(RunPayDay(PayPeriod::Monthly, july, TaxYear2016()), Date(31, 7, 2015));
    EXPECT_EQ(RunPayDay(PayPeriod::Weekly, july, TaxYear2016()), Date(29, 2, 2016));
}

// All of March, UIF 1 % each up to 14 872, SDL 1 %:
//   20 000 at 40: A 240 000, (47 848 - 13 257) / 12 = 2 882.58; UIF 148.72 twice; SDL 200.00
//    5 000 at 30: A  60 000, 10 800 under the rebate: 0;         UIF  50.00 twice; SDL  50.00
//   10 000 at 40: A 120 000, (21 600 - 13 257) / 12 =   695.25; UIF 100.00 twice; SDL 100.00
// PAYE 3 577.83, UIF 597.44, SDL 350.00, EMP201 4 525.27.
TEST(PayrollRun, TotalsAreSumsOfThePrintedCents)
{
    const std::vector<PayrollEmployee> staff{{"A", {.Age = 40, .Salary = 20000}, March, {}},
        {"B", {.Age = 30, .Salary = 5000}, March, {}}, {"C", {.Age = 40, .Salary = 10000}, March, {}}};
    const PayrollTotals t = RunPayroll(PayPeriod::Monthly, staff, Settings()).Totals;
    EXPECT_EQ(std::vector<std::int64_t>({t.Employees, t.PAYECents, t.UIFCents, t.SDLCents, t.EMP201Cents()}),
              std::vector<std::int64_t>({3, 357783, 59744, 35000, 452527}));
}

TEST(PayrollRun, ReportsProgressAndStopsWhenCancelledOrTooLarge)
{
    std::vector<std::size_t> told;
    const std::vector<PayrollEmployee> staff(1000, {"A", {.Age = 40, .Salary = 9000}, March, {7, 7}});
    const PayrollRun run = RunPayroll(PayPeriod::Weekly, staff, Settings(), [&](std::size_t n) {
        told.push_back(n);
        return n < 512; // cancelled at the second call
    });
    EXPECT_EQ(told, std::vector<std::size_t>({256, 512}));
    EXPECT_TRUE(run.Cancelled && run.Lines.size() == 512 && run.Totals.Employees == 512);
    const PayrollRun huge = RunPayroll(PayPeriod::Daily, {{"A", {.Age = 40, .Salary = 1e17}, March, {}}}, Settings());
    EXPECT_TRUE(huge.TooLarge && huge.Lines.empty() && huge.Totals.Employees == 0);
}
} // namespace
} // namespace revora
