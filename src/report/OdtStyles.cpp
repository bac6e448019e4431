#include "OdtParts.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPageLayout>
#include <QTextDocument>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace revora::odt {
namespace {

QString BorderStyleName(QTextFrameFormat::BorderStyle style)
{
    switch (style) {
    case QTextFrameFormat::BorderStyle_Dotted:
        return QStringLiteral("dotted");
    case QTextFrameFormat::BorderStyle_Dashed:
    case QTextFrameFormat::BorderStyle_DotDash:
    case QTextFrameFormat::BorderStyle_DotDotDash:
        return QStringLiteral("dashed");
    case QTextFrameFormat::BorderStyle_Double:
        return QStringLiteral("double");
    case QTextFrameFormat::BorderStyle_Groove:
        return QStringLiteral("groove");
    case QTextFrameFormat::BorderStyle_Ridge:
        return QStringLiteral("ridge");
    case QTextFrameFormat::BorderStyle_Inset:
        return QStringLiteral("inset");
    case QTextFrameFormat::BorderStyle_Outset:
        return QStringLiteral("outset");
    default:
        return QStringLiteral("solid");
    }
}

// Printing lays the text out inside a further 2 cm (75 units) on every side of the page's
// margins, and writes the page number right-aligned under the text, 5 pt below it, in the
// document's default font. The file keeps that page: the same text area and the same footer.
constexpr double PrintMarginPoints = 75 * PointsPerUnit;
constexpr double PageNumberGapPoints = 5;
// Text sets a little wider in a reader than in the layout; the text area is 3 pt wider on each
// side than the printed one, so that a table as wide as the page keeps its lines whole too.
constexpr double ReaderRoomPoints = 3;

} // namespace

