#include "TaxYearData.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "Database.h"
#include "ShippedTaxYears.h"
#include "common/DayDate.h"

namespace revora {
namespace {

// A year's file is a few kilobytes; what is larger is no year's file, and is not read whole.
constexpr qint64 LargestYearFileBytes = 1 << 20;

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

// The JSON string whose opening quote is at `at`, its escapes decoded; `at` is left on its
// closing quote. The text is JSON already read whole, so every escape is complete.
QString JsonString(const QByteArray& json, qsizetype& at)
{
    QString text;
    QByteArray plain;
    for (++at; at < json.size() && json[at] != '"'; ++at) {
        if (json[at] != '\\') {
            plain += json[at];
            continue;
        }
        text += QString::fromUtf8(plain);
        plain.clear();
        const char escaped = ++at < json.size() ? json[at] : '\\';
        if (escaped == 'u') {
            text += QChar(static_cast<char16_t>(json.mid(at + 1, 4).toUShort(nullptr, 16)));
            at += 4;
        } else {
            static const QByteArray from = "bfnrt", to = "\b\f\n\r\t";
            const qsizetype shown = from.indexOf(escaped);
            text += shown < 0 ? QChar::fromLatin1(escaped) : QChar::fromLatin1(to[shown]);
        }
    }
    return text + QString::fromUtf8(plain);
}

// The first key given twice in one object, named as the reader names fields ("uif.employee_rate",
// "brackets[2].rate"); nothing when every key is given once. A JSON reader keeps one of two
// duplicate keys without a word, so a file that gives "sdl_rate" twice would be worked on one of
// them: the raw text is scanned for them.
std::optional<QString> DuplicateKey(const QByteArray& json)
{
    struct Level {
        bool object = false;
        QString name; // the field this object or list is
        QSet<QString> keys;
        QString key;         // an object's key of the value being read
        int index = 0;       // a list's index of the element being read
        bool keyNext = true; // an object's next string is a key
    };
    std::vector<Level> levels;
    const auto inner = [&levels]() -> QString {
        if (levels.empty())
            return {};
        const Level& level = levels.back();
        if (!level.object)
            return QStringLiteral("%1[%2]").arg(level.name).arg(level.index);
        return level.name.isEmpty() ? level.key : level.name + '.' + level.key;
    };
    for (qsizetype at = 0; at < json.size(); ++at) {
        const char c = json[at];
        if (c == '{' || c == '[') {
            Level level;
            level.object = c == '{';
            level.name = inner();
            levels.push_back(std::move(level));
        } else if ((c == '}' || c == ']') && !levels.empty()) {
            levels.pop_back();
        } else if (c == ',' && !levels.empty()) {
            levels.back().keyNext = levels.back().object;
            ++levels.back().index;
        } else if (c == '"') {
            const QString text = JsonString(json, at);
            if (levels.empty() || !levels.back().object || !levels.back().keyNext)
                continue;
            Level& level = levels.back();
            level.keyNext = false;
            level.key = text;
            if (level.keys.contains(text))
                return inner();
            level.keys.insert(text);
        }
    }
    return std::nullopt;
}

// The bytes of one year's file, refused as ReadTaxYear says.
QByteArray YearFileBytes(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw StorageError(path, QStringLiteral("it is missing."));
    if (!info.isFile())
        throw StorageError(path, QStringLiteral("it is not a regular file."));
    if (info.size() > LargestYearFileBytes)
        throw StorageError(path, QStringLiteral("it holds %1 bytes, more than a year's file (at most %2).")
                                     .arg(info.size())
                                     .arg(LargestYearFileBytes));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StorageError(path, QStringLiteral("it cannot be read (%1).").arg(file.errorString()));
    const QByteArray bytes = file.read(LargestYearFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw StorageError(path, QStringLiteral("it cannot be read (%1).").arg(file.errorString()));
    return bytes;
}

// A shipped year: the bytes the program was built with, or refused. `addedFolder` is where a
// correction goes, empty when that is the shipped folder itself (a build tree, a portable
// install), where a correction cannot be told from damage.
TaxYear ReadShippedTaxYear(const QString& path, const char* digest, const QString& addedFolder)
{
    const QByteArray bytes = YearFileBytes(path);
    if (QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() != digest) {
        QString problem = QStringLiteral("it is not the file shipped with the program (its SHA-256 digest differs), "
                                         "and a shipped year is used only as shipped.");
        if (!addedFolder.isEmpty())
            problem += QStringLiteral(" A corrected year goes in %1.").arg(QDir::toNativeSeparators(addedFolder));
        throw StorageError(path, problem);
    }
    return TaxYearFromJson(bytes, path);
}

// The <YYYY>.json files of a folder, by year.
std::map<int, QString> YearFilesOf(const QDir& dir)
{
    static const QRegularExpression yearFile(QStringLiteral("^[0-9]{4}\\.json$"));
    std::map<int, QString> files;
    for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files | QDir::System))
        if (yearFile.match(name).hasMatch())
            files[name.left(4).toInt()] = dir.filePath(name);
    return files;
}

} // namespace

