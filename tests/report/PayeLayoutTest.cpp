// The employees' tax printouts: each layout over the row its print writes, in English and in
// Afrikaans, with a distinct figure in every number column, so a field the layout shows out of
// place or unformatted is seen, as is any word the layout writes of its own (which would be
// English on an Afrikaans printout) and a page that spills over.

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
#include "report/PayeRows.h"
#include "TestSupport.h"

namespace revora {
namespace {

struct LayoutRow {
    const char* name;
    const PayePrintoutTarget& target;
};

const LayoutRow Layouts[] = {
    {"monthly", MonthlyPrintout}, {"weekly", WeeklyPrintout}, {"fortnightly", FortnightlyPrintout},
    {"daily", DailyPrintout},     {"annual", AnnualPrintout},
};

void PrintTo(const LayoutRow& row, std::ostream* out) { *out << row.target.Layout; }

constexpr PrintLanguage Languages[] = {PrintLanguage::English, PrintLanguage::Afrikaans};
const char* Named(PrintLanguage language) { return language == PrintLanguage::English ? "English" : "Afrikaans"; }

std::string TextOf(const ReportRow& row, const std::string& name)
{
    for (const ReportField& field : row)
        if (field.name == name && std::holds_alternative<std::string>(field.value))
            return std::get<std::string>(field.value);
    ADD_FAILURE() << "the print writes no text " << name;
    return "?";
}

class PayeLayout : public ::testing::TestWithParam<LayoutRow> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        state.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
        // Reading creates the report database from the seeds; the one row gives the columns.
        const QList<QSqlRecord> rows = ReadReportTable(state.Paths, GetParam().target.Table);
        ASSERT_EQ(rows.size(), 1);
        columns = rows.first();
    }

    // The row the print writes, its texts in the language, with a different figure in each
    // number column in place of the calculated ones.
    ReportRow SampleRow(PrintLanguage language) const
    {
        const ReportRow printed = testing::PayeRow(GetParam().target, language);
        return testing::DistinctRow(columns, [&](const std::string& name) { return TextOf(printed, name); });
    }

    // Writes the row and renders the layout over it.
    QString Render(PrintLanguage language)
    {
        WriteOneRowTable(state.Paths, GetParam().target.Table, SampleRow(language));
        return RenderReport(state, GetParam().target.Layout, GetParam().target.Layout).html;
    }

    QTemporaryDir appFolder;
    AppState state;
    QSqlRecord columns;
};

// Every label and figure of the row shows in the layout's order, and between them stand only
// figures of the layout's own (source codes, the tax year), the rand sign and the program name.
TEST_P(PayeLayout, ShowsTheRowInOrderAndNoWordsOfItsOwn)
{
    for (const PrintLanguage language : Languages) {
        SCOPED_TRACE(Named(language));
        const QString html = Render(language);
        EXPECT_FALSE(html.contains("{{") || html.contains("}}")) << "a tag was left unrendered";
        const QString text = MakeReportDocument(html)->toPlainText();
        const ReportLayout layout = LoadReportLayout(state.Paths.LayoutPath(GetParam().target.Layout));
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
    for (const PrintLanguage language : Languages) {
        SCOPED_TRACE(Named(language));
        testing::ExpectOnePage(Render(language), appFolder.filePath("printout.pdf"));
    }
}

// A report database from before the settings line: opening it adds the new columns and keeps its row.
TEST_P(PayeLayout, AnEarlierReportDatabaseGetsTheSettingsColumnsAndKeepsItsRow)
{
    WriteOneRowTable(state.Paths, GetParam().target.Table, SampleRow(PrintLanguage::English));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "earlier");
        db.setDatabaseName(state.Paths.ReportDbPath);
        ASSERT_TRUE(db.open());
        for (int i = 0; i < columns.count(); ++i) {
            if (columns.fieldName(i).startsWith("Setup")) {
                ASSERT_TRUE(QSqlQuery(db).exec(QString("ALTER TABLE %1 DROP COLUMN %2").arg(GetParam().target.Table,
                                                                                          columns.fieldName(i))));
            }
        }
    }
    QSqlDatabase::removeDatabase("earlier");
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, GetParam().target.Table);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].count(), columns.count());
    EXPECT_EQ(rows[0].value("Sal").toString().toStdString(), "Remuneration/salary");
}

INSTANTIATE_TEST_SUITE_P(Printouts, PayeLayout, ::testing::ValuesIn(Layouts), testing::RowName());

} // namespace
} // namespace revora
