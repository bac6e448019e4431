#pragma once
// Where the program finds its installation files and keeps its databases.

#include <QString>

namespace revora {

// The folder of the installation files (layouts, picture, database seeds): the program's own
// folder when they sit beside it (a build tree, a portable install), else the system-wide
// data folder.
QString InstallFolder();
QString InstallFolder(const QString& programFolder);

// The application folder that holds the three databases: the program's folder when the
// installation files sit beside it and it is writable (a build tree, a portable install), else
// the user's data folder, created when missing. An installed program (files in
// ../share/revora2016) never writes into its bin folder, even a writable one like ~/.local/bin.
QString DefaultApplicationFolder();
QString DefaultApplicationFolder(const QString& programFolder, const QString& userFolder);

struct AppPaths {
    QString InstallFolder;
    QString ReportDbPath;
    QString SettingsDbPath;
    QString StartupDbPath;
    QString VideoSourcePath; // the video window's one-value source file, "VideoSource.Dll"

    QString SeedFolder() const;
    QString LayoutPath(const QString& layoutName) const;
    QString PicturePath() const;
    QString HelpDocumentPath() const; // "RV2016Help.pdf" among the installation files
    // A lecture video among the installation files, by its file name ("2016RVCoCar.wmv").
    QString LecturePath(const QString& fileName) const;
};

AppPaths MakeAppPaths(const QString& applicationFolder, const QString& installFolder);

} // namespace revora
