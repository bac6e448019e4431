#pragma once
// Helpers for the tests of the report layouts: the tags a layout holds, the text each stands
// for in a written row, finding those texts in the laid-out report, and the printed page.

#include <gtest/gtest.h>

#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSqlField>
#include <QSqlRecord>
#include <QStringList>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "common/AmountFormat.h"
#include "ReportRenderer.h"
#include "common/ReportRow.h"

namespace revora::testing {

// Every {{...}} of the layout in order, section tags ({{#Field}}, {{/Field}}) included.
inline QStringList LayoutTags(const ReportLayout& layout)
{
    static const QRegularExpression tag(QStringLiteral(R"(\{\{(.*?)\}\})"));
    QStringList tags;
    for (const auto& match : tag.globalMatch(QString::fromStdString(layout.templateText)))
        tags << match.captured(1);
    return tags;
}

inline bool IsSectionTag(const QString& tag)
{
    return tag.startsWith('#') || tag.startsWith('^') || tag.startsWith('/');
}

// A row for every column of the table: a different figure above 0 in each number column, so
// that a figure shown in the wrong place or not at all is seen, and the given text in each text
// column.
inline ReportRow DistinctRow(const QSqlRecord& columns, const std::function<std::string(const std::string&)>& text)
{
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
            row.push_back({name, text(name)});
        }
    }
    return row;
}

// The renderer's text of a tax-year tag, for 2016; empty for any other tag.
inline QString TaxYearTagText(const QString& tag)
{
    for (const auto& [name, text] : TaxYearTexts(TaxYear2016()))
        if (tag.toStdString() == name)
            return QString::fromStdString(text);
    return {};
}

// The text a field tag stands for in the row: amounts are shown only under money, counts and
// texts as they are.
inline QString TagText(const QString& tag, const ReportRow& row)
{
    if (tag == "PrintedDate")
        return QDate::currentDate().toString("dd/MM/yyyy");
    if (const QString year = TaxYearTagText(tag); !year.isEmpty())
        return year;
    const bool money = tag.startsWith("money.");
    const std::string name = (money ? tag.mid(6) : tag).toStdString();
    const auto field = std::find_if(row.begin(), row.end(), [&](const ReportField& f) { return f.name == name; });
    if (field == row.end()) {
        ADD_FAILURE() << "{{" << tag.toStdString() << "}} names no field of the row";
        return {};
    }
    if (const auto* amount = std::get_if<double>(&field->value)) {
        EXPECT_TRUE(money) << "{{" << tag.toStdString() << "}} shows an amount unformatted";
        return QString::fromStdString(FormatAmount(*amount));
    }
    if (const auto* count = std::get_if<std::int16_t>(&field->value))
        return money ? QString::fromStdString(FormatAmount(*count)) : QString::number(*count);
    EXPECT_FALSE(money) << "{{" << tag.toStdString() << "}} formats a text as money";
    return QString::fromStdString(std::get<std::string>(field->value)).simplified();
}

// The texts the layout's field tags stand for, in the layout's order, for a row that fills
// every section of the layout.
inline QStringList ExpectedTexts(const ReportLayout& layout, const ReportRow& row)
{
    QStringList texts;
    for (const QString& tag : LayoutTags(layout))
        if (!IsSectionTag(tag))
            texts << TagText(tag, row);
    return texts;
}

// Finds each expected text in the report's text, each after the one before; returns the
// stretches of text between them (before the first and after the last included).
inline QStringList FindInOrder(const QString& text, const QStringList& expected)
{
    QStringList between;
    qsizetype from = 0;
    for (const QString& want : expected) {
        const qsizetype at = text.indexOf(want, from);
        if (at < 0) {
            ADD_FAILURE() << "\"" << want.toStdString() << "\" is missing or out of order in:\n" << text.toStdString();
            continue;
        }
        between << text.mid(from, at - from);
        from = at + want.size();
    }
    between << text.mid(from);
    return between;
}

