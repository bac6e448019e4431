#pragma once
// The start-up database: whether the About window shows when the program starts.

#include "AppFolders.h"

namespace revora {

// StorageError when the database cannot be read.
bool ReadViewAbout(const AppPaths& paths);
void WriteViewAbout(const AppPaths& paths, bool viewAbout);

} // namespace revora
