// The salary package printouts: the gross-up layout and the forward layout over the one row of
// "SalPackage". The row holds a distinct figure in every number column, so a figure the layout
// leaves out, misplaces or shows unformatted is seen; the other deductions and the once-off car
// note come and go with the row, and a line the print left blank must take no room.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextDocument>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "AppState.h"
#include "report/LayoutTestSupport.h"
#include "ReportDatabase.h"
#include "ReportJob.h"
#include "ReportRenderer.h"
#include "TestSupport.h"

namespace revora {
namespace {

struct PackageLayoutRow {
    const char* name;
    const char* layout;
    const char* heading;              // MonAnn as the screen writes it
    QStringList captions;             // the screen's captions, in the order printed
};

const PackageLayoutRow Layouts[] = {
    {"gross-up", "Revora.rpt", "Revora Salary Package Calculation : Annual",
     {"Employee", "Cost to company", "Company car value", "Travel allowance", "Med. aid fund contributions",
      "Med. aid fund beneficiaries", "Number of additional beneficiaries", "Other taxable f/benefits",
      "Pension deducted", "Provident fund", "R/A ded. (directive?)", "Medical deductions", "UIF contribution",
      "Skills levy", "Tax due", "Tax credit", "Tax deduction", "Gross salary", "Total cost to company R"}},
    {"forward", "Avntx.rpt", "Avanta Salary Package Calculation : Monthly",
     {"Employee", "Cost to company", "Total package amount", "Company car value", "Travel allowance",
      "Med. aid fund contributions", "Med. aid fund beneficiaries", "Number of additional beneficiaries",
      "Other taxable f/benefits", "Pension deducted", "Provident fund", "R/A ded. (directive?)",
      "Medical deductions", "UIF contribution", "Skills levy", "Tax due", "Tax credit", "Tax deduction",
      "Net salary(take-home)", "Total cost to company R"}},
};

// The longest name the print panel takes, with characters that HTML must escape.
const std::string TaxpayerName = "Anna-Marie O'Reilly & Johannes van der Westhuizens";
const std::array<const char*, 4> Descriptions{"Union fees", "Staff loan repayment", "Garnishee order",
                                              "Group life cover"};
const char* const OnceOffText = "(plus a 'once-off' cost of R 250000";
const char* const OnceOffText2 = "for the company car and this does not include fuel, maintenance etc).";

// What a print leaves in the other-deductions block and the car note.
struct Contents {
    std::vector<int> lines;  // the other-deduction lines that have an amount
    bool described = true;   // whether those lines carry a description
    bool onceOff = false;    // the car note is printed
};

class PackageLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(appFolder.isValid());
        state.Paths = MakeAppPaths(appFolder.path(), QStringLiteral(REVORA_TEST_INSTALL_DIR));
        // Reading creates the report database from the seeds; the one row gives the columns.
        const QList<QSqlRecord> rows = ReadReportTable(state.Paths, "SalPackage");
        ASSERT_EQ(rows.size(), 1);
        columns = rows.first();
    }

    // A row for every column as the print routine fills it: a different figure in each number
    // column, and the other-deduction lines and car note emptied unless the contents hold them.
    ReportRow SampleRow(const PackageLayoutRow& layout, const Contents& contents) const
    {
        const std::map<std::string, std::string> texts{
            {"MonAnn", layout.heading}, {"TPName", TaxpayerName}, {"MonAnnSal", "Net annual salary required"},
            {"RADirective", "Yes"}, {"PrinMembers", "(R 270pm each)"}, {"BenMembers", "(R 181pm each)"},
            {"OEXPTXT", contents.lines.empty() ? "" : "Other Expenses :"},
            {"PlusCompCar1", contents.onceOff ? OnceOffText : ""},
            {"PlusCompCar2", contents.onceOff ? OnceOffText2 : ""}};
        const auto filled = [&](const std::string& name) {
            const int line = name.back() - '0';
            return std::find(contents.lines.begin(), contents.lines.end(), line) != contents.lines.end();
        };
        ReportRow row = testing::DistinctRow(columns, [&](const std::string& name) -> std::string {
            if (!name.starts_with("ODed"))
                return texts.at(name);
            if (!filled(name))
                return "";
            if (name.starts_with("ODedR"))
                return "R";
            return contents.described ? Descriptions[name.back() - '0'] : "";
        });
        for (ReportField& field : row)
            if (field.name.starts_with("ODedNum") && !filled(field.name))
                field.value = 0.0;
        return row;
    }

    QString Render(const PackageLayoutRow& layout, const Contents& contents)
    {
        WriteOneRowTable(state.Paths, "SalPackage", SampleRow(layout, contents));
        return RenderReport(state, layout.layout, layout.layout).html;
    }

