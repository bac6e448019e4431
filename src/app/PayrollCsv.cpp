#include "PayrollCsv.h"

#include <algorithm>
#include <csv.h>
#include <cstdint>
#include <limits>
#include <optional>

#include "common/AmountFormat.h"
#include "common/DayDate.h"
#include "common/InputNumbers.h"
#include "common/TextEscape.h"
#include "payroll/PayePrintout.h"
#include "tax/TaxYearRules.h"

namespace revora {

namespace {

enum class Field {
    Employee, Age, Salary, Commission, Bonus, Travel, EmployerMedical, EmployeeMedical, Beneficiaries, Pension,
    RetirementAnnuity, MedDeduction, Start, End, NormalDays, ThisDays
};

struct Column {
    std::string_view name; // as revora-calc's option
    Field field;
    bool required = false;
};

// Every period's columns, then a month's dates or a week's day counts.
constexpr Column EveryPeriod[] = {
    {"employee", Field::Employee, true},
    {"age", Field::Age, true},
    {"salary", Field::Salary, true},
    {"commission", Field::Commission},
    {"bonus", Field::Bonus},
    {"travel", Field::Travel},
    {"employer-medical", Field::EmployerMedical},
    {"employee-medical", Field::EmployeeMedical},
    {"beneficiaries", Field::Beneficiaries},
    {"pension", Field::Pension},
    {"ra", Field::RetirementAnnuity},
    {"med-deduction", Field::MedDeduction},
};
constexpr Column MonthColumns[] = {{"start", Field::Start}, {"end", Field::End}};
constexpr Column DayColumns[] = {{"normal-days", Field::NormalDays}, {"this-days", Field::ThisDays}};

std::vector<Column> ColumnsOf(PayPeriod period)
{
    std::vector<Column> columns(std::begin(EveryPeriod), std::end(EveryPeriod));
    if (period == PayPeriod::Monthly)
        columns.insert(columns.end(), std::begin(MonthColumns), std::end(MonthColumns));
    if (period == PayPeriod::Weekly || period == PayPeriod::Fortnightly)
        columns.insert(columns.end(), std::begin(DayColumns), std::end(DayColumns));
    return columns;
}

WeekKind KindOf(PayPeriod period)
{
    return period == PayPeriod::Weekly ? WeekKind::Weekly : WeekKind::Fortnightly;
}

// A value as a message quotes it: on one line, and short enough to read (cut at a character,
// not inside one).
std::string Quoted(std::string_view text)
{
    constexpr std::size_t Longest = 40;
    std::string shown(text.substr(0, Longest));
    if (text.size() > Longest) {
        while (!shown.empty() && (static_cast<unsigned char>(text[shown.size()]) & 0xC0) == 0x80)
            shown.pop_back();
        shown += "...";
    }
    std::replace_if(shown.begin(), shown.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return "'" + shown + "'";
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A value that cannot be taken: its column and what is wrong with it.
struct BadValue {
    std::string column;
    std::string problem;
};

// An amount as an amount box takes it: never below 0, never above the most a box holds. An
// empty value is 0, as an empty box is.
double ReadAmount(std::string_view column, std::string_view text)
{
    const TypedNumber read = ReadTypedNumber(text, true);
    if (read.reading != TypedNumber::Reading::Number)
        throw BadValue{std::string(column), Quoted(text) + " is not an amount"};
    if (read.value < 0.0)
        throw BadValue{std::string(column), Quoted(text) + " is below 0"};
    if (read.value > LargestTypedAmount)
        throw BadValue{std::string(column),
                       Quoted(text) + " is more than " + FormatAmount(LargestTypedAmount, 2) +
                           ", the most an amount can be"};
    return read.value;
}

// A count as a count box holds it: rounded half to even into 16 bits, not below 0 and at most
// `most` (whose refusal is `tooMany`, when the count has a limit of its own).
std::int16_t ReadCount(std::string_view column, std::string_view text, std::int16_t most = INT16_MAX,
                       const std::string& tooMany = {})
{
    const TypedNumber read = ReadTypedNumber(text, true);
    if (read.reading != TypedNumber::Reading::Number)
        throw BadValue{std::string(column), Quoted(text) + " is not a number"};
    if (read.value < 0.0)
        throw BadValue{std::string(column), Quoted(text) + " is below 0"};
    const std::optional<std::int16_t> count = RoundHalfEvenToInt16(read.value);
    if (!count || *count > most)
        throw BadValue{std::string(column), tooMany.empty() ? Quoted(text) + " is more than " + FormatAmount(most, 0)
                                                            : tooMany};
    return *count;
}

// A date of the tax year, as the year's date boxes take it.
int ReadDate(std::string_view column, std::string_view text, const TaxYear& year)
{
    const std::optional<int> day = ParseDayDate(text);
    if (!day)
        throw BadValue{std::string(column), NotADateMessage(text, year)};
    if (!InTaxYear(*day, year))
        throw BadValue{std::string(column), OutsideYearMessage(year)};
    return *day;
}

// The name on the payslip, by the rule every name follows.
std::string ReadName(std::string_view column, std::string_view text)
{
    if (const auto refusal = NameRefusal(text, EmployeeNameLength))
        throw BadValue{std::string(column), *refusal};
    return std::string(text);
}

// A fault on a line, listed while fewer than MostListedRefusals are; once the file is
// refused, no employee is kept.
void Refuse(PayrollCsv& csv, const std::string& shownName, std::size_t line, const std::string& column,
            const std::string& problem)
{
    std::string message = shownName + " line " + std::to_string(line);
    message += column.empty() ? ": " : ", " + column + ": ";
    message += problem;
    if (csv.Refusals.size() < MostListedRefusals)
        csv.Refusals.push_back(std::move(message));
    else
        ++csv.MoreRefusals;
    csv.Employees.clear();
    csv.Lines.clear();
}

// Reads the parser's rows as they end: the first is the header, every further one an employee.
class Reader {
public:
    Reader(const std::string& shownName, PayPeriod period, const MonthlyPeriod& defaultMonth, const TaxYear& year)
        : shownName_(shownName), period_(period), defaultMonth_(defaultMonth), year_(year), known_(ColumnsOf(period))
    {
    }

    static void OnField(void* text, std::size_t size, void* reader)
    {
        static_cast<Reader*>(reader)->fields_.emplace_back(static_cast<const char*>(text), size);
    }
    static void OnRowEnd(int, void* reader) { static_cast<Reader*>(reader)->endRow(); }

    // The line the row being read began on, and whether a row has ended since it was set.
    std::size_t rowLine = 0;
    bool rowEnded = false;

    void refuse(std::size_t line, const std::string& column, const std::string& problem)
    {
        Refuse(csv_, shownName_, line, column, problem);
    }
    // A fault after which the rest of the file cannot be read.
    void stop(std::size_t line, const std::string& problem)
    {
        refuse(line, {}, problem);
        stopped_ = true;
    }
    bool stopped() const { return stopped_; }

    PayrollCsv finish()
    {
        if (!headerRead_ && csv_.Refusals.empty())
            csv_.Refusals.push_back(shownName_ +
                                    " is empty: its first line names the columns, then each line is an employee");
        else if (!employeesRead_ && csv_.Refusals.empty())
            csv_.Refusals.push_back(shownName_ + " has its header line but no employees");
        return std::move(csv_);
    }

private:
    // The row's values are kept between rows, so reading a row allocates only its long values.
    void endRow()
    {
        rowEnded = true;
        readRow(fields_);
        fields_.clear();
    }

    void readRow(const std::vector<std::string>& fields)
    {
        if (stopped_ || std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return IsBlank(f); }))
            return;
        if (!headerRead_) {
            readHeader(fields);
            return;
        }
        employeesRead_ = true;
        if (fields.size() != columns_.size()) {
            refuse(rowLine, {},
                   std::to_string(fields.size()) + " values, but the header names " + std::to_string(columns_.size())
                       + " columns (a value holding a comma is enclosed in quotation marks)");
            return;
        }
        try {
            PayrollEmployee employee = readEmployee(fields);
            if (csv_.Refusals.empty()) {
                csv_.Employees.push_back(std::move(employee));
                csv_.Lines.push_back(rowLine);
            }
        } catch (const BadValue& bad) {
            refuse(rowLine, bad.column, bad.problem);
        }
    }

    void readHeader(const std::vector<std::string>& names)
    {
        headerRead_ = true;
        for (const std::string& given : names) {
            std::string name(given);
            name.erase(name.find_last_not_of(" \t") + 1);
            name.erase(0, name.find_first_not_of(" \t"));
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
            const auto known =
                std::find_if(known_.begin(), known_.end(), [&](const Column& c) { return c.name == name; });
            const bool repeated =
                known != known_.end() &&
                std::any_of(columns_.begin(), columns_.end(), [&](const Column& c) { return c.field == known->field; });
            if (known == known_.end())
                refuse(rowLine, Quoted(given), "not a column of a " + LowerPayPeriodName(period_) + " run");
            else if (repeated)
                refuse(rowLine, name, "the column is named twice");
            else
                columns_.push_back(*known);
        }
        for (const Column& column : known_)
            if (column.required && std::none_of(columns_.begin(), columns_.end(),
                                                [&](const Column& c) { return c.field == column.field; }))
                refuse(rowLine, std::string(column.name), "the column is missing, and every employee needs it");
        // Values could not be told apart under a header at fault.
        stopped_ = !csv_.Refusals.empty();
    }

    PayrollEmployee readEmployee(const std::vector<std::string>& fields)
    {
        PayrollEmployee employee;
        employee.Month = defaultMonth_;
        if (period_ == PayPeriod::Weekly || period_ == PayPeriod::Fortnightly) {
            const std::int16_t days = RulesFor(KindOf(period_)).DefaultDays;
            employee.Days = {days, days};
        }
        PayeInputs& in = employee.Inputs;
        const std::int16_t mostBeneficiaries = period_ == PayPeriod::Daily ? MostDailyBeneficiaries : MostBeneficiaries;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const std::string_view name = columns_[i].name;
            const std::string& text = fields[i];
            // An empty box of an optional amount is 0; a required value is never guessed.
            if (columns_[i].required && IsBlank(text))
                throw BadValue{std::string(name), "the value is empty, and every employee needs it"};
            switch (columns_[i].field) {
            case Field::Employee: employee.Employee = ReadName(name, text); break;
            case Field::Age: in.Age = ReadCount(name, text, MostAge); break;
            case Field::Salary: in.Salary = ReadAmount(name, text); break;
            case Field::Commission: in.Commission = ReadAmount(name, text); break;
            case Field::Bonus: in.Bonus = ReadAmount(name, text); break;
            case Field::Travel: in.TravelAllowance = ReadAmount(name, text); break;
            case Field::EmployerMedical: in.EmployerMedical = ReadAmount(name, text); break;
            case Field::EmployeeMedical: in.EmployeeMedical = ReadAmount(name, text); break;
            case Field::Beneficiaries:
                in.Beneficiaries =
                    ReadCount(name, text, mostBeneficiaries, TooManyBeneficiariesMessage(mostBeneficiaries));
                break;
            case Field::Pension: in.Pension = ReadAmount(name, text); break;
            case Field::RetirementAnnuity: in.RetirementAnnuity = ReadAmount(name, text); break;
            case Field::MedDeduction: in.MedDeduction = ReadAmount(name, text); break;
            // An empty date or day count is the run's own, as for a row without the column.
            case Field::Start:
                if (!IsBlank(text))
                    employee.Month.StartDate = ReadDate(name, text, year_);
                break;
            case Field::End:
                if (!IsBlank(text))
                    employee.Month.EndDate = ReadDate(name, text, year_);
                break;
            case Field::NormalDays:
                if (!IsBlank(text))
                    employee.Days.NormalDays = ReadCount(name, text);
                break;
            case Field::ThisDays:
                if (!IsBlank(text))
                    employee.Days.ThisDays = ReadCount(name, text);
                break;
            }
        }
        checkPeriod(employee);
        checkRunMonth(employee);
        return employee;
    }

