#include "AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace revora {

QString InstallFolder() { return InstallFolder(QCoreApplication::applicationDirPath()); }

QString InstallFolder(const QString& programFolder)
{
    if (QFileInfo::exists(programFolder + "/layouts"))
        return programFolder;
    // Installed, the programs sit in <prefix>/bin, and revora-calc's report writer in
    // <prefix>/libexec/revora2016.
    for (const char* fromProgram : {"/../share/revora2016", "/../../share/revora2016"}) {
        const QString relative = QDir::cleanPath(programFolder + fromProgram);
        if (QFileInfo::exists(relative + "/layouts"))
            return relative;
    }
    return QStringLiteral(REVORA_DATA_INSTALL_DIR);
}

QString DefaultApplicationFolder()
{
    return DefaultApplicationFolder(QCoreApplication::applicationDirPath(),
                                    QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString DefaultApplicationFolder(const QString& programFolder, const QString& userFolder)
{
    const QFileInfo info(programFolder);
    if (InstallFolder(programFolder) == programFolder && info.isDir() && info.isWritable())
        return programFolder;
    QDir().mkpath(userFolder);
    return userFolder;
}

QString AppPaths::SeedFolder() const { return InstallFolder + "/seeds"; }

QString AppPaths::LayoutPath(const QString& layoutName) const { return InstallFolder + "/layouts/" + layoutName; }

QString AppPaths::PicturePath() const { return InstallFolder + "/Revx.jpg"; }

QString AppPaths::HelpDocumentPath() const { return InstallFolder + "/RV2016Help.pdf"; }

QString AppPaths::LecturePath(const QString& fileName) const { return InstallFolder + "/" + fileName; }

AppPaths MakeAppPaths(const QString& applicationFolder, const QString& installFolder)
{
    AppPaths paths;
    paths.InstallFolder = installFolder;
    paths.ReportDbPath = applicationFolder + "/Crysprin.db";
    paths.SettingsDbPath = applicationFolder + "/Settings.db";
    paths.StartupDbPath = applicationFolder + "/bcdv.db";
    paths.VideoSourcePath = applicationFolder + "/VideoSource.Dll";
    return paths;
}

} // namespace revora
