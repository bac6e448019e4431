// Lays the help chapters out as the program's help document, an A4 PDF:
//     revora-helpdoc OUT.pdf TITLE VERSION CHAPTER.md...
// "{{version}}" in a chapter stands for VERSION.
// A title page, contents with the page number of every chapter and of each section in it (a
// section's line begins with an en dash, which the help window reads), then each chapter
// (a Markdown file that opens with its level-1 heading) from a new page, with the page number
// in the footer. Runs at build time, so it draws under the offscreen platform.

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QAbstractTextDocumentLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int Dpi = 300;
constexpr double SideMarginMm = 18.0;
constexpr double EndMarginMm = 15.0; // top and bottom
constexpr double FooterMm = 10.0;
const QString BodyFamily = QStringLiteral("DejaVu Sans");
// Formats measure in the PDF's device pixels.
constexpr double Mm(double mm) { return mm / 25.4 * Dpi; }
// Margins and padding are scaled to the device from 96 dots an inch (table borders are not).
constexpr double SpaceMm(double mm) { return mm / 25.4 * 96; }
const QString TaxYear = QStringLiteral("Tax year 1 March 2015 to 29 February 2016");

struct Chapter {
    QString title;    // the text of its level-1 heading, as the contents lists it
    QString markdown;
};

int Fail(const QString& line)
{
    std::fprintf(stderr, "revora-helpdoc: %s\n", qPrintable(line));
    return 1;
}

