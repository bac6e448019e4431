#include "shell/ReportWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include "shell/Database.h"
#include "shell/ReportRenderer.h"

namespace revora {

QIcon SuitcaseIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 40, 15), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(11, 4, 10, 8), 2, 2); // handle
    p.setBrush(QColor(150, 95, 40));
    p.drawRoundedRect(QRectF(3, 9, 26, 19), 3, 3); // case
    p.setPen(QPen(QColor(230, 190, 90), 2));
    p.drawLine(QPointF(3, 17), QPointF(29, 17)); // strap
    p.setBrush(QColor(230, 190, 90));
    p.drawRect(QRectF(14, 15, 4, 5)); // clasp
    return QIcon(pixmap);
}

ReportWindow::ReportWindow(const QString& html, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), html_(html), document_(MakeReportDocument(html)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("ReportWindow");
    setWindowTitle(title);
    resize(820, 900);

    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        document_->print(printer);
    });

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* print = toolbar->addAction(QIcon::fromTheme("document-print"), tr("&Print..."), this,
                                        &ReportWindow::printReport);
    print->setShortcut(QKeySequence::Print);
    QAction* exportAction = toolbar->addAction(SuitcaseIcon(), tr("&Export..."), this, &ReportWindow::exportReport);
    exportAction->setObjectName("exportAction");
    exportAction->setToolTip(tr("Export the report to a PDF, ODT or HTML file"));
    toolbar->addSeparator();
    QAction* zoomIn = toolbar->addAction(QIcon::fromTheme("zoom-in"), tr("Zoom &in"), preview_, [this] { preview_->zoomIn(); });
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = toolbar->addAction(QIcon::fromTheme("zoom-out"), tr("Zoom &out"), preview_, [this] { preview_->zoomOut(); });
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    toolbar->addAction(tr("&Fit width"), preview_, [this] { preview_->fitToWidth(); });
    toolbar->addAction(tr("&Whole page"), preview_, [this] { preview_->fitInView(); });
    toolbar->addSeparator();
    toolbar->addAction(tr("&Close"), this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolbar);
    layout->addWidget(preview_);
    preview_->fitToWidth();
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::printReport()
{
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        document_->print(printer_.get());
}

void ReportWindow::exportReport()
{
    QString filter;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString fileName = QFileDialog::getSaveFileName(
        this, tr("Export report"), folder + "/" + windowTitle().section(' ', 0, 0) + ".pdf",
        tr("PDF document (*.pdf);;OpenDocument text (*.odt);;Web page (*.html)"), &filter);
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += filter.contains("odt") ? ".odt" : filter.contains("html") ? ".html" : ".pdf";
    exportTo(fileName);
}

bool ReportWindow::exportTo(const QString& fileName)
{
    try {
        ExportReport(html_, fileName);
        return true;
    } catch (const StorageError& e) {
        QMessageBox::critical(this, tr("Export"), e.message());
        return false;
    }
}

} // namespace revora