QString TaxYearFolder(const AppPaths& paths) { return paths.InstallFolder + QStringLiteral("/tax-years"); }

QString AddedTaxYearFolder(const AppPaths& paths)
{
    return QFileInfo(paths.SettingsDbPath).absolutePath() + QStringLiteral("/tax-years");
}

TaxYear TaxYearFromJson(const QByteArray& json, const QString& path)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw StorageError(path, QStringLiteral("it is not JSON (%1 at character %2).")
                                     .arg(error.errorString())
                                     .arg(error.offset));
    if (!document.isObject())
        throw StorageError(path, QStringLiteral("it is not one year's figures (a JSON object)."));
    const YearReader in(path);
    if (const std::optional<QString> twice = DuplicateKey(json))
        in.fail(*twice, QStringLiteral("is given twice."));

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

TaxYear ReadTaxYear(const QString& path) { return TaxYearFromJson(YearFileBytes(path), path); }

TaxYearFiles ReadTaxYears(const QString& shippedFolder, const QString& addedFolder)
{
    // Each year by the file that gives it, newest first: a digest for a shipped one, none for
    // one added; an added file replaces the shipped one of its year.
    struct Source {
        QString path;
        const char* digest = nullptr;
    };
    std::map<int, Source, std::greater<>> sources;
    TaxYearFiles read;
    const QDir shipped(shippedFolder);
    if (shipped.exists()) {
        for (const ShippedTaxYear& each : ShippedTaxYears)
            sources[each.Year] = {shipped.filePath(QStringLiteral("%1.json").arg(each.Year)), each.Sha256};
        for (const auto& [year, path] : YearFilesOf(shipped))
            if (!sources.contains(year))
                sources[year] = {path};
    } else {
        read.Refused.push_back(
            {0, StorageError(shippedFolder, QStringLiteral("the folder of the tax years is missing."))});
    }
    const QDir added(addedFolder);
    // In a build tree or a portable install the data folder is the installation's: its shipped
    // years stay held to their digests.
    const bool apart = QFileInfo(addedFolder).absoluteFilePath() != QFileInfo(shippedFolder).absoluteFilePath() &&
                       (!added.exists() || added.canonicalPath() != shipped.canonicalPath());
    if (apart && added.exists())
        for (const auto& [year, path] : YearFilesOf(added))
            sources[year] = {path};

    for (const auto& [year, source] : sources) {
        try {
            if (source.digest) {
                read.Years.push_back(ReadShippedTaxYear(source.path, source.digest, apart ? addedFolder : QString()));
            } else {
                read.Years.push_back(ReadTaxYear(source.path));
                read.Years.back().AddedHere = true;
            }
        } catch (const StorageError& e) {
            read.Refused.push_back({year, e});
        }
    }
    return read;
}

TaxYearFiles ReadTaxYears(const AppPaths& paths) { return ReadTaxYears(TaxYearFolder(paths), AddedTaxYearFolder(paths)); }

} // namespace revora
