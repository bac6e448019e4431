#include "TaxYearData.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>

#include "Database.h"
#include "common/DayDate.h"

namespace revora {
namespace {

// Reads the figures of one file, naming the file and the field (as "brackets[2].rate") in the
// StorageError of any figure that is missing or of the wrong kind.
class YearReader {
public:
    explicit YearReader(const QString& path) : path_(path) {}

    [[noreturn]] void fail(const QString& field, const QString& problem) const
    {
        throw StorageError(path_, field + ' ' + problem);
    }

    QJsonValue value(const QJsonObject& object, const QString& parent, const char* key) const
    {
        const QString field = Name(parent, key);
        if (!object.contains(QLatin1String(key)))
            fail(field, QStringLiteral("is missing."));
        return object.value(QLatin1String(key));
    }

    double number(const QJsonObject& object, const QString& parent, const char* key) const
    {
        return Number(value(object, parent, key), Name(parent, key));
    }

    // A figure that may be null: not found when the year was published.
    std::optional<double> numberOrNull(const QJsonObject& object, const QString& parent, const char* key) const
    {
        const QJsonValue v = value(object, parent, key);
        if (v.isNull())
            return std::nullopt;
        return Number(v, Name(parent, key));
    }

    QString text(const QJsonObject& object, const QString& parent, const char* key) const
    {
        const QJsonValue v = value(object, parent, key);
        if (!v.isString())
            fail(Name(parent, key), QStringLiteral("should be a text."));
        return v.toString();
    }

    // "YYYY-MM-DD" as a day number.
    int date(const QJsonObject& object, const QString& parent, const char* key) const
    {
        const QString typed = text(object, parent, key);
        const QDate date = QDate::fromString(typed, QStringLiteral("yyyy-MM-dd"));
        if (typed.size() != 10 || !date.isValid())
            fail(Name(parent, key), QStringLiteral("'%1' is not a date written YYYY-MM-DD.").arg(typed));
        return DayNumberFromCivil({date.year(), date.month(), date.day()});
    }

    QJsonObject object(const QJsonObject& object, const QString& parent, const char* key) const
    {
        const QJsonValue v = value(object, parent, key);
        if (!v.isObject())
            fail(Name(parent, key), QStringLiteral("should be an object of figures."));
        return v.toObject();
    }

    // The objects of a list, each handed to `read` with its field name ("brackets[2]").
    template <typename Read>
    void eachObject(const QJsonValue& list, const QString& field, Read read) const
    {
        if (!list.isArray())
            fail(field, QStringLiteral("should be a list."));
        const QJsonArray array = list.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            const QString element = QStringLiteral("%1[%2]").arg(field).arg(i);
            if (!array[i].isObject())
                fail(element, QStringLiteral("should be an object of figures."));
            read(array[i].toObject(), element);
        }
    }

    std::vector<std::string> words(const QJsonObject& object, const QString& parent, const char* key) const
    {
        const QString field = Name(parent, key);
        const QJsonValue list = value(object, parent, key);
        if (!list.isArray())
            fail(field, QStringLiteral("should be a list of texts."));
        std::vector<std::string> words;
        for (const QJsonValue& each : list.toArray()) {
            if (!each.isString())
                fail(field, QStringLiteral("should be a list of texts."));
            words.push_back(each.toString().toStdString());
        }
        return words;
    }

    std::vector<DatedAmount> dated(const QJsonObject& object, const QString& parent, const char* key,
                                   const char* amountKey) const
    {
        std::vector<DatedAmount> values;
        eachObject(value(object, parent, key), Name(parent, key), [&](const QJsonObject& each, const QString& field) {
            values.push_back({date(each, field, "from"), number(each, field, amountKey)});
        });
        return values;
    }

private:
    static QString Name(const QString& parent, const char* key)
    {
        return parent.isEmpty() ? QString::fromLatin1(key) : parent + '.' + QLatin1String(key);
    }

    double Number(const QJsonValue& v, const QString& field) const
    {
        if (!v.isDouble())
            fail(field, QStringLiteral("should be a number."));
        const double number = v.toDouble();
        if (!std::isfinite(number))
            fail(field, QStringLiteral("is not a finite number."));
        return number;
    }

