#include "OdtParts.h"

#include <QAbstractTextDocumentLayout>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>

namespace revora::odt {
namespace {

// One side of a table cell and the format properties that describe it.
struct CellSide {
    const char* name;
    QTextFormat::Property padding;
    QTextFormat::Property border;
    QTextFormat::Property borderStyle;
    QTextFormat::Property borderBrush;
};

constexpr std::array<CellSide, 4> CellSides{{
    {"top", QTextFormat::TableCellTopPadding, QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderStyle,
     QTextFormat::TableCellTopBorderBrush},
    {"bottom", QTextFormat::TableCellBottomPadding, QTextFormat::TableCellBottomBorder,
     QTextFormat::TableCellBottomBorderStyle, QTextFormat::TableCellBottomBorderBrush},
    {"left", QTextFormat::TableCellLeftPadding, QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderStyle,
     QTextFormat::TableCellLeftBorderBrush},
    {"right", QTextFormat::TableCellRightPadding, QTextFormat::TableCellRightBorder,
     QTextFormat::TableCellRightBorderStyle, QTextFormat::TableCellRightBorderBrush},
}};

class ContentWriter {
public:
    ContentWriter(QXmlStreamWriter& xml, StyleSet& styles, const QTextDocument& document, double textWidth)
        : xml_(xml), styles_(styles), document_(document), textWidth_(textWidth),
          layoutPoints_(document.textWidth() > 0 && textWidth > 0 ? textWidth / document.textWidth() : PointsPerUnit)
    {
    }

    void writeItems(QTextFrame::iterator it)
    {
        const bool page = it.parentFrame() == document_.rootFrame();
        double bottom = 0; // of what the page holds so far, in layout units
        for (; !it.atEnd(); ++it) {
            // On the page each item stands as far below the one before as the layout puts it
            // (the layout lets margins overlap, a reader adds them), and an item the layout
            // lays over others takes no room.
            const QRectF extent = page ? Extent(it) : QRectF();
            gapAbove_.reset();
            // A page break the document asks for before an item (one page of several joined
            // into one document) is written on the next paragraph or table that is written,
            // as an empty block that carries it may itself take no room.
            const QTextFormat::PageBreakFlags breaks = it.currentFrame()
                                                           ? it.currentFrame()->frameFormat().pageBreakPolicy()
                                                           : it.currentBlock().blockFormat().pageBreakPolicy();
            breakBefore_ = breakBefore_ || breaks.testFlag(QTextFormat::PageBreak_AlwaysBefore);
            if (page) {
                QTextFrame::iterator next = it;
                ++next;
                const bool hidden = it.currentBlock().isValid() && it.currentBlock().length() <= 1
                                    && (extent.bottom() <= bottom + 0.5
                                        || (!next.atEnd() && next.currentFrame() && Extent(next).top() < extent.bottom() - 0.5));
                if (hidden)
                    continue;
                gapAbove_ = std::max(0.0, extent.top() - bottom) * layoutPoints_;
                bottom = std::max(bottom, extent.bottom());
            }
            if (QTextFrame* frame = it.currentFrame()) {
                if (const auto* table = qobject_cast<QTextTable*>(frame))
                    writeTable(*table);
                else
                    writeItems(frame->begin());
            } else if (it.currentBlock().isValid() && (page || !TakesNoRoom(it))) {
                writeBlock(it.currentBlock());
            }
            breakBefore_ = breakBefore_ || breaks.testFlag(QTextFormat::PageBreak_AlwaysAfter);
        }
    }

private:
    QRectF Extent(QTextFrame::iterator it) const
    {
        QAbstractTextDocumentLayout* layout = document_.documentLayout();
        return it.currentFrame() ? layout->frameBoundingRect(it.currentFrame()) : layout->blockBoundingRect(it.currentBlock());
    }

    // Whether a page break is due before the item being written; it is written once.
    bool takeBreak() { return std::exchange(breakBefore_, false); }

