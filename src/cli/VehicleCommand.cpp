// revora-calc companycar and travel: the company car screen's figures over a file of vehicles,
// and the travel allowance screen's claim.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <cmath>
#include <iostream>
#include <variant>

#include "CalcCommand.h"
#include "CalcOutput.h"
#include "common/AmountFormat.h"
#include "common/DayDate.h"
#include "common/TextEscape.h"
#include "tax/TaxYearRules.h"
#include "vehicle/CompanyCarPrintout.h"
#include "vehicle/CompanyCarRegister.h"
#include "vehicle/TravelAllowance.h"
#include "vehicle/TravelAllowancePrintout.h"

namespace revora::cli {

namespace {

// Why a number cannot stand in a vehicle screen's box (a whole number, no minus sign, at most
// ten digits); empty when it can.
std::string WholeNumberFault(double value, const std::string& asWritten)
{
    const std::string quoted = "'" + asWritten + "'";
    if (!std::isfinite(value))
        return quoted + " is not a number";
    if (value < 0.0)
        return quoted + " is below 0";
    if (value != std::floor(value))
        return quoted + " must be a whole number";
    if (value > MostVehicleNumber)
        return quoted + " has more than ten digits";
    return {};
}

// --- the options ----------------------------------------------------------------------------

const OptionDef Vehicles{
    "vehicles", OptionKind::File,
    "a JSON array of vehicle objects keyed by field name (CCRegNumber, CCMake, CCModel, "
    "YearOfManfact, CCPrice, MaintIncluded, CCStartDate, CCEndDate, StartMileage, EndMileage, "
    "TotalDistance, BusDistance, BussMilage, SARSTable, ActualExpEmployee, FuelReimbEmployer, "
    "EmpPaidInsurance, EmpPaidLicence, EmpPaidMaintenance, FB3802ThisCar); dates dd/mm/yyyy, "
    "flags 0 or 1, amounts and distances whole numbers of at most ten digits, EndMileage 0 or not below "
    "StartMileage (required)"};
// An amount or a distance of a vehicle screen: a whole number, at most MostVehicleNumber.
OptionDef VehicleNumber(const char* name, const char* help, const char* placeholder = "")
{
    return {.name = name, .kind = OptionKind::Whole, .help = help, .least = 0.0, .most = MostVehicleNumber,
            .placeholder = *placeholder ? placeholder : "RAND"};
}
const OptionDef Actual3802 =
    VehicleNumber("actual-3802", "total code 3802 f/benefits on the IRP5's, all cars (default 0)");
const OptionDef AutoSplit =
    YesNoOption("auto-split", "split the code 3802 total over the cars by days of use, replacing each car's "
                              "FB3802ThisCar (default yes with more than one vehicle)");
const OptionDef RecordKept =
    YesNoOption("record-kept", "an accurate record of costs was kept: actual costs (default no)");
const OptionDef Value = VehicleNumber("value", "original value of the vehicle");
const OptionDef Allowance = VehicleNumber("allowance", "allowance received; 0: no cap on the claim");
const OptionDef CloseKm = VehicleNumber("close-km", "close km reading", "KM");
const OptionDef OpenKm = VehicleNumber("open-km", "open km reading (not above the close reading)", "KM");
const OptionDef BusinessKm =
    VehicleNumber("business-km", "business km (not more than the close reading less the open one)", "KM");
const OptionDef FuelOil = VehicleNumber("fuel-oil", "fuel/oil (record kept)");
const OptionDef Repairs = VehicleNumber("repairs", "repairs/maintenance (record kept)");
const OptionDef Insurance = VehicleNumber("insurance", "insurance/licence (record kept)");
const OptionDef OtherExpenses = VehicleNumber("other-expenses", "other expenses (record kept)");
const OptionDef WearAndTear = VehicleNumber("wear-and-tear", "wear and tear (record kept; not with --lease)");
const OptionDef Lease = VehicleNumber("lease", "lease payments (record kept; not with --wear-and-tear)");
const OptionDef IncludeFuel = YesNoOption("include-fuel", "include fuel costs (default yes)");
const OptionDef IncludeMaintenance = YesNoOption("include-maintenance", "include maintenance costs (default yes)");
const OptionDef Car{"car", OptionKind::Text, "the car, for the printout"};
const OptionDef Name{.name = "name",
                     .kind = OptionKind::Text,
                     .help = "the employee's name on the printout (at most {most} characters)",
                     .most = TravelNameLength,
                     .placeholder = "NAME"};

double WholeOption(const ParsedOptions& options, const OptionDef& option)
{
    const auto text = options.value(option);
    if (!text)
        return 0.0;
    const double value = NumberFromText(option.name, *text);
    if (const std::string fault = WholeNumberFault(value, *text); !fault.empty())
        throw UsageError("--" + option.name + ": " + fault);
    return value;
}

// --- companycar ---------------------------------------------------------------------------

using VehicleField = std::variant<std::string CompanyCarRecord::*, double CompanyCarRecord::*,
                                  std::int16_t CompanyCarRecord::*, int CompanyCarRecord::*>;

struct VehicleKey {
    const char* name;
    VehicleField field;
};

// The keys a vehicle object may hold: the fields typed on the screen. FuelComponent and
// AdjustTaxableInc are results the calculation keeps with the record, not inputs.
const VehicleKey VehicleKeys[] = {
    {"CCRegNumber", &CompanyCarRecord::CCRegNumber},
    {"CCMake", &CompanyCarRecord::CCMake},
    {"CCModel", &CompanyCarRecord::CCModel},
    {"YearOfManfact", &CompanyCarRecord::YearOfManfact},
    {"CCPrice", &CompanyCarRecord::CCPrice},
    {"MaintIncluded", &CompanyCarRecord::MaintIncluded},
    {"CCStartDate", &CompanyCarRecord::CCStartDate},
    {"CCEndDate", &CompanyCarRecord::CCEndDate},
    {"StartMileage", &CompanyCarRecord::StartMileage},
    {"EndMileage", &CompanyCarRecord::EndMileage},
    {"TotalDistance", &CompanyCarRecord::TotalDistance},
    {"BusDistance", &CompanyCarRecord::BusDistance},
    {"BussMilage", &CompanyCarRecord::BussMilage},
    {"SARSTable", &CompanyCarRecord::SARSTable},
    {"ActualExpEmployee", &CompanyCarRecord::ActualExpEmployee},
    {"FuelReimbEmployer", &CompanyCarRecord::FuelReimbEmployer},
    {"EmpPaidInsurance", &CompanyCarRecord::EmpPaidInsurance},
    {"EmpPaidLicence", &CompanyCarRecord::EmpPaidLicence},
    {"EmpPaidMaintenance", &CompanyCarRecord::EmpPaidMaintenance},
    {"FB3802ThisCar", &CompanyCarRecord::FB3802ThisCar},
};

std::string ShortestText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

// Reads one vehicle object; every complaint names the file, the vehicle and the key. Its dates
// are of the year worked in, the whole year when not given.
class VehicleReader {
public:
    VehicleReader(std::string file, std::size_t position, const TaxYear& year)
        : file_(std::move(file)), position_(position), year_(year)
    {
    }

