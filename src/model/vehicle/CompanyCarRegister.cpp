#include "vehicle/CompanyCarRegister.h"

#include <cstddef>
#include <iterator>

namespace revora {

std::string CompanyCarRegister::Title() const
{
    return std::string("Full use of Company Car : ") + " Vehicle number " + std::to_string(ShownVehicleNo) + " of " +
           std::to_string(CarCount);
}

CompCarRun CompanyCarRegister::Open(const TaxYear& year, Working* working)
{
    if (CarCount < 1) {
        CurrentVehicle = 0;
        AutoCalc3802 = 0;
        CompanyCarRecord& blank = Records[0];
        blank.BussMilage = 0;
        blank.CCStartDate = year.Start;
        blank.CCEndDate = year.End;
        ShowVehicle(0);
        return {};
    }
    ShowVehicle(1);
    CompCarRun run = CompCarCalc(*this, year, working);
    ShownVehicleNo = 1;
    return run;
}

void CompanyCarRegister::ShowVehicle(std::int16_t k)
{
    CurrentVehicle = k;
    CompanyCarRecord& car = Current();
    if (car.SARSTable == 1)
        car.ActualExpEmployee = 0.0;
    else
        car.FuelComponent = 0.0;
}

AddResult CompanyCarRegister::Add(const TaxYear& year, Working* working)
{
    if (CurrentVehicle != 0 && Current().CCRegNumber.empty())
        return {AddOutcome::NeedsRegistrationNumber, {}};
    if (CarCount >= MaxCompanyCars)
        return {AddOutcome::RegisterFull, {}};

    CompCarCalc(*this, year);
    const auto n = static_cast<std::int16_t>(CarCount + 1);
    CurrentVehicle = n;
    Records.emplace_back();
    CarCount = n;
    if (n > 1)
        AutoCalc3802 = 1;

    // The new car takes record 0's values through the screen's fields, the fuel box cleared;
    // the log book, year of manufacture and dates start afresh.
    Records[0].SARSTable = 0;
    CompanyCarRecord car = Records[0];
    car.FuelComponent = 0.0;
    car.BussMilage = 0;
    car.YearOfManfact.clear();
    car.CCStartDate = year.Start;
    car.CCEndDate = year.End;
    Records[static_cast<std::size_t>(n)] = std::move(car);

    ShownVehicleNo = n;
    return {AddOutcome::Added, CompCarCalc(*this, year, working)};
}

CompCarRun CompanyCarRegister::Delete(const TaxYear& year, Working* working)
{
    if (CurrentVehicle < 1 || CurrentVehicle > CarCount)
        return CompCarCalc(*this, year, working);

    Records.erase(std::next(Records.begin(), CurrentVehicle));
    Records[0] = CompanyCarRecord{};
    Records[0].CCStartDate = year.Start;
    Records[0].CCEndDate = year.End;
    --CarCount;
    if (CarCount > 0) {
        ShownVehicleNo = 1;
        ShowVehicle(1);
    } else {
        ShownVehicleNo = 0;
        Actual3802 = 0.0;
        ShowVehicle(0);
    }
    return CompCarCalc(*this, year, working);
}

CompCarRun CompanyCarRegister::Back(const TaxYear& year, Working* working) { return Step(-1, year, working); }

CompCarRun CompanyCarRegister::Forward(const TaxYear& year, Working* working) { return Step(+1, year, working); }

CompCarRun CompanyCarRegister::Step(int offset, const TaxYear& year, Working* working)
{
    if (ShownVehicleNo <= 0)
        return CompCarCalc(*this, year, working);
    CompCarCalc(*this, year);
    int k = ShownVehicleNo + offset;
    if (k < 1)
        k = CarCount;
    else if (k > CarCount)
        k = 1;
    ShowVehicle(static_cast<std::int16_t>(k));
    ShownVehicleNo = static_cast<std::int16_t>(k);
    return CompCarCalc(*this, year, working);
}

void CompanyCarRegister::Reset() { *this = CompanyCarRegister{}; }

} // namespace revora
