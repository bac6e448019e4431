// The employees' tax printouts: each layout over a row of its table, printed in English and in
// Afrikaans. The row holds a distinct value in every column, so a field the layout leaves out,
// misnames, shows out of place or shows unformatted is seen, as is any word the layout writes
// of its own (which would be English on an Afrikaans printout) and a page that spills over.

#include <gtest/gtest.h>

#include <QDate>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSqlField>
#include <QSqlRecord>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <algorithm>
#include <string>
#include <vector>

#include "shell/AmountFormat.h"
#include "shell/AppState.h"
#include "shell/ReportDatabase.h"
#include "shell/ReportJob.h"
#include "shell/ReportRenderer.h"
#include "TestSupport.h"

namespace revora {
namespace {

struct LabelText {
    const char* field;
    const char* english;
    const char* afrikaans;
};
using Labels = std::vector<LabelText>;

// The labels of every tax screen.
const Labels CommonLabels{
    {"Age", "Age : ", "Ouderdom : "},
    {"Sal", "Remuneration/salary", "Besoldiging"},
    {"DirFees", "Commissions", "Kommissie"},
    {"Bonus", "Bonus", "Bonus"},
    {"MedExp", "Medical expenses", "Mediese onkoste"},
    {"PenCont", "Allowable pension contributions", "Toelaatbare pension bydrae"},
    {"RACont", "Allowable R/A contributions", "Toelaatbare U/T bydrae"},
    {"Taxliability", "Tax liability", "Belasting verpligting"},
    {"TaxCredit", "Tax credits for beneficiaries", "Belastingkrediete vir begunstigdes"},
    {"TaxCreditCons", "Tax credits for contributions", "Belastingkrediete vir bydraes"},
    {"EmpERMedAidCont", "Employer's med aid contrib.", "Werkgewer se bydrae aan mediesefonds"},
    {"EmpEEMedAidCont", "Employee's med aid contrib.", "Werknemer se bydrae aan mediesefonds"},
    {"MedAidBens", "Med Aid contribution deduction", "Mediesfondsbydrae afrekking"},
    {"EOE", "(E.& O.E.)", "(B.& F.W.)"},
    {"Total", "Total tax deduction", "Totaal belasting"},
};

// UIF, SDL and the beneficiaries of the pay-period screens.
const Labels PeriodLabels{
    {"UIFEMPE", "U.I.F. contribution employee", "U.I.F. bydrae werknemer"},
    {"UIFEMPR", "U.I.F. contribution employer", "U.I.F. bydrae werkgewer"},
    {"SDL", "S.D.L.", "S.D.L."},
    {"AnnCalcBens3", "Medical aid fund beneficiaries", "Getal mediesefondslede en afhanklikes"},
};

const Labels DateLabels{{"SDate", "Start date", "Begin datum"}, {"EDate", "End date", "Eind datum"}};

const Labels AnnualLabels{
    {"TypeAM", "Annual Check", "Jaarlikse Inkomste"},
    {"TravAll", "Travel allowance received", "Reistoelae ontvang"},
    {"Total", "Total tax deduction", "Totaal"},
    {"SITE", "SITE", "SIBW"},
    {"PAYE", "PAYE", "LBS"},
    {"NumOFBens", "Number of Medical Aid Beneficiaries", "Getal mediesefondslede en afhanklikes"},
    {"AnnCalcBens3", "Mar", "Mar"},
    {"AnnCalcBens4", "Apr ", "Apr "},
    {"AnnCalcBens5", "May", "Mei"},
    {"AnnCalcBens6", "Jun", "Jun"},
    {"AnnCalcBens7", "Jul", "Jul"},
    {"AnnCalcBens8", "Aug", "Aug"},
    {"AnnCalcBens9", "Sep", "Sep"},
    {"AnnCalcBens10", "Oct", "Okt"},
    {"AnnCalcBens11", "Nov", "Nov"},
    {"AnnCalcBens12", "Dec", "Dec"},
    {"AnnCalcBens1", "Jan", "Jan"},
    {"AnnCalcBens2", "Feb", "Feb"},
};

// Earlier lists win, so a screen's own text stands before the shared one.
Labels Join(std::initializer_list<Labels> lists)
{
    Labels joined;
    for (const Labels& list : lists)
        joined.insert(joined.end(), list.begin(), list.end());
    return joined;
}

struct LayoutRow {
    const char* name;
    const char* layout;
    const char* table;
    Labels labels;
    const char* start; // SDateNum: a date, or a day count as text
    const char* end;   // EDateNum
};

const LayoutRow Layouts[] = {
    {"monthly", "Monthly.rpt", "IRP5Mon",
     Join({{{"TypeAM", "Monthly Check", "Maandelikse Inkomste"}, {"TravAll", "Travel allowance ", "Reistoelae "}},
           DateLabels, PeriodLabels, CommonLabels}),
     "01/03/2015", "31/03/2015"},
    {"weekly", "Weekly.rpt", "IRP5Week",
     Join({{{"TypeAM", "Weekly Check", "Weeklikse Inkomste"},
            {"TravAll", "Travel allowance ", "Reistoelae ontvang"},
            {"SDate", "Normal work week", "Normale werk week"},
            {"EDate", "This work week", "Hierdie werk week"}},
           PeriodLabels, CommonLabels}),
     "5", "3"},
    {"fortnightly", "FortNightly.rpt", "IRP5Week",
     Join({{{"TypeAM", "Fortnightly Check", "Twee Weeklikse Inkomste"},
            {"TravAll", "Travel allowance ", "Reistoelae ontvang"},
            {"SDate", "Normal fortnight", "Normale twee weke"},
            {"EDate", "This fortnight", "Hierdie twee weke"}},
           PeriodLabels, CommonLabels}),
     "10", "7"},
    {"daily", "Daily.rpt", "IRP5Day",
     Join({{{"TypeAM", "Daily Check", "Daaglikse Inkomste"}, {"TravAll", "Travel allowance ", "Reistoelae "}},
           PeriodLabels, CommonLabels}),
     "", ""},
    {"annual", "Annual.rpt", "IRP5Ann", Join({AnnualLabels, DateLabels, CommonLabels}), "01/03/2015", "29/02/2016"},
};

void PrintTo(const LayoutRow& row, std::ostream* out) { *out << row.layout; }

enum class Language { English, Afrikaans };

// The longest name the print panel takes, with characters that HTML must escape.
const std::string EmployeeName = "Anna-Marie O'Reilly & Johannes van der Westhuizens";

class PayeLayout : public ::testing::TestWithParam<LayoutRow> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        state.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
        // Reading creates the report database from the seeds; the one row gives the columns.
        const QList<QSqlRecord> rows = ReadReportTable(state.Paths, GetParam().table);
        ASSERT_EQ(rows.size(), 1);
        columns = rows.first();
    }

