#include "ReportRenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QSqlField>
#include <QTextDocument>
#include <QTextFrame>
#include <kainjow/mustache.hpp>
#include <optional>
#include <utility>

#include "common/AmountFormat.h"
#include "Database.h"
#include "HtmlExport.h"
#include "OdtWriter.h"
#include "WholeFile.h"

namespace revora {
namespace mustache = kainjow::mustache;

namespace {

// A day number counts days from 30/12/1899; one beyond any calendar prints nothing.
QDate DayNumberDate(qlonglong day)
{
    static const QDate dayZero(1899, 12, 30);
    return day > -1000000 && day < 3000000 ? dayZero.addDays(day) : QDate();
}

std::string DayNumberText(qlonglong day)
{
    const QDate date = DayNumberDate(day);
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")).toStdString() : std::string();
}

void AddRecord(mustache::data& target, const QSqlRecord& record)
{
    mustache::data money{mustache::data::type::object};
    mustache::data rate{mustache::data::type::object};
    mustache::data date{mustache::data::type::object};
    for (int i = 0; i < record.count(); ++i) {
        const std::string name = record.fieldName(i).toStdString();
        const QVariant value = record.value(i);
        std::string plain;
        std::string formatted;
        switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            plain = FormatFullPrecision(value.toDouble());
            formatted = FormatAmount(value.toDouble());
            rate.set(name, FormatAmount(value.toDouble(), 3));
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            plain = std::to_string(value.toLongLong());
            formatted = FormatAmount(static_cast<double>(value.toLongLong()));
            rate.set(name, FormatAmount(static_cast<double>(value.toLongLong()), 3));
            date.set(name, DayNumberText(value.toLongLong()));
            break;
        default:
            plain = value.toString().toStdString();
            formatted = plain;
            break;
        }
        // An empty text is absent: it prints nothing, and a section over it ({{#ODedR1}}...{{/ODedR1}})
        // leaves out the whole line, so a line the print left blank takes no room on the page.
        if (plain.empty()) {
            target.set(name, mustache::data(false));
            money.set(name, mustache::data(false));
            continue;
        }
        target.set(name, plain);
        money.set(name, formatted);
    }
    target.set("money", money);
    target.set("rate", rate);
    target.set("date", date);
}

// Between two joined pages: an empty block that carries the break. The report engine starts
// a new page before it, and the OpenDocument export writes the break on what follows.
const QString PageBreak = QStringLiteral("\n<div style=\"page-break-before: always\"></div>\n");
const QString PagesEnd = QStringLiteral("</body>\n</html>\n");

// A report's joined pages, each a whole report of its own; a report of one page is itself.
QStringList SplitPages(const QString& html)
{
    QStringList parts = html.split(PageBreak);
    if (parts.size() < 2)
        return parts;
    const QString head = parts.first().left(parts.first().indexOf(QLatin1Char('>'),
                                                                  parts.first().indexOf(QLatin1String("<body"))) + 1);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            parts[i].prepend(head);
        if (i + 1 < parts.size())
            parts[i] += PagesEnd;
    }
    return parts;
}

// The text of a field as HTML: markup characters written as references, an apostrophe as
// &#39;, since HTML 4 has no &apos; and a spreadsheet reading the page shows it as it stands
// ("D&apos;Oliveira").
std::string EscapeHtml(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += ch;
        }
    }
    return escaped;
}

std::string ReadTextFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw StorageError(path, QStringLiteral("the report layout is missing."));
    if (!file.open(QIODevice::ReadOnly))
        throw StorageError(path, QStringLiteral("the report layout cannot be read (%1).").arg(file.errorString()));
    return file.readAll().toStdString();
}

} // namespace

ReportLayout LoadReportLayout(const QString& path)
{
    ReportLayout layout;
    layout.path = path;
    layout.templateText = ReadTextFile(path);
    static const QRegularExpression tableLine(QStringLiteral(R"(^\s*<!--\s*revora-table:\s*([A-Za-z0-9_]+)\s*-->)"));
    const auto match = tableLine.match(QString::fromStdString(layout.templateText));
    if (!match.hasMatch())
        throw StorageError(path, QStringLiteral("the report layout does not name its report table."));
    layout.table = match.captured(1);
    // Only the line right after the table line names the rows table.
    static const QRegularExpression rowsLine(QStringLiteral(R"(\s*<!--\s*revora-table-rows:\s*([A-Za-z0-9_]+)\s*-->)"));
    const auto rowsMatch = rowsLine.match(QString::fromStdString(layout.templateText), match.capturedEnd(),
                                          QRegularExpression::NormalMatch,
                                          QRegularExpression::AnchorAtOffsetMatchOption);
    if (rowsMatch.hasMatch())
        layout.rowsTable = rowsMatch.captured(1);
    mustache::mustache check(layout.templateText);
    if (!check.is_valid())
        throw StorageError(path, QStringLiteral("the report layout is damaged (%1).")
                                     .arg(QString::fromStdString(check.error_message())));
    return layout;
}

