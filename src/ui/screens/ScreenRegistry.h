#pragma once
// The screen registry: each domain lists its screens once, and the main window builds its
// menus, its window lookup and "&Initialise All" from the lists. A new screen is added to its
// domain's list (and its folder's CMake list) and nowhere else.

#include <vector>

#include "AppState.h"

namespace revora {

class CalculatorWindow;

// How the main window arranges its child windows after opening a screen.
enum class ScreenPlacement {
    AsOpened,
    // The child windows cascaded, then each fitted inside the work area.
    Cascaded,
    // As Cascaded, and a main window in its normal state takes at least the width the screen
    // was laid out for (CompanyCarMainWindowTwips) and the screen's own, never wider than the
    // desktop and never narrower than it was; in a maximised or minimised main window nothing
    // is moved.
    WidenedThenCascaded,
};

struct ScreenEntry {
    const char* menu;    // the object name of the menu that lists it: "mnuBusinessCalcs"
    const char* action;  // its menu item's object name, which names the screen: "mnuLoans"
    const char* caption; // its menu item's caption, the mnemonic marked: "&Annual"
    const char* window;  // its child window's object name: "frmLoans"
    // The screen, given the program's state; it takes only its own domain's part and the
    // program-wide values.
    CalculatorWindow* (*make)(AppState& state);
    bool closedByInitialiseAll = true;
    ScreenPlacement placement = ScreenPlacement::AsOpened;
};

// A menu of screens: its object name and caption.
struct ScreenMenu {
    const char* name;
    const char* caption;
};

// The menus that list screens, in their order on the menu bar (after "&File").
const std::vector<ScreenMenu>& ScreenMenus();

// Every screen: a menu lists its screens in this order, and "&Initialise All" closes those
// it closes in this order.
const std::vector<ScreenEntry>& AllScreens();

// A registry factory: the screen made over its domain's part of the state (`part`, as
// &AppState::Finance) and the program-wide values, with any further arguments of its kind.
template <typename Screen, auto part, auto... kind>
CalculatorWindow* MakeScreen(AppState& state)
{
    return new Screen(state.*part, state, kind...);
}

// Each domain's screens, in its menus' order.
std::vector<ScreenEntry> PayrollScreens();
std::vector<ScreenEntry> TaxScreens();
std::vector<ScreenEntry> VehicleScreens();
std::vector<ScreenEntry> FinanceScreens();
std::vector<ScreenEntry> PackageScreens();

} // namespace revora