// The report stays within the width of the paper (A4 less 18 mm a side) and prints on one page.
// The pages of a PDF as pdftotext lays them out.
inline QStringList PdfPages(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    if (!pdftotext.waitForFinished()) {
        ADD_FAILURE() << "pdftotext did not run";
        return {};
    }
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A word of a PDF as pdftotext -bbox places it, in points from its page's top left corner.
struct PdfWord {
    int page;
    double left, bottom, right, pageWidth;
    QString text;
};

inline std::vector<PdfWord> PdfWords(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    if (!pdftotext.waitForFinished())
        ADD_FAILURE() << "pdftotext did not run";
    static const QRegularExpression item(QStringLiteral(
        R"re(<page width="([\d.]+)"|<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
    std::vector<PdfWord> words;
    int page = 0;
    double width = 0;
    for (const auto& m : item.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        if (!m.captured(1).isEmpty()) {
            ++page;
            width = m.captured(1).toDouble();
            continue;
        }
        QString text = m.captured(5);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'").replace("&amp;", "&");
        words.push_back({page, m.captured(2).toDouble(), m.captured(4).toDouble(), m.captured(3).toDouble(), width, text});
    }
    return words;
}

// What spoils a printed report, one line a fault: a grouped figure of the report ("30 000.00")
// not whole on one line of the PDF; an amount ("R 1 852.58", "<< calculated") less than 6 pt
// (about 2 mm) clear of the word before it on its line; text beyond the right margin, which lies
// as far in from the paper's edge as the left one, and any rule or border drawn there.
inline std::string PrintFaults(const QString& html, const QString& pdf)
{
    QStringList faults;
    static const QRegularExpression figure(QStringLiteral(R"((?<![\d.])\d{1,3}(?: \d{3})+(?:\.\d+)?(?!\d))"));
    const QString text = MakeReportDocument(html)->toPlainText();
    const QString lines = PdfPages(pdf).join('\n');
    for (const auto& m : figure.globalMatch(text)) {
        const QRegularExpression whole("(?<![\\d.])" + QRegularExpression::escape(m.captured()) + "(?!\\d)");
        if (lines.count(whole) < text.count(whole))
            faults << "broken: " + m.captured();
    }
    const std::vector<PdfWord> words = PdfWords(pdf);
    double margin = 1e9;
    for (const PdfWord& w : words)
        margin = std::min(margin, w.left);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const PdfWord& w = words[i];
        if (w.right > w.pageWidth - margin + 0.5)
            faults << "beyond the margin: " + w.text;
        if (w.text.contains(QRegularExpression(QStringLiteral(R"(\d<<)"))))
            faults << "crowded: " + w.text;
        const bool rand = w.text == "R" && i + 1 < words.size() && words[i + 1].text.contains(QRegularExpression("^-?\\d"));
        if (!rand && !w.text.startsWith("<<"))
            continue;
        const PdfWord* before = nullptr; // the nearest word to the left on the same line
        for (const PdfWord& o : words) // a smaller font on the same line sits a little higher
            if (o.page == w.page && std::abs(o.bottom - w.bottom) < 3 && o.right <= w.left + 0.5 &&
                (!before || o.right > before->right))
                before = &o;
        if (before && before->text != "−" && w.left - before->right < 6.0)
            faults << "crowded: " + before->text + " " + w.text;
    }
    // Rules and borders as well: nothing is drawn right of the margin on the first page.
    QProcess pdftoppm;
    pdftoppm.start("pdftoppm", {"-gray", "-r", "72", "-singlefile", pdf, pdf});
    pdftoppm.waitForFinished();
    const QImage page(pdf + ".pgm");
    for (int x = static_cast<int>(page.width() - margin) + 2; x < page.width(); ++x)
        for (int y = 0; y < page.height(); ++y)
            if (qGray(page.pixel(x, y)) < 160 && !faults.contains("drawn beyond the margin"))
                faults << "drawn beyond the margin";
    faults.removeDuplicates();
    return faults.join('\n').toStdString();
}

inline void ExpectOnePage(const QString& html, const QString& pdf)
{
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

} // namespace revora::testing