    // In a cell, the empty block the document keeps before and after a table takes no room in
    // the layout (two tables in a row touch), so it is left out rather than become a blank line.
    static bool TakesNoRoom(QTextFrame::iterator it)
    {
        const QTextBlock block = it.currentBlock();
        if (block.length() > 1 || block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
            return false;
        QTextFrame::iterator before = it;
        QTextFrame::iterator after = it;
        ++after;
        const bool tableAfter = !after.atEnd() && qobject_cast<QTextTable*>(after.currentFrame());
        const bool tableBefore = it != it.parentFrame()->begin() && qobject_cast<QTextTable*>((--before).currentFrame());
        return tableAfter || tableBefore;
    }

    void writeBlock(const QTextBlock& block)
    {
        const QTextBlockFormat format = block.blockFormat();
        const Properties blockText = TextProperties(block.charFormat());
        Properties paragraph{
            {QStringLiteral("fo:text-align"), TextAlign(format.alignment())},
            {QStringLiteral("fo:margin-top"), Points(gapAbove_ ? *gapAbove_ : format.topMargin() * PointsPerUnit)},
            {QStringLiteral("fo:margin-bottom"), Points(gapAbove_ ? 0 : format.bottomMargin() * PointsPerUnit)},
            {QStringLiteral("fo:margin-left"),
             Points((format.leftMargin() + format.indent() * document_.indentWidth()) * PointsPerUnit)},
            {QStringLiteral("fo:margin-right"), Points(format.rightMargin() * PointsPerUnit)},
        };
        // Lines as tall as the layout makes them, so pages break where the printout's do.
        if (const QTextLayout* lines = block.layout(); lines && lines->lineCount() > 0) {
            const double height = lines->lineAt(0).height();
            bool even = true;
            for (int i = 1; i < lines->lineCount(); ++i)
                even = even && std::abs(lines->lineAt(i).height() - height) < 0.01;
            if (even && height > 0)
                paragraph.append({QStringLiteral("fo:line-height"), Points(height * layoutPoints_)});
        }
        if (takeBreak())
            paragraph.append({QStringLiteral("fo:break-before"), QStringLiteral("page")});
        if (format.textIndent() != 0)
            paragraph.append({QStringLiteral("fo:text-indent"), Points(format.textIndent() * PointsPerUnit)});
        if (format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
            // The layout draws an <hr> as a thin line under the block in the palette's dark colour.
            paragraph.append({QStringLiteral("fo:border-bottom"),
                              Border(1, QTextFrameFormat::BorderStyle_Solid, QPalette().color(QPalette::Dark))});
        }
        xml_.writeStartElement(QStringLiteral("text:p"));
        xml_.writeAttribute(QStringLiteral("text:style-name"),
                            styles_.nameFor({QStringLiteral("paragraph"),
                                             {{QStringLiteral("style:paragraph-properties"), paragraph},
                                              {QStringLiteral("style:text-properties"), blockText}}}));
        afterSpace_ = true;
        keepLineWhole_ = format.nonBreakableLines();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const Properties text = TextProperties(fragment.charFormat());
            const bool span = text != blockText;
            if (span) {
                xml_.writeStartElement(QStringLiteral("text:span"));
                xml_.writeAttribute(QStringLiteral("text:style-name"),
                                    styles_.nameFor({QStringLiteral("text"), {{QStringLiteral("style:text-properties"), text}}}));
            }
            writeText(fragment.text());
            if (span)
                xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    // OpenDocument collapses runs of spaces and drops them at the start of a line, so every
    // space the layout would show beyond the first of a run is written as <text:s>.
    void writeText(const QString& text)
    {
        QString pending;
        auto flush = [&] {
            if (!pending.isEmpty())
                xml_.writeCharacters(pending);
            pending.clear();
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char(' ') && keepLineWhole_ && i > 0 && !text.at(i - 1).isSpace() && i + 1 < text.size()
                && !text.at(i + 1).isSpace()) {
                // In a line the layout never wraps (white-space: nowrap) a space between two words
                // is written non-breaking, so a reader cannot wrap the line either.
                pending += QChar::Nbsp;
                afterSpace_ = false;
            } else if (c == QLatin1Char(' ')) {
                qsizetype run = 1;
                while (i + run < text.size() && text.at(i + run) == QLatin1Char(' '))
                    ++run;
                i += run - 1;
                if (!afterSpace_) {
                    pending += c;
                    --run;
                }
                if (run > 0) {
                    flush();
                    xml_.writeEmptyElement(QStringLiteral("text:s"));
                    if (run > 1)
                        xml_.writeAttribute(QStringLiteral("text:c"), QString::number(run));
                }
                afterSpace_ = true;
            } else if (c == QLatin1Char('\t') || c == QChar::LineSeparator) {
                flush();
                xml_.writeEmptyElement(c == QLatin1Char('\t') ? QStringLiteral("text:tab") : QStringLiteral("text:line-break"));
                afterSpace_ = true;
            } else if (c.unicode() >= 0x20 && c != QChar::ObjectReplacementCharacter && !c.isNonCharacter()) {
                // Control characters cannot be written in XML; images are not carried over.
                pending += c;
                afterSpace_ = false;
            }
        }
        flush();
    }

    void writeTable(const QTextTable& table)
    {
        const QTextTableFormat format = table.format();
        const QRectF laidOut = document_.documentLayout()->frameBoundingRect(const_cast<QTextTable*>(&table));
        const double width =
            laidOut.width() > 0 ? laidOut.width() * layoutPoints_ : Resolve(format.width(), textWidth_, textWidth_);

        const QList<double> columnWidths = ColumnWidths(table, width);
        const double tableWidth = std::accumulate(columnWidths.begin(), columnWidths.end(), 0.0);

        Properties tableProperties{{QStringLiteral("style:width"), Points(tableWidth)},
                                   {QStringLiteral("table:align"), TextAlign(format.alignment())}};
        if (format.width().type() == QTextLength::PercentageLength && textWidth_ > 0)
            tableProperties.append({QStringLiteral("style:rel-width"),
                                    QString::number(std::clamp(qRound(tableWidth / textWidth_ * 100), 1, 100)) + "%"});
        if (gapAbove_)
            tableProperties.append({QStringLiteral("fo:margin-top"), Points(*gapAbove_)});
        if (takeBreak())
            tableProperties.append({QStringLiteral("fo:break-before"), QStringLiteral("page")});
        // A table's own background shows behind every cell that has none (a shaded box).
        if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
            tableProperties.append({QStringLiteral("fo:background-color"), format.background().color().name()});
        // Cells that touch share their borders, so a rule across a row is one unbroken line.
        if (format.cellSpacing() <= 0 || format.borderCollapse())
            tableProperties.append({QStringLiteral("table:border-model"), QStringLiteral("collapsing")});
        xml_.writeStartElement(QStringLiteral("table:table"));
        xml_.writeAttribute(QStringLiteral("table:name"), QStringLiteral("Table%1").arg(++tableCount_));
        xml_.writeAttribute(
            QStringLiteral("table:style-name"),
            styles_.nameFor({QStringLiteral("table"), {{QStringLiteral("style:table-properties"), tableProperties}}}));

        for (const double columnWidth : columnWidths) {
            xml_.writeEmptyElement(QStringLiteral("table:table-column"));
            xml_.writeAttribute(
                QStringLiteral("table:style-name"),
                styles_.nameFor({QStringLiteral("table-column"),
                                 {{QStringLiteral("style:table-column-properties"),
                                   {{QStringLiteral("style:column-width"), Points(columnWidth)}}}}}));
        }
        // The rows the document marks as the table's heading repeat at the top of every page.
        const int headerRows = std::clamp(format.headerRowCount(), 0, table.rows());
        for (int row = 0; row < table.rows(); ++row) {
            if (row == 0 && headerRows > 0)
                xml_.writeStartElement(QStringLiteral("table:table-header-rows"));
            xml_.writeStartElement(QStringLiteral("table:table-row"));
            for (int column = 0; column < table.columns(); ++column) {
                const QTextTableCell cell = table.cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    xml_.writeEmptyElement(QStringLiteral("table:covered-table-cell"));
                else
                    writeCell(format, cell);
            }
            xml_.writeEndElement();
            if (row + 1 == headerRows)
                xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    void writeCell(const QTextTableFormat& table, const QTextTableCell& cell)
    {
        const QTextTableCellFormat format = cell.format().toTableCellFormat();
        Properties p;
        for (const CellSide& side : CellSides)
            p.append({QStringLiteral("fo:padding-%1").arg(QLatin1String(side.name)),
                      Points(Padding(table, format, side) * PointsPerUnit)});
        for (const CellSide& side : CellSides)
            p.append({QStringLiteral("fo:border-%1").arg(QLatin1String(side.name)), CellBorder(table, format, side)});
        const auto vertical = format.verticalAlignment();
        p.append({QStringLiteral("style:vertical-align"), vertical == QTextCharFormat::AlignMiddle   ? QStringLiteral("middle")
                                                          : vertical == QTextCharFormat::AlignBottom ? QStringLiteral("bottom")
                                                                                                     : QStringLiteral("top")});
        if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
            p.append({QStringLiteral("fo:background-color"), format.background().color().name()});

        xml_.writeStartElement(QStringLiteral("table:table-cell"));
        xml_.writeAttribute(
            QStringLiteral("table:style-name"),
            styles_.nameFor({QStringLiteral("table-cell"), {{QStringLiteral("style:table-cell-properties"), p}}}));
        if (cell.columnSpan() > 1)
            xml_.writeAttribute(QStringLiteral("table:number-columns-spanned"), QString::number(cell.columnSpan()));
        if (cell.rowSpan() > 1)
            xml_.writeAttribute(QStringLiteral("table:number-rows-spanned"), QString::number(cell.rowSpan()));
        xml_.writeAttribute(QStringLiteral("office:value-type"), QStringLiteral("string"));
        writeItems(cell.begin());
        xml_.writeEndElement();
    }

    static double Padding(const QTextTableFormat& table, const QTextTableCellFormat& cell, const CellSide& side)
    {
        return cell.hasProperty(side.padding) ? cell.doubleProperty(side.padding) : table.cellPadding();
    }

    // A side's own border when the cell sets one; otherwise the table's border, which the
    // layout draws around every cell, sunken where the table's is raised.
    static QString CellBorder(const QTextTableFormat& table, const QTextTableCellFormat& cell, const CellSide& side)
    {
        if (cell.hasProperty(side.border) || cell.hasProperty(side.borderStyle))
            return Border(cell.doubleProperty(side.border),
                          static_cast<QTextFrameFormat::BorderStyle>(cell.intProperty(side.borderStyle)),
                          cell.brushProperty(side.borderBrush).color());
        const auto style = table.borderStyle() == QTextFrameFormat::BorderStyle_Outset ? QTextFrameFormat::BorderStyle_Inset
                                                                                      : table.borderStyle();
        return Border(table.border(), style, table.borderBrush().color());
    }

    // A width in points: a fixed length as laid out, a percentage of the whole, `otherwise`
    // for a length that asks for nothing or that no page can hold (negative, not finite, huge).
    static double Resolve(const QTextLength& length, double whole, double otherwise)
    {
        const double value = length.rawValue();
        if (!std::isfinite(value) || value < 0 || value > 100000)
            return otherwise;
        if (length.type() == QTextLength::FixedLength)
            return value * PointsPerUnit;
        if (length.type() == QTextLength::PercentageLength)
            return whole * std::min(value, 100.0) / 100;
        return otherwise;
    }

    // The widths the layout gave the columns: each column runs from where its cells' text
    // starts to where the next column's starts, the last to the table's edge. A column no cell
    // of its own starts (every cell spanned) falls back to the widths the document asks for.
    //
    // Text measures a little wider in a reader than in the layout, so a column exactly as wide
    // as its longest line would break that line, often inside a figure. Each column is made to
    // hold its longest laid-out line with up to 5 % and a point to spare, taking the room from
    // columns that have more than that; a table sized to its text may instead grow, within the
    // page.
    QList<double> ColumnWidths(const QTextTable& table, double tableWidth) const
    {
        const int columns = table.columns();
        QList<double> starts(columns, qInf());
        QList<double> lines(columns, 0);  // the longest line of the column's cells
        QList<double> frames(columns, 0); // and the paddings and borders around it
        for (int row = 0; row < table.rows(); ++row)
            for (int column = 0; column < columns; ++column) {
                const QTextTableCell cell = table.cellAt(row, column);
                if (cell.row() != row || cell.column() != column || cell.columnSpan() != 1)
                    continue;
                const QTextBlock first = cell.firstCursorPosition().block();
                starts[column] = std::min(starts[column], document_.documentLayout()->blockBoundingRect(first).left());
                double line = 0;
                for (QTextBlock block = first; block.isValid() && block.position() <= cell.lastPosition();
                     block = block.next())
                    for (int i = 0; i < block.layout()->lineCount(); ++i)
                        line = std::max(line, block.layout()->lineAt(i).naturalTextWidth());
                const QTextTableCellFormat format = cell.format().toTableCellFormat();
                const double frame = Padding(table.format(), format, CellSides[2])
                                     + Padding(table.format(), format, CellSides[3]) + 2 * table.format().border();
                lines[column] = std::max(lines[column], line * layoutPoints_);
                frames[column] = std::max(frames[column], frame * PointsPerUnit);
            }
        QList<double> widths;
        for (int i = 0; i + 1 < columns; ++i)
            widths << (starts[i + 1] - starts[i]) * layoutPoints_;
        widths << tableWidth - std::accumulate(widths.begin(), widths.end(), 0.0);
        if (!std::all_of(widths.begin(), widths.end(), [](double w) { return std::isfinite(w) && w > 0; }))
            return RequestedWidths(table, tableWidth);

        // The most room to spare that the table can give every column, down to none at all.
        QList<double> needs(columns);
        double lacking = 0;
        double spare = 0;
        for (const double room : {1.05, 1.03, 1.01, 1.0}) {
            lacking = spare = 0;
            for (int i = 0; i < columns; ++i) {
                needs[i] = lines[i] * room + frames[i] + (lines[i] > 0 ? 1 : 0);
                lacking += std::max(0.0, needs[i] - widths[i]);
                spare += std::max(0.0, widths[i] - needs[i]);
            }
            if (lacking <= spare)
                break;
        }
        if (lacking <= 0)
            return widths;
        const double given = std::min(lacking, spare);
        const double grown = table.format().width().type() == QTextLength::VariableLength
                                 ? std::clamp(textWidth_ - tableWidth, 0.0, lacking - given)
                                 : 0;
        for (int i = 0; i < columns; ++i) {
            if (needs[i] > widths[i])
                widths[i] += (needs[i] - widths[i]) * (given + grown) / lacking;
            else if (spare > 0)
                widths[i] -= (widths[i] - needs[i]) * given / spare;
        }
        return widths;
    }

    // What the sized columns leave is shared evenly among the columns that ask for nothing.
    static QList<double> RequestedWidths(const QTextTable& table, double tableWidth)
    {
        const QList<QTextLength> constraints = table.format().columnWidthConstraints();
        QList<double> widths(table.columns(), -1);
        double taken = 0;
        qsizetype shared = 0;
        for (qsizetype i = 0; i < widths.size(); ++i) {
            widths[i] = Resolve(constraints.value(i), tableWidth, -1);
            if (widths[i] < 0)
                ++shared;
            else
                taken += widths[i];
        }
        const double share = shared > 0 ? std::max(0.0, tableWidth - taken) / static_cast<double>(shared) : 0;
        for (double& width : widths)
            if (width < 0)
                width = share;
        return widths;
    }

    QXmlStreamWriter& xml_;
    StyleSet& styles_;
    const QTextDocument& document_;
    double textWidth_;
    double layoutPoints_; // points per unit of the laid-out document's positions and line sizes
    int tableCount_ = 0;
    bool afterSpace_ = true;
    bool keepLineWhole_ = false;
    bool breakBefore_ = false;
    std::optional<double> gapAbove_; // points between the item being written and the one above
};

} // namespace

QByteArray ContentXml(const QTextDocument& document, double textWidth)
{
    // Automatic styles come before the body in the file but are only known once the body has
    // been walked, so the body is walked twice: once to gather the styles, once to write it.
    StyleSet styles;
    {
        QByteArray scratch;
        QXmlStreamWriter xml(&scratch);
        ContentWriter(xml, styles, document, textWidth).writeItems(document.rootFrame()->begin());
    }
    QByteArray out;
    QXmlStreamWriter xml(&out);
    StartRoot(xml, QStringLiteral("office:document-content"));
    xml.writeStartElement(QStringLiteral("office:automatic-styles"));
    styles.write(xml);
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("office:body"));
    xml.writeStartElement(QStringLiteral("office:text"));
    ContentWriter(xml, styles, document, textWidth).writeItems(document.rootFrame()->begin());
    xml.writeEndDocument();
    return out;
}

} // namespace revora::odt