    CompanyCarRecord read(const QJsonValue& value) const
    {
        if (!value.isObject())
            throw UsageError(where() + ": must be a JSON object");
        const QJsonObject object = value.toObject();
        CompanyCarRecord car;
        car.CCStartDate = year_.Start;
        car.CCEndDate = year_.End;
        for (auto it = object.begin(); it != object.end(); ++it) {
            const std::string key = it.key().toStdString();
            const auto known = std::find_if(std::begin(VehicleKeys), std::end(VehicleKeys),
                                            [&](const VehicleKey& k) { return key == k.name; });
            if (known == std::end(VehicleKeys))
                refuse(key, "unknown key");
            std::visit([&](auto member) { store(key, it.value(), car.*member); }, known->field);
        }
        checkDates(object, car);
        if (ReadingsRunBackwards(car))
            refuse("EndMileage", "must not be below StartMileage (readings that run backwards)");
        // With the fuel table ticked the screen clears the actual fuel box; a file holding both
        // would print a fuel cost the calculation never used.
        if (car.SARSTable == 1 && car.ActualExpEmployee != 0.0)
            refuse("ActualExpEmployee", "must be 0 when SARSTable is 1 (the fuel is valued from the table)");
        return car;
    }

private:
    std::string where() const { return "--vehicles: " + file_ + ", vehicle " + std::to_string(position_); }

