#pragma once
// The OpenDocument text export. Qt's own "odf" writer puts each block of a table cell in a
// cell of its own and drops rules and cell borders, so reports are written here instead, from
// the laid-out document: paragraphs with their alignment, margins and character formats,
// <hr> rules as bottom borders, and tables with their widths, paddings, spans and per-side
// cell borders. Every block of a cell stays in that cell.

#include <QByteArray>

class QPageLayout;
class QTextDocument;

namespace revora {

// The whole .odt file (a stored, uncompressed zip) for the document on the given page.
QByteArray OdtPackage(const QTextDocument& document, const QPageLayout& page);

} // namespace revora
