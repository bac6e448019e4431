#pragma once
// The figures of a periodic employees' tax calculation as revora-calc prints them: the
// monthly, weekly, fortnightly and daily commands, and each employee of a payroll run.

#include <vector>

#include "CalcCommand.h"
#include "payroll/PayeCommon.h"

namespace revora::cli {

// UIF employee and employer, SDL, tax liability, both credits and the total deduction, under
// their JSON keys and the screen's captions.
std::vector<Figure> PeriodicFigures(const PeriodicPayeResult& r);

} // namespace revora::cli
