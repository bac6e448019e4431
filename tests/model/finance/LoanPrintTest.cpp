// The loan printout: the "Loans" row, the schedule rows and the layout and title chosen by the
// mode and the schedule kind.

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "finance/Loan.h"

namespace revora {
namespace {

const std::string Hint = " - To export printout click on the suitcase button or goto Help";

LoanState Printed(LoanMode mode, bool totals)
{
    LoanState loan;
    loan.Principal = 100000;
    loan.Months = 30;
    loan.Rate = 12;
    loan.Repayment = 3874.82;
    loan.Mode = mode;
    loan.TotalsShown = totals;
    return loan;
}

const ReportValue* Field(const ReportRow& row, const std::string& name)
{
    for (const ReportField& field : row)
        if (field.name == name)
            return &field.value;
    return nullptr;
}

std::vector<std::string> Names(const ReportRow& row)
{
    std::vector<std::string> names;
    for (const ReportField& field : row)
        names.push_back(field.name);
    return names;
}

// ---------------------------------------------------------------------------------------------
// Layout and title.

struct LayoutRow {
    const char* name;
    LoanMode mode;
    AmortKind amort;
    const char* layout;
    std::string title;
};

class LoanPrintLayoutTest : public ::testing::TestWithParam<LayoutRow> {};

TEST_P(LoanPrintLayoutTest, ChoosesTheLayoutAndTitle)
{
    const LayoutRow& row = GetParam();
    const LoanPrintout out = LoanPrint(Printed(row.mode, false), row.amort);
    EXPECT_EQ(out.Layout, row.layout);
    EXPECT_EQ(out.Title, row.title);
    EXPECT_EQ(out.WritesAmort, row.amort != AmortKind::None);
    const ReportValue* heading = Field(out.Loans, "Heading");
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(std::get<std::string>(*heading), LoanModeText(row.mode));
}

using enum LoanMode;
using enum AmortKind;

const LayoutRow LayoutRows[] = {
    {"repayment without a schedule", MonthlyRepayment, None, "Lonrepa.rpt", ""},
    {"repayment with the annual schedule", MonthlyRepayment, Annual, "LonrepaA.rpt",
     "Annual repayment of Loan with Amortisation" + Hint},
    {"repayment with the monthly schedule", MonthlyRepayment, Monthly, "LonrepaA.rpt",
     "Annual repayment of Loan with Monthly Amortisation" + Hint},
    {"principal without a schedule", PrincipalAmount, None, "LonPrAm.rpt", ""},
    {"principal with the annual schedule", PrincipalAmount, Annual, "LonPrAmA.rpt",
     "Principal calculation of Loan with Annual Amortisation" + Hint},
    {"principal with the monthly schedule", PrincipalAmount, Monthly, "LonPrAmA.rpt",
     "Principal calculation of Loan with Monthly Amortisation" + Hint},
    {"period without a schedule", RepaymentPeriod, None, "LonRPer.rpt", ""},
    {"period with the annual schedule", RepaymentPeriod, Annual, "LonRPerA.rpt",
     "Repayment period calculation of Loan with Annual Amortisation" + Hint},
    {"period with the monthly schedule", RepaymentPeriod, Monthly, "LonRPerA.rpt",
     "Repayment period calculation of Loan with Monthly Amortisation" + Hint},
    {"rate without a schedule", InterestRate, None, "LonInRt.rpt", ""},
    {"rate with the annual schedule", InterestRate, Annual, "LonInRtA.rpt",
     "Interest rate calculation of Loan with Annual Amortisation" + Hint},
    {"rate with the monthly schedule", InterestRate, Monthly, "LonInRtA.rpt",
     "Interest rate calculation of Loan with Monthly Amortisation" + Hint},
};
INSTANTIATE_TEST_SUITE_P(Rule, LoanPrintLayoutTest, ::testing::ValuesIn(LayoutRows), testing::RowName{});

TEST(LoanModeTextTest, NamesEachMode)
{
    EXPECT_EQ(LoanModeText(MonthlyRepayment), "Monthly repayment");
    EXPECT_EQ(LoanModeText(PrincipalAmount), "Principal amount");
    EXPECT_EQ(LoanModeText(RepaymentPeriod), "Repayment period");
    EXPECT_EQ(LoanModeText(InterestRate), "Interest rate");
}

// ---------------------------------------------------------------------------------------------
// The "Loans" row.

TEST(LoanPrintRowTest, WritesTheTotalsWhenShown)
{
    const LoanPrintout out = LoanPrint(Printed(MonthlyRepayment, true), None);
    EXPECT_EQ(Names(out.Loans), (std::vector<std::string>{"Heading", "Num1", "Num2", "Num3", "Num4", "FinText1",
                                                           "FinText1A", "FinNum1", "FinText2", "FinNum2"}));
    EXPECT_EQ(std::get<double>(*Field(out.Loans, "Num1")), 100000);
    EXPECT_EQ(std::get<double>(*Field(out.Loans, "Num2")), 30);
    EXPECT_EQ(std::get<double>(*Field(out.Loans, "Num3")), 12);
    EXPECT_EQ(std::get<double>(*Field(out.Loans, "Num4")), 3874.82);
    EXPECT_EQ(std::get<std::string>(*Field(out.Loans, "FinText1")), "Total Interest");
    EXPECT_EQ(std::get<std::string>(*Field(out.Loans, "FinText1A")), ": R");
    EXPECT_EQ(std::get<std::string>(*Field(out.Loans, "FinText2")), "Total Repayments");
    // The schedule's sums: 29 months of 3 874.82 and a last of 3 874.52 at 12 %.
    EXPECT_NEAR(std::get<double>(*Field(out.Loans, "FinNum1")), 16244.298122, 1e-6);
    EXPECT_NEAR(std::get<double>(*Field(out.Loans, "FinNum2")), 116244.298122, 1e-6);
    EXPECT_TRUE(out.Amort.empty());
}

TEST(LoanPrintRowTest, BlanksTheTotalsWhenHidden)
{
    const LoanPrintout out = LoanPrint(Printed(MonthlyRepayment, false), None);
    for (const char* text : {"FinText1", "FinText1A", "FinText2"})
        EXPECT_EQ(std::get<std::string>(*Field(out.Loans, text)), "") << text;
    EXPECT_EQ(std::get<double>(*Field(out.Loans, "FinNum1")), 0.0);
    EXPECT_EQ(std::get<double>(*Field(out.Loans, "FinNum2")), 0.0);
}

struct ScheduleRow {
    const char* name;
    AmortKind amort;
    const char* yearMon;
    std::size_t rows;
};

class LoanPrintScheduleTest : public ::testing::TestWithParam<ScheduleRow> {};

TEST_P(LoanPrintScheduleTest, WritesOneAmortRowPerLine)
{
    const ScheduleRow& row = GetParam();
    const LoanState loan = Printed(RepaymentPeriod, false);
    const LoanPrintout out = LoanPrint(loan, row.amort);
    EXPECT_EQ(std::get<std::string>(*Field(out.Loans, "YearMon")), row.yearMon);
    ASSERT_EQ(out.Amort.size(), row.rows);
    const std::vector<ScheduleLine> lines = row.amort == Annual ? CalcAnnAmort(loan).Years : MonthlySchedule(loan);
    for (std::size_t i = 0; i < out.Amort.size(); ++i) {
        EXPECT_EQ(Names(out.Amort[i]), (std::vector<std::string>{"Year", "Capital", "Interest", "Required"}));
        EXPECT_EQ(std::get<std::int16_t>(*Field(out.Amort[i], "Year")), static_cast<std::int16_t>(i + 1));
        EXPECT_EQ(std::get<double>(*Field(out.Amort[i], "Capital")), lines[i].Capital);
        EXPECT_EQ(std::get<double>(*Field(out.Amort[i], "Interest")), lines[i].Interest);
        EXPECT_EQ(std::get<double>(*Field(out.Amort[i], "Required")), lines[i].Balance);
    }
}

const ScheduleRow ScheduleRows[] = {
    {"the annual schedule writes its years and the part year", Annual, "Year", 3},
    {"the monthly schedule writes every month", Monthly, "Month", 30},
};
INSTANTIATE_TEST_SUITE_P(Rule, LoanPrintScheduleTest, ::testing::ValuesIn(ScheduleRows), testing::RowName{});

TEST(LoanPrintRowTest, WithoutAScheduleNoYearMonIsWritten)
{
    EXPECT_EQ(Field(LoanPrint(Printed(InterestRate, false), None).Loans, "YearMon"), nullptr);
}

} // namespace
} // namespace revora