    ReportLayout Load(const PackageLayoutRow& layout) const
    {
        return LoadReportLayout(state.Paths.LayoutPath(layout.layout));
    }

    QTemporaryDir appFolder;
    AppState state;
    QSqlRecord columns;
};

const Contents Full{{0, 1, 2, 3}, true, true};

TEST_F(PackageLayout, AFullRowShowsEveryFigureAndTextInOrder)
{
    for (const PackageLayoutRow& layout : Layouts) {
        SCOPED_TRACE(layout.layout);
        const QString html = Render(layout, Full);
        EXPECT_FALSE(html.contains("{{") || html.contains("}}")) << "a tag was left unrendered";
        const QString text = MakeReportDocument(html)->toPlainText();
        testing::FindInOrder(text, testing::ExpectedTexts(Load(layout), SampleRow(layout, Full)));
        testing::FindInOrder(text, layout.captions);
    }
}

TEST_F(PackageLayout, FitsOnePage)
{
    for (const PackageLayoutRow& layout : Layouts) {
        SCOPED_TRACE(layout.layout);
        testing::ExpectOnePage(Render(layout, Full), appFolder.filePath("printout.pdf"));
    }
}

struct ContentsRow {
    const char* name;
    Contents contents;
};

// The print empties a line without an amount, and the whole block when no line has one.
const ContentsRow BlockRows[] = {
    {"no other deductions and no car note", {{}, true, false}},
    {"line 2 filled and line 1 empty", {{2}, true, false}},
    {"the last line only", {{3}, true, true}},
    {"all four lines", {{0, 1, 2, 3}, true, false}},
    {"an amount without a description still shows", {{1}, false, false}},
    {"the car note alone", {{}, true, true}},
};

void PrintTo(const ContentsRow& row, std::ostream* out) { *out << row.name; }

class PackageLayoutBlock : public PackageLayout, public ::testing::WithParamInterface<ContentsRow> {
protected:
    // Paragraphs and table cells of the laid-out report: every line printed adds some.
    int Blocks(const PackageLayoutRow& layout, const Contents& contents)
    {
        return MakeReportDocument(Render(layout, contents))->blockCount();
    }
};

TEST_P(PackageLayoutBlock, ShowsOnlyTheLinesThatHoldSomething)
{
    const Contents& contents = GetParam().contents;
    for (const PackageLayoutRow& layout : Layouts) {
        SCOPED_TRACE(layout.layout);
        const ReportRow row = SampleRow(layout, contents);
        const QString text = MakeReportDocument(Render(layout, contents))->toPlainText();
        const auto figure = [&](const char* column) { return testing::TagText(QString("money.") + column, row); };

        EXPECT_EQ(text.contains("Other Expenses :"), !contents.lines.empty());
        QStringList expected;
        if (!contents.lines.empty())
            expected << "Other Expenses :";
        for (const int line : contents.lines) {
            if (contents.described)
                expected << Descriptions[line];
            const std::string n = std::to_string(line);
            expected << "R" << figure(("ODedNum" + n).c_str()) << "R" << figure(("ODedNumCC" + n).c_str());
        }
        expected << figure("GSal") << figure("TotCostComp");
        if (contents.onceOff)
            expected << OnceOffText << OnceOffText2;
        testing::FindInOrder(text, expected);
        EXPECT_EQ(text.contains("once-off"), contents.onceOff);
        // Every figure of the sample row is above 0, so a 0.00 is a line left blank.
        static const QRegularExpression zero(QStringLiteral(R"((?<![\d ])0\.00|(?<!\d) 0\.00)"));
        EXPECT_FALSE(text.contains(zero)) << "an empty line is printed:\n" << text.toStdString();

        // A blank line takes no room: each line adds what the first adds, the block's heading
        // comes with the first line only, and the car note adds its own.
        const int none = Blocks(layout, {{}, true, false});
        const int perLine = Blocks(layout, {{0, 1}, true, false}) - Blocks(layout, {{0}, true, false});
        const int heading = Blocks(layout, {{0}, true, false}) - none - perLine;
        const int note = Blocks(layout, {{}, true, true}) - none;
        EXPECT_GT(perLine, 0);
        EXPECT_GE(heading, 0);
        EXPECT_GT(note, 0);
        const int lines = static_cast<int>(contents.lines.size());
        EXPECT_EQ(Blocks(layout, contents),
                  none + (lines > 0 ? heading : 0) + lines * perLine + (contents.onceOff ? note : 0));
    }
}

INSTANTIATE_TEST_SUITE_P(OtherDeductionsAndCarNote, PackageLayoutBlock, ::testing::ValuesIn(BlockRows),
                         testing::RowName());

} // namespace
} // namespace revora
