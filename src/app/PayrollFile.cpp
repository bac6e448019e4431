#include "PayrollFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/AmountFormat.h"

namespace revora {

namespace {

// The descriptor closed however the reading ends.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

std::string Bytes(std::int64_t count) { return FormatAmount(static_cast<double>(count), 0) + " bytes"; }

std::string TooLarge(const std::string& shownName, const std::string& size, const OutsideFileRules& rules)
{
    return shownName + ": " + size + " is more than " + std::string(rules.name) + " may hold (" +
           Bytes(rules.mostBytes) + "); " + std::string(rules.whenLarger);
}

} // namespace

PayrollFileBytes ReadPayrollFile(const std::string& path, const std::string& shownName)
{
    return ReadOutsideFile(path, shownName,
                           {MostPayrollFileBytes, "a payroll file", "a CSV file saved from a spreadsheet",
                            "split the payroll over several files"});
}

PayrollFileBytes ReadOutsideFile(const std::string& path, const std::string& shownName, const OutsideFileRules& rules)
{
    const auto most = static_cast<std::size_t>(rules.mostBytes);
    PayrollFileBytes read;
    const auto failed = [&](const char* what) {
        read.bytes.clear();
        read.refusal = shownName + ": " + what + " (" + std::strerror(errno) + ")";
        return read;
    };
    const OpenFile file(path);
    if (file.fd() < 0)
        return failed("cannot be read");
    struct stat status {};
    if (::fstat(file.fd(), &status) != 0)
        return failed("cannot be read");
    if (!S_ISREG(status.st_mode)) {
        read.refusal = shownName + ": is not a file but a " +
                       (S_ISDIR(status.st_mode)    ? "folder"
                        : S_ISFIFO(status.st_mode) ? "pipe"
                                                   : "device or socket") +
                       "; " + std::string(rules.name) + " is " + std::string(rules.is);
        return read;
    }
    if (status.st_size > rules.mostBytes) {
        read.refusal = TooLarge(shownName, Bytes(status.st_size), rules);
        return read;
    }
    // Read to its end, which may come after the size fstat gave if the file is still growing;
    // one byte beyond the limit is enough to refuse it.
    read.bytes.resize(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == read.bytes.size()) {
            if (read.bytes.size() > most) {
                read.bytes.clear();
                read.refusal = TooLarge(shownName, "more than " + Bytes(rules.mostBytes), rules);
                return read;
            }
            read.bytes.resize(std::min(read.bytes.size() * 2, most + 1));
        }
        const ssize_t got = ::read(file.fd(), read.bytes.data() + filled, read.bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failed("cannot be read");
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    read.bytes.resize(filled);
    return read;
}

} // namespace revora