    // A monthly run is the month of its first row: every row's dates lie in it.
    void checkRunMonth(const PayrollEmployee& employee)
    {
        if (period_ != PayPeriod::Monthly)
            return;
        if (!runMonth_)
            runMonth_ = RunMonthOf(employee.Month);
        if (const auto refusal = CheckInRunMonth(employee.Month, *runMonth_))
            throw BadValue{"start", refusal->message};
    }

    // The period's own check, as its screen makes it, naming the column the screen's focus
    // would go to.
    void checkPeriod(const PayrollEmployee& employee) const
    {
        std::optional<PayeRefusal> refusal;
        if (period_ == PayPeriod::Monthly)
            refusal = CheckMonthlyPeriod(employee.Month, year_);
        else if (period_ != PayPeriod::Daily)
            refusal = CheckWeekPeriod(KindOf(period_), employee.Days);
        if (!refusal)
            return;
        const char* column = "this-days";
        if (refusal->focus == PayeFocus::StartDate)
            column = "start";
        else if (refusal->focus == PayeFocus::EndDate)
            column = "end";
        else if (refusal->focus == PayeFocus::NormalDays)
            column = "normal-days";
        throw BadValue{column, refusal->message};
    }

    const std::string& shownName_;
    const PayPeriod period_;
    const MonthlyPeriod defaultMonth_;
    const TaxYear& year_;
    std::optional<MonthlyPeriod> runMonth_; // a monthly run's, from its first row
    const std::vector<Column> known_;
    std::vector<Column> columns_; // the header's, in its order
    std::vector<std::string> fields_;
    bool headerRead_ = false;
    bool employeesRead_ = false;
    bool stopped_ = false;
    PayrollCsv csv_;
};

// The end of the line that starts at `from`: after its "\n", "\r\n" or lone "\r".
std::size_t LineEnd(std::string_view bytes, std::size_t from)
{
    const std::size_t at = bytes.find_first_of("\r\n", from);
    if (at == std::string_view::npos)
        return bytes.size();
    return at + (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1);
}

} // namespace

