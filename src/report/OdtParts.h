#pragma once
// The parts of the OpenDocument text export that its files share: lengths in points, the
// automatic styles, the package's XML roots and the stored zip that holds them.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QTextFormat>
#include <utility>

class QPageLayout;
class QTextDocument;
class QXmlStreamWriter;

namespace revora::odt {

// Qt lays rich text out in CSS pixels (1/96 inch) and prints it at that size; lengths,
// paddings and borders are converted to points at that ratio.
constexpr double PointsPerUnit = 72.0 / 96.0;

// A length in points; a value the document cannot mean (negative, not finite, absurdly large)
// is written as 0 so the file stays valid.
QString Points(double points);

using Properties = QList<std::pair<QString, QString>>; // attribute, value in document order

struct Style {
    QString family;
    QList<std::pair<QString, Properties>> groups; // properties element, its attributes
};

// The automatic styles of the content, one per distinct set of properties, named by family
// and number in the order they are first asked for.
class StyleSet {
public:
    QString nameFor(const Style& style);
    void write(QXmlStreamWriter& xml) const;

private:
    static QString PrefixFor(const QString& family);

    QHash<QString, QString> names_;
    QHash<QString, int> counts_;
    QList<std::pair<QString, Style>> styles_;
};

// A border as fo:border-* writes it, "none" when it draws nothing.
QString Border(double units, QTextFrameFormat::BorderStyle style, const QColor& colour);
Properties TextProperties(const QTextCharFormat& format);
QString TextAlign(Qt::Alignment alignment);

// The XML declaration, the namespaces and the opened root element of a package part.
void StartRoot(QXmlStreamWriter& xml, const QString& element);

// The width of the printed text on the page, in points.
double TextWidthPoints(const QPageLayout& page);

// content.xml: the document's body and the automatic styles it uses, lengths laid out for a
// text `textWidth` points wide.
QByteArray ContentXml(const QTextDocument& document, double textWidth);

// styles.xml: the default font, the page's size and margins, and the page-number footer.
QByteArray StylesXml(const QTextDocument& document, const QPageLayout& page);

// A zip archive whose entries are stored as they are. Nothing is compressed, so the
// "mimetype" entry that must come first, uncompressed, needs no special case.
class StoredZip {
public:
    StoredZip();
    void add(const QByteArray& name, const QByteArray& data);
    QByteArray finish() const;

private:
    void putEntryFields(QByteArray& out, const QByteArray& name, quint32 crc, quint32 size) const;

    QByteArray archive_;
    QByteArray directory_;
    quint32 count_ = 0;
    quint32 dosTime_ = 0;
    quint32 dosDate_ = 0;
};

} // namespace revora::odt
