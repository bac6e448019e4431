#pragma once
// Control characters: which they are, how a message shows one, and the rule that keeps them
// out of a name.
//
// A control character is one of C0 (U+0000 to U+001F, the line break, the tab and ESC among
// them), DEL (U+007F) or C1 (U+0080 to U+009F). Echoed raw to a terminal, ESC and the C1 CSI
// start commands that clear the screen, retitle the window or move the cursor, BEL rings and a
// line break splits a one-line message; on a printout or a payslip they are invisible.

#include <optional>
#include <string>
#include <string_view>

namespace revora {

bool IsControlCharacter(char32_t c) noexcept;

// The text as a message shows it, every character that is not safe to print spelt out:
//   a C0 character or DEL as "\x" and two hex digits ("\x1b", "\x07", "\x0a");
//   a C1 character as "\u" and four hex digits ("\u009b"), so it is not taken for a byte;
//   a byte that is not part of a UTF-8 character as "\x" and its two hex digits ("\xff").
// Everything else, a backslash too, stays as it is, so escaping twice changes nothing more.
// Example: "'\x1b[2J\x07x' is not an amount" for the amount typed ESC [ 2 J BEL x.
std::string EscapeControls(std::string_view text);

// A name as a printout or payslip carries it: UTF-8 text of one line, no control character,
// at most `most` characters counted as a name box counts them (UTF-16 units: a letter and its
// combining mark are two, a character beyond U+FFFF is two). The refusal in words, or nothing
// when the name may be used:
//   "the name is not UTF-8 text"
//   "the name holds a line break or another control character"
//   "the name is longer than 50 characters"
std::optional<std::string> NameRefusal(std::string_view utf8, int most);

} // namespace revora
