#pragma once
// The company cars of the running program: records 0..CarCount, where record 0 is the blank
// record the screen shows while the register is empty and from which each new car starts.
// Held in memory only; the register commands bracket each change with calculations, so the
// values kept with each record are current for the car left and the car reached.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "vehicle/CompanyCar.h"

namespace revora {

// The count is 16-bit; Add refuses to go past it rather than wrap to a negative count.
inline constexpr std::int16_t MaxCompanyCars = std::numeric_limits<std::int16_t>::max();
inline constexpr std::string_view RegisterFullTitle = "Too many vehicles";
inline constexpr std::string_view RegisterFullMessage =
    "No more vehicles can be added: the register holds at most 32767 vehicles";

enum class AddOutcome {
    Added,
    NeedsRegistrationNumber, // the car on screen has no registration number: nothing happens
    RegisterFull,            // show RegisterFullMessage under RegisterFullTitle
};

struct AddResult {
    AddOutcome Outcome;
    CompCarRun Run; // the last calculation; empty unless Added
};

// Invariant: Records.size() == CarCount + 1, and 0 <= CurrentVehicle, ShownVehicleNo <= CarCount.
struct CompanyCarRegister {
    std::vector<CompanyCarRecord> Records{1};
    std::int16_t CarCount = 0;
    std::int16_t CurrentVehicle = 0; // the record the screen's fields write into
    std::int16_t ShownVehicleNo = 0; // the number in the title
    double Actual3802 = 0.0;         // total code 3802 benefits on the IRP5s, all cars
    std::int16_t AutoCalc3802 = 0;   // split Actual3802 over the cars by days of use

    CompanyCarRecord& Current() { return Records[static_cast<std::size_t>(CurrentVehicle)]; }
    const CompanyCarRecord& Current() const { return Records[static_cast<std::size_t>(CurrentVehicle)]; }

    // The auto-split box is offered only while there is more than one car to split over.
    bool AutoCalcBoxShown() const noexcept { return CarCount > 1; }

    // "Full use of Company Car : " + " Vehicle number " + ShownVehicleNo + " of " + CarCount.
    std::string Title() const;

    // Every command takes the tax year it works in: its calculations are that year's, and a car
    // it starts afresh (record 0 of an empty register, a car added) is held the whole of that
    // year. The commands without a year work in 2016 (TaxYear2016()).

    // Opening the screen: an empty register shows record 0 with no log book and the whole tax
    // year (and the split off); otherwise car 1 is shown and calculated. The run is empty when
    // the register is.
    CompCarRun Open(const TaxYear& year, Working* working = nullptr);
    CompCarRun Open(Working* working = nullptr) { return Open(TaxYear2016(), working); }

    // Bringing car k onto the screen: it becomes CurrentVehicle, and the fuel box's rule is
    // applied to its record (with SARSTable the actual fuel cost is 0, without it the fuel
    // component is 0).
    void ShowVehicle(std::int16_t k);

    // Acts only when the car on screen has a registration number or the register is empty.
    // Calculates, appends car n = CarCount + 1 filled from record 0 (whose SARSTable is first
    // cleared) but with no log book, no year of manufacture, the whole tax year and no fuel
    // component; turns the split on from the second car; shows car n and calculates again.
    AddResult Add(const TaxYear& year, Working* working = nullptr);
    AddResult Add(Working* working = nullptr) { return Add(TaxYear2016(), working); }

    // Removes the car on screen; later cars move down one. Car 1 is shown afterwards, or the
    // blank record 0 (with Actual3802 0, held the whole year) when none remain. Returns the
    // closing calculation.
    CompCarRun Delete(const TaxYear& year, Working* working = nullptr);
    CompCarRun Delete(Working* working = nullptr) { return Delete(TaxYear2016(), working); }

    // Calculate, move to the previous (next) car, wrapping from 1 to CarCount (CarCount to
    // 1), show it and calculate again. Nothing moves while ShownVehicleNo is 0.
    CompCarRun Back(const TaxYear& year, Working* working = nullptr);
    CompCarRun Forward(const TaxYear& year, Working* working = nullptr);
    CompCarRun Back(Working* working = nullptr) { return Back(TaxYear2016(), working); }
    CompCarRun Forward(Working* working = nullptr) { return Forward(TaxYear2016(), working); }

    // Each command's last calculation, the one whose figures are shown, records into `working`.

    // Starting anew: an empty register with a blank record 0 and every register value 0.
    void Reset();

private:
    CompCarRun Step(int offset, const TaxYear& year, Working* working);
};

} // namespace revora