QString Points(double points)
{
    if (!std::isfinite(points) || points < 0 || points > 100000)
        points = 0;
    QString text = QString::number(points, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QStringLiteral("pt");
}

QString StyleSet::nameFor(const Style& style)
{
    QString key = style.family;
    for (const auto& [element, properties] : style.groups)
        for (const auto& [attribute, value] : properties)
            key += QLatin1Char('|') + element + attribute + QLatin1Char('=') + value;
    auto found = names_.constFind(key);
    if (found != names_.constEnd())
        return *found;
    const QString name = PrefixFor(style.family) + QString::number(++counts_[style.family]);
    names_.insert(key, name);
    styles_.append({name, style});
    return name;
}

void StyleSet::write(QXmlStreamWriter& xml) const
{
    for (const auto& [name, style] : styles_) {
        xml.writeStartElement(QStringLiteral("style:style"));
        xml.writeAttribute(QStringLiteral("style:name"), name);
        xml.writeAttribute(QStringLiteral("style:family"), style.family);
        for (const auto& [element, properties] : style.groups) {
            if (properties.isEmpty())
                continue;
            xml.writeEmptyElement(element);
            for (const auto& [attribute, value] : properties)
                xml.writeAttribute(attribute, value);
        }
        xml.writeEndElement();
    }
}

QString StyleSet::PrefixFor(const QString& family)
{
    if (family == QLatin1String("paragraph"))
        return QStringLiteral("P");
    if (family == QLatin1String("text"))
        return QStringLiteral("T");
    if (family == QLatin1String("table"))
        return QStringLiteral("Table");
    if (family == QLatin1String("table-column"))
        return QStringLiteral("Column");
    return QStringLiteral("Cell");
}

QString Border(double units, QTextFrameFormat::BorderStyle style, const QColor& colour)
{
    if (!(units > 0) || style == QTextFrameFormat::BorderStyle_None)
        return QStringLiteral("none");
    return Points(units * PointsPerUnit) + QLatin1Char(' ') + BorderStyleName(style) + QLatin1Char(' ') + colour.name();
}

Properties TextProperties(const QTextCharFormat& format)
{
    Properties p;
    if (format.hasProperty(QTextFormat::FontFamilies) || format.hasProperty(QTextFormat::FontFamily)) {
        const QStringList families = format.fontFamilies().toStringList();
        const QString family =
            families.isEmpty() ? format.stringProperty(QTextFormat::FontFamily) : families.first();
        if (!family.isEmpty())
            p.append({QStringLiteral("fo:font-family"), family.contains(QLatin1Char(' ')) ? "'" + family + "'" : family});
    }
    if (format.hasProperty(QTextFormat::FontPointSize) || format.hasProperty(QTextFormat::FontPixelSize)
        || format.hasProperty(QTextFormat::FontSizeAdjustment)) {
        // font() applies the heading size steps the way the layout does.
        const QFont font = format.font();
        p.append({QStringLiteral("fo:font-size"),
                  Points(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * PointsPerUnit)});
    }
    if (format.hasProperty(QTextFormat::FontWeight)) {
        const int weight = std::clamp(format.fontWeight() / 100 * 100, 100, 900);
        p.append({QStringLiteral("fo:font-weight"), weight == 400   ? QStringLiteral("normal")
                                                    : weight == 700 ? QStringLiteral("bold")
                                                                    : QString::number(weight)});
    }
    if (format.hasProperty(QTextFormat::FontItalic))
        p.append({QStringLiteral("fo:font-style"), format.fontItalic() ? QStringLiteral("italic") : QStringLiteral("normal")});
    if (format.fontUnderline()) {
        p.append({QStringLiteral("style:text-underline-style"), QStringLiteral("solid")});
        p.append({QStringLiteral("style:text-underline-width"), QStringLiteral("auto")});
        p.append({QStringLiteral("style:text-underline-color"), QStringLiteral("font-color")});
    }
    if (format.fontStrikeOut())
        p.append({QStringLiteral("style:text-line-through-style"), QStringLiteral("solid")});
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        p.append({QStringLiteral("fo:color"), format.foreground().color().name()});
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
        p.append({QStringLiteral("fo:background-color"), format.background().color().name()});
    return p;
}

QString TextAlign(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (alignment & Qt::AlignJustify)
        return QStringLiteral("justify");
    if (alignment & Qt::AlignRight)
        return QStringLiteral("right");
    return QStringLiteral("left");
}

void StartRoot(QXmlStreamWriter& xml, const QString& element)
{
    xml.setAutoFormatting(false);
    xml.writeStartDocument();
    xml.writeNamespace(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0"), QStringLiteral("office"));
    xml.writeNamespace(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0"), QStringLiteral("style"));
    xml.writeNamespace(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0"), QStringLiteral("text"));
    xml.writeNamespace(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0"), QStringLiteral("table"));
    xml.writeNamespace(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"), QStringLiteral("fo"));
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("office:version"), QStringLiteral("1.2"));
}

double TextWidthPoints(const QPageLayout& page)
{
    return page.paintRect(QPageLayout::Point).width() - 2 * PrintMarginPoints;
}

QByteArray StylesXml(const QTextDocument& document, const QPageLayout& page)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    StartRoot(xml, QStringLiteral("office:document-styles"));

    // Text without a format of its own shows in the document's default font, as on screen.
    QTextCharFormat defaults;
    defaults.setFont(document.defaultFont());
    const Properties defaultText = TextProperties(defaults);
    xml.writeStartElement(QStringLiteral("office:styles"));
    xml.writeStartElement(QStringLiteral("style:default-style"));
    xml.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    xml.writeEmptyElement(QStringLiteral("style:text-properties"));
    for (const auto& [attribute, value] : defaultText)
        xml.writeAttribute(attribute, value);
    // The layout kerns pairs of letters, and so must a reader, or every line runs wider.
    xml.writeAttribute(QStringLiteral("style:letter-kerning"), QStringLiteral("true"));
    xml.writeEndElement();
    xml.writeEndElement();

    const QSizeF size = page.fullRect(QPageLayout::Point).size();
    const QMarginsF margins = page.margins(QPageLayout::Point);
    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    xml.writeStartElement(QStringLiteral("style:page-layout"));
    xml.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Page"));
    xml.writeEmptyElement(QStringLiteral("style:page-layout-properties"));
    xml.writeAttribute(QStringLiteral("fo:page-width"), Points(size.width()));
    xml.writeAttribute(QStringLiteral("fo:page-height"), Points(size.height()));
    xml.writeAttribute(QStringLiteral("style:print-orientation"),
                       page.orientation() == QPageLayout::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    xml.writeAttribute(QStringLiteral("fo:margin-top"), Points(margins.top() + PrintMarginPoints));
    xml.writeAttribute(QStringLiteral("fo:margin-bottom"), Points(margins.bottom()));
    xml.writeAttribute(QStringLiteral("fo:margin-left"), Points(margins.left() + PrintMarginPoints - ReaderRoomPoints));
    xml.writeAttribute(QStringLiteral("fo:margin-right"), Points(margins.right() + PrintMarginPoints - ReaderRoomPoints));
    // The footer takes the bottom print margin: the gap above the number, then the number.
    xml.writeStartElement(QStringLiteral("style:footer-style"));
    xml.writeEmptyElement(QStringLiteral("style:header-footer-properties"));
    xml.writeAttribute(QStringLiteral("fo:min-height"), Points(PrintMarginPoints - PageNumberGapPoints));
    xml.writeAttribute(QStringLiteral("fo:margin-top"), Points(PageNumberGapPoints));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("style:style"));
    xml.writeAttribute(QStringLiteral("style:name"), QStringLiteral("PageNumber"));
    xml.writeAttribute(QStringLiteral("style:family"), QStringLiteral("paragraph"));
    xml.writeEmptyElement(QStringLiteral("style:paragraph-properties"));
    xml.writeAttribute(QStringLiteral("fo:text-align"), QStringLiteral("end"));
    xml.writeAttribute(QStringLiteral("fo:margin-top"), QStringLiteral("0pt"));
    xml.writeAttribute(QStringLiteral("fo:margin-bottom"), QStringLiteral("0pt"));
    xml.writeEmptyElement(QStringLiteral("style:text-properties"));
    for (const auto& [attribute, value] : defaultText)
        xml.writeAttribute(attribute, value);
    xml.writeAttribute(QStringLiteral("fo:color"), QStringLiteral("#000000"));
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("office:master-styles"));
    xml.writeStartElement(QStringLiteral("style:master-page"));
    xml.writeAttribute(QStringLiteral("style:name"), QStringLiteral("Standard"));
    xml.writeAttribute(QStringLiteral("style:page-layout-name"), QStringLiteral("Page"));
    xml.writeStartElement(QStringLiteral("style:footer"));
    xml.writeStartElement(QStringLiteral("text:p"));
    xml.writeAttribute(QStringLiteral("text:style-name"), QStringLiteral("PageNumber"));
    xml.writeStartElement(QStringLiteral("text:page-number"));
    xml.writeAttribute(QStringLiteral("text:select-page"), QStringLiteral("current"));
    xml.writeCharacters(QStringLiteral("1"));
    xml.writeEndDocument();
    return out;
}

} // namespace revora::odt