std::vector<std::string> PayrollColumns(PayPeriod period)
{
    std::vector<std::string> names;
    for (const Column& column : ColumnsOf(period))
        names.emplace_back(column.name);
    return names;
}

std::string PayrollCsvHeader(PayPeriod period)
{
    std::string header;
    for (const std::string& name : PayrollColumns(period))
        header += (header.empty() ? "" : ",") + name;
    return header;
}

PayrollCsv ReadPayrollCsv(const std::string& shownName, std::string_view bytes, PayPeriod period,
                          const MonthlyPeriod& defaultMonth)
{
    return ReadPayrollCsv(shownName, bytes, period, defaultMonth, TaxYear2016());
}

PayrollCsv ReadPayrollCsv(const std::string& shownName, std::string_view bytes, PayPeriod period,
                          const MonthlyPeriod& defaultMonth, const TaxYear& year)
{
    Reader reader(shownName, period, defaultMonth, year);
    constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
    if (bytes.substr(0, Utf8Mark.size()) == Utf8Mark)
        bytes.remove_prefix(Utf8Mark.size());
    else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        reader.stop(1, "the file is UTF-16 text; save it from the spreadsheet as CSV in UTF-8");
        return reader.finish();
    }

    // Strict: a quotation mark inside an unquoted value, or after a closing one, is a fault,
    // not a guess. Fed a line at a time, so a row's first line is known even when a quoted
    // value runs over several lines.
    csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    bool inRow = false;
    std::size_t line = 0;
    for (std::size_t from = 0; from < bytes.size() && !reader.stopped();) {
        const std::size_t end = LineEnd(bytes, from);
        const std::string_view text = bytes.substr(from, end - from);
        from = end;
        ++line;
        if (!inRow)
            reader.rowLine = line;
        reader.rowEnded = false;
        if (csv_parse(&parser, text.data(), text.size(), Reader::OnField, Reader::OnRowEnd, &reader) != text.size()) {
            reader.stop(line, csv_error(&parser) == CSV_EPARSE
                                  ? "a quotation mark out of place (a quoted value ends at its closing quotation "
                                    "mark, and a quotation mark inside it is written twice)"
                                  : "the line is too long to read");
            break;
        }
        inRow = !reader.rowEnded && (inRow || !IsBlank(text));
    }
    if (!reader.stopped() &&
        csv_fini(&parser, Reader::OnField, Reader::OnRowEnd, &reader) != 0)
        reader.stop(reader.rowLine, "a quotation mark opens a value that is never closed");
    csv_free(&parser);
    return reader.finish();
}

void CheckPayrollContributions(PayrollCsv& csv, const std::string& shownName, double inclusionRate)
{
    // Refusing clears the employees, so the faults are gathered first.
    std::vector<std::pair<std::size_t, std::string>> faults;
    for (std::size_t i = 0; i < csv.Employees.size(); ++i)
        if (const auto refusal = CheckContributions(csv.Employees[i].Inputs, inclusionRate))
            faults.emplace_back(csv.Lines[i], refusal->message);
    for (const auto& [line, message] : faults)
        Refuse(csv, shownName, line, "pension", message);
}

std::string PayrollCsvRefusalText(const PayrollCsv& csv)
{
    std::string text;
    // One refusal a line: a value quoted from the file shows its line breaks and other control
    // characters spelt out, so it never splits a refusal or reaches a terminal raw.
    for (const std::string& refusal : csv.Refusals)
        text += EscapeControls(refusal) + "\n";
    if (csv.MoreRefusals > 0)
        text += "... and " + std::to_string(csv.MoreRefusals) + " more line" + (csv.MoreRefusals == 1 ? "" : "s")
                + " with errors\n";
    if (!text.empty())
        text.pop_back();
    return text;
}

} // namespace revora
