#pragma once
// The amount boxes of the small calculators: each takes at most MostFinanceAmount, the limit
// revora-calc's amount options hold to, and a larger amount is refused with the limit named
// ("The maximum amount allowed is R 9 999 999 999.99"), the amount before it kept.

#include <string>

#include "FormKit.h"
#include "finance/Annuity.h"

namespace revora {

// The limit and its refusal, for a NumberField.
inline std::function<bool(double)> FinanceAmountLimit() { return AtMost(MostFinanceAmount); }

inline Refusal FinanceAmountRefusal()
{
    // Worked out once from the limit; the refusal refers to it for as long as the program runs.
    static const std::string message = FinanceAmountMessage();
    return {FinanceAmountTitle, message};
}

} // namespace revora
