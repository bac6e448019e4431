#pragma once
// Where the program finds its installation files and keeps its databases.

#include <QString>

namespace revora {

// The folder of the installation files (layouts, picture, database seeds): the program's own
// folder when they sit beside it (a build tree, a portable install), else the system-wide
// data folder.
QString InstallFolder();

// The application folder that holds the three databases: the program's folder when it is
// writable, else the user's data folder, created when missing.
QString DefaultApplicationFolder();

struct AppPaths {
    QString InstallFolder;
    QString ReportDbPath;
    QString SettingsDbPath;
    QString StartupDbPath;

    QString SeedFolder() const;
    QString LayoutPath(const QString& layoutName) const;
    QString PicturePath() const;
};

AppPaths MakeAppPaths(const QString& applicationFolder, const QString& installFolder);

} // namespace revora