    [[noreturn]] void refuse(const std::string& key, const std::string& why) const
    {
        throw UsageError(where() + ", " + key + ": " + why);
    }

    void store(const std::string& key, const QJsonValue& value, std::string& target) const
    {
        if (!value.isString())
            refuse(key, "must be text");
        target = value.toString().toStdString();
    }

    void store(const std::string& key, const QJsonValue& value, double& target) const
    {
        if (!value.isDouble())
            refuse(key, "must be a number");
        const double number = value.toDouble();
        if (const std::string fault = WholeNumberFault(number, ShortestText(number)); !fault.empty())
            refuse(key, fault);
        target = number;
    }

    void store(const std::string& key, const QJsonValue& value, std::int16_t& target) const
    {
        if (value.isBool()) {
            target = value.toBool() ? 1 : 0;
            return;
        }
        if (!value.isDouble() || (value.toDouble() != 0.0 && value.toDouble() != 1.0))
            refuse(key, "must be 0 or 1");
        target = value.toDouble() == 1.0 ? 1 : 0;
    }

    // Dates are checked once both are known: the end date's message quotes the start date.
    void store(const std::string& key, const QJsonValue& value, int&) const
    {
        if (!value.isString())
            refuse(key, "must be a date written dd/mm/yyyy");
    }

    std::optional<int> dateIn(const QJsonObject& object, const char* key) const
    {
        if (!object.contains(QLatin1String(key)))
            return std::nullopt;
        return ParseDayDate(object.value(QLatin1String(key)).toString().toStdString());
    }

    void checkDates(const QJsonObject& object, CompanyCarRecord& car) const
    {
        if (object.contains(QLatin1String("CCStartDate"))) {
            const auto start = dateIn(object, "CCStartDate");
            if (!start || !InTaxYear(*start, year_))
                refuse("CCStartDate", OutsideYearMessage(year_));
            car.CCStartDate = *start;
        }
        if (object.contains(QLatin1String("CCEndDate"))) {
            const auto end = dateIn(object, "CCEndDate");
            if (!end || *end > year_.End)
                refuse("CCEndDate", EndBeforeStartMessage(FormatDayDate(car.CCStartDate), year_));
            car.CCEndDate = *end;
        }
        if (car.CCEndDate < car.CCStartDate)
            refuse("CCEndDate", EndBeforeStartMessage(FormatDayDate(car.CCStartDate), year_));
    }

