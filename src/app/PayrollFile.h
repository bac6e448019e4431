#pragma once
// The payroll file as it is read from the disk, before ReadPayrollCsv reads its employees. The
// reader holds the whole file and every employee in memory at once, so a file is taken only up
// to a size that leaves room for them, and only when it is a file: a device (/dev/zero) never
// ends and a pipe may never be closed.

#include <cstdint>
#include <string>

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

// The file at `path`, whole: refused when it cannot be opened or read, is not a regular file,
// or holds more than MostPayrollFileBytes.
PayrollFileBytes ReadPayrollFile(const std::string& path, const std::string& shownName);

} // namespace revora
