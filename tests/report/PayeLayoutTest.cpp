// The employees' tax printouts: each layout over a row of its table, printed in English and in
// Afrikaans. The row holds a distinct value in every column, so a field the layout leaves out,
// misnames, shows out of place or shows unformatted is seen, as is any word the layout writes
// of its own (which would be English on an Afrikaans printout) and a page that spills over.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextDocument>
#include <string>
#include <vector>

#include "AppState.h"
#include "ReportDatabase.h"
#include "ReportJob.h"
#include "ReportRenderer.h"
#include "report/LayoutTestSupport.h"
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

// The settings line (the annual table has the first and the last of these).
const Labels SetupLabels{
    {"SetupUsed", "Worked with: ", "Bereken met: "},
    {"SetupUIFEE", "U.I.F. employee", "U.I.F. werknemer"},
    {"SetupUIFER", "U.I.F. employer", "U.I.F. werkgewer"},
    {"SetupUIFLimit", "U.I.F. monthly limit", "U.I.F. maandelikse perk"},
    {"SetupSDL", "S.D.L.", "S.D.L."},
    {"SetupTravel", "Travel allowance taxable", "Reistoelae belasbaar"},
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
           DateLabels, PeriodLabels, CommonLabels, SetupLabels}),
     "01/03/2015", "31/03/2015"},
    {"weekly", "Weekly.rpt", "IRP5Week",
     Join({{{"TypeAM", "Weekly Check", "Weeklikse Inkomste"},
            {"TravAll", "Travel allowance ", "Reistoelae ontvang"},
            {"SDate", "Normal work week", "Normale werk week"},
            {"EDate", "This work week", "Hierdie werk week"}},
           PeriodLabels, CommonLabels, SetupLabels}),
     "5", "3"},
    {"fortnightly", "FortNightly.rpt", "IRP5Week",
     Join({{{"TypeAM", "Fortnightly Check", "Twee Weeklikse Inkomste"},
            {"TravAll", "Travel allowance ", "Reistoelae ontvang"},
            {"SDate", "Normal fortnight", "Normale twee weke"},
            {"EDate", "This fortnight", "Hierdie twee weke"}},
           PeriodLabels, CommonLabels, SetupLabels}),
     "10", "7"},
    {"daily", "Daily.rpt", "IRP5Day",
     Join({{{"TypeAM", "Daily Check", "Daaglikse Inkomste"}, {"TravAll", "Travel allowance ", "Reistoelae "}},
           PeriodLabels, CommonLabels, SetupLabels}),
     "", ""},
    {"annual", "Annual.rpt", "IRP5Ann", Join({AnnualLabels, DateLabels, CommonLabels, SetupLabels}), "01/03/2015", "29/02/2016"},
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
        return testing::DistinctRow(columns, [&](const std::string& name) -> std::string {
            if (name == "Employee")
                return (afrikaans ? "Vir : " : " For : ") + EmployeeName;
            if (name == "SDateNum")
                return layout.start;
            if (name == "EDateNum")
                return layout.end;
            return LabelFor(name, afrikaans);
        });
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

    QTemporaryDir appFolder;
    AppState state;
    QSqlRecord columns;
};

// Every label and figure of the row shows in the layout's order, and between them stand only
// figures of the layout's own (source codes, the tax year), the rand sign and the program name.
TEST_P(PayeLayout, ShowsTheRowInOrderAndNoWordsOfItsOwn)
{
    for (const Language language : {Language::English, Language::Afrikaans}) {
        SCOPED_TRACE(language == Language::English ? "English" : "Afrikaans");
        const QString html = Render(language);
        EXPECT_FALSE(html.contains("{{") || html.contains("}}")) << "a tag was left unrendered";
        const QString text = MakeReportDocument(html)->toPlainText();
        const ReportLayout layout = LoadReportLayout(state.Paths.LayoutPath(GetParam().layout));
        const QStringList between = testing::FindInOrder(text, testing::ExpectedTexts(layout, SampleRow(language)));

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
        testing::ExpectOnePage(Render(language), appFolder.filePath("printout.pdf"));
    }
}

// A report database from before the settings line: opening it adds the new columns and keeps its row.
TEST_P(PayeLayout, AnEarlierReportDatabaseGetsTheSettingsColumnsAndKeepsItsRow)
{
    WriteOneRowTable(state.Paths, GetParam().table, SampleRow(Language::English));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "earlier");
        db.setDatabaseName(state.Paths.ReportDbPath);
        ASSERT_TRUE(db.open());
        for (int i = 0; i < columns.count(); ++i) {
            if (columns.fieldName(i).startsWith("Setup")) {
                ASSERT_TRUE(QSqlQuery(db).exec(QString("ALTER TABLE %1 DROP COLUMN %2").arg(GetParam().table,
                                                                                          columns.fieldName(i))));
            }
        }
    }
    QSqlDatabase::removeDatabase("earlier");
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, GetParam().table);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].count(), columns.count());
    EXPECT_EQ(rows[0].value("Sal").toString().toStdString(), LabelFor("Sal", false));
}

INSTANTIATE_TEST_SUITE_P(Printouts, PayeLayout, ::testing::ValuesIn(Layouts), testing::RowName());

} // namespace
} // namespace revora
