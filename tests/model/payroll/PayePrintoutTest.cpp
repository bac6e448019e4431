// The rows of the five employees' tax printouts: the label texts in English and
// Afrikaans, the order of the fields, the values and their types.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "PayeTestSupport.h"
#include "TestSupport.h"
#include "payroll/PayePrintout.h"

namespace revora {
namespace {

using testing::Date;

enum class Screen { Monthly, Weekly, Fortnightly, Daily, Annual };

// Inputs and results typed in by hand, not calculated: the printout only carries them.
PayeInputs SampleInputs()
{
    return {.Age = 45, .Salary = 20000, .EmployerMedical = 1000, .EmployeeMedical = 500, .Commission = 300,
            .Bonus = 2000, .TravelAllowance = 1001, .Beneficiaries = 3, .Pension = 400, .RetirementAnnuity = 200,
            .MedDeduction = 250};
}

PeriodicPayeResult SampleResult()
{
    PeriodicPayeResult r;
    r.TaxableTravelAllowance = 800.8;
    r.UIFEmployee = 148.7249; // the box shows 148.72
    r.UIFEmployer = 297.4451; // 297.45
    r.SDL = 231.016;          // 231.02
    r.TaxLiability = 3000;
    r.MedicalCredit = 721;
    r.AdditionalMedicalCredit = 100;
    r.TotalTaxDeduction = 9999; // stale on purpose: the printout works the total afresh
    return r;
}

// Settings other than the defaults, so the printout is seen to carry the ones it is given.
const PayeSettings Settings{.EmployeeUIF = 1.5, .EmployerUIF = 2, .SkillLevy = 0.5, .UIFLimit = 17712,
                            .TAIncRate8020 = 0.2};

AnnualPayeInputs SampleAnnualInputs()
{
    AnnualPayeInputs in;
    in.Amounts = SampleInputs();
    in.StartDate = Date(1, 6, 2015);
    in.EndDate = Date(29, 2, 2016);
    for (int i = 0; i < 12; ++i)
        in.MembersByMonth[i] = static_cast<std::int16_t>(i + 1); // January 1 ... December 12
    return in;
}

AnnualPayeResult SampleAnnualResult()
{
    AnnualPayeResult r;
    r.TaxLiability = 50000;
    r.MedicalCredit = 4860;
    r.AdditionalMedicalCredit = 140;
    r.TotalTaxDeduction = 1;
    r.PAYE = 45000;
    r.SITE = 0;
    r.Total = 50000;
    return r;
}

ReportRow RowOf(Screen screen, PrintLanguage language, const std::string& employee = "")
{
    switch (screen) {
    case Screen::Monthly:
        return MonthlyPayeReportRow(SampleInputs(), Settings, {Date(1, 3, 2015), Date(15, 3, 2015)}, SampleResult(),
                                    employee, language);
    case Screen::Weekly:
        return WeekPayeReportRow(WeekKind::Weekly, SampleInputs(), Settings, {5, 3}, SampleResult(), employee, language);
    case Screen::Fortnightly:
        return WeekPayeReportRow(WeekKind::Fortnightly, SampleInputs(), Settings, {10, 9}, SampleResult(), employee, language);
    case Screen::Daily:
        return DailyPayeReportRow(SampleInputs(), Settings, SampleResult(), employee, language);
    case Screen::Annual:
        return AnnualPayeReportRow(SampleAnnualInputs(), Settings, SampleAnnualResult(), employee, language);
    }
    return {};
}

std::vector<std::string> NamesOf(const ReportRow& row)
{
    std::vector<std::string> names;
    for (const ReportField& field : row)
        names.push_back(field.name);
    return names;
}

const ReportValue* Find(const ReportRow& row, std::string_view name)
{
    for (const ReportField& field : row)
        if (field.name == name)
            return &field.value;
    return nullptr;
}

std::string TextOf(const ReportRow& row, std::string_view name)
{
    const ReportValue* value = Find(row, name);
    if (!value || !std::holds_alternative<std::string>(*value))
        return "<no text field " + std::string(name) + ">";
    return std::get<std::string>(*value);
}

// ---- Label texts -----------------------------------------------------------------------------

struct LabelCase {
    const char* name;
    Screen screen;
    PrintLanguage language;
    const char* field;
    const char* text;
};

class PayePrintoutLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(PayePrintoutLabelTest, WritesTheLabelInTheChosenLanguage)
{
    const LabelCase& c = GetParam();
    EXPECT_EQ(TextOf(RowOf(c.screen, c.language), c.field), c.text);
}

constexpr PrintLanguage En = PrintLanguage::English;
constexpr PrintLanguage Af = PrintLanguage::Afrikaans;

const LabelCase HeadingCases[] = {
    {"monthly heading in English", Screen::Monthly, En, "TypeAM", "Monthly Check"},
    {"monthly heading in Afrikaans", Screen::Monthly, Af, "TypeAM", "Maandelikse Inkomste"},
    {"weekly heading in English", Screen::Weekly, En, "TypeAM", "Weekly Check"},
    {"weekly heading in Afrikaans", Screen::Weekly, Af, "TypeAM", "Weeklikse Inkomste"},
    {"fortnightly heading in English", Screen::Fortnightly, En, "TypeAM", "Fortnightly Check"},
    {"fortnightly heading in Afrikaans", Screen::Fortnightly, Af, "TypeAM", "Twee Weeklikse Inkomste"},
    {"daily heading in English", Screen::Daily, En, "TypeAM", "Daily Check"},
    {"daily heading in Afrikaans", Screen::Daily, Af, "TypeAM", "Daaglikse Inkomste"},
    {"annual heading in English", Screen::Annual, En, "TypeAM", "Annual Check"},
    {"annual heading in Afrikaans", Screen::Annual, Af, "TypeAM", "Jaarlikse Inkomste"},
};
INSTANTIATE_TEST_SUITE_P(Headings, PayePrintoutLabelTest, ::testing::ValuesIn(HeadingCases), testing::RowName{});

const LabelCase CommonCases[] = {
    {"age in English", Screen::Monthly, En, "Age", "Age : "},
    {"age in Afrikaans", Screen::Daily, Af, "Age", "Ouderdom : "},
    {"salary in Afrikaans", Screen::Annual, Af, "Sal", "Besoldiging"},
    {"commissions in Afrikaans", Screen::Weekly, Af, "DirFees", "Kommissie"},
    {"bonus is the same in Afrikaans", Screen::Monthly, Af, "Bonus", "Bonus"},
    {"medical expenses in Afrikaans", Screen::Monthly, Af, "MedExp", "Mediese onkoste"},
    {"pension in English", Screen::Weekly, En, "PenCont", "Allowable pension contributions"},
    {"R/A in Afrikaans", Screen::Monthly, Af, "RACont", "Toelaatbare U/T bydrae"},
    {"tax liability in Afrikaans", Screen::Daily, Af, "Taxliability", "Belasting verpligting"},
    {"credit for beneficiaries in Afrikaans", Screen::Annual, Af, "TaxCredit", "Belastingkrediete vir begunstigdes"},
    {"credit for contributions in English", Screen::Monthly, En, "TaxCreditCons", "Tax credits for contributions"},
    {"employer's medical in Afrikaans", Screen::Monthly, Af, "EmpERMedAidCont",
     "Werkgewer se bydrae aan mediesefonds"},
    {"employee's medical in English", Screen::Annual, En, "EmpEEMedAidCont", "Employee's med aid contrib."},
    {"med aid deduction in Afrikaans", Screen::Fortnightly, Af, "MedAidBens", "Mediesfondsbydrae afrekking"},
    {"E. & O.E. in English", Screen::Monthly, En, "EOE", "(E.& O.E.)"},
    {"E. & O.E. in Afrikaans", Screen::Annual, Af, "EOE", "(B.& F.W.)"},
    {"monthly total in English", Screen::Monthly, En, "Total", "Total tax deduction"},
    {"monthly total in Afrikaans", Screen::Monthly, Af, "Total", "Totaal belasting"},
    {"weekly total in Afrikaans after its overwrite", Screen::Weekly, Af, "Total", "Totaal belasting"},
    {"daily total in English after its overwrite", Screen::Daily, En, "Total", "Total tax deduction"},
    {"annual total in English", Screen::Annual, En, "Total", "Total tax deduction"},
    {"annual total in Afrikaans is Totaal", Screen::Annual, Af, "Total", "Totaal"},
};
INSTANTIATE_TEST_SUITE_P(Common, PayePrintoutLabelTest, ::testing::ValuesIn(CommonCases), testing::RowName{});

const LabelCase PeriodicCases[] = {
    {"employee UIF in English", Screen::Monthly, En, "UIFEMPE", "U.I.F. contribution employee"},
    {"employee UIF in Afrikaans", Screen::Weekly, Af, "UIFEMPE", "U.I.F. bydrae werknemer"},
    {"employer UIF in Afrikaans", Screen::Daily, Af, "UIFEMPR", "U.I.F. bydrae werkgewer"},
    {"S.D.L. is the same in Afrikaans", Screen::Fortnightly, Af, "SDL", "S.D.L."},
    {"beneficiaries in English", Screen::Monthly, En, "AnnCalcBens3", "Medical aid fund beneficiaries"},
    {"beneficiaries in Afrikaans", Screen::Daily, Af, "AnnCalcBens3", "Getal mediesefondslede en afhanklikes"},
    {"settings line in English", Screen::Weekly, En, "SetupUsed", "Worked with: "},
    {"settings line in Afrikaans", Screen::Annual, Af, "SetupUsed", "Bereken met: "},
    {"employee UIF setting in Afrikaans", Screen::Monthly, Af, "SetupUIFEE", "U.I.F. werknemer"},
    {"employer UIF setting in English", Screen::Daily, En, "SetupUIFER", "U.I.F. employer"},
    {"UIF limit setting in Afrikaans", Screen::Fortnightly, Af, "SetupUIFLimit", "U.I.F. maandelikse perk"},
    {"SDL setting", Screen::Monthly, Af, "SetupSDL", "S.D.L."},
    {"inclusion rate in English", Screen::Annual, En, "SetupTravel", "Travel allowance taxable"},
    {"inclusion rate in Afrikaans", Screen::Monthly, Af, "SetupTravel", "Reistoelae belasbaar"},
};
INSTANTIATE_TEST_SUITE_P(Periodic, PayePrintoutLabelTest, ::testing::ValuesIn(PeriodicCases), testing::RowName{});

const LabelCase TravelAndPeriodCases[] = {
    {"monthly travel in English keeps its trailing space", Screen::Monthly, En, "TravAll", "Travel allowance "},
    {"monthly travel in Afrikaans", Screen::Monthly, Af, "TravAll", "Reistoelae "},
    {"weekly travel in Afrikaans is received", Screen::Weekly, Af, "TravAll", "Reistoelae ontvang"},
    {"fortnightly travel in English", Screen::Fortnightly, En, "TravAll", "Travel allowance "},
    {"daily travel in Afrikaans", Screen::Daily, Af, "TravAll", "Reistoelae "},
    {"annual travel in English is received", Screen::Annual, En, "TravAll", "Travel allowance received"},
    {"annual travel in Afrikaans", Screen::Annual, Af, "TravAll", "Reistoelae ontvang"},
    {"monthly start date in Afrikaans", Screen::Monthly, Af, "SDate", "Begin datum"},
    {"annual end date in Afrikaans", Screen::Annual, Af, "EDate", "Eind datum"},
    {"annual start date in English", Screen::Annual, En, "SDate", "Start date"},
    {"weekly normal days in English", Screen::Weekly, En, "SDate", "Normal work week"},
    {"weekly this week in Afrikaans", Screen::Weekly, Af, "EDate", "Hierdie werk week"},
    {"fortnightly normal days in Afrikaans", Screen::Fortnightly, Af, "SDate", "Normale twee weke"},
    {"fortnightly this fortnight in English", Screen::Fortnightly, En, "EDate", "This fortnight"},
};
INSTANTIATE_TEST_SUITE_P(TravelAndPeriod, PayePrintoutLabelTest, ::testing::ValuesIn(TravelAndPeriodCases),
                         testing::RowName{});

const LabelCase AnnualCases[] = {
    {"SITE in English", Screen::Annual, En, "SITE", "SITE"},
    {"SITE in Afrikaans is SIBW", Screen::Annual, Af, "SITE", "SIBW"},
    {"PAYE in English", Screen::Annual, En, "PAYE", "PAYE"},
    {"PAYE in Afrikaans is LBS", Screen::Annual, Af, "PAYE", "LBS"},
    {"beneficiaries heading in English", Screen::Annual, En, "NumOFBens", "Number of Medical Aid Beneficiaries"},
    {"beneficiaries heading in Afrikaans", Screen::Annual, Af, "NumOFBens", "Getal mediesefondslede en afhanklikes"},
    {"March heading", Screen::Annual, Af, "AnnCalcBens3", "Mar"},
    {"April carries a trailing space in English", Screen::Annual, En, "AnnCalcBens4", "Apr "},
    {"April carries a trailing space in Afrikaans", Screen::Annual, Af, "AnnCalcBens4", "Apr "},
    {"May in English", Screen::Annual, En, "AnnCalcBens5", "May"},
    {"May in Afrikaans is Mei", Screen::Annual, Af, "AnnCalcBens5", "Mei"},
    {"October in English", Screen::Annual, En, "AnnCalcBens10", "Oct"},
    {"October in Afrikaans is Okt", Screen::Annual, Af, "AnnCalcBens10", "Okt"},
    {"December heading", Screen::Annual, En, "AnnCalcBens12", "Dec"},
    {"January heading", Screen::Annual, Af, "AnnCalcBens1", "Jan"},
    {"February heading", Screen::Annual, En, "AnnCalcBens2", "Feb"},
};
INSTANTIATE_TEST_SUITE_P(Annual, PayePrintoutLabelTest, ::testing::ValuesIn(AnnualCases), testing::RowName{});

// ---- Field order -----------------------------------------------------------------------------

// The printout tables in order: the fields of all five screens, then those of the periodic
// screens, the travel allowance, the period and the annual screen's own.
const std::vector<std::string> CommonOrder = {
    "TypeAM",          "Employee",           "Age",          "AgeNum",           "Sal",
    "SalNum",          "DirFees",            "DirFeesNum",   "Bonus",            "BonusNum",
    "MedExp",          "MedExpNum",          "PenCont",      "PenContNum",       "RACont",
    "RAContNum",       "Taxliability",       "Taxliabilitynum", "TaxCredit",     "Taxcreditnum",
    "TaxCreditCons",   "TaxcreditnumCons",   "EmpERMedAidCont", "EmpERMedAidContnum", "EmpEEMedAidCont",
    "EmpEEMedAidContnum", "MedAidBens",      "MedAidBensnum", "EOE",
};
const std::vector<std::string> PeriodicOrder = {"UIFEMPE", "UIFEMPENum", "UIFEMPR", "UIFEMPRNum", "SDL", "SDLNum",
                                                "AnnCalcBens3", "AnnCalcBens3num"};
const std::vector<std::string> PeriodOrder = {"SDate", "SDateNum", "EDate", "EDateNum"};
const std::vector<std::string> TotalOrder = {"Total", "TotalNum"};
const std::vector<std::string> SetupOrder = {"SetupUsed", "SetupUIFEE", "SetupUIFEENum", "SetupUIFER", "SetupUIFERNum",
                                             "SetupUIFLimit", "SetupUIFLimitNum", "SetupSDL", "SetupSDLNum",
                                             "SetupTravel", "SetupTravelNum"};

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(PayePrintoutOrder, MonthlyTotalFollowsTheCommonFields)
{
    const auto expected = Joined({CommonOrder, TotalOrder, PeriodicOrder, {"TravAll", "TravOne", "TravTwo"},
                                  PeriodOrder, SetupOrder});
    EXPECT_EQ(NamesOf(RowOf(Screen::Monthly, En)), expected);
}

TEST(PayePrintoutOrder, WeeklyAndFortnightlyEndWithTheTotal)
{
    const auto expected = Joined({CommonOrder, PeriodicOrder, {"TravAll", "RecBefNum"}, PeriodOrder, TotalOrder, SetupOrder});
    EXPECT_EQ(NamesOf(RowOf(Screen::Weekly, En)), expected);
    EXPECT_EQ(NamesOf(RowOf(Screen::Fortnightly, En)), expected);
}

TEST(PayePrintoutOrder, DailyHasNoPeriodFieldsAndEndsWithTheTotal)
{
    const auto expected = Joined({CommonOrder, PeriodicOrder, {"TravAll", "RecBefNum"}, TotalOrder, SetupOrder});
    EXPECT_EQ(NamesOf(RowOf(Screen::Daily, Af)), expected);
}

TEST(PayePrintoutOrder, AnnualHasNoUifButItsOwnFieldsAndMonthsMarchToFebruary)
{
    std::vector<std::string> months;
    for (int month : {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}) {
        months.push_back("AnnCalcBens" + std::to_string(month));
        months.push_back("AnnCalcBens" + std::to_string(month) + "num");
    }
    const auto expected = Joined({CommonOrder, TotalOrder, {"TravAll", "RecBefNum"}, PeriodOrder,
                                  {"SITE", "SITENum", "PAYE", "PAYENum", "NumOFBens"}, months,
                                  {"SetupUsed", "SetupTravel", "SetupTravelNum"}});
    EXPECT_EQ(NamesOf(RowOf(Screen::Annual, Af)), expected);
}

class PayePrintoutScreenTest : public ::testing::TestWithParam<Screen> {};

TEST_P(PayePrintoutScreenTest, WritesEachFieldOnceAndTheSameFieldsInBothLanguages)
{
    const auto english = NamesOf(RowOf(GetParam(), En));
    const auto afrikaans = NamesOf(RowOf(GetParam(), Af));
    EXPECT_EQ(english, afrikaans);
    EXPECT_EQ(std::set<std::string>(english.begin(), english.end()).size(), english.size());
}

TEST_P(PayePrintoutScreenTest, EmptyNameGivesTheBareEmployeeLine)
{
    EXPECT_EQ(TextOf(RowOf(GetParam(), En, ""), "Employee"), " For : ");
    EXPECT_EQ(TextOf(RowOf(GetParam(), Af, ""), "Employee"), "Vir : ");
    EXPECT_EQ(TextOf(RowOf(GetParam(), En, "Thandi Nkosi"), "Employee"), " For : Thandi Nkosi");
    EXPECT_EQ(TextOf(RowOf(GetParam(), Af, "Jan Smit"), "Employee"), "Vir : Jan Smit");
}

TEST_P(PayePrintoutScreenTest, ValuesAreTheSameInBothLanguages)
{
    const ReportRow english = RowOf(GetParam(), En);
    const ReportRow afrikaans = RowOf(GetParam(), Af);
    ASSERT_EQ(english.size(), afrikaans.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        const std::string& name = english[i].name;
        // Value fields are the numbers and the dates: every name but the labels and the employee line.
        if (std::holds_alternative<std::string>(english[i].value) && name != "SDateNum" && name != "EDateNum")
            continue;
        SCOPED_TRACE(name);
        EXPECT_EQ(english[i].value, afrikaans[i].value);
    }
}

std::string ScreenName(const ::testing::TestParamInfo<Screen>& info)
{
    constexpr const char* names[] = {"Monthly", "Weekly", "Fortnightly", "Daily", "Annual"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Screens, PayePrintoutScreenTest,
                         ::testing::Values(Screen::Monthly, Screen::Weekly, Screen::Fortnightly, Screen::Daily,
                                           Screen::Annual),
                         ScreenName);

TEST(PayePrintoutOrder, WeeklyAndFortnightlyShareOneTableOfFieldNames)
{
    EXPECT_EQ(NamesOf(RowOf(Screen::Weekly, Af)), NamesOf(RowOf(Screen::Fortnightly, En)));
}

// ---- Values ----------------------------------------------------------------------------------

void ExpectDouble(const ReportRow& row, std::string_view name, double expected)
{
    SCOPED_TRACE(name);
    const ReportValue* value = Find(row, name);
    ASSERT_NE(value, nullptr);
    ASSERT_TRUE(std::holds_alternative<double>(*value));
    EXPECT_EQ(std::get<double>(*value), expected);
}

void ExpectCount(const ReportRow& row, std::string_view name, std::int16_t expected)
{
    SCOPED_TRACE(name);
    const ReportValue* value = Find(row, name);
    ASSERT_NE(value, nullptr);
    ASSERT_TRUE(std::holds_alternative<std::int16_t>(*value));
    EXPECT_EQ(std::get<std::int16_t>(*value), expected);
}

TEST(PayePrintoutValues, MonthlyCarriesItsInputsAndResults)
{
    const ReportRow row = RowOf(Screen::Monthly, En);
    ExpectCount(row, "AgeNum", 45);
    ExpectDouble(row, "SalNum", 20000);
    ExpectDouble(row, "DirFeesNum", 300);
    ExpectDouble(row, "BonusNum", 2000);
    ExpectDouble(row, "MedExpNum", 250); // the "Med Aid contribution deduction" amount
    ExpectDouble(row, "PenContNum", 400);
    ExpectDouble(row, "RAContNum", 200);
    ExpectDouble(row, "Taxliabilitynum", 3000);
    ExpectDouble(row, "Taxcreditnum", 721);
    ExpectDouble(row, "TaxcreditnumCons", 100);
    ExpectDouble(row, "EmpERMedAidContnum", 1000);
    ExpectDouble(row, "EmpEEMedAidContnum", 500);
    ExpectCount(row, "MedAidBensnum", 250);
    ExpectDouble(row, "TotalNum", 2179); // 3 000 - (721 + 100), not the stale 9 999
    ExpectDouble(row, "UIFEMPENum", 148.72);
    ExpectDouble(row, "UIFEMPRNum", 297.45);
    ExpectDouble(row, "SDLNum", 231.02);
    ExpectCount(row, "AnnCalcBens3num", 3);
    ExpectDouble(row, "TravOne", 1001);
    ExpectDouble(row, "TravTwo", 800.8); // the taxable travel allowance, unrounded
    EXPECT_EQ(TextOf(row, "SDateNum"), "01/03/2015");
    EXPECT_EQ(TextOf(row, "EDateNum"), "15/03/2015");
    ExpectDouble(row, "SetupUIFEENum", 1.5);
    ExpectDouble(row, "SetupUIFERNum", 2);
    ExpectDouble(row, "SetupUIFLimitNum", 17712);
    ExpectDouble(row, "SetupSDLNum", 0.5);
    ExpectDouble(row, "SetupTravelNum", 20); // held as 0.2, printed as a percentage
}

TEST(PayePrintoutValues, WeeklyWritesItsDayCountsAsTextAndNoMedicalExpenses)
{
    const ReportRow row = RowOf(Screen::Weekly, Af);
    ExpectDouble(row, "MedExpNum", 0);
    ExpectCount(row, "MedAidBensnum", 250);
    ExpectDouble(row, "RecBefNum", 1001);
    ExpectDouble(row, "UIFEMPENum", 148.72);
    ExpectDouble(row, "SDLNum", 231.02);
    ExpectDouble(row, "TotalNum", 2179);
    EXPECT_EQ(TextOf(row, "SDateNum"), "5");
    EXPECT_EQ(TextOf(row, "EDateNum"), "3");
    EXPECT_EQ(Find(row, "TravOne"), nullptr);

    const ReportRow fortnight = RowOf(Screen::Fortnightly, En);
    EXPECT_EQ(TextOf(fortnight, "SDateNum"), "10");
    EXPECT_EQ(TextOf(fortnight, "EDateNum"), "9");
}

TEST(PayePrintoutValues, DailyWritesNoPeriodFields)
{
    const ReportRow row = RowOf(Screen::Daily, En);
    ExpectDouble(row, "MedExpNum", 0);
    ExpectDouble(row, "RecBefNum", 1001);
    ExpectDouble(row, "UIFEMPRNum", 297.45);
    ExpectDouble(row, "TotalNum", 2179);
    EXPECT_EQ(Find(row, "SDate"), nullptr);
    EXPECT_EQ(Find(row, "SDateNum"), nullptr);
    EXPECT_EQ(Find(row, "EDate"), nullptr);
    EXPECT_EQ(Find(row, "EDateNum"), nullptr);
}

TEST(PayePrintoutValues, AnnualCarriesItsSplitDatesAndMonths)
{
    const ReportRow row = RowOf(Screen::Annual, En);
    ExpectCount(row, "AgeNum", 45);
    ExpectDouble(row, "MedExpNum", 0);
    ExpectCount(row, "MedAidBensnum", 250);
    ExpectDouble(row, "Taxliabilitynum", 50000);
    ExpectDouble(row, "TotalNum", 45000); // 50 000 - (4 860 + 140), not the stale 1
    ExpectDouble(row, "SITENum", 0);
    ExpectDouble(row, "PAYENum", 45000);
    ExpectDouble(row, "RecBefNum", 1001);
    EXPECT_EQ(TextOf(row, "SDateNum"), "01/06/2015");
    EXPECT_EQ(TextOf(row, "EDateNum"), "29/02/2016");
    // The field number is the calendar month; the sample holds the month's number as its count.
    for (std::int16_t month = 1; month <= 12; ++month)
        ExpectCount(row, "AnnCalcBens" + std::to_string(month) + "num", month);
    ExpectDouble(row, "SetupTravelNum", 20);
    EXPECT_EQ(Find(row, "UIFEMPENum"), nullptr);
    EXPECT_EQ(Find(row, "SDLNum"), nullptr);
    EXPECT_EQ(Find(row, "SetupUIFEENum"), nullptr); // the annual tax is worked without UIF or SDL
}

TEST(PayePrintoutValues, CreditsLargerThanTheTaxPrintATotalOf0)
{
    PeriodicPayeResult result = SampleResult();
    result.TaxLiability = 500; // less than 721 + 100
    ExpectDouble(MonthlyPayeReportRow(SampleInputs(), Settings, {}, result, "", En), "TotalNum", 0);
    ExpectDouble(WeekPayeReportRow(WeekKind::Weekly, SampleInputs(), Settings, {}, result, "", En), "TotalNum", 0);
    ExpectDouble(DailyPayeReportRow(SampleInputs(), Settings, result, "", Af), "TotalNum", 0);

    AnnualPayeResult annual = SampleAnnualResult();
    annual.TaxLiability = 4000;
    annual.PAYE = 0;
    const ReportRow row = AnnualPayeReportRow(SampleAnnualInputs(), Settings, annual, "", Af);
    ExpectDouble(row, "TotalNum", 0);
    ExpectDouble(row, "PAYENum", 0);
}

TEST(PayePrintoutValues, AllZeroInputsPrintZerosAndTheBareEmployeeLine)
{
    const ReportRow row = MonthlyPayeReportRow({}, {.EmployeeUIF = 0, .EmployerUIF = 0, .SkillLevy = 0, .UIFLimit = 0,
                                                    .TAIncRate8020 = 0},
                                               {}, {}, "", En);
    EXPECT_EQ(TextOf(row, "Employee"), " For : ");
    for (const ReportField& field : row) {
        SCOPED_TRACE(field.name);
        if (const auto* number = std::get_if<double>(&field.value)) {
            EXPECT_EQ(*number, 0);
        } else if (const auto* count = std::get_if<std::int16_t>(&field.value)) {
            EXPECT_EQ(*count, 0);
        }
    }
    EXPECT_EQ(TextOf(row, "SDateNum"), "01/03/2015");
    EXPECT_EQ(TextOf(row, "EDateNum"), "31/03/2015");
}

struct WholeNumberCase {
    const char* name;
    double typed;
    bool fits16Bits;
    double whole;
};

class MedAidBensNumberTest : public ::testing::TestWithParam<WholeNumberCase> {};

TEST_P(MedAidBensNumberTest, IsAWholeNumber16BitWhenItFits)
{
    const WholeNumberCase& c = GetParam();
    PayeInputs in;
    in.MedDeduction = c.typed;
    const ReportRow row = DailyPayeReportRow(in, Settings, {}, "", En);
    if (c.fits16Bits)
        ExpectCount(row, "MedAidBensnum", static_cast<std::int16_t>(c.whole));
    else
        ExpectDouble(row, "MedAidBensnum", c.whole);
}

const WholeNumberCase WholeNumberCases[] = {
    {"250 is 16-bit", 250, true, 250},
    {"12.5 rounds to the even 12", 12.5, true, 12},
    {"13.5 rounds to the even 14", 13.5, true, 14},
    {"-5 is 16-bit", -5, true, -5},
    {"32 767 is the largest 16-bit", 32767, true, 32767},
    {"32 768 is a whole double", 32768, false, 32768},
    {"99 999.6 is the whole double 100 000", 99999.6, false, 100000},
    {"-40 000 is a whole double", -40000, false, -40000},
};
INSTANTIATE_TEST_SUITE_P(Amounts, MedAidBensNumberTest, ::testing::ValuesIn(WholeNumberCases), testing::RowName{});

TEST(PayePrintoutTargets, NameTheTablesAndLayouts)
{
    EXPECT_STREQ(MonthlyPrintout.Table, "IRP5Mon");
    EXPECT_STREQ(WeeklyPrintout.Table, "IRP5Week");
    EXPECT_STREQ(FortnightlyPrintout.Table, "IRP5Week");
    EXPECT_STREQ(DailyPrintout.Table, "IRP5Day");
    EXPECT_STREQ(AnnualPrintout.Table, "IRP5Ann");
    EXPECT_STREQ(FortnightlyPrintout.Layout, "FortNightly.rpt");
}

} // namespace
} // namespace revora
