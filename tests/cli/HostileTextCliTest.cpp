// Whatever a user types into a text that reaches a printout (names, other-deduction
// descriptions, the cars' registration, make, model and year, the travel car) prints as typed
// in the PDF, the ODT and the HTML export: markup and template tags stay text, quotes reach the
// report database and come back, right-to-left and combining characters survive, and a text of
// 10 000 characters wraps whole through the pages, or is cut at the name box's 50 characters.
// A name with a control character is refused, and a message shows such a character escaped.

#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <map>

#include "cli/RevoraCalc.h"
#include "report/OdtOutline.h"

namespace revora {
namespace {

struct HostileText {
    const char* name;
    QString text;
    // pdftotext writes a right-to-left run in the order it was drawn, not the order typed, so
    // in a PDF such a text is looked for word by word.
    bool rightToLeft = false;
    // A text too long to look for whole is counted by this one character of it instead.
    QChar tally;
};

const HostileText HostileTexts[] = {
    {"markup", QStringLiteral("<b>bold</b> & <script>alert(1)</script>"), false, {}},
    // At most 50 characters, so that a name box takes it whole.
    {"template_tags", QStringLiteral("{{TPName}} {{#rows}}x{{/rows}} {{{raw}}} {{& amp}}"), false, {}},
    {"sql_quotes", QStringLiteral("O'Brien\"; DROP TABLE kwiktax;--"), false, {}},
    {"right_to_left", QStringLiteral("שלום עולם مرحبا بالعالم"), true, {}},
    {"combining_marks", QStringLiteral("e\u0301 n\u0303 a\u0308 Zoe\u0308 Jose\u0301"), false, {}},
    // One unbroken word: nothing to wrap at, the hardest case for a table cell.
    {"ten_thousand_characters", QString(10000, QChar(0x0416)), false, QChar(0x0416)},
};

constexpr int NameBoxLength = 50;

// One option of a calculator that takes a typed text; a name is cut at its box's length.
struct TextField {
    const char* option; // the option, or the key of the vehicles file
    int limit;          // 0: no limit
};

struct Calculator {
    const char* name;
    std::vector<TextField> fields;
    // The command line with each field given its text (already cut to the field's limit);
    // the folder is where a file of vehicles may be written.
    QStringList (*arguments)(const std::vector<QString>& texts, const QString& folder);
    // Captions printed beside the texts, each on one line of the PDF however long the texts:
    // a long text wraps in its own cell rather than squeezing its neighbours letter by letter.
    QStringList captions;
};

QStringList MonthlyArguments(const std::vector<QString>& t, const QString&)
{
    return {"monthly", "--salary", "20000", "--employee", t[0]};
}

// The salary package screens, forward and backward, print through different layouts.
QStringList PackageArguments(const char* calculator, const std::vector<QString>& t)
{
    QStringList arguments{calculator, "--net", "200000", "--name", t[0]};
    for (std::size_t i = 1; i < t.size(); ++i)
        arguments << "--other" << t[i] + ":100";
    return arguments;
}
QStringList GrossUpArguments(const std::vector<QString>& t, const QString&) { return PackageArguments("grossup", t); }
QStringList NetPayArguments(const std::vector<QString>& t, const QString&) { return PackageArguments("netpay", t); }

QStringList TravelArguments(const std::vector<QString>& t, const QString&)
{
    return {"travel",  "--value",       "150000", "--allowance", "50000", "--close-km", "30000", "--open-km",
            "0",       "--business-km", "20000",  "--car",       t[0],    "--name",     t[1]};
}

QStringList CompanyCarArguments(const std::vector<QString>& t, const QString& folder)
{
    const QJsonObject car{{"CCRegNumber", t[0]}, {"CCMake", t[1]},          {"CCModel", t[2]},
                          {"YearOfManfact", t[3]}, {"CCPrice", 200000},     {"CCStartDate", "01/03/2015"},
                          {"CCEndDate", "29/02/2016"}};
    const QString path = QDir(folder).filePath("vehicles.json");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(QJsonArray{car}).toJson());
    return {"companycar", "--vehicles", path};
}

const Calculator Calculators[] = {
    {"monthly", {{"--employee", NameBoxLength}}, MonthlyArguments, {"Remuneration/salary", "Start date"}},
    {"grossup",
     {{"--name", NameBoxLength}, {"--other", 0}, {"--other", 0}, {"--other", 0}, {"--other", 0}},
     GrossUpArguments,
     {"Net annual salary required", "Other Expenses :"}},
    {"netpay",
     {{"--name", NameBoxLength}, {"--other", 0}, {"--other", 0}, {"--other", 0}, {"--other", 0}},
     NetPayArguments,
     {"Other Expenses :"}},
    {"travel", {{"--car", 0}, {"--name", NameBoxLength}}, TravelArguments,
     {"Allowance received", "Original value of vehicle"}},
    {"companycar", {{"CCRegNumber", 0}, {"CCMake", 0}, {"CCModel", 0}, {"YearOfManfact", 0}}, CompanyCarArguments,
     {"Vehicle 1 of 1", "Registration number", "Car Make", "Price of vehicle (incl VAT)", "Car Model",
      "Maint. plan included?", "Year of manufacture", "Log book kept?"}},
};

enum class Format { Pdf, Odt, Html };
const char* Suffix(Format format) { return format == Format::Pdf ? "pdf" : format == Format::Odt ? "odt" : "html"; }

// Named in a failure's report, not dumped as bytes.
void PrintTo(const HostileText& text, std::ostream* out) { *out << text.name; }
void PrintTo(const Calculator& calculator, std::ostream* out) { *out << calculator.name; }
void PrintTo(Format format, std::ostream* out) { *out << Suffix(format); }

// Bidi controls a PDF reader may put around a right-to-left run.
QString WithoutSpaceOrBidiMarks(QString text)
{
    static const QRegularExpression marks(QStringLiteral("[\\s\\x{200E}\\x{200F}\\x{202A}-\\x{202E}\\x{2066}-\\x{2069}]"));
    return text.remove(marks);
}

// The text a browser shows of an HTML page: tags, comments and the style sheet dropped,
// character references read.
QString HtmlText(const QString& html)
{
    QString text = html;
    text.remove(QRegularExpression(QStringLiteral("<!--.*?-->|<style.*?</style>|<title>.*?</title>"),
                                   QRegularExpression::DotMatchesEverythingOption));
    text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    static const QRegularExpression reference(QStringLiteral("&(#[0-9]+|#x[0-9a-fA-F]+|[a-zA-Z]+);"));
    static const QHash<QString, QString> named{{"lt", "<"},   {"gt", ">"},  {"amp", "&"},
                                                 {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    QString read;
    qsizetype from = 0;
    for (const auto& match : reference.globalMatch(text)) {
        read += text.mid(from, match.capturedStart() - from);
        const QString name = match.captured(1);
        if (name.startsWith("#x"))
            read += QString::fromUcs4(std::u32string(1, char32_t(name.mid(2).toUInt(nullptr, 16))).data(), 1);
        else if (name.startsWith('#'))
            read += QString::fromUcs4(std::u32string(1, char32_t(name.mid(1).toUInt())).data(), 1);
        else
            read += named.value(name, match.captured(0));
        from = match.capturedEnd();
    }
    return read + text.mid(from);
}

// The report as a reader gets it back. pdftotext -raw keeps the order the page was drawn in, so
// a text wrapped in a table cell comes out whole, and leaves a hyphen at a line's end alone.
QString ReadBack(Format format, const QString& path)
{
    if (format == Format::Odt) {
        QStringList lines;
        for (const QString& line : testing::ReadOdtOutline(path))
            if (line.startsWith("text\t"))
                lines << line.mid(5);
        return lines.join('\n');
    }
    QFile file(path);
    if (format == Format::Html)
        return file.open(QIODevice::ReadOnly) ? HtmlText(QString::fromUtf8(file.readAll())) : QString();
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-raw", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30000));
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

using HostileCase = std::tuple<Calculator, HostileText, Format>;

class HostileTextReport : public RevoraCalcTest, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileTextReport, EveryFieldPrintsItsTextAsTyped)
{
    const auto& [calculator, hostile, format] = GetParam();
    std::vector<QString> texts;
    for (const TextField& field : calculator.fields)
        texts.push_back(field.limit > 0 ? hostile.text.left(field.limit) : hostile.text);

    const QString report = QDir(dataDir.path()).filePath(QStringLiteral("report.") + Suffix(format));
    const CalcRun run = RevoraCalc(calculator.arguments(texts, dataDir.path()) << "--report" << report << DataDirArg());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString printed = ReadBack(format, report);
    ASSERT_FALSE(printed.isEmpty());

    // A PDF reader gives back composed letters and Arabic presentation forms for what was typed
    // as base letters and marks; the ODT and the HTML hold the characters exactly as typed.
    const auto comparable = [format](const QString& text) {
        return WithoutSpaceOrBidiMarks(format == Format::Pdf ? text.normalized(QString::NormalizationForm_KC) : text);
    };
    if (format == Format::Pdf) {
        for (const QString& caption : calculator.captions)
            EXPECT_TRUE(printed.contains(caption)) << caption.toStdString() << " in:\n"
                                                   << printed.left(3000).toStdString();
    }
    const QString haystack = comparable(printed);
    if (!hostile.tally.isNull()) {
        // Nothing lost and nothing doubled: the character is there as often as it was typed.
        qsizetype typed = 0;
        for (const QString& text : texts)
            typed += text.count(hostile.tally);
        EXPECT_EQ(haystack.count(hostile.tally), typed);
        return;
    }
    // Each field adds one more copy of its text.
    std::map<QString, int> copies;
    for (const QString& text : texts)
        ++copies[text];
    for (const auto& [text, count] : copies) {
        const QStringList pieces = format == Format::Pdf && hostile.rightToLeft
                                       ? text.split(' ', Qt::SkipEmptyParts)
                                       : QStringList{text};
        for (const QString& piece : pieces)
            EXPECT_GE(haystack.count(comparable(piece)), count)
                << "'" << piece.toStdString() << "' in:\n" << printed.left(3000).toStdString();
    }
}

std::string CaseName(const ::testing::TestParamInfo<HostileCase>& info)
{
    const auto& [calculator, hostile, format] = info.param;
    return std::string(calculator.name) + "_" + hostile.name + "_" + Suffix(format);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, HostileTextReport,
                         ::testing::Combine(::testing::ValuesIn(Calculators), ::testing::ValuesIn(HostileTexts),
                                            ::testing::Values(Format::Pdf, Format::Odt, Format::Html)),
                         CaseName);

// A name longer than the printout's name box is refused, as the box would not take it.
class HostileNameRefused : public RevoraCalcTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(HostileNameRefused, WithOneLineAndNothingWritten) { ExpectRefused(GetParam()); }

const QString LongName = QString(10000, QChar(0x0416));

const RefusalCase LongNames[] = {
    {"monthly_employee", {"monthly", "--salary", "20000", "--employee", LongName},
     "--employee: the name is longer than 50 characters"},
    {"grossup_taxpayer", {"grossup", "--net", "200000", "--name", LongName},
     "--name: the name is longer than 50 characters"},
    {"netpay_taxpayer", {"netpay", "--net", "200000", "--name", LongName},
     "--name: the name is longer than 50 characters"},
    {"travel_employee", {"travel", "--value", "150000", "--name", LongName},
     "--name: the name is longer than 50 characters"},
    // Counted as the box counts: a letter and its combining mark are two.
    {"combining_marks_past_the_limit",
     {"monthly", "--employee", QString(25, QChar('e')) + QString(13, QChar(0x0301)) + QString(13, QChar('a'))},
     "--employee: the name is longer than 50 characters"},
};

INSTANTIATE_TEST_SUITE_P(TenThousandCharacters, HostileNameRefused, ::testing::ValuesIn(LongNames),
                         [](const auto& info) { return std::string(info.param.name); });

// A control character (C0, DEL, C1) never reaches a printout's name, and a message that quotes
// one spells it out rather than sending it to the terminal.
const RefusalCase ControlCharacters[] = {
    {"escape_in_employee", {"monthly", "--salary", "20000", "--employee", "Ann\x1b[2J"},
     "--employee: the name holds a line break or another control character"},
    {"line_break_in_taxpayer", {"grossup", "--net", "200000", "--name", "Ann\nSmith"},
     "--name: the name holds a line break or another control character"},
    {"c1_in_employee", {"travel", "--value", "150000", "--name", QStringLiteral("Ann\u009b2J")},
     "--name: the name holds a line break or another control character"},
    {"amount_quoted_escaped", {"monthly", "--salary", "\x1b[2J\x1b]0;pwned\x07x"},
     "--salary: '\\x1b[2J\\x1b]0;pwned\\x07x' is not a number"},
    {"c1_and_delete_quoted_escaped", {"monthly", "--salary", QStringLiteral("1\u009b\x7f")},
     "--salary: '1\\u009b\\x7f' is not a number"},
};

INSTANTIATE_TEST_SUITE_P(ControlCharacters, HostileNameRefused, ::testing::ValuesIn(ControlCharacters),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace revora