    std::string file_;
    std::size_t position_;
    const TaxYear& year_;
};

std::vector<CompanyCarRecord> ReadVehicles(const std::string& file, const TaxYear& year)
{
    const std::string where = "--vehicles: " + file;
    const QByteArray text = QByteArray::fromStdString(ReadVehiclesFile(Vehicles, file));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        throw UsageError(where + ": not valid JSON (" + error.errorString().toStdString() + " at offset "
                         + std::to_string(error.offset) + ")");
    if (!document.isArray())
        throw UsageError(where + ": must hold a JSON array of vehicle objects");
    const QJsonArray array = document.array();
    if (array.isEmpty())
        throw UsageError(where + ": holds no vehicles");
    if (array.size() > MaxCompanyCars)
        throw UsageError(where + ": holds " + std::to_string(array.size()) + " vehicles; the register holds at most "
                         + std::to_string(MaxCompanyCars));

    std::vector<CompanyCarRecord> vehicles;
    vehicles.reserve(static_cast<std::size_t>(array.size()));
    for (qsizetype i = 0; i < array.size(); ++i)
        vehicles.push_back(VehicleReader(file, static_cast<std::size_t>(i) + 1, year).read(array.at(i)));
    return vehicles;
}

std::vector<Figure> VehicleFigures(const CompanyCarRecord& car, const CompanyCarResult& r)
{
    return {
        {"Days", "No of days", static_cast<double>(r.Days), 0},
        {"TotalDistance", "Total distance (kms)", car.TotalDistance, 0},
        {"BusDistance", "Business distance (kms)", car.BusDistance, 0},
        {"PrivateDistance", "Private distance (kms)", r.PrivateDistance, 0},
        {"TrueInclusion", "True inclusion amount", r.TrueInclusion, 2},
        {"FuelComponent", "Fuel component", car.FuelComponent, 2},
        {"FuelClaim", "Fuel claim (adjusted for mileage)", r.FuelClaim, 2},
        {"TotAddExpense", "Total additional expenses (adjusted for mileage)", r.TotAddExpense, 2},
        {"FuelExp", "Less fuel & expenses", r.FuelExp, 2},
        {"AdjustTaxableInc", "Adjustment to taxable income", car.AdjustTaxableInc, 2},
        {"AdjustTaxableIncSARS", "(SARS's claim awarded against taxable income)", r.AdjustTaxableIncSARS, 2},
        {"FB3802ThisCar", "Code 3802 f/benefit for this car", car.FB3802ThisCar, 2},
        {"IRP53802", "IRP5 code 3802 amount for this car", r.IRP53802, 2},
        {"MonFB80", "Monthly f/benefit amount for this car 80%", r.MonFB80, 2},
        {"MonFB20", "Monthly f/benefit amount for this car 20%", r.MonFB20, 2},
        {"FortFB80", "Fortnightly f/benefit amount for this car 80%", r.FortFB80, 2},
        {"FortFB20", "Fortnightly f/benefit amount for this car 20%", r.FortFB20, 2},
        {"WeekFB80", "Weekly f/benefit amount for this car 80%", r.WeekFB80, 2},
        {"WeekFB20", "Weekly f/benefit amount for this car 20%", r.WeekFB20, 2},
    };
}

// The captions of the company car screen are long; the figures line up after the longest.
constexpr int CarCaptionWidth = 52;

void PrintCarLine(const std::string& caption, double value, int decimals)
{
    PrintLine(caption, FormatAmount(value, decimals), CarCaptionWidth);
}

void PrintCompanyCars(const CompanyCarRegister& cars, const CompCarRun& run, bool json, const Working* working)
{
    if (json) {
        QJsonArray vehicles;
        for (std::size_t i = 1; i < cars.Records.size(); ++i) {
            QJsonObject vehicle;
            for (const Figure& figure : VehicleFigures(cars.Records[i], run.Results[i]))
                // A claim of minus nothing is written as 0, not "-0".
                vehicle.insert(QString::fromStdString(figure.key), figure.value == 0.0 ? 0.0 : figure.value);
            vehicles.append(vehicle);
        }
        QJsonObject all{{"vehicles", vehicles},
                        {"TotAdjustTaxableInc", run.TotAdjustTaxableInc},
                        {"TotAdjustTaxableIncSARS", run.TotAdjustTaxableIncSARS}};
        AddExplanation(all, working);
        PrintJson(all);
        return;
    }
    for (std::size_t i = 1; i < cars.Records.size(); ++i) {
        const CompanyCarRecord& car = cars.Records[i];
        std::cout << "Vehicle number " << i << " of " << cars.CarCount;
        // The file's text, its control characters spelt out rather than sent to the terminal.
        if (!car.CCRegNumber.empty())
            std::cout << "  " << EscapeControls(car.CCRegNumber);
        std::cout << '\n';
        for (const Figure& figure : VehicleFigures(car, run.Results[i]))
            PrintCarLine(figure.caption, figure.value, figure.decimals);
        std::cout << '\n';
    }
    PrintCarLine("Total Adjustment to taxable income", run.TotAdjustTaxableInc, 2);
    PrintCarLine("Total (SARS's claim awarded against taxable income)", run.TotAdjustTaxableIncSARS, 2);
    PrintExplanation(std::cout, working);
}

int CompanyCar(const ParsedOptions& options)
{
    const auto file = options.value(Vehicles);
    if (!file)
        throw UsageError("--vehicles: missing value");
    const double actual3802 = WholeOption(options, Actual3802);
    const std::optional<bool> autoSplit = options.yesNoIfGiven(AutoSplit);
    const TaxYear year = ChosenTaxYear(options);
    std::vector<CompanyCarRecord> vehicles = ReadVehicles(*file, year);
    CheckReportFile(options);

    AppState state = MakeState(options);
    CompanyCarRegister& cars = state.Vehicle.CompanyCars;
    cars.Reset();
    cars.Records.insert(cars.Records.end(), vehicles.begin(), vehicles.end());
    cars.CarCount = static_cast<std::int16_t>(vehicles.size());
    cars.CurrentVehicle = 1;
    cars.ShownVehicleNo = 1;
    cars.Actual3802 = actual3802;
    // "&Add" turns the split on from the second vehicle.
    cars.AutoCalc3802 = autoSplit.value_or(cars.CarCount > 1) ? 1 : 0;
    if (const auto refused = CheckFuelTable(cars, year))
        throw UsageError("--" + YearOption.name + ": " + refused->Message);
    Working working;
    const Working* explained = Explaining(options, working);
    const CompCarRun run = CompCarCalculateCommand(cars, year, Explaining(options, working));
    PrintCompanyCars(cars, run, options.has(JsonOption), explained);
    if (!options.has(ReportOption) && !options.has(PrintOption))
        return 0;
    return Output(state, options,
                  {QString::fromUtf8(CompCarTable), QString::fromUtf8(CompCarLayout),
                   QString::fromUtf8(CompCarTitle) + ExportHint},
                  CompCarReportRows(cars, run, year), {explained});
}

// --- travel -------------------------------------------------------------------------------

TravelAllowancePeriod ReadPeriod(const ParsedOptions& options, const TaxYear& year)
{
    TravelAllowancePeriod period = TravelAllowancePeriod::WholeYear(year);
    period.StartDate = TaxYearDate(options, StartOption, period.StartDate, OutsideYearMessage(year), year);
    // The end box's lower bound is the start date, and its message quotes it.
    const std::string endRefusal = EndBeforeStartMessage(FormatDayDate(period.StartDate), year);
    period.EndDate = TaxYearDate(options, YearEndOption, period.EndDate, endRefusal, year);
    if (period.EndDate < period.StartDate)
        throw UsageError("--end: " + endRefusal);
    return period;
}

TravelAllowanceInputs ReadTravelInputs(const ParsedOptions& options)
{
    TravelAllowanceInputs in;
    in.CarDescription = options.value(Car).value_or("");
    in.RecordKept = options.yesNoIfGiven(RecordKept).value_or(false) ? 1 : 0;
    in.VehicleValue = WholeOption(options, Value);
    in.AllowanceReceived = WholeOption(options, Allowance);
    in.CloseKm = WholeOption(options, CloseKm);
    in.OpenKm = WholeOption(options, OpenKm);
    in.BusinessKmEntered = WholeOption(options, BusinessKm);
    in.FuelOil = WholeOption(options, FuelOil);
    in.RepairsMaint = WholeOption(options, Repairs);
    in.InsuranceLicence = WholeOption(options, Insurance);
    in.OtherExpenses = WholeOption(options, OtherExpenses);
    in.WearAndTear = WholeOption(options, WearAndTear);
    in.LeasePayments = WholeOption(options, Lease);
    if (const auto refusal = CheckSinglePayment(in))
        throw UsageError("--lease: " + std::string(refusal->message));
    if (const auto refusal = CheckDistances(in)) {
        const char* option = refusal->box == TravelDistanceBox::OpenKm ? "--open-km: " : "--business-km: ";
        throw UsageError(option + std::string(refusal->refusal.message));
    }
    in.IncludeFuel = options.yesNoIfGiven(IncludeFuel).value_or(true) ? 1 : 0;
    in.IncludeMaintenance = options.yesNoIfGiven(IncludeMaintenance).value_or(true) ? 1 : 0;
    return in;
}

// The panel of the method in force, as the screen shows one or the other; JSON holds both.
std::vector<Figure> TravelFigures(const TravelAllowanceInputs& in, const TravelAllowanceResults& r, bool json)
{
    if (json)
        return {{"PeriodDays", "", in.PeriodDays, 0},
                {"TotalKm", "", r.TotalKm, 2},
                {"BusinessKm", "", r.BusinessKm, 2},
                {"PrivateKm", "", r.PrivateKm, 2},
                {"FixedCost", "", r.FixedCost, 2},
                {"FixedCentsPerKm", "", r.FixedCentsPerKm, 4},
                {"FuelCentsPerKm", "", r.FuelCentsPerKm, 2},
                {"MaintCentsPerKm", "", r.MaintCentsPerKm, 2},
                {"TotalCentsPerKm", "", r.TotalCentsPerKm, 1},
                {"TotalCosts", "", r.TotalCosts, 2},
                {"PrivateUse", "", r.PrivateUse, 2},
                {"DeductionClaim", "", r.DeductionClaim, 2}};
    if (in.RecordKept == 0)
        return {{"PeriodDays", "Period (number of days)", in.PeriodDays, 0},
                {"BusinessKm", "Business distance Kms.", r.BusinessKm, 2},
                {"PrivateKm", "Private distance Kms.", r.PrivateKm, 2},
                {"TotalKm", "Total distance Kms.", r.TotalKm, 2},
                {"FixedCost", "Fixed cost R", r.FixedCost, 2},
                {"FixedCentsPerKm", "Fixed cost cents/km", r.FixedCentsPerKm, 4},
                {"FuelCentsPerKm", "Fuel costs cents/km", r.FuelCentsPerKm, 2},
                {"MaintCentsPerKm", "Maintenance costs cents/km", r.MaintCentsPerKm, 2},
                {"TotalCentsPerKm", "Total costs cents/km", r.TotalCentsPerKm, 1},
                {"DeductionClaim", "Deduction claim R", r.DeductionClaim, 2}};
    return {{"BusinessKm", "Business Km's", r.BusinessKm, 2},
            {"PrivateKm", "Private Km's", r.PrivateKm, 2},
            {"TotalKm", "Total Km's", r.TotalKm, 2},
            {"TotalCosts", "Total costs", r.TotalCosts, 2},
            {"PrivateUse", "Less private use", r.PrivateUse, 2},
            {"DeductionClaim", "Travel expenses", r.DeductionClaim, 2},
            {"DeductionClaim", "Deduction claim", r.DeductionClaim, 2}};
}

int Travel(const ParsedOptions& options)
{
    TravelAllowanceInputs inputs = ReadTravelInputs(options);
    const TaxYear year = ChosenTaxYear(options);
    const TravelAllowancePeriod period = ReadPeriod(options, year);
    const std::string employee = NameUpTo(options, Name);
    if (const auto refused = CheckDeemedCostTable(inputs, period, year))
        throw UsageError("--" + YearOption.name + ": " + *refused);
    CheckReportFile(options);

    AppState state = MakeState(options);
    Working working;
    const Working* explained = Explaining(options, working);
    const TravelAllowanceResults results = CalcTravelAllowance(inputs, period, year, Explaining(options, working));
    state.Vehicle.TravelAllowance = inputs;
    const bool json = options.has(JsonOption);
    PrintFigures(std::cout, TravelFigures(inputs, results, json), json, explained);
    return Output(state, options,
                  {QString::fromUtf8(TravelAllowanceTable), QString::fromUtf8(TravelAllowanceLayout(inputs.RecordKept)),
                   QString::fromUtf8(TravelAllowanceTitle) + ExportHint},
                  TravelDeductionReportRow(inputs, period, results, employee), {explained});
}

} // namespace

std::vector<Subcommand> VehicleCommands()
{
    return {
        {"companycar", "the taxable benefit of the private use of company cars over the tax year",
         WithCommon({&Vehicles, &Actual3802, &AutoSplit, &YearOption, &ExplainOption}), CompanyCar},
        {"travel", "the deduction a travel allowance allows for business travel in one's own car",
         WithCommon({&RecordKept, &Value, &Allowance, &CloseKm, &OpenKm, &BusinessKm, &FuelOil, &Repairs, &Insurance,
                     &OtherExpenses, &WearAndTear, &Lease, &IncludeFuel, &IncludeMaintenance, &StartOption,
                     &YearEndOption, &Car, &Name, &YearOption, &ExplainOption}),
         Travel},
    };
}

} // namespace revora::cli
