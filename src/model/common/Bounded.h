#pragma once
// A figure the finance models can show: an overflow shows as the largest amount rather than
// infinity, and a meaningless result (not a number) is 0.

#include <cmath>
#include <limits>

namespace revora {

inline double Bounded(double value) noexcept
{
    if (std::isnan(value))
        return 0.0;
    if (std::isinf(value))
        return value > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    return value;
}

} // namespace revora
