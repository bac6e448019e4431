#include "WorkingSection.h"

#include <QRegularExpression>

namespace revora {

namespace {

// The section borrows the report's own look: the body's font and colour, the title's blue for
// its heading, the figures right-aligned in the figures' type. Every style is written on its
// element, since a layout's style sheet need not know the section. The heading is the table's
// heading row: it never stands alone at the foot of a page, and heads every page the steps run on.
constexpr const char* SectionHeading =
    "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\">\n"
    "<thead><tr><td colspan=\"4\" style=\"padding-top: 16px;\"><p style=\"font-size: 12pt; font-weight: bold; "
    "color: #123a6b; margin-bottom: 4pt;\">%1</p></td></tr></thead>\n";
// Paddings in px: the report engine takes a padding in pt as none.
constexpr const char* SectionStep =
    "<tr><td width=\"4%\" align=\"right\" valign=\"top\" style=\"white-space: nowrap;\">%1.</td>"
    "<td width=\"28%\" valign=\"top\" style=\"padding-left: 6px;\">%2</td>"
    "<td width=\"50%\" valign=\"top\" style=\"padding-left: 6px;\">%3</td>"
    "<td width=\"18%\" align=\"right\" valign=\"top\" style=\"white-space: nowrap; padding-left: 8px; "
    "font-family: 'DejaVu Sans Mono', monospace;\">%4</td></tr>\n";

QString Html(const std::string& text) { return KeepFiguresWhole(QString::fromStdString(text)).toHtmlEscaped(); }

} // namespace

QString WorkingHeading(PrintLanguage language)
{
    return language == PrintLanguage::Afrikaans ? QStringLiteral("Hoe hierdie syfers bereken is")
                                                : QStringLiteral("How these figures were worked out");
}

QString KeepFiguresWhole(QString text)
{
    // "240 000.00", "1 234 567", "R 47 848.00", "R -5.00", "26 %": the blank inside a figure, or
    // between a figure and its sign, is no place to break a line.
    static const QRegularExpression blank(QStringLiteral(R"((?<=\d) (?=\d{3}(?!\d))|(?<=\bR) (?=[-\x{2212}]?\d)|(?<=\d) (?=%))"));
    return text.replace(blank, QString(QChar::Nbsp));
}

QString StepWorking(const WorkingStep& step, PrintLanguage language)
{
    return QString::fromStdString(step.Worked(language));
}

QString WithWorking(const QString& html, const Working& working, PrintLanguage language)
{
    if (working.Empty())
        return html;
    QString section = QString::fromLatin1(SectionHeading).arg(WorkingHeading(language).toHtmlEscaped());
    int number = 0;
    for (const WorkingStep& step : working.Steps())
        section += QString::fromLatin1(SectionStep)
                       .arg(QString::number(++number), Html(step.LabelText(language)),
                            KeepFiguresWhole(StepWorking(step, language)).toHtmlEscaped(),
                            Html(step.ShownAmount()));
    section += QStringLiteral("</table>\n");
    const int end = html.lastIndexOf(QStringLiteral("</body>"), -1, Qt::CaseInsensitive);
    QString result = html;
    result.insert(end < 0 ? result.size() : end, section);
    return result;
}

QString WorkingText(const Working& working, PrintLanguage language)
{
    QString text = WorkingHeading(language) + QLatin1Char('\n');
    int number = 0;
    for (const WorkingStep& step : working.Steps())
        text += QStringLiteral("%1. %2\n").arg(++number).arg(QString::fromStdString(step.Text(language)));
    return text;
}

} // namespace revora
