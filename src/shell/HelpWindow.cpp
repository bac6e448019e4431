#include "shell/HelpWindow.h"

#include <QPdfDocument>
#include <QPdfView>
#include <QResizeEvent>
#include <algorithm>

#include "shell/MainWindow.h"

namespace revora {

HelpWindow::HelpWindow(const QString& documentPath, QWidget* parent)
    : QWidget(parent), document_(new QPdfDocument(this)), viewer_(new QPdfView(this))
{
    setObjectName("frmHelpBrowser");
    setWindowTitle(QStringLiteral("Revora Help"));
    setWindowIcon(ProgramIcon());
    viewer_->setObjectName("brwWebBrowser");
    viewer_->setPageMode(QPdfView::PageMode::MultiPage);
    viewer_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    viewer_->setDocument(document_);
    // Whatever goes wrong in loading leaves an empty viewer; the load result is not shown.
    document_->load(documentPath);
    fitViewer();
}

int HelpWindow::margin() const { return TwipsToPixels(100, logicalDpiX()); }

void HelpWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitViewer();
}

void HelpWindow::fitViewer()
{
    // The margin is shared out evenly around the viewer rather than left all on one side.
    const int m = margin();
    viewer_->setGeometry(m / 2, m / 2, std::max(0, width() - m), std::max(0, height() - m));
}

} // namespace revora
