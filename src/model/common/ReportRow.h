#pragma once
// One printed row of a report table: the fields a print routine writes, in the order written.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace revora {

// 16-bit counts and flags, amounts, texts, yes/no, and 32-bit day numbers.
using ReportValue = std::variant<std::int16_t, double, std::string, bool, std::int32_t>;

struct ReportField {
    std::string name;
    ReportValue value;
};

using ReportRow = std::vector<ReportField>;

// Appended to most report window titles.
inline constexpr const char* ExportHint = " - To export printout click on the suitcase button or goto Help";

} // namespace revora
