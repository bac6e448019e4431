#include "HtmlExport.h"

#include <QRegularExpression>

namespace revora {

namespace {

// Calc's number format "@" (text), in the language Calc reads the other numbers in (en-US).
const QLatin1String TextCellFormat(" sdnum=\"1033;0;@\"");

// Whether a cell's first text, HTML-escaped ("=", "+", "-" and "@" never are), would be a formula.
bool ReadsAsFormula(const QString& text)
{
    static const QRegularExpression number(QStringLiteral(R"(^[-+]?(\d+(\.\d*)?|\.\d+)$)"));
    return !text.isEmpty() && QStringLiteral("=+-@").contains(text.front()) && !number.match(text).hasMatch();
}

} // namespace

QByteArray HtmlExportBytes(const QString& html)
{
    QString page;
    if (!html.trimmed().startsWith(QLatin1String("<!DOCTYPE"), Qt::CaseInsensitive))
        page = QStringLiteral("<!DOCTYPE html>\n");
    // A cell's opening tag (its attributes captured), the tags inside it before its first
    // text, and that text up to the next tag; a cell of a table inside the cell is a cell of
    // its own.
    static const QRegularExpression cell(QStringLiteral(R"(<td\b([^>]*)>((?:\s|<(?![/!]|td\b)[^>]*>)*)([^<]*))"),
                                         QRegularExpression::CaseInsensitiveOption);
    qsizetype from = 0;
    for (const auto& match : cell.globalMatch(html)) {
        if (!ReadsAsFormula(match.captured(3).trimmed()) || match.captured(1).contains(QLatin1String("sdnum")))
            continue;
        page += QStringView(html).mid(from, match.capturedEnd(1) - from);
        page += TextCellFormat;
        from = match.capturedEnd(1);
    }
    page += QStringView(html).mid(from);
    static const QRegularExpression charset(QStringLiteral(R"(<meta\s[^>]*charset)"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (!charset.match(page).hasMatch()) {
        static const QRegularExpression head(QStringLiteral(R"(<head\b[^>]*>)"), QRegularExpression::CaseInsensitiveOption);
        const auto opened = head.match(page);
        page.insert(opened.hasMatch() ? opened.capturedEnd() : page.indexOf(QLatin1Char('\n')) + 1,
                    QLatin1String("<meta charset=\"utf-8\">\n"));
    }
    return page.toUtf8();
}

} // namespace revora
