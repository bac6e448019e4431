#include "OdtWriter.h"

#include "OdtParts.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPdfWriter>
#include <QTextDocument>
#include <QXmlStreamWriter>
#include <memory>
#include <utility>

namespace revora {
namespace {

QByteArray ManifestXml()
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument();
    xml.writeNamespace(QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"), QStringLiteral("manifest"));
    xml.writeStartElement(QStringLiteral("manifest:manifest"));
    xml.writeAttribute(QStringLiteral("manifest:version"), QStringLiteral("1.2"));
    const std::pair<const char*, const char*> entries[] = {
        {"/", "application/vnd.oasis.opendocument.text"}, {"content.xml", "text/xml"}, {"styles.xml", "text/xml"}};
    for (const auto& [path, type] : entries) {
        xml.writeEmptyElement(QStringLiteral("manifest:file-entry"));
        xml.writeAttribute(QStringLiteral("manifest:full-path"), QLatin1String(path));
        xml.writeAttribute(QStringLiteral("manifest:media-type"), QLatin1String(type));
        if (QLatin1String(path) == QLatin1String("/"))
            xml.writeAttribute(QStringLiteral("manifest:version"), QStringLiteral("1.2"));
    }
    xml.writeEndDocument();
    return out;
}

} // namespace

QByteArray OdtPackage(const QTextDocument& document, const QPageLayout& page)
{
    odt::StoredZip zip;
    zip.add("mimetype", "application/vnd.oasis.opendocument.text");
    // Column widths and line heights are read from the document laid out as it prints: on a
    // PDF page, whose fonts measure as they print, at the width of the printed text.
    QBuffer discard;
    discard.open(QIODevice::WriteOnly);
    QPdfWriter printed(&discard);
    printed.setPageLayout(page);
    const std::unique_ptr<QTextDocument> laidOut(document.clone());
    laidOut->setDocumentMargin(document.documentMargin());
    laidOut->documentLayout()->setPaintDevice(&printed);
    laidOut->setTextWidth(odt::TextWidthPoints(page) * printed.resolution() / 72.0);
    zip.add("content.xml", odt::ContentXml(*laidOut, odt::TextWidthPoints(page)));
    zip.add("styles.xml", odt::StylesXml(*laidOut, page));
    zip.add("META-INF/manifest.xml", ManifestXml());
    return zip.finish();
}

} // namespace revora
