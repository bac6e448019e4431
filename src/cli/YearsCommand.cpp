// revora-calc years: the tax years the program's data holds, newest first, with what each holds,
// what it lacks and which figures rest on one source only; a year added in the data folder is
// marked "added here", and a year refused as damaged is listed with the reason.

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <iostream>

#include "AppFolders.h"
#include "CalcCommand.h"
#include "CalcOutput.h"
#include "TaxYearData.h"
#include "common/AmountFormat.h"
#include "common/DayDate.h"
#include "payroll/PublishedLevies.h"
#include "tax/TaxYearRules.h"

namespace revora::cli {

namespace {

// The years shipped and those added in the data folder of --data-dir, and those refused.
TaxYearFiles YearFiles(const ParsedOptions& options) { return ReadTaxYears(MakeState(options).Paths); }

// "2015 to 2027", or each year where some are missing between ("2015, 2017 and 2020"); the
// years newest first.
std::string YearsHeld(const std::vector<TaxYear>& years)
{
    if (years.empty())
        return "none";
    const int oldest = years.back().Year;
    const int newest = years.front().Year;
    if (newest - oldest + 1 == static_cast<int>(years.size()))
        return oldest == newest ? std::to_string(oldest) : std::to_string(oldest) + " to " + std::to_string(newest);
    std::string listed;
    for (std::size_t i = years.size(); i-- > 0;)
        listed += (i + 1 == years.size() ? "" : i == 0 ? " and " : ", ") + std::to_string(years[i].Year);
    return listed;
}


// A share as a percentage without trailing zeros: 0.275 -> "27.5 %", 0.01 -> "1 %".
std::string Percent(double share)
{
    std::string text = FormatAmount(share * 100.0, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text + " %";
}

std::string Rand(double amount) { return "R " + FormatAmount(amount, 0); }

// "R 14 872 a month; R 17 712 from 01/06/2021": the first value holds from the year's start.
std::string Dated(const std::vector<DatedAmount>& values, std::string (*shown)(double), const char* unit)
{
    std::string text;
    for (const DatedAmount& value : values)
        text += text.empty() ? shown(value.Amount) + unit
                             : "; " + shown(value.Amount) + " from " + FormatDayDate(value.From);
    return text;
}

// What the year holds, a few words each.
std::vector<std::string> Holds(const TaxYear& year)
{
    std::vector<std::string> holds{"tax table (" + std::to_string(year.Brackets.size()) + " brackets)", "rebates",
                                   "medical credits"};
    holds.push_back("UIF " + Percent(year.Uif.EmployeeRate) + " + " + Percent(year.Uif.EmployerRate) + " (ceiling " +
                    Dated(year.Uif.MonthlyCeilings, Rand, " a month") + ")");
    holds.push_back(year.SdlRatePeriods.empty() ? "SDL " + Percent(year.SdlRate)
                                                : "SDL (" + Dated(year.SdlRatePeriods, Percent, "") + ")");
    if (year.DeemedCostTable)
        holds.push_back("deemed-cost travel table");
    if (year.RatePerKmCents)
        holds.push_back("prescribed rate per km (" + FormatAmount(*year.RatePerKmCents, 0) + " c)");
    holds.push_back("company car rates");
    holds.push_back(year.Retirement.Regime == RetirementRegime::OneDeduction
                        ? "retirement: one deduction of " + Percent(year.Retirement.Rate) + ", at most " +
                              Rand(year.Retirement.AnnualCap) + " a year"
                        : "retirement: separate pension and R/A limits");
    return holds;
}

std::string Joined(const std::vector<std::string>& words, const char* none)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : ", ") + word;
    return text.empty() ? none : text;
}

QJsonArray JsonList(const std::vector<std::string>& words)
{
    QJsonArray list;
    for (const std::string& word : words)
        list.append(QString::fromStdString(word));
    return list;
}

const OptionDef JsonArray{"json", OptionKind::Flag, "print the years as one JSON array, newest first"};

int Years(const ParsedOptions& options)
{
    const TaxYearFiles read = YearFiles(options);
    std::size_t refused = 0;
    // A missing folder is named first; then each refused year before the years older than it.
    const auto inOrder = [&read, &refused](int year, const std::function<void(const RefusedTaxYear&)>& show) {
        for (; refused < read.Refused.size() && (read.Refused[refused].Year == 0 || read.Refused[refused].Year > year);
             ++refused)
            show(read.Refused[refused]);
    };
    if (options.has(JsonArray)) {
        QJsonArray list;
        const auto showRefused = [&list](const RefusedTaxYear& r) {
            QJsonObject refusal{{"Refused", r.Error.message()}};
            if (r.Year != 0)
                refusal.insert("Year", r.Year);
            list.append(refusal);
        };
        for (const TaxYear& year : read.Years) {
            inOrder(year.Year, showRefused);
            list.append(QJsonObject{{"Year", year.Year},
                                    {"Label", QString::fromStdString(year.Label)},
                                    {"AddedHere", year.AddedHere},
                                    {"Start", QString::fromStdString(FormatDayDate(year.Start))},
                                    {"End", QString::fromStdString(FormatDayDate(year.End))},
                                    {"Holds", JsonList(Holds(year))},
                                    {"Missing", JsonList(TaxYearMissing(year))},
                                    {"SingleSourced", JsonList(year.Checked.SingleSourced)},
                                    {"Notes", JsonList(year.Checked.Notes)}});
        }
        inOrder(0, showRefused);
        std::cout << QJsonDocument(list).toJson(QJsonDocument::Compact).toStdString() << '\n';
        return 0;
    }
    const auto showRefused = [](const RefusedTaxYear& r) {
        std::cout << (r.Year != 0 ? std::to_string(r.Year) + "  " : "") << "refused: " << r.Error.message().toStdString()
                  << '\n';
    };
    for (const TaxYear& year : read.Years) {
        inOrder(year.Year, showRefused);
        std::cout << year.Year << "  " << year.Label << AddedHereMark(year) << "  " << FormatDayDate(year.Start)
                  << " to " << FormatDayDate(year.End) << '\n'
                  << "  holds: " << Joined(Holds(year), "nothing") << '\n'
                  << "  missing: " << Joined(TaxYearMissing(year), "nothing") << '\n'
                  << "  single-sourced: " << Joined(year.Checked.SingleSourced, "nothing") << '\n';
        for (const std::string& note : year.Checked.Notes)
            std::cout << "  note: " << note << '\n';
    }
    inOrder(0, showRefused);
    return 0;
}

} // namespace