// Markdown punctuation in a title or version given on the command line is shown as typed.
QString EscapeMarkdown(QString text)
{
    static const QString special = QStringLiteral("\\`*_{}[]()#+-.!|<>");
    QString out;
    for (QChar c : text) {
        if (special.contains(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

bool ReadChapter(const QString& path, const QString& version, Chapter& chapter, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    chapter.markdown = QString::fromUtf8(file.readAll());
    for (const QString& line : chapter.markdown.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("# "))) {
            chapter.title = line.mid(2).trimmed().replace(QStringLiteral("{{version}}"), version);
            return true;
        }
    }
    // Without it the chapter would neither start a page nor appear in the contents.
    error = QStringLiteral("cannot read %1: it has no level-1 heading (\"# Title\")").arg(path);
    return false;
}

// A chapter's (level 1) or section's (level 2) heading as laid out, and the page (from 1) it is on.
struct Heading {
    int level = 1;
    QString text;
    int page = 0; // 0 until the document has been laid out with the whole contents
};

// The whole document as one Markdown text: title page, contents, chapters. The contents list
// `headings`, or the chapters alone on the first pass, when the sections are not yet known.
QString ComposeMarkdown(const QString& title, const QString& version, const std::vector<Chapter>& chapters,
                        const std::vector<Heading>& headings)
{
    QString md;
    md += EscapeMarkdown(title) + QStringLiteral("\n\n");
    md += QStringLiteral("Version ") + EscapeMarkdown(version) + QStringLiteral("\n\n");
    md += TaxYear + QStringLiteral("\n\n");
    md += QStringLiteral("# Contents\n\n| Chapter | Page |\n|:---|---:|\n");
    // Until the pages are known a placeholder of three digits keeps each line's width.
    const auto line = [&md](const QString& text, int page) {
        md += QStringLiteral("| ") + text + QStringLiteral(" | ") +
              (page > 0 ? QString::number(page) : QStringLiteral("000")) + QStringLiteral(" |\n");
    };
    if (headings.empty()) {
        for (const Chapter& chapter : chapters)
            line(QString(chapter.title).replace(QLatin1Char('|'), QStringLiteral("\\|")), 0);
    }
    for (const Heading& heading : headings) {
        // A section is indented under its chapter by non-breaking spaces, and marked by its dash.
        const QString indent = heading.level > 1 ? QString(4, QChar(0x00a0)) + QChar(0x2013) + QLatin1Char(' ') : QString();
        line(indent + EscapeMarkdown(heading.text), heading.page);
    }
    md += QLatin1Char('\n');
    for (const Chapter& chapter : chapters)
        md += chapter.markdown + QStringLiteral("\n\n");
    // The chapters name the version as the main window's caption shows it.
    md.replace(QStringLiteral("{{version}}"), EscapeMarkdown(version));
    return md;
}

// The formats Markdown cannot express: the title page, page breaks, fonts, table borders.
void Style(QTextDocument& doc)
{
    QTextCursor cursor(&doc);
    // The top margin of a document's first block is not laid out, so an empty block of fixed
    // height brings the title down the page.
    cursor.insertBlock();
    cursor.movePosition(QTextCursor::Start);
    QTextBlockFormat gap;
    gap.setLineHeight(SpaceMm(70), QTextBlockFormat::FixedHeight);
    cursor.setBlockFormat(gap);
    int index = 0;
    for (QTextBlock block = doc.begin().next(); block.isValid(); block = block.next(), ++index) {
        cursor.setPosition(block.position());
        QTextBlockFormat format = block.blockFormat();
        if (index < 3) {
            // The title, the version and the tax year, centred down the title page.
            format.setAlignment(Qt::AlignHCenter);
            format.setTopMargin(SpaceMm(8));
            cursor.setBlockFormat(format);
            cursor.select(QTextCursor::BlockUnderCursor);
            QTextCharFormat chars;
            chars.setFontPointSize(index == 0 ? 30 : 14);
            chars.setFontWeight(index == 0 ? QFont::Bold : QFont::Normal);
            cursor.mergeCharFormat(chars);
            continue;
        }
        if (cursor.currentTable()) {
            // The cell padding spaces a table's text; paragraph margins would double it.
            format.setTopMargin(0);
            format.setBottomMargin(0);
            cursor.setBlockFormat(format);
            continue;
        }
        if (format.headingLevel() > 0) {
            // Markdown's heading sizes are meant for screens; these suit a printed page.
            static const double sizes[] = {18.0, 13.0, 11.0};
            const double size = sizes[std::min(format.headingLevel(), 3) - 1];
            for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                QTextCharFormat chars = fragment.charFormat();
                chars.clearProperty(QTextFormat::FontSizeAdjustment);
                chars.setFontPointSize(size);
                QTextCursor range(&doc);
                range.setPosition(fragment.position());
                range.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
                range.setCharFormat(chars);
            }
        }
        if (format.headingLevel() == 1) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            format.setBottomMargin(SpaceMm(4));
        } else if (format.headingLevel() > 1) {
            format.setTopMargin(SpaceMm(5));
            format.setBottomMargin(SpaceMm(2));
        } else {
            // Space below only: a top margin would reach back onto the page before.
            format.setTopMargin(0);
            format.setBottomMargin(SpaceMm(2));
        }
        if (format.hasProperty(QTextFormat::BlockCodeFence) || format.hasProperty(QTextFormat::BlockCodeLanguage)) {
            // Command lines: a shaded block, a smaller type, and wrapped rather than cut off
            // at the page's edge.
            format.setBackground(QColor(0xf0, 0xf0, 0xf0));
            format.setLeftMargin(SpaceMm(4));
            format.setBottomMargin(0);
            format.setNonBreakableLines(false);
            QTextCursor code(block);
            code.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat chars;
            chars.setFontPointSize(8.5);
            code.mergeCharFormat(chars);
        }
        cursor.setBlockFormat(format);
    }

    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(Mm(0.2));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(0x60, 0x60, 0x60));
        format.setBorderCollapse(true);
        format.setCellPadding(SpaceMm(1.2));
        format.setCellSpacing(0.0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setHeaderRowCount(1);
        format.setTopMargin(SpaceMm(1));
        format.setBottomMargin(SpaceMm(3));
        table->setFormat(format);
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
                cellFormat.setPadding(SpaceMm(1.2));
                if (row == 0)
                    cellFormat.setBackground(QColor(0xe4, 0xe8, 0xee));
                cell.setFormat(cellFormat);
            }
        }
    }
}

struct Layout {
    QSizeF body;        // the text's area on a page, in device pixels
    double footerTop;   // where the footer line begins, below the body
};

void Build(QTextDocument& doc, const QString& markdown, QPdfWriter& writer, const Layout& layout)
{
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setDocumentMargin(0);
    QFont body(BodyFamily);
    body.setPointSizeF(10.0);
    // Without shaping there are no ligatures, so the PDF's text reads "fl" and "fi" as typed
    // and a reader's search for "Inflation" finds it.
    body.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(body);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    // One edit block: the document is laid out once after all the formats are set, not after
    // each of them.
    QTextCursor batch(&doc);
    batch.beginEditBlock();
    Style(doc);
    batch.endEditBlock();
    doc.setPageSize(layout.body);
    // A section's heading never stands alone at a page's foot: one with less than the room of a
    // few lines under it, or whose next paragraph or table begins on the next page, starts the
    // next page itself. Each break moves what follows, so the headings are taken in order.
    const double pageHeight = layout.body.height();
    const double room = 4 * QFontMetricsF(body, &writer).lineSpacing();
    QAbstractTextDocumentLayout* pages = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (format.headingLevel() < 2 || !block.next().isValid())
            continue;
        const QRectF rect = pages->blockBoundingRect(block);
        const double pageEnd = (std::floor(rect.top() / pageHeight) + 1) * pageHeight;
        QTextTable* table = QTextCursor(block.next()).currentTable();
        const double nextTop = table ? pages->frameBoundingRect(table).top() : pages->blockBoundingRect(block.next()).top();
        if (rect.bottom() + room > pageEnd || nextTop >= pageEnd) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
    }
}

