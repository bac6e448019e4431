#pragma once
// The payroll file as it is read from the disk, before ReadPayrollCsv reads its employees. The
// reader holds the whole file and every employee in memory at once, so a file is taken only up
// to a size that leaves room for them, and only when it is a file: a device (/dev/zero) never
// ends and a pipe may never be closed.

#include <cstdint>
#include <string>
#include <string_view>

namespace revora {

// Well above a payroll of a hundred thousand employees, each a line of every column (about
// 120 bytes), and far below the memory a run of the largest file needs (its bytes, and some
// 250 bytes an employee for the shortest lines).
inline constexpr std::int64_t MostPayrollFileBytes = 32LL * 1024 * 1024;

struct PayrollFileBytes {
    std::string bytes;
    // Empty when read; otherwise why not, naming the file as `shownName` gives it.
    std::string refusal;
};

// What a file read whole from outside the program may be: `name` ("a payroll file") holds at
// most `mostBytes`; `is` says what it is ("a CSV file saved from a spreadsheet") where a pipe
// or a device is given instead, and `whenLarger` what to do with a larger one.
struct OutsideFileRules {
    std::int64_t mostBytes;
    std::string_view name;
    std::string_view is;
    std::string_view whenLarger;
};

// The file at `path`, whole: refused when it cannot be opened or read, is not a regular file
// (opened without waiting, so a pipe that no program writes to is refused, not waited on), or
// holds more than the rules' most.
PayrollFileBytes ReadOutsideFile(const std::string& path, const std::string& shownName, const OutsideFileRules& rules);

// The same for the payroll file, at most MostPayrollFileBytes.
PayrollFileBytes ReadPayrollFile(const std::string& path, const std::string& shownName);

} // namespace revora