std::vector<TaxYear> InstalledTaxYears(const ParsedOptions& options) { return YearFiles(options).Years; }

TaxYear ChosenTaxYear(const ParsedOptions& options)
{
    const auto text = options.value(YearOption);
    const TaxYear& known = TaxYear2016();
    if (!text) {
        // The year the program knows, read from no file; unless the user added a file of that
        // year in the data folder, which takes its place here as it does in the main window.
        const AppPaths paths = MakeState(options).Paths;
        const QString added = AddedTaxYearFolder(paths);
        const QString file = QDir(added).filePath(QString::number(known.Year) + QStringLiteral(".json"));
        if (added == TaxYearFolder(paths) || !QFileInfo::exists(file))
            return known;
    }
    const double asked = text ? NumberFromText(YearOption.name, *text) : known.Year;
    TaxYearFiles read = YearFiles(options);
    for (TaxYear& year : read.Years)
        if (year.Year == asked)
            return std::move(year);
    for (const RefusedTaxYear& refused : read.Refused)
        if (refused.Year == asked)
            throw refused.Error;
    throw UsageError("--" + YearOption.name + ": " + text.value_or(std::to_string(known.Year)) +
                     " is not a tax year of the data; the years are " + YearsHeld(read.Years));
}

PayeSettings StoredForYear(const ParsedOptions& options, const PayeSettings& stored, const TaxYear& year, int payDay)
{
    if (!options.has(YearOption))
        return stored;
    return LeviesForYear(stored, year, payDay, InstalledTaxYears(options));
}

std::vector<Subcommand> YearsCommands()
{
    // The years shipped and those added in the data folder: no report or printout.
    const Options options{&JsonArray, &DataDirOption};
    return {
        {"years", "the tax years the program holds, newest first, with what each holds and lacks", options, Years},
    };
}

} // namespace revora::cli