    // A sample row for every column of the table: the screen's label texts in the language,
    // and a different figure in each value field.
    ReportRow SampleRow(Language language) const
    {
        const LayoutRow& layout = GetParam();
        const bool afrikaans = language == Language::Afrikaans;
        ReportRow row;
        for (int i = 0; i < columns.count(); ++i) {
            const QSqlField field = columns.field(i);
            const std::string name = field.name().toStdString();
            switch (field.metaType().id()) {
            case QMetaType::Double:
                row.push_back({name, 1234567.89 + 101.01 * i});
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
                row.push_back({name, static_cast<std::int16_t>(10 + i)});
                break;
            default:
                if (name == "Employee")
                    row.push_back({name, (afrikaans ? "Vir : " : " For : ") + EmployeeName});
                else if (name == "SDateNum")
                    row.push_back({name, std::string(layout.start)});
                else if (name == "EDateNum")
                    row.push_back({name, std::string(layout.end)});
                else
                    row.push_back({name, LabelFor(name, afrikaans)});
            }
        }
        return row;
    }

    std::string LabelFor(const std::string& field, bool afrikaans) const
    {
        for (const LabelText& label : GetParam().labels)
            if (field == label.field)
                return afrikaans ? label.afrikaans : label.english;
        ADD_FAILURE() << "no label text for the column " << field;
        return "?";
    }

    // Writes the row and renders the layout over it.
    QString Render(Language language)
    {
        WriteOneRowTable(state.Paths, GetParam().table, SampleRow(language));
        return RenderReport(state, GetParam().layout, GetParam().layout).html;
    }

    // The text each tag of the layout stands for, in the order the layout has them. Amounts
    // are shown only under money, and counts and texts as they are.
    QStringList ExpectedTexts(const ReportRow& row) const
    {
        const ReportLayout layout = LoadReportLayout(state.Paths.LayoutPath(GetParam().layout));
        QStringList texts;
        for (const QString& tag : Tags(layout)) {
            if (tag == "PrintedDate") {
                texts << QDate::currentDate().toString("dd/MM/yyyy");
                continue;
            }
            const bool money = tag.startsWith("money.");
            const std::string name = (money ? tag.mid(6) : tag).toStdString();
            const auto field = std::find_if(row.begin(), row.end(), [&](const ReportField& f) { return f.name == name; });
            if (field == row.end()) {
                ADD_FAILURE() << "{{" << tag.toStdString() << "}} names no column";
                continue;
            }
            if (const auto* amount = std::get_if<double>(&field->value)) {
                EXPECT_TRUE(money) << "{{" << tag.toStdString() << "}} shows an amount unformatted";
                texts << QString::fromStdString(FormatAmount(*amount));
            } else if (const auto* count = std::get_if<std::int16_t>(&field->value)) {
                texts << (money ? QString::fromStdString(FormatAmount(*count)) : QString::number(*count));
            } else {
                EXPECT_FALSE(money) << "{{" << tag.toStdString() << "}} formats a text as money";
                texts << QString::fromStdString(std::get<std::string>(field->value)).simplified();
            }
        }
        return texts;
    }

