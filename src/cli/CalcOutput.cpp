#include "CalcOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <iostream>

#include "AppFolders.h"

namespace revora::cli {

void PrintJson(const QJsonObject& object)
{
    std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << '\n';
}

AppState MakeState(const ParsedOptions& options)
{
    AppState state;
    QString folder = DefaultApplicationFolder();
    if (const auto dir = options.value(DataDirOption))
        folder = QString::fromStdString(*dir);
    state.Paths = MakeAppPaths(folder, InstallFolder());
    state.InitialiseAll();
    return state;
}

void MakeDatabaseFolder(const QString& databasePath)
{
    QDir().mkpath(QFileInfo(databasePath).absolutePath());
}

} // namespace revora::cli