// The chapters' and sections' headings of a laid-out document, each with its page.
std::vector<Heading> Headings(const QTextDocument& doc, double pageHeight)
{
    std::vector<Heading> headings;
    bool contents = true; // the first level-1 heading is "Contents" itself
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 1 && level != 2)
            continue;
        if (std::exchange(contents, false))
            continue;
        const double top = doc.documentLayout()->blockBoundingRect(block).top();
        headings.push_back({level, block.text().trimmed(), static_cast<int>(top / pageHeight) + 1});
    }
    return headings;
}

} // namespace

int main(int argc, char* argv[])
{
    // Built on machines without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5)
        return Fail(QStringLiteral("usage: revora-helpdoc OUT.pdf TITLE VERSION CHAPTER.md..."));
    const QString outPath = args[1];
    const QString title = args[2];
    const QString version = args[3];

    std::vector<Chapter> chapters;
    for (int i = 4; i < args.size(); ++i) {
        Chapter chapter;
        QString error;
        if (!ReadChapter(args[i], version, chapter, error))
            return Fail(error);
        chapters.push_back(chapter);
    }

    QPdfWriter writer(outPath);
    writer.setResolution(Dpi);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("revora-helpdoc"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(SideMarginMm, EndMarginMm, SideMarginMm, EndMarginMm), QPageLayout::Millimeter));
    const QRectF paint = writer.pageLayout().paintRectPixels(Dpi);
    const double footer = FooterMm / 25.4 * Dpi;
    const Layout layout{QSizeF(paint.width(), paint.height() - footer), paint.height() - footer};

    // Three passes: the first finds the sections, the second lays the whole contents out with
    // placeholder pages, and the contents keep their size in the third, so its pages hold.
    auto doc = std::make_unique<QTextDocument>();
    Build(*doc, ComposeMarkdown(title, version, chapters, {}), writer, layout);
    std::vector<Heading> headings = Headings(*doc, layout.body.height());
    for (Heading& heading : headings)
        heading.page = 0;
    for (int pass = 0; pass < 2; ++pass) {
        doc = std::make_unique<QTextDocument>();
        Build(*doc, ComposeMarkdown(title, version, chapters, headings), writer, layout);
        if (pass == 0)
            headings = Headings(*doc, layout.body.height());
    }

    QPainter painter;
    if (!painter.begin(&writer))
        return Fail(QStringLiteral("cannot write %1").arg(outPath));
    QFont footerFont(BodyFamily);
    footerFont.setPointSizeF(8.5);
    const int pageCount = doc->pageCount();
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !writer.newPage())
            return Fail(QStringLiteral("cannot write %1").arg(outPath));
        painter.save();
        const QRectF clip(0, page * layout.body.height(), layout.body.width(), layout.body.height());
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        // A line that begins exactly at the page's foot belongs to the next page; without the
        // pixel it would be drawn here too, hidden by the clip but left in the PDF's text.
        context.clip = clip.adjusted(0, 0, 0, -1);
        context.palette.setColor(QPalette::Text, Qt::black);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();
        if (page == 0)
            continue; // the title page carries no footer
        painter.setFont(footerFont);
        painter.setPen(QColor(0x40, 0x40, 0x40));
        const QRectF footerRect(0, layout.footerTop, layout.body.width(), footer);
        painter.drawLine(QPointF(0, layout.footerTop + footer * 0.2), QPointF(layout.body.width(), layout.footerTop + footer * 0.2));
        painter.drawText(footerRect, Qt::AlignLeft | Qt::AlignBottom, title);
        painter.drawText(footerRect, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount));
    }
    if (!painter.end())
        return Fail(QStringLiteral("cannot write %1").arg(outPath));
    if (!QFileInfo(outPath).isFile() || QFileInfo(outPath).size() == 0)
        return Fail(QStringLiteral("cannot write %1").arg(outPath));
    return 0;
}
