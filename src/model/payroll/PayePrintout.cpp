#include "payroll/PayePrintout.h"

#include <array>
#include <cmath>
#include <limits>
#include <span>

#include "common/DayDate.h"
#include "payroll/PayeSteps.h"

namespace revora {
namespace {

// Everything a PAYE printout can carry, gathered from one screen's inputs and results; each
// value already has the type its field is written with (counts int16, dates and the employee
// line text, amounts double).
struct Printed {
    ReportValue Employee, Age, Salary, Commission, Bonus, MedExp, Pension, RetirementAnnuity;
    ReportValue TaxLiability, Credit, AdditionalCredit, EmployerMedical, EmployeeMedical, MedAidBens, Total;
    ReportValue UIFEmployee, UIFEmployer, SDL, Beneficiaries; // periodic screens
    ReportValue Travel, TaxableTravel;
    ReportValue Start, End; // period fields
    ReportValue SITE, PAYE; // annual screen
    // The settings the figures were worked with, so that a payslip can be checked later:
    // percentages as numbers of percent, the UIF limit in rand a month.
    ReportValue SetupUIFEmployee, SetupUIFEmployer, SetupUIFLimit, SetupSDL, SetupTravel;
    std::array<std::int16_t, 12> Members{}; // annual screen, by calendar month - 1
};

// One printed pair: a label field with its English and Afrikaans texts side by side, and the
// value field written after it. A label without a value field is a heading; a pair without a
// label field is a value written alone.
struct PrintedField {
    const char* label;
    const char* english;
    const char* afrikaans;
    const char* value;
    ReportValue Printed::*source;
};

// The fields every screen writes, in the printout's order (`Total` is placed per screen).
constexpr PrintedField CommonFields[] = {
    {nullptr, nullptr, nullptr, "Employee", &Printed::Employee},
    {"Age", "Age : ", "Ouderdom : ", "AgeNum", &Printed::Age},
    {"Sal", "Remuneration/salary", "Besoldiging", "SalNum", &Printed::Salary},
    {"DirFees", "Commissions", "Kommissie", "DirFeesNum", &Printed::Commission},
    {"Bonus", "Bonus", "Bonus", "BonusNum", &Printed::Bonus},
    {"MedExp", "Medical expenses", "Mediese onkoste", "MedExpNum", &Printed::MedExp},
    {"PenCont", "Allowable pension contributions", "Toelaatbare pension bydrae", "PenContNum", &Printed::Pension},
    {"RACont", "Allowable R/A contributions", "Toelaatbare U/T bydrae", "RAContNum", &Printed::RetirementAnnuity},
    {"Taxliability", "Tax liability", "Belasting verpligting", "Taxliabilitynum", &Printed::TaxLiability},
    {"TaxCredit", "Tax credits for beneficiaries", "Belastingkrediete vir begunstigdes", "Taxcreditnum",
     &Printed::Credit},
    {"TaxCreditCons", "Tax credits for contributions", "Belastingkrediete vir bydraes", "TaxcreditnumCons",
     &Printed::AdditionalCredit},
    {"EmpERMedAidCont", "Employer's med aid contrib.", "Werkgewer se bydrae aan mediesefonds", "EmpERMedAidContnum",
     &Printed::EmployerMedical},
    {"EmpEEMedAidCont", "Employee's med aid contrib.", "Werknemer se bydrae aan mediesefonds", "EmpEEMedAidContnum",
     &Printed::EmployeeMedical},
    {"MedAidBens", "Med Aid contribution deduction", "Mediesfondsbydrae afrekking", "MedAidBensnum",
     &Printed::MedAidBens},
    {"EOE", "(E.& O.E.)", "(B.& F.W.)", nullptr, nullptr},
};

// The fields of the monthly, weekly, fortnightly and daily screens.
constexpr PrintedField PeriodicFields[] = {
    {"UIFEMPE", "U.I.F. contribution employee", "U.I.F. bydrae werknemer", "UIFEMPENum", &Printed::UIFEmployee},
    {"UIFEMPR", "U.I.F. contribution employer", "U.I.F. bydrae werkgewer", "UIFEMPRNum", &Printed::UIFEmployer},
    {"SDL", "S.D.L.", "S.D.L.", "SDLNum", &Printed::SDL},
    {"AnnCalcBens3", "Medical aid fund beneficiaries", "Getal mediesefondslede en afhanklikes", "AnnCalcBens3num",
     &Printed::Beneficiaries},
};

// The total line: the annual screen's Afrikaans is shorter.
constexpr PrintedField PeriodicTotal[] = {
    {"Total", "Total tax deduction", "Totaal belasting", "TotalNum", &Printed::Total}};
constexpr PrintedField AnnualTotal[] = {{"Total", "Total tax deduction", "Totaal", "TotalNum", &Printed::Total}};

// Travel allowance, per screen.
constexpr PrintedField MonthlyTravel[] = {
    {"TravAll", "Travel allowance ", "Reistoelae ", "TravOne", &Printed::Travel},
    {nullptr, nullptr, nullptr, "TravTwo", &Printed::TaxableTravel},
};
constexpr PrintedField WeekTravel[] = {
    {"TravAll", "Travel allowance ", "Reistoelae ontvang", "RecBefNum", &Printed::Travel}};
constexpr PrintedField DailyTravel[] = {{"TravAll", "Travel allowance ", "Reistoelae ", "RecBefNum", &Printed::Travel}};
constexpr PrintedField AnnualTravel[] = {
    {"TravAll", "Travel allowance received", "Reistoelae ontvang", "RecBefNum", &Printed::Travel}};

// Period fields, per screen (the daily screen writes none).
constexpr PrintedField DatedPeriod[] = {
    {"SDate", "Start date", "Begin datum", "SDateNum", &Printed::Start},
    {"EDate", "End date", "Eind datum", "EDateNum", &Printed::End},
};
constexpr PrintedField WeeklyPeriod[] = {
    {"SDate", "Normal work week", "Normale werk week", "SDateNum", &Printed::Start},
    {"EDate", "This work week", "Hierdie werk week", "EDateNum", &Printed::End},
};
constexpr PrintedField FortnightlyPeriod[] = {
    {"SDate", "Normal fortnight", "Normale twee weke", "SDateNum", &Printed::Start},
    {"EDate", "This fortnight", "Hierdie twee weke", "EDateNum", &Printed::End},
};

// The annual screen's own fields, before its month counts.
constexpr PrintedField AnnualFields[] = {
    {"SITE", "SITE", "SIBW", "SITENum", &Printed::SITE},
    {"PAYE", "PAYE", "LBS", "PAYENum", &Printed::PAYE},
    {"NumOFBens", "Number of Medical Aid Beneficiaries", "Getal mediesefondslede en afhanklikes", nullptr, nullptr},
};

// The settings line: the periodic screens work with all five settings, the annual screen
// with the travel allowance's inclusion rate alone.
constexpr PrintedField PeriodicSetup[] = {
    {"SetupUsed", "Worked with: ", "Bereken met: ", nullptr, nullptr},
    {"SetupUIFEE", "U.I.F. employee", "U.I.F. werknemer", "SetupUIFEENum", &Printed::SetupUIFEmployee},
    {"SetupUIFER", "U.I.F. employer", "U.I.F. werkgewer", "SetupUIFERNum", &Printed::SetupUIFEmployer},
    {"SetupUIFLimit", "U.I.F. monthly limit", "U.I.F. maandelikse perk", "SetupUIFLimitNum", &Printed::SetupUIFLimit},
    {"SetupSDL", "S.D.L.", "S.D.L.", "SetupSDLNum", &Printed::SetupSDL},
    {"SetupTravel", "Travel allowance taxable", "Reistoelae belasbaar", "SetupTravelNum", &Printed::SetupTravel},
};
constexpr PrintedField AnnualSetup[] = {
    {"SetupUsed", "Worked with: ", "Bereken met: ", nullptr, nullptr},
    {"SetupTravel", "Travel allowance taxable", "Reistoelae belasbaar", "SetupTravelNum", &Printed::SetupTravel},
};

// The annual month counts, March to February; the field number is the calendar month, and
// April carries a trailing space in both languages.
struct PrintedMonth {
    const char* label;
    const char* english;
    const char* afrikaans;
    const char* value;
    int month; // calendar month, 1 January
};
constexpr PrintedMonth AnnualMonths[] = {
    {"AnnCalcBens3", "Mar", "Mar", "AnnCalcBens3num", 3},
    {"AnnCalcBens4", "Apr ", "Apr ", "AnnCalcBens4num", 4},
    {"AnnCalcBens5", "May", "Mei", "AnnCalcBens5num", 5},
    {"AnnCalcBens6", "Jun", "Jun", "AnnCalcBens6num", 6},
    {"AnnCalcBens7", "Jul", "Jul", "AnnCalcBens7num", 7},
    {"AnnCalcBens8", "Aug", "Aug", "AnnCalcBens8num", 8},
    {"AnnCalcBens9", "Sep", "Sep", "AnnCalcBens9num", 9},
    {"AnnCalcBens10", "Oct", "Okt", "AnnCalcBens10num", 10},
    {"AnnCalcBens11", "Nov", "Nov", "AnnCalcBens11num", 11},
    {"AnnCalcBens12", "Dec", "Dec", "AnnCalcBens12num", 12},
    {"AnnCalcBens1", "Jan", "Jan", "AnnCalcBens1num", 1},
    {"AnnCalcBens2", "Feb", "Feb", "AnnCalcBens2num", 2},
};

// The heading and the employee line's lead-in.
struct Texts {
    const char* english;
    const char* afrikaans;
};
constexpr Texts EmployeeLeadIn{" For : ", "Vir : "};

// How the screens differ: the heading `TypeAM`, which travel and period fields they write,
// where `Total` goes, and which of the periodic and annual fields they have.
struct PrintedScreen {
    Texts typeAM;
    std::span<const PrintedField> travel;
    std::span<const PrintedField> period;
    std::span<const PrintedField> total;
    std::span<const PrintedField> setup;
    bool totalLast; // weekly, fortnightly, daily: the net total is written last
    bool periodic;  // UIF, SDL and the beneficiaries count
    bool annual;    // SITE, PAYE and the month counts
};
constexpr PrintedScreen MonthlyScreen{
    {"Monthly Check", "Maandelikse Inkomste"}, MonthlyTravel, DatedPeriod, PeriodicTotal, PeriodicSetup, false, true, false};
constexpr PrintedScreen WeeklyScreen{
    {"Weekly Check", "Weeklikse Inkomste"}, WeekTravel, WeeklyPeriod, PeriodicTotal, PeriodicSetup, true, true, false};
constexpr PrintedScreen FortnightlyScreen{
    {"Fortnightly Check", "Twee Weeklikse Inkomste"}, WeekTravel, FortnightlyPeriod, PeriodicTotal, PeriodicSetup, true, true, false};
constexpr PrintedScreen DailyScreen{
    {"Daily Check", "Daaglikse Inkomste"}, DailyTravel, {}, PeriodicTotal, PeriodicSetup, true, true, false};
constexpr PrintedScreen AnnualScreen{
    {"Annual Check", "Jaarlikse Inkomste"}, AnnualTravel, DatedPeriod, AnnualTotal, AnnualSetup, false, false, true};

const char* InLanguage(const char* english, const char* afrikaans, PrintLanguage language)
{
    return language == PrintLanguage::Afrikaans ? afrikaans : english;
}

void Write(ReportRow& row, std::span<const PrintedField> fields, const Printed& printed, PrintLanguage language)
{
    for (const PrintedField& field : fields) {
        if (field.label)
            row.push_back({field.label, std::string(InLanguage(field.english, field.afrikaans, language))});
        if (field.value)
            row.push_back({field.value, printed.*field.source});
    }
}

ReportRow Assemble(const PrintedScreen& screen, const Printed& printed, PrintLanguage language)
{
    ReportRow row;
    row.push_back({"TypeAM", std::string(InLanguage(screen.typeAM.english, screen.typeAM.afrikaans, language))});
    Write(row, CommonFields, printed, language);
    if (!screen.totalLast)
        Write(row, screen.total, printed, language);
    if (screen.periodic)
        Write(row, PeriodicFields, printed, language);
    Write(row, screen.travel, printed, language);
    Write(row, screen.period, printed, language);
    if (screen.annual) {
        Write(row, AnnualFields, printed, language);
        for (const PrintedMonth& month : AnnualMonths) {
            row.push_back({month.label, std::string(InLanguage(month.english, month.afrikaans, language))});
            row.push_back({month.value, printed.Members[month.month - 1]});
        }
    }
    if (screen.totalLast)
        Write(row, screen.total, printed, language);
    Write(row, screen.setup, printed, language);
    return row;
}

// The "Med Aid contribution deduction" box as a whole number: 16-bit when it fits, else a
// whole double (halves to even, as a whole-number box reads its text).
ReportValue WholeNumber(double value)
{
    if (!std::isfinite(value))
        return std::int16_t{0}; // a box shows no "inf" or "nan"; its empty text reads as 0
    const double whole = std::nearbyint(value);
    if (whole >= std::numeric_limits<std::int16_t>::min() && whole <= std::numeric_limits<std::int16_t>::max())
        return static_cast<std::int16_t>(whole);
    return whole + 0.0;
}

// The values every screen writes alike.
Printed Common(const PayeInputs& in, const PayeSettings& settings, double taxLiability, double credit,
               double additional, const std::string& employee, PrintLanguage language)
{
    Printed p;
    p.SetupUIFEmployee = settings.EmployeeUIF;
    p.SetupUIFEmployer = settings.EmployerUIF;
    p.SetupUIFLimit = settings.UIFLimit;
    p.SetupSDL = settings.SkillLevy;
    p.SetupTravel = settings.TAIncRate8020 * 100.0; // held as 0.8 or 0.2, printed as a percentage
    p.Employee = InLanguage(EmployeeLeadIn.english, EmployeeLeadIn.afrikaans, language) + employee;
    p.Age = in.Age;
    p.Salary = in.Salary;
    p.Commission = in.Commission;
    p.Bonus = in.Bonus;
    p.MedExp = 0.0;
    p.Pension = in.Pension;
    p.RetirementAnnuity = in.RetirementAnnuity;
    p.TaxLiability = taxLiability;
    p.Credit = credit;
    p.AdditionalCredit = additional;
    p.EmployerMedical = in.EmployerMedical;
    p.EmployeeMedical = in.EmployeeMedical;
    p.MedAidBens = WholeNumber(in.MedDeduction);
    // Computed afresh, as the print routine does, from the tax and the two credits.
    p.Total = paye::NetOfCredits(taxLiability, credit, additional);
    p.Travel = in.TravelAllowance;
    return p;
}

Printed Periodic(const PayeInputs& in, const PayeSettings& settings, const PeriodicPayeResult& result,
                 const std::string& employee, PrintLanguage language)
{
    Printed p = Common(in, settings, result.TaxLiability, result.MedicalCredit, result.AdditionalMedicalCredit,
                       employee, language);
    // As the two-decimal boxes show them: the print routine reads these back from the boxes.
    p.UIFEmployee = AsShownTwoDecimals(result.UIFEmployee);
    p.UIFEmployer = AsShownTwoDecimals(result.UIFEmployer);
    p.SDL = AsShownTwoDecimals(result.SDL);
    p.Beneficiaries = in.Beneficiaries;
    return p;
}

} // namespace

ReportRow MonthlyPayeReportRow(const PayeInputs& inputs, const PayeSettings& settings, const MonthlyPeriod& period,
                               const PeriodicPayeResult& result, const std::string& employee, PrintLanguage language)
{
    Printed p = Periodic(inputs, settings, result, employee, language);
    p.MedExp = inputs.MedDeduction;
    p.TaxableTravel = result.TaxableTravelAllowance;
    p.Start = FormatDayDate(period.StartDate);
    p.End = FormatDayDate(period.EndDate);
    return Assemble(MonthlyScreen, p, language);
}

ReportRow WeekPayeReportRow(WeekKind kind, const PayeInputs& inputs, const PayeSettings& settings,
                            const WeekPeriod& period, const PeriodicPayeResult& result, const std::string& employee,
                            PrintLanguage language)
{
    Printed p = Periodic(inputs, settings, result, employee, language);
    p.Start = std::to_string(period.NormalDays);
    p.End = std::to_string(period.ThisDays);
    return Assemble(kind == WeekKind::Fortnightly ? FortnightlyScreen : WeeklyScreen, p, language);
}

ReportRow DailyPayeReportRow(const PayeInputs& inputs, const PayeSettings& settings, const PeriodicPayeResult& result,
                             const std::string& employee, PrintLanguage language)
{
    return Assemble(DailyScreen, Periodic(inputs, settings, result, employee, language), language);
}

ReportRow AnnualPayeReportRow(const AnnualPayeInputs& inputs, const PayeSettings& settings,
                              const AnnualPayeResult& result, const std::string& employee, PrintLanguage language)
{
    Printed p = Common(inputs.Amounts, settings, result.TaxLiability, result.MedicalCredit, result.AdditionalMedicalCredit,
                       employee, language);
    p.Start = FormatDayDate(inputs.StartDate);
    p.End = FormatDayDate(inputs.EndDate);
    p.SITE = result.SITE;
    p.PAYE = result.PAYE;
    p.Members = inputs.MembersByMonth;
    return Assemble(AnnualScreen, p, language);
}

} // namespace revora
