#include "common/InputNumbers.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cmath>
#include <limits>
#include <optional>

namespace revora {

namespace {

using Reading = TypedNumber::Reading;

TypedNumber Refuse(std::string problem) { return {Reading::Refused, 0.0, std::move(problem)}; }

// The text with every kind of blank as ' ' and the typographic minus as '-', so that the
// rules below see one character per sign. Other characters beyond ASCII are kept whole (as
// one UTF-8 sequence) so a refusal can name them.
std::string Plain(std::string_view text)
{
    constexpr std::string_view Blanks[] = {"\t", "\n", "\r", "\u00A0", "\u2009", "\u202F"};
    constexpr std::string_view TypographicMinus = "\u2212";
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = text.substr(i);
        const auto starts = [rest](std::string_view seq) { return rest.substr(0, seq.size()) == seq; };
        if (const auto* blank = std::find_if(std::begin(Blanks), std::end(Blanks), starts); blank != std::end(Blanks)) {
            plain += ' ';
            i += blank->size();
        } else if (starts(TypographicMinus)) {
            plain += '-';
            i += TypographicMinus.size();
        } else {
            plain += text[i++];
        }
    }
    const auto first = plain.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return plain.substr(first, plain.find_last_not_of(' ') - first + 1);
}

// The first character of `text` (a whole UTF-8 sequence) quoted, for a refusal.
std::string Quoted(std::string_view text)
{
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return "\"" + std::string(text.substr(0, length)) + "\"";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the number's body starts after the sign and the currency, and whether it is negative.
struct Lead {
    std::size_t bodyAt = 0;
    bool negative = false;
};

// The sign and the currency, in either order, each at most once.
Lead ReadLead(const std::string& plain)
{
    Lead lead;
    std::size_t& at = lead.bodyAt;
    bool signed_ = false;
    bool rand = false;
    for (;;) {
        while (at < plain.size() && plain[at] == ' ')
            ++at;
        if (at == plain.size())
            break;
        const char c = plain[at];
        if ((c == '-' || c == '+') && !signed_) {
            signed_ = true;
            lead.negative = c == '-';
        } else if ((c == 'R' || c == 'r') && !rand) {
            rand = true;
        } else {
            break;
        }
        ++at;
    }
    return lead;
}

// Digits, blanks, points and commas only, and at most one point; the refusal otherwise.
std::optional<TypedNumber> RefuseStrangeMarks(std::string_view body, int& points, int& commas)
{
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '.')
            ++points;
        else if (c == ',')
            ++commas;
        else if (!IsDigit(c) && c != ' ')
            return Refuse(Quoted(body.substr(i)) + " is not part of a number");
    }
    if (points > 1)
        return Refuse("there is more than one decimal point");
    return std::nullopt;
}

// Which mark, if any, starts the decimals.
std::size_t DecimalMark(std::string_view body, int points, int commas)
{
    std::size_t decimalAt = body.find('.');
    if (points == 0 && commas == 1) {
        const std::size_t comma = body.find(',');
        const std::string_view before = body.substr(0, comma);
        const std::string_view after = body.substr(comma + 1);
        const bool blankGroups = before.find(' ') != std::string_view::npos;
        const bool thousands = !blankGroups && after.size() == 3 && before.size() <= 3 && !before.empty();
        if (!thousands)
            decimalAt = comma;
    }
    return decimalAt;
}

// The whole part: digits, or groups of three after a first group of one to three. A
// last group still short of three digits may yet be typed in full. Its digits go to `digits`;
// a part that is not (yet) a number gives its reading.
std::optional<TypedNumber> ReadWholePart(std::string_view whole, bool hasDecimals, std::string& digits)
{
    std::size_t groupSize = 0;
    bool grouped = false;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const char c = whole[i];
        if (IsDigit(c)) {
            digits += c;
            ++groupSize;
            continue;
        }
        // A thousands mark: the group before it is complete.
        const bool firstGroup = !grouped;
        if (groupSize == 0 || (firstGroup ? groupSize > 3 : groupSize != 3))
            return Refuse("the digits are not grouped in thousands");
        grouped = true;
        groupSize = 0;
        if (c == ' ')
            while (i + 1 < whole.size() && whole[i + 1] == ' ')
                ++i;
    }
    if (grouped && groupSize != 3) {
        if (groupSize > 3 || hasDecimals)
            return Refuse("the digits are not grouped in thousands");
        return TypedNumber{Reading::Unfinished, 0.0, "the digits are not grouped in thousands"};
    }
    return std::nullopt;
}

// The value of the digits before and after the decimal mark.
TypedNumber ToNumber(const std::string& digits, std::string_view decimals, bool negative)
{
    // from_chars ignores the locale, so the point is a decimal point under every locale.
    std::string number = digits.empty() ? "0" : digits;
    if (!decimals.empty())
        number += "." + std::string(decimals);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range && digits.find_first_not_of('0') == std::string::npos)
        value = 0.0; // so many decimal zeros before a digit that no double tells it from 0
    else if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return Refuse("the number is far too large");
    return {Reading::Number, negative ? -value : value, {}};
}

} // namespace

TypedNumber ReadTypedNumber(std::string_view text, bool negativeAllowed)
{
    const std::string plain = Plain(text);
    if (plain.empty())
        return {};

    const Lead lead = ReadLead(plain);
    if (lead.negative && !negativeAllowed)
        return Refuse("this box takes no negative numbers");
    const std::string_view body = std::string_view(plain).substr(lead.bodyAt);
    if (body.empty())
        return {Reading::Unfinished, 0.0, "there are no digits"};

    int points = 0;
    int commas = 0;
    if (auto refused = RefuseStrangeMarks(body, points, commas))
        return *refused;

    const std::size_t decimalAt = DecimalMark(body, points, commas);
    const std::string_view whole = body.substr(0, decimalAt);
    const std::string_view decimals =
        decimalAt == std::string_view::npos ? std::string_view{} : body.substr(decimalAt + 1);
    for (char c : decimals)
        if (!IsDigit(c))
            return Refuse(std::string("a ") + (c == ',' ? "comma" : "blank") + " stands among the decimals");

    std::string digits;
    if (auto unread = ReadWholePart(whole, decimalAt != std::string_view::npos, digits))
        return *unread;
    if (digits.empty() && decimals.empty())
        return {Reading::Unfinished, 0.0, "there are no digits"};
    return ToNumber(digits, decimals, lead.negative);
}

std::optional<std::int16_t> RoundHalfEvenToInt16(double value) noexcept
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless changed.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace revora
