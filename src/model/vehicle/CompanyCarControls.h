#pragma once
// Which controls of the company car screen are enabled after each register event. The caption
// "Vehicle registration number" and its box are enabled in every case, so that a car
// can always be named; the rest opens up only once it has a registration number.

#include <cstdint>

namespace revora {

struct CompCarControls {
    bool All;          // every control not named below: the input fields, captions and check boxes
    // The command buttons, each by its caption.
    bool Add;
    bool Ok;
    bool Delete;
    bool Back;
    bool Forward;
    bool Calculate;
    bool Print;
    bool FocusRegNumber; // the focus goes to the registration number

    friend bool operator==(const CompCarControls&, const CompCarControls&) = default;
};

// After the registration number of the car on screen changes (and after a car is shown).
// Named: all but Back and Forward with one car or none; everything with more; unnamed: only OK
// and Add (focus to the number) with one car or none, only Delete with more.
CompCarControls ControlsAfterRegistrationChange(bool hasRegistrationNumber, std::int16_t vehicles) noexcept;

// After Back or Forward. As after a registration change, except that an unnamed car among
// several still lets the user step on, add, delete or leave.
CompCarControls ControlsAfterNavigation(bool hasRegistrationNumber, std::int16_t vehicles) noexcept;

// After Add: only Add, OK and Delete until the new car is named.
CompCarControls ControlsAfterAdd() noexcept;

// After Delete: car 1 is shown, as after a registration change; with no car left, Add, OK,
// Calculate and Print.
CompCarControls ControlsAfterDelete(bool hasRegistrationNumber, std::int16_t vehiclesLeft) noexcept;

// On opening the screen: the car shown (car 1, or record 0 when empty) as after a
// registration change, and Calculate enabled.
CompCarControls ControlsOnOpen(bool hasRegistrationNumber, std::int16_t vehicles) noexcept;

} // namespace revora
