// revora-calc's command line: any arguments against a subcommand's kind of options. A bad
// command line is a UsageError and nothing else; a number taken is finite and within its box's
// limits, a count is what its text rounds to.

#include <sstream>

#include "FuzzInput.h"
#include "CalcCommand.h"
#include "common/InputNumbers.h"

using namespace revora;
using namespace revora::fuzz;
using namespace revora::cli;

namespace {

// Options of each shape the subcommands use: numbers, counts, yes/no, a name, a flag and a
// repeatable one, then the common ones.
const OptionDef Income{"income", OptionKind::Amount, "amount"};
const OptionDef Age{"age", OptionKind::Whole, "count"};
const OptionDef Members{"members", OptionKind::Whole, "count"};
const OptionDef Directive{.name = "directive", .kind = OptionKind::Choice, .help = "yes or no", .choices = YesOrNo};
const OptionDef Employee{.name = "employee", .kind = OptionKind::Text, .help = "name", .most = 50};
const OptionDef Afrikaans{"afrikaans", OptionKind::Flag, "flag"};
const OptionDef Deduction{.name = "deduction", .kind = OptionKind::Amount, .help = "repeatable", .repeatable = true};

const Options& Definitions()
{
    static const Options defs = WithCommon({&Income, &Age, &Members, &Directive, &Employee, &Afrikaans, &Deduction});
    return defs;
}

// Arguments split at NUL bytes; a few common words make whole options likelier.
std::vector<std::string> Arguments(FuzzInput& in)
{
    std::vector<std::string> args;
    std::string current;
    while (in.Remaining() > 0) {
        const std::uint8_t b = in.Byte();
        if (b == 0) {
            args.push_back(current);
            current.clear();
        } else if (b == 1) {
            current += in.Pick<const char*>({"--income", "--age", "--members", "--directive", "--employee",
                                             "--afrikaans", "--deduction", "--json", "--report", "=", "1e308",
                                             "32767.5", "-0.5", "yes", "no"});
        } else {
            current.push_back(static_cast<char>(b));
        }
    }
    args.push_back(current);
    return args;
}

template <typename Read>
void Tolerant(Read read)
{
    try {
        read();
    } catch (const UsageError&) {
        // The refusal revora-calc prints; anything else escapes and is a fault.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::vector<std::string> args = Arguments(in);
    try {
        const ParsedOptions options(Definitions(), args);
        Tolerant([&] {
            const double v = options.number(Income, 0.0);
            Finite(v, "a number option");
            Require(v >= 0.0 && v <= LargestTypedAmount, "an amount taken beyond what its box takes");
        });
        Tolerant([&] {
            if (const auto v = options.numberIfGiven(Income)) {
                Finite(*v, "a number option");
                // The figures as printed, into memory: captioned and as JSON, never "nan" or "inf".
                for (const bool json : {false, true}) {
                    std::ostringstream out;
                    PrintFigures(out, {{"Income", "Taxable Income", *v, 2}, {"Rate", "Rate", *v / 3.0, 4}}, json);
                    Require(out.str().find("nan") == std::string::npos && out.str().find("inf") == std::string::npos,
                            "a printed figure reads nan or inf");
                }
            }
        });
        Tolerant([&] { Finite(options.requiredNumber(Income), "a required number"); });
        Tolerant([&] {
            const std::int16_t age = options.count(Age, 0);
            if (const auto text = options.value(Age))
                Require(RoundHalfEvenToInt16(NumberFromText("age", *text)) == age, "a count is its text rounded");
        });
        Tolerant([&] {
            if (const auto text = options.value(Members))
                Require(NonNegativeCount("members", *text) >= 0, "a non-negative count below 0");
        });
        Tolerant([&] { (void)options.yesNoIfGiven(Directive); });
        Tolerant([&] { (void)NameUpTo(options, Employee); });
        for (const std::string& value : options.values(Deduction))
            Tolerant([&] { Finite(NumberFromText("deduction", value), "a repeated number"); });
        Require(options.has(Afrikaans) || !options.value(Afrikaans), "a flag holds no value");
    } catch (const UsageError&) {
    }
    return 0;
}
