#pragma once
// Report layouts are HTML mustache templates. The first line of a layout names the report
// table it is built over:
//     <!-- revora-table: kwiktax -->
// The renderer gives the template the fields of the table's first row by name, the same
// fields formatted "### ### ##0.00" under money (money.TAXINCOME), numbers with three decimals
// under rate (rate.IntRate), whole numbers as the day numbers they are in some tables (days
// from 30/12/1899) under date as "dd/mm/yyyy" (date.StartDate), every row under rows,
// PrintedDate ("dd/mm/yyyy") and the tax year the report is of (TaxYearTexts). Values are
// HTML-escaped by {{ }}; layouts never use {{{ }}}.
// A section {{#Field}}...{{/Field}} shows only when the field is not an empty text.
// A second line may name another table whose rows are listed under rows instead, for a
// printout of figures over a table of lines (the loan over its schedule):
//     <!-- revora-table-rows: Amort -->

#include <QDate>
#include <QList>
#include <QPageLayout>
#include <QSqlRecord>
#include <QString>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tax/TaxYearRules.h"

class QPagedPaintDevice;
class QTextDocument;

namespace revora {

struct ReportLayout {
    QString path;
    QString table;
    QString rowsTable; // the table listed under rows; empty: table
    std::string templateText;
};

// Reads a layout file; StorageError naming the file when it is missing, unreadable, names
// no table or is not a valid template.
ReportLayout LoadReportLayout(const QString& path);

// The tax year a report is of, as the layouts print it, each text under its name:
//   TaxYearFirstDay  "1 March 2015"      the year's first day
//   TaxYearLastDay   "29 February 2016"  its last day (28 or 29 February)
//   TaxYearSpan      "2015/2016"         the calendar years of the first and the last day
// A year the user added (TaxYear::AddedHere) has " (added here)" after its last day and its span.
// A layout writes no year of its own, so every printout names the year its figures were
// worked in. The days are printed only by layouts in English; the payslips, in English or
// Afrikaans, print the span, the same in both.
std::vector<std::pair<std::string, std::string>> TaxYearTexts(const TaxYear& year);

// `year`: the tax year the report is of; 2016, the year the program knows, when not given.
QString RenderReportHtml(const ReportLayout& layout, const QList<QSqlRecord>& rows, QDate printedOn,
                         const TaxYear& year = TaxYear2016());

// The same for a layout that names a rows table: the first row of rows gives the fields,
// listedRows (the rows table's) are listed under rows.
QString RenderReportHtml(const ReportLayout& layout, const QList<QSqlRecord>& rows,
                         const QList<QSqlRecord>& listedRows, QDate printedOn, const TaxYear& year = TaxYear2016());

// The page every report is laid out on, A4 with 18 mm margins, whether exported, printed or
// previewed, so the preview shows the pages the export and the printer make.
QPageLayout ReportPage();

// Lays the rendered HTML out as an A4 document.
std::unique_ptr<QTextDocument> MakeReportDocument(const QString& html);

// Pages that each begin a new page, joined into one report (a payroll run's payslips): the
// first page's head (its styles, the same on every page) once, then every page's body, each
// after the first behind a page break. A page without a body tag is body throughout.
class ReportPages {
public:
    void add(const QString& pageHtml);
    // The joined report; empty when no page was added.
    QString html() const;

private:
    QString html_;
};

// Draws the report on a printer's, a PDF's or a print preview's pages as QTextDocument::print
// does, and a report of joined pages a page at a time, in a time that grows with its pages.
void PrintReportPages(const QString& html, QPagedPaintDevice& device);

enum class ExportFormat { Pdf, Odt, Html, Unknown };

// The export format a file name's ending asks for (.pdf, .odt, .html or .htm).
ExportFormat ExportFormatFor(const QString& fileName);

// Writes the report to a .pdf, .odt or .html file (by its ending), whole or not at all: an
// existing file is replaced only by a complete new one. StorageError on failure, naming the
// file and saying why (its folder does not exist or is not writable, the disk is full).
void ExportReport(const QString& html, const QString& fileName);

struct ReportFile {
    QString html;
    QString fileName;
};
// Writes reports that belong together (a payroll run's summary and its payslips) all or none:
// each is written whole beside its file first, and only when every one is do they replace
// their files. Should one then fail to take its file's place, those already in place are put
// back as they were, as far as the disk allows, and the StorageError says whether they were.
void ExportReports(const std::vector<ReportFile>& reports);

// A printer that cannot be had; the message is fit to show the user.
class PrintError : public std::runtime_error {
public:
    explicit PrintError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};
// Sends the report to the named printer, or to the default one when the name is empty; the
// job carries the document name in the print queue. PrintError when there is no printer.
void PrintReport(const QString& html, const QString& printerName, const QString& documentName);

} // namespace revora
