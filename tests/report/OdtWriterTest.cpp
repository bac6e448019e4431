// The OpenDocument text export: small pages of HTML laid out as reports are, written as .odt
// and read back with a real OpenDocument reader.

#include <gtest/gtest.h>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <QTextDocument>
#include <vector>

#include "report/OdtOutline.h"
#include "OdtWriter.h"
#include "ReportRenderer.h"
#include "TestSupport.h"

namespace revora {
namespace {

QByteArray Package(const QString& html)
{
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                         QPageLayout::Millimeter);
    return OdtPackage(*MakeReportDocument(html), a4);
}

// The outline of the page as an office suite reads it; paragraphs without text or border are
// left out, since the layout puts such spacing blocks around every table.
QStringList Outline(const QString& html)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page.odt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Package(html)) < 0)
        return {};
    file.close();
    const QStringList lines = testing::ReadOdtOutline(path);
    QStringList kept;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i] != QLatin1String("p\tnone") || lines.value(i + 1).startsWith(QLatin1String("text\t")))
            kept << lines[i];
    return kept;
}

struct PageRow {
    const char* name;
    const char* html;
    std::vector<const char*> outline;
};

class OdtWriterPage : public ::testing::TestWithParam<PageRow> {};

TEST_P(OdtWriterPage, ReadsBackAsLaidOut)
{
    QStringList expected;
    for (const char* line : GetParam().outline)
        expected << QString::fromUtf8(line);
    EXPECT_EQ(Outline(QString::fromUtf8(GetParam().html)).join('\n').toStdString(), expected.join('\n').toStdString());
}

// Text keeps every character the layout shows, in its paragraph and line.
INSTANTIATE_TEST_SUITE_P(
    Text, OdtWriterPage,
    ::testing::Values(
        PageRow{"runs of spaces are kept", "<p style='white-space: pre'>a   b</p>", {"p\tnone", "text\ta   b"}},
        PageRow{"leading spaces are kept", "<p style='white-space: pre'>  a</p>", {"p\tnone", "text\t  a"}},
        PageRow{"a space after a tab is kept", "<p style='white-space: pre'>a\t b</p>", {"p\tnone", "text\ta\t b"}},
        PageRow{"non-breaking spaces are kept", "<p>a&nbsp;&nbsp;b</p>", {"p\tnone", "text\ta\u00a0\u00a0b"}},
        PageRow{"a line break starts a new line of the same paragraph", "<p>one<br>two</p>",
                {"p\tnone", "text\tone", "text\ttwo"}},
        PageRow{"a word split across formats stays whole", "<p>ab<b>cd</b><i> ef</i></p>", {"p\tnone", "text\tabcd ef"}},
        PageRow{"characters XML cannot hold are left out", "<p>a&#1;b&#xFFFF;c</p>", {"p\tnone", "text\tabc"}},
        PageRow{"markup characters in the text are kept", "<p>&lt;R&gt; &amp; \"x\"</p>", {"p\tnone", "text\t<R> & \"x\""}},
        PageRow{"a line kept whole cannot be wrapped", "<p style='white-space: nowrap'>R 1 000.00</p>",
                {"p\tnone", "text\tR\u00a01\u00a0000.00"}}),
    testing::RowName());

// A table keeps one cell per column in every row, and every block of a cell in that cell.
INSTANTIATE_TEST_SUITE_P(
    Tables, OdtWriterPage,
    ::testing::Values(
        PageRow{"headings in one cell stay in it",
                "<table><tr><td><h1>A</h1><h2>B</h2></td><td>C<br>D</td></tr></table>",
                {"table\t2", "row\t2", "cell\tnone", "p\tnone", "text\tA", "p\tnone", "text\tB", "cell\tnone", "p\tnone",
                 "text\tC", "text\tD"}},
        PageRow{"spanned cells leave covered cells behind",
                "<table><tr><td colspan=2>wide</td></tr><tr><td rowspan=2>tall</td><td>x</td></tr>"
                "<tr><td>y</td></tr></table>",
                {"table\t2", "row\t2", "cell\tnone", "p\tnone", "text\twide", "row\t2", "cell\tnone", "p\tnone",
                 "text\ttall", "cell\tnone", "p\tnone", "text\tx", "row\t2", "cell\tnone", "p\tnone", "text\ty"}},
        PageRow{"a table in a cell stays in that cell",
                "<table><tr><td>out<table><tr><td>in</td></tr></table></td><td>next</td></tr></table>",
                {"table\t2", "row\t2", "cell\tnone", "p\tnone", "text\tout", "table\t1", "row\t1", "cell\tnone",
                 "p\tnone", "text\tin", "cell\tnone", "p\tnone", "text\tnext"}},
        PageRow{"heading rows repeat on every page, a shaded table keeps its shade",
                "<table bgcolor='#eef2f7'><thead><tr><td>h</td></tr></thead><tr><td>a</td></tr></table>",
                {"table\t1", "shade\t#eef2f7", "header-rows", "row\t1", "cell\tnone", "p\tnone", "text\th", "row\t1",
                 "cell\tnone", "p\tnone", "text\ta"}}),
    testing::RowName());

// Rules and borders the layout draws are drawn in the document too.
INSTANTIATE_TEST_SUITE_P(
    Borders, OdtWriterPage,
    ::testing::Values(
        PageRow{"a rule is the bottom border of its paragraph", "<p>a</p><hr><p>b</p>",
                {"p\tnone", "text\ta", "p\t0.75pt solid #9f9f9f", "p\tnone", "text\tb"}},
        PageRow{"a cell's own top border is kept",
                "<table cellspacing=0><tr><td style='border-top: 2px dashed #ff0000'>a</td></tr></table>",
                {"table\t1", "row\t1", "cell\t1.5pt dashed #ff0000", "p\tnone", "text\ta"}},
        PageRow{"a table border is drawn around every cell", "<table border=1><tr><td>a</td></tr></table>",
                {"table\t1", "row\t1", "cell\t0.75pt inset #808080", "p\tnone", "text\ta"}}),
    testing::RowName());

TEST(OdtWriter, MimetypeIsTheFirstEntryAndUncompressed)
{
    // Office suites and file sniffers read the type from fixed offsets of the first entry.
    const QByteArray bytes = Package(QStringLiteral("<p>x</p>"));
    ASSERT_TRUE(bytes.startsWith("PK\x03\x04"));
    EXPECT_EQ(bytes.mid(8, 2), QByteArray(2, '\0')) << "the mimetype entry is compressed";
    EXPECT_EQ(bytes.mid(30, 8), "mimetype");
    EXPECT_EQ(bytes.mid(38, 39), "application/vnd.oasis.opendocument.text");
}

} // namespace
} // namespace revora