std::vector<std::pair<std::string, std::string>> TaxYearTexts(const TaxYear& year)
{
    // QDate's formats name the months in English (the C locale), whatever the machine's language.
    const QDate first = DayNumberDate(year.Start);
    const QDate last = DayNumberDate(year.End);
    const QString day = QStringLiteral("d MMMM yyyy");
    // Every layout names the year by its span or by its first and last days: a year the user
    // added is marked after each.
    const std::string mark = AddedHereMark(year);
    return {{"TaxYearFirstDay", first.toString(day).toStdString()},
            {"TaxYearLastDay", last.toString(day).toStdString() + mark},
            {"TaxYearSpan", QStringLiteral("%1/%2").arg(first.year()).arg(last.year()).toStdString() + mark}};
}

QString RenderReportHtml(const ReportLayout& layout, const QList<QSqlRecord>& rows, QDate printedOn,
                         const TaxYear& year)
{
    return RenderReportHtml(layout, rows, rows, printedOn, year);
}

QString RenderReportHtml(const ReportLayout& layout, const QList<QSqlRecord>& rows,
                         const QList<QSqlRecord>& listedRows, QDate printedOn, const TaxYear& year)
{
    mustache::data data{mustache::data::type::object};
    mustache::data list{mustache::data::type::list};
    for (const QSqlRecord& record : listedRows) {
        mustache::data row{mustache::data::type::object};
        AddRecord(row, record);
        list.push_back(row);
    }
    if (!rows.isEmpty())
        AddRecord(data, rows.first());
    data.set("rows", list);
    data.set("PrintedDate", printedOn.toString(QStringLiteral("dd/MM/yyyy")).toStdString());
    for (const auto& [name, text] : TaxYearTexts(year))
        data.set(name, text);

    mustache::mustache tmpl(layout.templateText);
    tmpl.set_custom_escape(EscapeHtml);
    const std::string html = tmpl.render(data);
    if (!tmpl.is_valid())
        throw StorageError(layout.path, QStringLiteral("the report layout could not be rendered (%1).")
                                            .arg(QString::fromStdString(tmpl.error_message())));
    return QString::fromStdString(html);
}

void ReportPages::add(const QString& pageHtml)
{
    const qsizetype open = pageHtml.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    const qsizetype start = open < 0 ? 0 : pageHtml.indexOf(QLatin1Char('>'), open) + 1;
    const qsizetype close = pageHtml.lastIndexOf(QLatin1String("</body>"), -1, Qt::CaseInsensitive);
    const qsizetype end = close < start ? pageHtml.size() : close;
    if (html_.isEmpty()) {
        html_ += QStringView(pageHtml).left(start);
        if (open < 0)
            html_ += QLatin1String("<body>");
    } else {
        html_ += PageBreak;
    }
    html_ += QStringView(pageHtml).mid(start, end - start);
}

QString ReportPages::html() const { return html_.isEmpty() ? html_ : html_ + PagesEnd; }

std::unique_ptr<QTextDocument> MakeReportDocument(const QString& html)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentMargin(0);
    document->setHtml(html);
    return document;
}

QPageLayout ReportPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
}

// Qt's own print draws each page by walking the document from its start, so a report of many
// pages prints in a time that grows with the square of its pages; joined pages are printed a
// page at a time instead, each laid out and drawn as Qt's print draws a document (2 cm inside
// the page's margins, the page's number at its foot), numbered on from page to page.
void PrintReportPages(const QString& html, QPagedPaintDevice& device)
{
    const QStringList parts = SplitPages(html);
    if (parts.size() < 2) {
        MakeReportDocument(html)->print(&device);
        return;
    }
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    // Margins in the layout's units, which it scales from the screen's resolution to the device's.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal sourceDpiX = screen ? qRound(screen->logicalDotsPerInchX()) : 96;
    const qreal sourceDpiY = screen ? qRound(screen->logicalDotsPerInchY()) : 96;
    const int horizontal = int((2 / 2.54) * sourceDpiX);
    const int vertical = int((2 / 2.54) * sourceDpiY);
    const QRectF body(0, 0, device.width(), device.height());
    const QPageRanges chosen = device.pageRanges(); // none chosen: every page
    int number = 0;
    bool started = false;
    for (const QString& part : parts) {
        // Device, page and margins first, so the page is laid out once, as it is read.
        const auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(&device);
        document->setPageSize(body.size());
        document->setDocumentMargin(vertical);
        document->setHtml(part);
        if (horizontal != vertical) {
            QTextFrameFormat frame = document->rootFrame()->frameFormat();
            frame.setLeftMargin(horizontal);
            frame.setRightMargin(horizontal);
            document->rootFrame()->setFrameFormat(frame);
        }
        const QPointF numberAt(body.width() - horizontal * device.logicalDpiX() / sourceDpiX,
                               body.height() - vertical * device.logicalDpiY() / sourceDpiY
                                   + QFontMetrics(document->defaultFont(), &device).ascent()
                                   + 5 * device.logicalDpiY() / 72.0);
        for (int page = 0; page < document->pageCount(); ++page) {
            ++number;
            if (!chosen.isEmpty() && !chosen.contains(number))
                continue;
            if (std::exchange(started, true) && !device.newPage())
                return;
            painter.save();
            painter.translate(0, -page * body.height());
            const QRectF view(0, page * body.height(), body.width(), body.height());
            painter.setClipRect(view);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            context.palette.setColor(QPalette::Text, Qt::black);
            document->documentLayout()->draw(&painter, context);
            painter.setClipping(false);
            painter.setFont(document->defaultFont());
            const QString shown = QString::number(number);
            painter.drawText(qRound(numberAt.x() - painter.fontMetrics().horizontalAdvance(shown)),
                             qRound(numberAt.y() + view.top()), shown);
            painter.restore();
        }
    }
}

