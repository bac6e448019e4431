#pragma once
// The checks both programs make of their command lines' bytes before Qt reads them as text.

#include <string>

namespace revora {

// The option that names the folder of the databases, without its leading "--", and what both
// programs' help says of it.
inline constexpr const char* DataFolderOption = "data-dir";
inline constexpr const char* DataFolderHelp =
    "the folder of the databases (default: the program's folder, or the user's data folder)";

// Why the command line cannot be taken, as one line naming the option at fault
// ("--data-dir: an empty name is no folder; give the folder of the databases"), or empty when
// it can. Qt reads the command line as UTF-8 text, so a byte that is not UTF-8 would silently
// become U+FFFD: a folder or file name would name another one (a data folder without the
// user's settings). Such an argument is refused, by its option. An empty name for the data
// folder would mean the root folder, and is refused as well.
std::string ArgumentRefusal(int argc, const char* const* argv);

} // namespace revora
