#include "ArgumentCheck.h"

#include <QUtf8StringView>
#include <string_view>

namespace revora {

namespace {

// The option an argument is given to, its own name ("--data-dir=DIR") or the name before it
// ("--data-dir DIR"); else the argument by its place.
std::string OptionOf(int i, const char* const* argv)
{
    std::string_view arg(argv[i]);
    if (!arg.starts_with("--") && i > 1)
        arg = argv[i - 1];
    return arg.starts_with("--") ? std::string(arg.substr(0, arg.find('='))) : "argument " + std::to_string(i);
}

// The first byte of the text that UTF-8 does not allow, or -1 when it is all UTF-8.
qsizetype FirstByteNotUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (!QUtf8StringView(text.substr(at, length)).isValidUtf8())
            return static_cast<qsizetype>(at);
        at += length;
    }
    return -1;
}

} // namespace

std::string ArgumentRefusal(int argc, const char* const* argv)
{
    const std::string dataDir = std::string("--") + DataFolderOption;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (const qsizetype at = FirstByteNotUtf8(arg); at >= 0)
            return OptionOf(i, argv) + ": byte " + std::to_string(at + 1)
                   + " of its argument is not UTF-8 text; give file and folder names in UTF-8";
        if (arg == dataDir + "=" || (arg.empty() && i > 1 && argv[i - 1] == dataDir))
            return dataDir + ": an empty name is no folder; give the folder of the databases";
    }
    return {};
}

} // namespace revora
