#pragma once
// The report window: the printout as pages, with print, zoom and export.

#include <QWidget>
#include <memory>

class QDate;
class QPrinter;
class QPrintPreviewWidget;
class QStatusBar;
class QTextDocument;

namespace revora {

class ReportWindow : public QWidget {
    Q_OBJECT
public:
    // An empty `title`: the title of the report's layout, with the export hint.
    ReportWindow(const QString& html, const QString& title, QWidget* parent = nullptr);
    ~ReportWindow() override;

    const QString& html() const { return html_; }
    // The printout as a document, made when first asked for: a run's payslips are a
    // thousand pages, which the preview draws a page at a time without it.
    const QTextDocument& document() const;

    // Sized to fit the available screen area, centred on the owner (the main window).
    void placeOver(const QWidget* owner);

    // Writes the report to a file chosen by the user (.pdf, .odt or .html), offered as
    // ExportBaseName of today's date, as a PDF, in ExportFolder().
    void exportReport();
    QString suggestedExportPath() const;
    // Exports to the file name given, telling the user when it fails and where it wrote
    // when it succeeds.
    bool exportTo(const QString& fileName);
    void printReport();

private:
    QString html_;
    mutable std::unique_ptr<QTextDocument> document_;
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* preview_;
    QStatusBar* status_;
};

// Where the export dialog opens: the folder the last export went to while the program runs,
// else the user's documents folder, or home when there is none.
QString ExportFolder();

// The name an export is offered under: the report's own name, then the day as yyyy-MM-dd
// ("Full use of Company Car 2016-12-09"). The name is the layout's title, or the report
// window's title without the export hint when the layout carries only the program's name;
// characters a file name cannot hold become spaces.
QString ExportBaseName(const QString& layoutTitle, const QString& windowTitle, QDate day);

// The suitcase on the export button.
QIcon SuitcaseIcon();

} // namespace revora
