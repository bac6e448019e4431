#include "CalcOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <iostream>
#include <sstream>

#include "AppFolders.h"
#include "PayrollFile.h"

namespace revora::cli {

void PrintJson(const QJsonObject& object)
{
    std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << '\n';
}

Working* Explaining(const ParsedOptions& options, Working& working)
{
    return options.has(ExplainOption) ? &working : nullptr;
}

void PrintExplanation(std::ostream& out, const Working* working, PrintLanguage language)
{
    if (!working)
        return;
    out << '\n' << (language == PrintLanguage::Afrikaans ? "Hoe hierdie syfers bereken is" : "How these figures were worked out")
        << '\n';
    int number = 0;
    for (const WorkingStep& step : working->Steps())
        out << ++number << ". " << step.Text(language) << '\n';
}

void AddExplanation(QJsonObject& object, const Working* working, PrintLanguage language)
{
    if (!working)
        return;
    QJsonArray steps;
    for (const WorkingStep& step : working->Steps())
        steps.append(QJsonObject{{QStringLiteral("Step"), QString::fromStdString(step.LabelText(language))},
                                 {QStringLiteral("Working"), QString::fromStdString(step.Text(language))},
                                 {QStringLiteral("Amount"), step.Amount}});
    object.insert(QStringLiteral("Explanation"), steps);
}

void PrintFigures(std::ostream& out, const std::vector<Figure>& figures, bool json, const Working* working)
{
    if (!json) {
        PrintFigures(out, figures, false);
        PrintExplanation(out, working);
        return;
    }
    std::ostringstream plain;
    PrintFigures(plain, figures, true);
    std::string text = plain.str();
    if (working) {
        QJsonObject object;
        AddExplanation(object, working);
        const std::string steps = QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
        // {"a": 1} and {"Explanation": [...]} joined into one object.
        text = text.substr(0, text.rfind('}')) + ", " + steps.substr(1) + '\n';
    }
    out << text;
}

std::string ReadVehiclesFile(const OptionDef& option, const std::string& file)
{
    // A register's largest file, its most cars of a few hundred bytes each, is well within the
    // payroll file's most; a pipe or a device is no register.
    PayrollFileBytes read = ReadOutsideFile(file, file, {MostPayrollFileBytes, "a vehicles file",
                                                         "a JSON array of the cars", "split the cars over several files"});
    if (!read.refusal.empty())
        throw UsageError("--" + option.name + ": " + read.refusal);
    return std::move(read.bytes);
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
