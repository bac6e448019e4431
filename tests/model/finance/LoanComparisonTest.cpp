// The loan comparison: six terms of one loan, and the "BondComp" row.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "finance/Annuity.h"
#include "finance/LoanComparison.h"
#include "model/finance/ShownArithmetic.h"

namespace revora {
namespace {

constexpr double Cent = 0.005;

struct TermRow {
    const char* name;
    std::size_t index;
    int months;
    const char* label;
    double repayment;
    double totalPaid;
};

class CompareLoansTest : public ::testing::TestWithParam<TermRow> {};

TEST_P(CompareLoansTest, Repays100000At12Percent)
{
    const TermRow& row = GetParam();
    Working working;
    const auto terms = CompareLoans({100000, 12.0F}, &working);
    testing::ExpectWorkingChecksOut(working, terms.back().TotalPaid);
    const ComparisonRow& term = terms[row.index];
    EXPECT_EQ(term.Months, row.months);
    EXPECT_EQ(term.Label, row.label);
    EXPECT_NEAR(term.Repayment, row.repayment, Cent);
    EXPECT_NEAR(term.TotalPaid, row.totalPaid, Cent);
    EXPECT_DOUBLE_EQ(term.TotalInterest, term.TotalPaid - 100000);
}

const TermRow TermRows[] = {
    {"5 years", 0, 60, "5 yrs.", 2224.44, 133466.69},
    {"10 years", 1, 120, "10 yrs.", 1434.71, 172165.14},
    {"15 years", 2, 180, "15 yrs.", 1200.17, 216030.25},
    {"20 years", 3, 240, "20 yrs.", 1101.09, 264260.67},
    {"25 years", 4, 300, "25 yrs.", 1053.22, 315967.24},
    {"30 years", 5, 360, "30 yrs.", 1028.61, 370300.53},
};
INSTANTIATE_TEST_SUITE_P(Term, CompareLoansTest, ::testing::ValuesIn(TermRows), testing::RowName{});

struct MissingRow {
    const char* name;
    LoanComparisonState state;
    double totalInterest;
};

class CompareLoansMissingTest : public ::testing::TestWithParam<MissingRow> {};

TEST_P(CompareLoansMissingTest, RepaysNothing)
{
    const MissingRow& row = GetParam();
    Working working;
    const auto terms = CompareLoans(row.state, &working);
    testing::ExpectWorkingChecksOut(working, terms.back().TotalPaid);
    for (const ComparisonRow& term : terms) {
        EXPECT_EQ(term.Repayment, 0.0) << term.Label;
        EXPECT_EQ(term.TotalPaid, 0.0) << term.Label;
        EXPECT_EQ(term.TotalInterest, row.totalInterest) << term.Label;
    }
}

const MissingRow MissingRows[] = {
    {"no amount leaves everything 0", {0, 12.0F}, 0},
};
INSTANTIATE_TEST_SUITE_P(Rule, CompareLoansMissingTest, ::testing::ValuesIn(MissingRows), testing::RowName{});

struct WorkingRow {
    const char* name;
    LoanComparisonState state;
};

class CompareLoansWorkingTest : public ::testing::TestWithParam<WorkingRow> {};

// Every line of the working checks out on a calculator from the figures it shows.
TEST_P(CompareLoansWorkingTest, ChecksOutAsShown)
{
    Working working;
    const auto terms = CompareLoans(GetParam().state, &working);
    testing::ExpectWorkingChecksOut(working, terms.back().TotalPaid);
}

const WorkingRow WorkingRows[] = {
    // 60 x 27 647.901107 = 1 658 874.07, where 60 x 27 647.90 would be 1 658 874.00
    {"a repayment of fractions of a cent over 5 years", {1250000, 11.75F}},
    // 240 x 9 644.675053 = 2 314 722.01, where 240 x 9 644.68 would be 2 314 723.20
    {"a repayment of fractions of a cent over 20 years", {950000, 10.75F}},
    {"the most an amount box takes at the most rate", {MostFinanceAmount, 50.0F}},
    {"an amount with cents at a rate of three decimals", {123456.78, 9.125F}},
};
INSTANTIATE_TEST_SUITE_P(Rule, CompareLoansWorkingTest, ::testing::ValuesIn(WorkingRows), testing::RowName{});

TEST(CompareLoansTest, AtZeroPercentRepaysInEqualPartsWithNoInterest)
{
    for (const ComparisonRow& term : CompareLoans({120000, 0.0F})) {
        EXPECT_DOUBLE_EQ(term.Repayment, 120000.0 / term.Months) << term.Label;
        EXPECT_NEAR(term.TotalInterest, 0.0, 1e-6) << term.Label;
    }
}

TEST(CompareLoansTest, TheRateIsHeldInSinglePrecision)
{
    const ComparisonRow term = CompareLoans({100000, 10.3F})[3];
    EXPECT_DOUBLE_EQ(term.Repayment, AnnuityRepayment(100000, 240, static_cast<double>(10.3F)));
}

TEST(LoanComparisonReportRowTest, WritesTheAmountRateAndSixTerms)
{
    const LoanComparisonState state{100000, 12.0F};
    const auto terms = CompareLoans(state);
    const ReportRow row = LoanComparisonReportRow(state, terms);
    ASSERT_EQ(row.size(), 20u);
    EXPECT_EQ(row[0].name, "PAmt");
    EXPECT_EQ(std::get<double>(row[0].value), 100000);
    EXPECT_EQ(row[1].name, "IntRate");
    EXPECT_EQ(std::get<double>(row[1].value), 12.0);
    for (std::size_t k = 0; k < 6; ++k) {
        const std::string n = std::to_string(k + 1);
        EXPECT_EQ(row[2 + 3 * k].name, "MonRep" + n);
        EXPECT_EQ(row[3 + 3 * k].name, "IntPaid" + n);
        EXPECT_EQ(row[4 + 3 * k].name, "Total" + n);
        EXPECT_EQ(std::get<double>(row[2 + 3 * k].value), terms[k].Repayment);
        EXPECT_EQ(std::get<double>(row[3 + 3 * k].value), terms[k].TotalInterest);
        EXPECT_EQ(std::get<double>(row[4 + 3 * k].value), terms[k].TotalPaid);
    }
}

} // namespace
} // namespace revora
