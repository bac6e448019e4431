#pragma once
// What every fuzz target shares: typed values drawn from the fuzzer's bytes, and the checks
// that stop the run on a broken rule. A check that fails prints a short reason and aborts,
// so libFuzzer keeps the input that broke it.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "common/InputNumbers.h"
#include "common/ReportRow.h"

namespace revora::fuzz {

// LargestTypedAmount is the most an amount box takes; beyond it values only arrive through
// revora-calc.

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Remaining() const { return size_ - pos_; }

    // Past the end every read gives 0, so a short input is still a whole case.
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    std::uint64_t Bits(int bytes)
    {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | Byte();
        return v;
    }

    bool Flag() { return (Byte() & 1) != 0; }

    // lo..hi inclusive.
    std::int64_t Int(std::int64_t lo, std::int64_t hi)
    {
        const std::uint64_t span = static_cast<std::uint64_t>(hi - lo) + 1;
        const std::uint64_t raw = Bits(span <= 0x100 ? 1 : span <= 0x10000 ? 2 : span <= 0x100000000ULL ? 4 : 8);
        return span == 0 ? static_cast<std::int64_t>(raw) : lo + static_cast<std::int64_t>(raw % span);
    }

    template <typename T>
    T Pick(std::initializer_list<T> choices)
    {
        return choices.begin()[Int(0, static_cast<std::int64_t>(choices.size()) - 1)];
    }

    // Any finite double, from tiny to 1e308.
    double AnyFinite()
    {
        std::uint64_t bits = Bits(8);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return std::isfinite(v) ? v : 0.0;
    }

    // An amount as a box or revora-calc might hold it: mostly rands and cents up to `most`,
    // sometimes a value at one of `marks` (a bracket edge, a limit) or a cent or a rand off
    // it, sometimes any finite double. Negative only when `negative` allows it.
    double Amount(double most, bool negative = false, std::initializer_list<double> marks = {})
    {
        const std::uint8_t shape = Byte();
        double v = 0.0;
        switch (shape % 8) {
        case 0:
            v = 0.0;
            break;
        case 1:
            v = static_cast<double>(Int(0, 1000));
            break;
        case 2:
        case 3:
            v = static_cast<double>(Int(0, static_cast<std::int64_t>(most)));
            break;
        case 4:
            v = static_cast<double>(Int(0, static_cast<std::int64_t>(most * 100.0))) / 100.0;
            break;
        case 5:
            if (marks.size() > 0) {
                v = Pick(marks) + Pick({0.0, 0.01, -0.01, 1.0, -1.0, 0.5});
                break;
            }
            v = std::pow(10.0, static_cast<double>(Int(-3, 15)));
            break;
        case 6:
            v = std::pow(10.0, static_cast<double>(Int(-3, 15))) * static_cast<double>(Int(1, 9));
            break;
        default:
            v = AnyFinite();
            break;
        }
        if (negative) {
            if (Flag())
                v = -v;
        } else {
            v = std::fabs(v);
        }
        return v;
    }

    // An amount from 0 to `most` for boxes whose limit the model relies on: never beyond,
    // whatever the shape drawn.
    double AmountUpTo(double most, std::initializer_list<double> marks = {})
    {
        const double v = Amount(most, false, marks);
        return v > most ? std::fmod(v, most) : v;
    }

    // A whole amount, as the vehicle screens' long-integer boxes and revora-calc's ten-digit
    // options hold them.
    double WholeAmount(double most, std::initializer_list<double> marks = {})
    {
        return std::floor(AmountUpTo(most, marks));
    }

    // A value from lo to hi on a grid of hundredths, with the ends reachable.
    double Within(double lo, double hi)
    {
        const std::int64_t steps = static_cast<std::int64_t>(std::llround((hi - lo) * 100.0));
        return lo + static_cast<double>(Int(0, steps)) / 100.0;
    }

    // The most an amount may be in this case: half the time everyday sums, where the searches
    // and schedules are worked in detail, otherwise all an amount box takes.
    double Scale(double everyday = 10'000'000.0) { return Flag() ? everyday : LargestTypedAmount; }

    // A rate as its box takes it, 0 to `most` on hundredths, or one of `edges`.
    double Rate(double most, std::initializer_list<double> edges)
    {
        return Flag() ? Within(0.0, most) : Pick(edges);
    }

    // A 16-bit count: usually lo..hi, sometimes any 16-bit value.
    std::int16_t Count(int lo, int hi)
    {
        if ((Byte() & 7) == 0)
            return static_cast<std::int16_t>(Bits(2));
        return static_cast<std::int16_t>(Int(lo, hi));
    }

    std::string Text(std::size_t most)
    {
        const std::size_t n = static_cast<std::size_t>(Int(0, static_cast<std::int64_t>(most)));
        std::string text;
        for (std::size_t i = 0; i < n && Remaining() > 0; ++i)
            text.push_back(static_cast<char>(Byte()));
        return text;
    }

    // Everything not read yet.
    std::string Rest()
    {
        std::string text(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

[[noreturn]] inline void Fail(const char* what, double value)
{
    std::fprintf(stderr, "broken rule: %s (%.17g)\n", what, value);
    std::abort();
}

inline void Require(bool holds, const char* what)
{
    if (!holds)
        Fail(what, 0.0);
}

inline void Finite(double value, const char* what)
{
    if (!std::isfinite(value))
        Fail(what, value);
}

// Also refuses a NaN.
inline void NotNegative(double value, const char* what)
{
    if (!(value >= 0.0))
        Fail(what, value);
}

inline void FiniteNotNegative(double value, const char* what)
{
    Finite(value, what);
    NotNegative(value, what);
}

// Every amount of a printed row is finite.
inline void FiniteRow(const ReportRow& row, const char* what)
{
    for (const ReportField& field : row) {
        if (const double* v = std::get_if<double>(&field.value); v && !std::isfinite(*v)) {
            std::fprintf(stderr, "broken rule: %s, field %s\n", what, field.name.c_str());
            Fail(what, *v);
        }
    }
}

inline void FiniteRows(const std::vector<ReportRow>& rows, const char* what)
{
    for (const ReportRow& row : rows)
        FiniteRow(row, what);
}

} // namespace revora::fuzz
