#include "WorkingSection.h"

namespace revora {

QString WorkingHeading(PrintLanguage language)
{
    return language == PrintLanguage::Afrikaans ? QStringLiteral("Hoe hierdie syfers bereken is")
                                                : QStringLiteral("How these figures were worked out");
}

QString WithWorking(const QString& html, const Working& working, PrintLanguage language)
{
    if (working.Empty())
        return html;
    QString section = QStringLiteral("<h3 class=\"working\">%1</h3>\n"
                                     "<table class=\"working\" cellspacing=\"0\" cellpadding=\"2\" width=\"100%\">\n")
                          .arg(WorkingHeading(language).toHtmlEscaped());
    int number = 0;
    for (const WorkingStep& step : working.Steps())
        section += QStringLiteral("<tr><td valign=\"top\" width=\"4%\">%1.</td><td valign=\"top\" width=\"26%\">%2</td>"
                                  "<td valign=\"top\" width=\"70%\">%3</td></tr>\n")
                       .arg(++number)
                       .arg(QString::fromStdString(step.LabelText(language)).toHtmlEscaped(),
                            QString::fromStdString(step.Text(language)).toHtmlEscaped());
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