    QString path_;
};

TaxYear ReadFigures(const YearReader& in, const QJsonObject& file)
{
    TaxYear year;
    year.Label = in.text(file, {}, "label").toStdString();
    year.Start = in.date(file, {}, "start");
    year.End = in.date(file, {}, "end");
    year.Year = CivilFromDayNumber(year.End).year;

    in.eachObject(in.value(file, {}, "brackets"), QStringLiteral("brackets"),
                  [&](const QJsonObject& each, const QString& field) {
                      year.Brackets.push_back(
                          {in.number(each, field, "over"), in.number(each, field, "base"), in.number(each, field, "rate")});
                  });

    const QJsonObject rebates = in.object(file, {}, "rebates");
    year.Rebates = {in.number(rebates, "rebates", "primary"), in.number(rebates, "rebates", "secondary"),
                    in.number(rebates, "rebates", "tertiary")};
    const QJsonObject thresholds = in.object(file, {}, "thresholds");
    year.Thresholds = {in.number(thresholds, "thresholds", "under_65"), in.number(thresholds, "thresholds", "65_to_74"),
                       in.number(thresholds, "thresholds", "75_plus")};
    const QString medical = QStringLiteral("medical_credit_per_month");
    const QJsonObject credits = in.object(file, {}, "medical_credit_per_month");
    year.MedicalCredits = {in.number(credits, medical, "main_member"), in.number(credits, medical, "first_dependant"),
                           in.number(credits, medical, "each_additional_dependant")};

    const QJsonObject uif = in.object(file, {}, "uif");
    year.Uif = {in.number(uif, "uif", "employee_rate"), in.number(uif, "uif", "employer_rate"),
                in.dated(uif, "uif", "monthly_ceiling", "amount")};
    year.SdlRate = in.number(file, {}, "sdl_rate");
    if (file.contains(QLatin1String("sdl_rate_periods")))
        year.SdlRatePeriods = in.dated(file, {}, "sdl_rate_periods", "rate");

    const QJsonObject travel = in.object(file, {}, "travel");
    const QString table = QStringLiteral("travel.deemed_cost_table");
    if (const QJsonValue bands = in.value(travel, "travel", "deemed_cost_table"); !bands.isNull()) {
        year.DeemedCostTable.emplace();
        in.eachObject(bands, table, [&](const QJsonObject& each, const QString& field) {
            year.DeemedCostTable->push_back({in.numberOrNull(each, field, "value_up_to"),
                                             in.number(each, field, "fixed_cost"),
                                             in.number(each, field, "fuel_cents_per_km"),
                                             in.number(each, field, "maintenance_cents_per_km")});
        });
    }
    year.RatePerKmCents = in.numberOrNull(travel, "travel", "rate_per_km_cents");

    const QJsonObject car = in.object(file, {}, "company_car");
    year.CompanyCar = {in.number(car, "company_car", "rate_per_month"),
                       in.number(car, "company_car", "rate_with_maintenance_plan"),
                       in.number(car, "company_car", "paye_inclusion"),
                       in.number(car, "company_car", "paye_inclusion_business_use")};

    const QJsonObject retirement = in.object(file, {}, "retirement");
    const QString regime = in.text(retirement, "retirement", "regime");
    if (regime == QLatin1String("one deduction"))
        year.Retirement = {RetirementRegime::OneDeduction, in.number(retirement, "retirement", "rate"),
                           in.number(retirement, "retirement", "annual_cap")};
    else if (regime == QLatin1String("separate limits"))
        year.Retirement = {RetirementRegime::SeparateLimits};
    else
        in.fail(QStringLiteral("retirement.regime"),
                QStringLiteral("'%1' should be 'separate limits' or 'one deduction'.").arg(regime));

    const QJsonObject checked = in.object(file, {}, "checked");
    year.Checked.SingleSourced = in.words(checked, "checked", "single_source");
    year.Checked.Missing = in.words(checked, "checked", "missing");
    if (checked.contains(QLatin1String("notes")))
        year.Checked.Notes = in.words(checked, "checked", "notes");
    return year;
}

} // namespace

QString TaxYearFolder(const AppPaths& paths) { return paths.InstallFolder + QStringLiteral("/tax-years"); }

TaxYear ReadTaxYear(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw StorageError(path, QStringLiteral("it is missing."));
    if (!file.open(QIODevice::ReadOnly))
        throw StorageError(path, QStringLiteral("it cannot be read (%1).").arg(file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StorageError(path, QStringLiteral("it cannot be read (%1).").arg(file.errorString()));

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw StorageError(path, QStringLiteral("it is not JSON (%1 at character %2).")
                                     .arg(error.errorString())
                                     .arg(error.offset));
    if (!document.isObject())
        throw StorageError(path, QStringLiteral("it is not one year's figures (a JSON object)."));

    const YearReader in(path);
    const TaxYear year = ReadFigures(in, document.object());
    const QString named = QFileInfo(path).completeBaseName();
    if (named != QString::number(year.Year))
        in.fail(QStringLiteral("end"), QStringLiteral("is in %1, but the file is named %2: a year's file is named by "
                                                      "the year in which it ends.")
                                           .arg(year.Year)
                                           .arg(QFileInfo(path).fileName()));
    const std::vector<std::string> faults = TaxYearFaults(year);
    if (!faults.empty()) {
        QStringList listed;
        for (const std::string& fault : faults)
            listed << QString::fromStdString(fault);
        throw StorageError(path, QStringLiteral("its figures do not hold: %1.").arg(listed.join(QStringLiteral("; "))));
    }
    return year;
}

std::vector<TaxYear> ReadTaxYears(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        throw StorageError(folder, QStringLiteral("the folder of the tax years is missing."));
    static const QRegularExpression yearFile(QStringLiteral("^[0-9]{4}\\.json$"));
    std::vector<TaxYear> years;
    for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files))
        if (yearFile.match(name).hasMatch())
            years.push_back(ReadTaxYear(dir.filePath(name)));
    if (years.empty())
        throw StorageError(folder, QStringLiteral("it holds no tax year (no file named as 2016.json)."));
    std::sort(years.begin(), years.end(), [](const TaxYear& a, const TaxYear& b) { return a.Year > b.Year; });
    return years;
}

} // namespace revora
