#include "common/TextEscape.h"

#include <cstdint>

namespace revora {
namespace {

// The character that starts at `at` and how many bytes it takes, or a length of 0 when the
// bytes there are not a UTF-8 character (a stray continuation byte, a sequence cut short, an
// overlong form, a surrogate or a value beyond U+10FFFF).
struct Decoded {
    char32_t c = 0;
    std::size_t length = 0;
};

Decoded DecodeAt(std::string_view text, std::size_t at) noexcept
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return {lead, 1};
    // The lead byte's marks give the length; its other bits begin the character.
    struct Form {
        unsigned char mask, marks;
        std::size_t length;
        char32_t least; // a smaller character written this long is an overlong form
    };
    static constexpr Form Forms[] = {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}};
    const Form* form = nullptr;
    for (const Form& f : Forms)
        if ((lead & f.mask) == f.marks)
            form = &f;
    if (!form)
        return {};
    const std::size_t length = form->length;
    char32_t c = lead & static_cast<unsigned char>(~form->mask);
    if (at + length > text.size())
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {};
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    if (c < form->least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return {};
    return {c, length};
}

const char* const HexDigits = "0123456789abcdef";

void AppendHex(std::string& out, std::uint32_t value, int digits)
{
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += HexDigits[(value >> shift) & 0xF];
}

} // namespace

bool IsControlCharacter(char32_t c) noexcept
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string EscapeControls(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = DecodeAt(text, at);
        if (d.length == 0) {
            shown += "\\x";
            AppendHex(shown, static_cast<unsigned char>(text[at]), 2);
            ++at;
            continue;
        }
        if (!IsControlCharacter(d.c)) {
            shown.append(text, at, d.length);
        } else if (d.c <= 0x7F) {
            shown += "\\x";
            AppendHex(shown, d.c, 2);
        } else {
            shown += "\\u";
            AppendHex(shown, d.c, 4);
        }
        at += d.length;
    }
    return shown;
}

std::optional<std::string> NameRefusal(std::string_view utf8, int most)
{
    bool control = false;
    long long units = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const Decoded d = DecodeAt(utf8, at);
        if (d.length == 0)
            return "the name is not UTF-8 text";
        control = control || IsControlCharacter(d.c);
        units += d.c > 0xFFFF ? 2 : 1;
        at += d.length;
    }
    if (control)
        return "the name holds a line break or another control character";
    if (units > most)
        return "the name is longer than " + std::to_string(most) + " characters";
    return std::nullopt;
}

} // namespace revora