ExportFormat ExportFormatFor(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    if (suffix == QLatin1String("odt"))
        return ExportFormat::Odt;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return ExportFormat::Html;
    return ExportFormat::Unknown;
}

namespace {

ExportFormat CheckedExportFormat(const QString& fileName)
{
    const ExportFormat format = ExportFormatFor(fileName);
    if (format == ExportFormat::Unknown)
        throw StorageError(fileName, QStringLiteral("reports are exported as .pdf, .odt or .html files."));
    const QFileInfo folder(QFileInfo(fileName).absolutePath());
    if (!folder.isDir())
        throw StorageError(fileName, QStringLiteral("its folder does not exist."));
    if (!folder.isWritable())
        throw StorageError(fileName, QStringLiteral("its folder is not writable."));
    return format;
}

QByteArray ExportBytes(const QString& html, ExportFormat format)
{
    if (format == ExportFormat::Odt)
        return OdtPackage(*MakeReportDocument(html), ReportPage());
    if (format == ExportFormat::Html)
        return HtmlExportBytes(html);
    // Drawn in memory, so that the file is written, and its every byte checked, in one place.
    QBuffer pdfBytes;
    pdfBytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&pdfBytes);
        pdf.setPageLayout(ReportPage());
        PrintReportPages(html, pdf);
    }
    return pdfBytes.data();
}

StorageError NotWritten(const QString& fileName, const QString& why, const QString& more = {})
{
    return StorageError(fileName, QStringLiteral("the report could not be written (%1).%2").arg(why, more));
}

} // namespace

void ExportReport(const QString& html, const QString& fileName) { ExportReports({{html, fileName}}); }

void ExportReports(const std::vector<ReportFile>& reports)
{
    std::vector<std::unique_ptr<WholeFileWriter>> written;
    for (const ReportFile& report : reports) {
        const QByteArray bytes = ExportBytes(report.html, CheckedExportFormat(report.fileName));
        auto& file = *written.emplace_back(std::make_unique<WholeFileWriter>(report.fileName));
        if (!file.write(bytes))
            throw NotWritten(report.fileName, file.error());
    }
    // Every file is whole beside its place. What each replaces is kept until the last is in
    // place, to be put back should a later one fail: its bytes, or nothing where there was no
    // file; one that cannot be read cannot be put back.
    struct Replaced {
        QString fileName;
        bool readable = true;
        std::optional<QByteArray> bytes;
    };
    std::vector<Replaced> replaced;
    for (std::size_t i = 0; i < reports.size(); ++i) {
        Replaced before{reports[i].fileName, true, std::nullopt};
        if (QFile old(before.fileName); i + 1 < reports.size() && old.exists()) {
            before.readable = old.open(QIODevice::ReadOnly);
            before.bytes = old.readAll();
        }
        if (written[i]->commit()) {
            replaced.push_back(std::move(before));
            continue;
        }
        QStringList restored;
        QStringList kept;
        for (const Replaced& other : replaced) {
            const bool back = other.readable
                              && (other.bytes ? WriteWholeFile(other.fileName, *other.bytes) : QFile::remove(other.fileName));
            (back ? restored : kept) << QDir::toNativeSeparators(other.fileName);
        }
        QString more;
        if (!restored.isEmpty())
            more += QStringLiteral(" %1 is as it was before.").arg(restored.join(QStringLiteral(", ")));
        if (!kept.isEmpty())
            more += QStringLiteral(" %1 was written and could not be put back as it was.").arg(kept.join(QStringLiteral(", ")));
        throw NotWritten(before.fileName, written[i]->error(), more);
    }
}

void PrintReport(const QString& html, const QString& printerName, const QString& documentName)
{
    const QString name = printerName.isEmpty() ? QPrinterInfo::defaultPrinterName() : printerName;
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (name.isEmpty() || info.isNull())
        throw PrintError(QStringLiteral("No printer is installed. Add a printer, or view the report and export it."));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageLayout(ReportPage());
    printer.setDocName(documentName);
    if (!printer.isValid())
        throw PrintError(QStringLiteral("The printer %1 cannot be used.").arg(name));
    PrintReportPages(html, printer);
}

} // namespace revora
