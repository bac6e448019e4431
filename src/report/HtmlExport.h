#pragma once
// The report as a web page file, as a browser and a spreadsheet read it.

#include <QByteArray>
#include <QString>

namespace revora {

// The .html file of a rendered report: a page in the browsers' standards mode (the HTML
// doctype first) that declares its UTF-8 (the layouts' meta, added when a page lacks it), and
// whose text a spreadsheet never takes for a formula. LibreOffice Calc, opening the page, reads
// a cell beginning with "=", "+", "-" or "@" as a formula: a name "=1+2" would show 3 and
// "=HYPERLINK(...)" a link. Such a cell carries Calc's text number format (sdnum="1033;0;@"),
// under which Calc shows exactly the cell's text. A cell that is a plain number ("-5.00", "+3")
// stays a number.
QByteArray HtmlExportBytes(const QString& html);

} // namespace revora