    static QStringList Tags(const ReportLayout& layout)
    {
        static const QRegularExpression tag(QStringLiteral(R"(\{\{(.*?)\}\})"));
        QStringList tags;
        for (const auto& match : tag.globalMatch(QString::fromStdString(layout.templateText)))
            tags << match.captured(1);
        return tags;
    }

    QTemporaryDir appFolder;
    AppState state;
    QSqlRecord columns;
};

TEST_P(PayeLayout, EveryTagNamesAColumnAndEveryColumnIsShown)
{
    const ReportLayout layout = LoadReportLayout(state.Paths.LayoutPath(GetParam().layout));
    EXPECT_EQ(layout.table, GetParam().table);
    static const QRegularExpression simple(QStringLiteral(R"(^(?:money\.)?([A-Za-z0-9_]+)$)"));
    QStringList shown;
    for (const QString& tag : Tags(layout)) {
        const auto match = simple.match(tag);
        if (!match.hasMatch()) {
            ADD_FAILURE() << "{{" << tag.toStdString() << "}} is not a plain field";
            continue;
        }
        shown << match.captured(1);
        EXPECT_TRUE(tag == "PrintedDate" || columns.contains(match.captured(1)))
            << "{{" << tag.toStdString() << "}} names no column of " << GetParam().table;
    }
    for (int i = 0; i < columns.count(); ++i)
        EXPECT_TRUE(shown.contains(columns.fieldName(i))) << columns.fieldName(i).toStdString() << " is not shown";
}

// Every label and figure of the row shows in the layout's order, and between them stand only
// figures of the layout's own (source codes, the tax year), the rand sign and the program name.
TEST_P(PayeLayout, ShowsTheRowInOrderAndNoWordsOfItsOwn)
{
    for (const Language language : {Language::English, Language::Afrikaans}) {
        SCOPED_TRACE(language == Language::English ? "English" : "Afrikaans");
        const QString html = Render(language);
        EXPECT_FALSE(html.contains("{{") || html.contains("}}")) << "a tag was left unrendered";
        const QString text = MakeReportDocument(html)->toPlainText();

        QStringList between;
        qsizetype from = 0;
        for (const QString& expected : ExpectedTexts(SampleRow(language))) {
            const qsizetype at = text.indexOf(expected, from);
            if (at < 0) {
                ADD_FAILURE() << "\"" << expected.toStdString() << "\" is missing or out of order in:\n"
                              << text.toStdString();
                continue;
            }
            between << text.mid(from, at - from);
            from = at + expected.size();
        }
        between << text.mid(from);

        static const QRegularExpression word(QStringLiteral(R"(\p{L}+)"));
        for (const QString& gap : between)
            for (const auto& match : word.globalMatch(gap))
                EXPECT_TRUE(match.captured() == "R" || match.captured() == "Revora")
                    << "the layout writes \"" << match.captured().toStdString() << "\" of its own";
    }
}

TEST_P(PayeLayout, FitsOnePageInEitherLanguage)
{
    for (const Language language : {Language::English, Language::Afrikaans}) {
        SCOPED_TRACE(language == Language::English ? "English" : "Afrikaans");
        const QString pdf = appFolder.filePath("printout.pdf");
        const QString html = Render(language);
        // Nothing may stand out past the right margin either: the page is A4 less 18 mm a side.
        const auto document = MakeReportDocument(html);
        const qreal width = (210 - 2 * 18) / 25.4 * QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        document->setTextWidth(width);
        EXPECT_LE(document->idealWidth(), width + 0.5) << "the page is wider than the paper";
        ExportReport(html, pdf);
        QProcess pdfinfo;
        pdfinfo.start("pdfinfo", {pdf});
        ASSERT_TRUE(pdfinfo.waitForFinished()) << "pdfinfo did not run";
        const QString info = QString::fromUtf8(pdfinfo.readAllStandardOutput());
        const auto pages = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(info);
        ASSERT_TRUE(pages.hasMatch()) << info.toStdString();
        EXPECT_EQ(pages.captured(1).toStdString(), "1");
    }
}

INSTANTIATE_TEST_SUITE_P(Printouts, PayeLayout, ::testing::ValuesIn(Layouts), testing::RowName());

} // namespace
} // namespace revora
