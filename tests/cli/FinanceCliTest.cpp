// revora-calc's financial calculators from the outside: loans solved four ways with their
// schedules, the loan buster, the comparison, daily balance interest and inflation, worked by
// hand; the screens' box limits and other refusals; and their printouts.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include "TestSupport.h"
#include "cli/RevoraCalc.h"

namespace revora {
namespace {

const QStringList LoanKeys{"Principal", "Months", "Rate", "Repayment", "TotalInterest", "TotalRepayments",
                           "RateTooHigh", "RateError"};
const QStringList BusterKeys{"Repayment",    "TotalInterest",    "TotalRepayments",    "NewPeriod", "NewRepayment",
                             "NewTotalInterest", "NewTotalRepayments", "Saving", "Extra"};
const QStringList DailyKeys{"Days", "Interest"};
const QStringList InflationKeys{"FutureValue", "BuyingPower", "TooLarge"};

// A figure as the screen shows it: to within half of its last decimal.
struct Shown {
    const char* key;
    double value;
    double within; // 0.005 for cents, 0.0005 for a rate's three decimals, 0 for exact
};

void ExpectShown(const QJsonObject& object, const std::vector<Shown>& figures)
{
    for (const Shown& figure : figures) {
        SCOPED_TRACE(figure.key);
        ASSERT_TRUE(object.value(figure.key).isDouble()) << object.value(figure.key).type();
        EXPECT_NEAR(object.value(figure.key).toDouble(), figure.value, figure.within);
    }
}

// No figure of any run may be a token JSON does not have, nor read as one.
void ExpectNoNonFinite(const CalcRun& run)
{
    const QString out = run.out.toLower();
    EXPECT_FALSE(out.contains("nan") || out.contains("inf") || out.contains("null")) << run.out.toStdString();
}

class FinanceCliTest : public RevoraCalcTest {};

constexpr double Cent = 0.005;
constexpr double RateDecimal = 0.0005;

struct FigureCase {
    const char* name;
    QStringList arguments; // the calculator first
    QStringList keys;
    std::vector<Shown> figures;
    std::vector<std::pair<const char*, bool>> flags;
};

class FinanceFiguresTest : public RevoraCalcTest, public ::testing::WithParamInterface<FigureCase> {};

TEST_P(FinanceFiguresTest, JsonHoldsTheKeysAndTheFiguresWorkedByHand)
{
    const FigureCase& c = GetParam();
    const CalcRun run = RevoraCalc(c.arguments + QStringList{"--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    ExpectNoNonFinite(run);
    const QJsonObject object = JsonOf(run);
    ExpectFigures(object, c.keys, {});
    ExpectShown(object, c.figures);
    for (const auto& [key, value] : c.flags) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(object.value(key).isBool());
        EXPECT_EQ(object.value(key).toBool(), value);
    }
}

const QStringList Loan100k{"--principal", "100000", "--months", "240", "--rate", "12"};

const FigureCase LoanCases[] = {
    // j = 0.01: R = 1 000 / (1 - 1.01^-240) = 1 101.086...; 240 R = 264 260.67.
    {"repayment of 100 000 over 240 months at 12",
     QStringList{"loan", "--solve", "repayment"} + Loan100k,
     LoanKeys,
     {{"Principal", 100000.0, 0.0},
      {"Months", 240.0, 0.0},
      {"Rate", 12.0, 0.0},
      {"Repayment", 1101.09, Cent},
      {"TotalRepayments", 264260.67, Cent},
      {"TotalInterest", 164260.67, Cent}},
     {{"RateTooHigh", false}}},
    {"repayment is solved when no mode is named", QStringList{"loan"} + Loan100k, LoanKeys,
     {{"Repayment", 1101.09, Cent}}, {}},
    {"principal from 240 repayments of 1 101.086 at 12",
     {"loan", "--solve", "principal", "--months", "240", "--rate", "12", "--repayment", "1101.0861"},
     LoanKeys,
     {{"Principal", 100000.0, 0.01}},
     {}},
    {"rate from a repayment of 1 101.09",
     {"loan", "--solve", "rate", "--principal", "100000", "--months", "240", "--repayment", "1101.09"},
     LoanKeys,
     {{"Rate", 12.0, RateDecimal}},
     {{"RateTooHigh", false}}},
    {"rate from a repayment of 1 101.08 stops a hundredth lower",
     {"loan", "--solve", "rate", "--principal", "100000", "--months", "240", "--repayment", "1101.08"},
     LoanKeys,
     {{"Rate", 11.99, RateDecimal}},
     {}},
    // 11.47 % asks 6 997.70: 179 months of the 7 000 typed and a last of 5 906.94.
    {"the totals of a solved rate are its schedule's sums",
     {"loan", "--solve", "rate", "--principal", "600000", "--months", "180", "--repayment", "7000"},
     LoanKeys,
     {{"Rate", 11.47, RateDecimal}, {"TotalInterest", 658906.94, Cent}, {"TotalRepayments", 1258906.94, Cent}},
     {}},
    // 12 repayments of 500 on 1 000 is far above 50 % a year.
    {"a solved rate above 50 is flagged",
     {"loan", "--solve", "rate", "--principal", "1000", "--months", "12", "--repayment", "500"},
     LoanKeys,
     {},
     {{"RateTooHigh", true}}},
    {"rate with no repayment is 0",
     {"loan", "--solve", "rate", "--principal", "100000", "--months", "240", "--repayment", "0"},
     LoanKeys,
     {{"Rate", 0.0, 0.0}, {"Repayment", 0.0, 0.0}},
     {{"RateTooHigh", false}}},
    // 3 months of 299.99 fall short, 4 overpay: 3 months, the repayment raised to 340.03.
    {"period of 1 000 at 12 paying 300",
     {"loan", "--solve", "period", "--principal", "1000", "--rate", "12", "--repayment", "300"},
     LoanKeys,
     {{"Months", 3.0, 0.0}, {"Repayment", 340.03, Cent}},
     {}},
    {"repayment at 0 percent is the principal over the months", {"loan", "--principal", "120000", "--months", "240"},
     LoanKeys, {{"Repayment", 500.0, 0.0}, {"TotalInterest", 0.0, 0.0}}, {}},
    {"nothing to solve from gives 0", {"loan"}, LoanKeys,
     {{"Repayment", 0.0, 0.0}, {"TotalInterest", 0.0, 0.0}, {"TotalRepayments", 0.0, 0.0}}, {}},
};
INSTANTIATE_TEST_SUITE_P(Loan, FinanceFiguresTest, ::testing::ValuesIn(LoanCases), testing::RowName{});

const FigureCase BusterCases[] = {
    {"extra 100 on 100 000 over 240 months at 12",
     {"loanbuster", "--principal", "100000", "--months", "240", "--rate", "12", "--extra", "100"},
     BusterKeys,
     {{"Repayment", 1101.09, Cent},
      {"TotalRepayments", 264260.67, Cent},
      {"TotalInterest", 164260.67, Cent},
      {"NewPeriod", 179.0, 0.0},
      {"NewRepayment", 1202.58, Cent},
      {"Extra", 101.49, Cent},
      {"Saving", 48999.54, Cent}},
     {}},
    {"no extra keeps the normal figures and saves nothing",
     {"loanbuster", "--principal", "100000", "--months", "240", "--rate", "12"},
     BusterKeys,
     {{"NewTotalRepayments", 264260.67, Cent}, {"Saving", 0.0, 0.0}, {"Extra", 0.0, 0.0}},
     {}},
    {"nothing typed gives 0", {"loanbuster"}, BusterKeys, {{"Repayment", 0.0, 0.0}, {"Saving", 0.0, 0.0}}, {}},
};
INSTANTIATE_TEST_SUITE_P(LoanBuster, FinanceFiguresTest, ::testing::ValuesIn(BusterCases), testing::RowName{});

const FigureCase DailyCases[] = {
    // 100 000 x 10 % x 30 / 365.
    {"100 000 at 10 through March 2015",
     {"dailybalance", "--capital", "100000", "--rate", "10", "--start", "01/03/2015", "--end", "31/03/2015"},
     DailyKeys,
     {{"Days", 30.0, 0.0}, {"Interest", 821.92, Cent}},
     {}},
    {"the same date twice earns nothing",
     {"dailybalance", "--capital", "100000", "--rate", "10", "--start", "01/03/2015", "--end", "01/03/2015"},
     DailyKeys,
     {{"Days", 0.0, 0.0}, {"Interest", 0.0, 0.0}},
     {}},
    // Not only the tax year: the leap day of 2020 counts.
    {"any dates, a leap year included",
     {"dailybalance", "--capital", "36500", "--rate", "10", "--start", "01/02/2020", "--end", "01/03/2020"},
     DailyKeys,
     {{"Days", 29.0, 0.0}, {"Interest", 290.0, Cent}},
     {}},
    {"the longest span of 10 960 days",
     {"dailybalance", "--capital", "1000", "--rate", "10", "--start", "01/03/2015", "--end", "03/03/2045"},
     DailyKeys,
     {{"Days", 10960.0, 0.0}, {"Interest", 3002.74, Cent}},
     {}},
};
INSTANTIATE_TEST_SUITE_P(DailyBalance, FinanceFiguresTest, ::testing::ValuesIn(DailyCases), testing::RowName{});

const FigureCase InflationCases[] = {
    {"100 000 at 6 for 10 years", {"inflation", "--cost", "100000", "--rate", "6", "--years", "10"}, InflationKeys,
     {{"FutureValue", 179084.77, Cent}, {"BuyingPower", 55839.48, Cent}}, {{"TooLarge", false}}},
    {"a falling price level of -5 for 10 years", {"inflation", "--cost", "100000", "--rate", "-5", "--years", "10"},
     InflationKeys, {{"FutureValue", 59873.69, Cent}, {"BuyingPower", 167018.26, Cent}}, {{"TooLarge", false}}},
    // the boxes take whole numbers: 99 999.5 is 100 000 and 9.6 years 10, as the screen rounds them
    {"fractions are rounded as the boxes round them",
     {"inflation", "--cost", "99999.5", "--rate", "6", "--years", "9.6"}, InflationKeys,
     {{"FutureValue", 179084.77, Cent}, {"BuyingPower", 55839.48, Cent}}, {{"TooLarge", false}}},
    {"no years leave the cost as it is", {"inflation", "--cost", "100000", "--rate", "6"}, InflationKeys,
     {{"FutureValue", 100000.0, 0.0}, {"BuyingPower", 100000.0, 0.0}}, {}},
    {"1 000 at 40 for 40 years still fits", {"inflation", "--cost", "1000", "--rate", "40", "--years", "40"},
     InflationKeys, {{"FutureValue", 700037697.0, 1.0}}, {{"TooLarge", false}}},
    {"20 000 at 40 for 40 years is too large", {"inflation", "--cost", "20000", "--rate", "40", "--years", "40"},
     InflationKeys, {}, {{"TooLarge", true}}},
};
INSTANTIATE_TEST_SUITE_P(Inflation, FinanceFiguresTest, ::testing::ValuesIn(InflationCases), testing::RowName{});

TEST_F(FinanceCliTest, LoanComparisonHoldsSixTermsInIncreasingOrder)
{
    const CalcRun run = RevoraCalc({"loancompare", "--amount", "100000", "--rate", "12", "--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectNoNonFinite(run);
    const QJsonObject object = JsonOf(run);
    EXPECT_EQ(object.keys(), QStringList{"Rows"});
    const QJsonArray rows = object.value("Rows").toArray();
    ASSERT_EQ(rows.size(), 6);
    const char* labels[] = {"5 yrs.", "10 yrs.", "15 yrs.", "20 yrs.", "25 yrs.", "30 yrs."};
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QJsonObject row = rows.at(i).toObject();
        const QStringList keys = row.keys();
        EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()),
                  (QSet<QString>{"Label", "Repayment", "TotalInterest", "TotalPaid"}));
        EXPECT_EQ(row.value("Label").toString(), labels[i]);
        // Each row pays the amount and its interest.
        EXPECT_NEAR(row.value("TotalPaid").toDouble() - row.value("TotalInterest").toDouble(), 100000.0, 1e-6);
    }
    ExpectShown(rows.at(0).toObject(), {{"Repayment", 2224.44, Cent}});
    ExpectShown(rows.at(3).toObject(), {{"Repayment", 1101.09, Cent}, {"TotalPaid", 264260.67, Cent}});

    // Without an amount nothing is repaid and no interest is owed.
    const CalcRun none = RevoraCalc({"loancompare", "--rate", "12", "--json", DataDirArg()});
    ASSERT_EQ(none.exitCode, 0) << none.err.toStdString();
    for (const QJsonValue& row : JsonOf(none).value("Rows").toArray())
        ExpectShown(row.toObject(), {{"Repayment", 0.0, 0.0}, {"TotalInterest", 0.0, 0.0}, {"TotalPaid", 0.0, 0.0}});
}

struct ScheduleCase {
    const char* name;
    QStringList arguments;
    int lines;
};

class FinanceScheduleTest : public RevoraCalcTest, public ::testing::WithParamInterface<ScheduleCase> {};

TEST_P(FinanceScheduleTest, LinesRepayThePrincipalAndEndAtNoBalance)
{
    const ScheduleCase& c = GetParam();
    const CalcRun run = RevoraCalc(QStringList{"loan"} + c.arguments + QStringList{"--json", DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectNoNonFinite(run);
    const QJsonObject object = JsonOf(run);
    ExpectFigures(object, LoanKeys + QStringList{"Schedule"}, {});
    const QJsonArray lines = object.value("Schedule").toArray();
    ASSERT_EQ(lines.size(), c.lines);
    double capital = 0.0;
    double interest = 0.0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QJsonObject line = lines.at(i).toObject();
        EXPECT_EQ(line.value("Period").toInt(), i + 1);
        EXPECT_GE(line.value("Balance").toDouble(), 0.0);
        EXPECT_GT(line.value("Interest").toDouble(), 0.0);
        capital += line.value("Capital").toDouble();
        interest += line.value("Interest").toDouble();
    }
    EXPECT_NEAR(lines.last().toObject().value("Balance").toDouble(), 0.0, 1e-6);
    EXPECT_NEAR(capital, object.value("Principal").toDouble(), 1e-6);
    // The totals are the schedule's own.
    EXPECT_NEAR(interest, object.value("TotalInterest").toDouble(), 1e-6);
}

const ScheduleCase ScheduleCases[] = {
    {"monthly over 240 months", Loan100k + QStringList{"--schedule", "monthly"}, 240},
    {"monthly over a single month", {"--principal", "1000", "--months", "1", "--rate", "12", "--schedule", "monthly"}, 1},
    // Months 25 to 30 make the part year.
    {"annual over 30 months has a part year",
     {"--principal", "10000", "--months", "30", "--rate", "10", "--schedule", "annual"}, 3},
    {"annual over 24 months", {"--principal", "10000", "--months", "24", "--rate", "10", "--schedule", "annual"}, 2},
    {"annual over 13 months, the fewest", {"--principal", "10000", "--months", "13", "--rate", "10", "--schedule",
                                           "annual"}, 2},
    {"monthly of a solved rate", {"--solve", "rate", "--principal", "600000", "--months", "180", "--repayment", "7000",
                                  "--schedule", "monthly"}, 180},
    {"annual of a solved period",
     {"--solve", "period", "--principal", "100000", "--rate", "12", "--repayment", "1101.09", "--schedule", "annual"},
     20},
};
INSTANTIATE_TEST_SUITE_P(Loan, FinanceScheduleTest, ::testing::ValuesIn(ScheduleCases), testing::RowName{});

struct CaptionCase {
    const char* name;
    QStringList arguments;
    QStringList texts;
    QStringList absent;
};

class FinanceCaptionTest : public RevoraCalcTest, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(FinanceCaptionTest, LinesCarryTheScreensCaptions)
{
    const CaptionCase& c = GetParam();
    const CalcRun run = RevoraCalc(c.arguments + QStringList{DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ExpectNoNonFinite(run);
    for (const QString& text : c.texts)
        EXPECT_TRUE(run.out.contains(text)) << text.toStdString() << '\n' << run.out.toStdString();
    for (const QString& text : c.absent)
        EXPECT_FALSE(run.out.contains(text)) << text.toStdString() << '\n' << run.out.toStdString();
}

const CaptionCase CaptionCases[] = {
    {"loan without totals", QStringList{"loan"} + Loan100k,
     {"Principal amount", "100 000.00\n", "Period", "Interest rate", "12.000", "Monthly repayment", " 1 101.09\n"},
     {"Total Interest", "Error"}},
    {"loan with totals and the annual grid", QStringList{"loan", "--totals", "--schedule", "annual"} + Loan100k,
     {"Total Interest", " 164 260.67\n", "Total Repayments", " 264 260.67\n", " Year ", "Capital payments",
      "Interest payment", "    Balance"},
     {}},
    {"loan with the monthly grid", QStringList{"loan", "--schedule", "monthly"} + Loan100k,
     {" Month   ", "Capital payment ", "Interest payment", "\n      240  "},
     {"Capital payments"}},
    {"a solved rate above 50 shows the error and why",
     {"loan", "--solve", "rate", "--principal", "1000", "--months", "12", "--repayment", "500"},
     {"Interest rate", "   Error", "\nThe interest rate would pass 50 %: at 50 % a year the monthly repayment is "
                                    "R 107.59\n"},
     {}},
    {"a repayment not even 0 % repays shows the error and why",
     {"loan", "--solve", "rate", "--principal", "100000", "--months", "240", "--repayment", "400"},
     {"   Error", "\nThe monthly repayment does not repay the loan within 240 months, even at 0 %: it must be at "
                 "least R 416.67\n"},
     {}},
    {"loan buster", {"loanbuster", "--principal", "100000", "--months", "240", "--rate", "12", "--extra", "100"},
     {"Monthly repayment", " 1 101.09\n", " 1 202.58\n", "Extra voluntary payments", " 101.49\n", "Total saving",
      " 48 999.54\n"},
     {}},
    {"loan comparison", {"loancompare", "--amount", "100000", "--rate", "12"},
     {" Period ", "Monthly repayment", "   Total Interest   ", "  Total Paid", "5 yrs.", "30 yrs.", "2 224.44"},
     {}},
    {"daily balance",
     {"dailybalance", "--capital", "100000", "--rate", "10", "--start", "01/03/2015", "--end", "31/03/2015"},
     {"Interest accrued", " 821.92\n", "Number of days", " 30\n"},
     {}},
    {"inflation", {"inflation", "--cost", "100000", "--rate", "6", "--years", "10"},
     {"Future value/cost", " 179 085\n", "Buying power", " 55 839\n"},
     {"Amount too large to display"}},
    {"inflation too large to display", {"inflation", "--cost", "20000", "--rate", "40", "--years", "40"},
     {"Future value/cost", "Amount too large to display", "Buying power"},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Finance, FinanceCaptionTest, ::testing::ValuesIn(CaptionCases), testing::RowName{});

class FinanceRefusalTest : public RevoraCalcTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(FinanceRefusalTest, ExitWith2TheOneLineAndNothingWritten) { ExpectRefused(GetParam()); }

const RefusalCase BoxLimitCases[] = {
    {"loan rate above 50", QStringList{"loan", "--principal", "1000", "--rate", "50.001"},
     "--rate: The maximum interest rate allowed is 50%"},
    {"loan period above 600", {"loan", "--months", "601"}, "--months: The maximum period  allowed is 600 months"},
    {"loan buster rate above 50", {"loanbuster", "--rate", "51"}, "--rate: The maximum interest rate allowed is 50%"},
    {"loan buster period above 600", {"loanbuster", "--months", "600.5"},
     "--months: The maximum period  allowed is 600 months"},
    {"loan comparison rate above 50", {"loancompare", "--amount", "1000", "--rate", "50.5"},
     "--rate: The maximum interest rate allowed is 50%"},
    {"daily balance rate above 40",
     {"dailybalance", "--rate", "40.01", "--start", "01/03/2015", "--end", "31/03/2015"},
     "--rate: The maximum Interest Rate allowed is 40%"},
    {"daily balance span of 10 961 days", {"dailybalance", "--start", "01/03/2015", "--end", "04/03/2045"},
     "--end: The date entered is more than 30 years(360 months) after 01/03/2015."},
    {"daily balance start that is no date", {"dailybalance", "--start", "31/02/2015", "--end", "31/03/2015"},
     "--start: The date entered is invalid please enter a valid date."},
    {"daily balance end that is no date", {"dailybalance", "--start", "01/03/2015", "--end", "2015-03-31"},
     "--end: The date entered is invalid please enter a valid date."},
    {"inflation rate below -5", {"inflation", "--rate", "-5.01"},
     "--rate: The range of the Inflation Rate is between -5% and 40%"},
    {"inflation rate above 40", {"inflation", "--rate", "40.5"},
     "--rate: The range of the Inflation Rate is between -5% and 40%"},
    {"inflation period above 40 years", {"inflation", "--years", "41"}, "--years: The maximum period allowed 40 years"},
};
INSTANTIATE_TEST_SUITE_P(BoxLimit, FinanceRefusalTest, ::testing::ValuesIn(BoxLimitCases), testing::RowName{});

const RefusalCase BadInputCases[] = {
    {"a negative principal", {"loan", "--principal", "-1"}, "--principal: '-1' is below 0"},
    {"a negative rate", {"loan", "--rate", "-0.5"}, "--rate: '-0.5' is below 0"},
    {"a negative repayment", {"loan", "--solve", "rate", "--repayment", "-100"}, "--repayment: '-100' is below 0"},
    {"a principal in words", {"loan", "--principal", "lots"}, "--principal: 'lots' is not a number"},
    {"an infinite principal", {"loan", "--principal", "inf"}, "--principal: 'inf' is not a number"},
    {"a rate that is not a number", {"loan", "--rate", "nan"}, "--rate: 'nan' is not a number"},
    {"a principal of eleven digits", {"loan", "--principal", "1e10"},
     "--principal: The maximum amount allowed is R 9 999 999 999.99"},
    {"a bond amount of eleven digits", {"loancompare", "--amount", "9999999999.991"},
     "--amount: The maximum amount allowed is R 9 999 999 999.99"},
    {"a present cost that rounds past the limit", {"inflation", "--cost", "9999999999.5"},
     "--cost: The maximum amount allowed is R 9 999 999 999.99"},
    {"months with a fraction", {"loan", "--months", "12.5"}, "--months: '12.5' must be a whole number"},
    {"a mode that does not exist", {"loan", "--solve", "years"},
     "--solve: 'years' must be repayment, principal, period or rate"},
    {"a schedule that does not exist", {"loan", "--schedule", "weekly"}, "--schedule: 'weekly' must be monthly or annual"},
    {"an unknown option", {"loan", "--term", "12"}, "--term: unknown option"},
    {"totals with a value", {"loan", "--totals=yes"}, "--totals: takes no value"},
    {"an empty rate", {"loan", "--rate="}, "--rate: '' is not a number"},
    {"a negative extra", {"loanbuster", "--extra", "-100"}, "--extra: '-100' is below 0"},
    {"an extra above ten repayments",
     {"loanbuster", "--principal", "100000", "--months", "240", "--rate", "12", "--extra", "20000"},
     "--extra: The extra payment may be at most ten times the monthly repayment: R 11 010.86"},
    {"a repayment below the first month's interest",
     {"loan", "--solve", "period", "--principal", "100000", "--rate", "10.5", "--repayment", "500"},
     "--repayment: The monthly repayment never repays the loan: it must be more than the first month's interest of "
     "R 875.00"},
    // The interest alone is 1 000 a month: 1 000.99 repays it in about 695 months; 600 months
    // of 1 002.57 (the repayment less its cent) are worth just over 100 000.
    {"a repayment that no 600 months repay",
     {"loan", "--solve", "period", "--principal", "100000", "--rate", "12", "--repayment", "1001"},
     "--repayment: The monthly repayment does not repay the loan within 600 months: it must be at least R 1 002.58"},
    {"loan buster months beyond 16 bits", {"loanbuster", "--months", "-40000"}, "--months: '-40000' is below 0"},
    {"a negative bond amount", {"loancompare", "--amount", "-100000"}, "--amount: '-100000' is below 0"},
    {"a negative capital", {"dailybalance", "--capital", "-1", "--start", "01/03/2015", "--end", "31/03/2015"},
     "--capital: '-1' is below 0"},
    {"a negative daily balance rate",
     {"dailybalance", "--rate", "-1", "--start", "01/03/2015", "--end", "31/03/2015"}, "--rate: '-1' is below 0"},
    {"no start date", {"dailybalance", "--end", "31/03/2015"}, "--start: missing value"},
    {"no end date", {"dailybalance", "--start", "01/03/2015"}, "--end: missing value"},
    {"an end before the start", {"dailybalance", "--start", "01/03/2015", "--end", "28/02/2015"},
     "--end: the end date is before the start date 01/03/2015"},
    {"a negative present cost", {"inflation", "--cost", "-1"}, "--cost: '-1' is below 0"},
    {"a negative period", {"inflation", "--years", "-1"}, "--years: '-1' is below 0"},
    {"an inflation rate in words", {"inflation", "--rate", "six"}, "--rate: 'six' is not a number"},
};
INSTANTIATE_TEST_SUITE_P(BadInput, FinanceRefusalTest, ::testing::ValuesIn(BadInputCases), testing::RowName{});

// A schedule or a printout asks for what the screen asks before it acts.
const RefusalCase NotReadyCases[] = {
    {"a monthly schedule without a principal", {"loan", "--months", "12", "--schedule", "monthly"},
     "--schedule: the monthly schedule needs the principal, the period and the repayment all above 0"},
    {"an annual schedule over 12 months",
     {"loan", "--principal", "1000", "--months", "12", "--rate", "12", "--schedule", "annual"},
     "--schedule: the annual schedule needs the principal and the repayment above 0 and a period of at least 13 "
     "months"},
    {"an annual schedule of a period no 600 months repay",
     {"loan", "--solve", "period", "--principal", "100000", "--rate", "12", "--repayment", "1001", "--schedule",
      "annual"},
     "--repayment: The monthly repayment does not repay the loan within 600 months: it must be at least R 1 002.58"},
    {"a schedule of a rate with no answer",
     {"loan", "--solve", "rate", "--principal", "1000", "--months", "12", "--repayment", "500", "--schedule", "monthly"},
     "--schedule: there is no schedule of a rate that could not be solved. The interest rate would pass 50 %: at "
     "50 % a year the monthly repayment is R 107.59"},
    {"a loan printout without a principal", {"loan", "--months", "12", "--rate", "12"},
     "--report: the loan printout needs the principal, the period and the repayment all above 0"},
    {"a loan buster printout without a principal", {"loanbuster", "--months", "240", "--rate", "12"},
     "--report: the loan buster printout needs a principal above 0"},
    {"a comparison printout without an amount", {"loancompare", "--rate", "12"},
     "--report: the loan comparison printout needs an amount above 0"},
    {"a daily balance printout over no days",
     {"dailybalance", "--capital", "1000", "--rate", "10", "--start", "01/03/2015", "--end", "01/03/2015"},
     "--report: the daily balance printout needs interest and days above 0"},
    {"an inflation printout too large to display", {"inflation", "--cost", "20000", "--rate", "40", "--years", "40"},
     "--report: the inflation printout needs a future value that is not 0 and fits its box"},
    {"an inflation printout of nothing", {"inflation", "--rate", "6", "--years", "10"},
     "--report: the inflation printout needs a future value that is not 0 and fits its box"},
};
INSTANTIATE_TEST_SUITE_P(NotReady, FinanceRefusalTest, ::testing::ValuesIn(NotReadyCases), testing::RowName{});

struct FinancePrintoutCase {
    const char* name;
    QStringList arguments;
    QStringList texts;
};

class FinancePrintoutTest : public RevoraCalcTest, public ::testing::WithParamInterface<FinancePrintoutCase> {};

TEST_P(FinancePrintoutTest, ReportWritesAPdfWithTheFigures)
{
    const FinancePrintoutCase& c = GetParam();
    const QString pdf = QDir(dataDir.path()).filePath("F.pdf");
    const CalcRun run = RevoraCalc(c.arguments + QStringList{"--report", pdf, DataDirArg()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(dataDir.path()).filePath("Crysprin.db")));
    ASSERT_TRUE(QFileInfo::exists(pdf));
    const QString text = PdfText(pdf).simplified();
    for (const QString& expected : c.texts)
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << '\n' << text.toStdString();
}

const FinancePrintoutCase FinancePrintoutCases[] = {
    {"loan repayment", QStringList{"loan", "--totals"} + Loan100k, {"100 000.00", "1 101.09", "164 260.67"}},
    {"loan with the annual schedule", QStringList{"loan", "--schedule", "annual"} + Loan100k, {"1 101.09"}},
    {"loan with the monthly schedule",
     {"loan", "--solve", "period", "--principal", "1000", "--rate", "12", "--repayment", "300", "--schedule",
      "monthly"},
     {"340.03", "336.64"}},
    {"loan buster", {"loanbuster", "--principal", "100000", "--months", "240", "--rate", "12", "--extra", "100"},
     {"1 202.58", "48 999.54"}},
    {"loan comparison", {"loancompare", "--amount", "100000", "--rate", "12"}, {"2 224.44", "264 260.67"}},
    {"daily balance",
     {"dailybalance", "--capital", "100000", "--rate", "10", "--start", "01/03/2015", "--end", "31/03/2015"},
     {"821.92"}},
    {"inflation", {"inflation", "--cost", "100000", "--rate", "6", "--years", "10"}, {"100 000.00", "179 084.77", "55 839.48"}},
};
INSTANTIATE_TEST_SUITE_P(Finance, FinancePrintoutTest, ::testing::ValuesIn(FinancePrintoutCases), testing::RowName{});

// Refused before the printer is ever asked.
TEST_F(FinanceCliTest, PrintWithoutAResultNamesPrint)
{
    const CalcRun run = RevoraCalc({"loanbuster", "--months", "240", "--rate", "12", "--print", DataDirArg()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(run.err, "revora-calc: --print: the loan buster printout needs a principal above 0\n");
    EXPECT_TRUE(FilesInDataDir().isEmpty()) << FilesInDataDir().join(", ").toStdString();
}

TEST_F(FinanceCliTest, HelpListsTheFinancialCalculatorsAndTheirOptions)
{
    const CalcRun run = RevoraCalc({"--help"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* text : {"loan:", "loanbuster:", "loancompare:", "dailybalance:", "inflation:", "--solve",
                             "--schedule", "--totals", "--extra", "--capital", "--years"})
        EXPECT_TRUE(run.out.contains(text)) << text;
}

} // namespace
} // namespace revora
