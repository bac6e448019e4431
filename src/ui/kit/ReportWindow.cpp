#include "ReportWindow.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "Database.h"
#include "ReportRenderer.h"
#include "common/ReportRow.h"

namespace revora {

namespace {

// The folder the last export went to, kept while the program runs.
QString& LastExportFolder()
{
    static QString folder;
    return folder;
}

// The program's own name, which the PAYE layouts carry as their title: it names no report.
const QString ProgramName = QStringLiteral("Revora 2016");

} // namespace

QString ExportFolder()
{
    if (!LastExportFolder().isEmpty() && QFileInfo(LastExportFolder()).isDir())
        return LastExportFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString ExportBaseName(const QString& layoutTitle, const QString& windowTitle, QDate day)
{
    QString name = layoutTitle.simplified();
    if (name.isEmpty() || name == ProgramName)
        name = windowTitle.section(QStringLiteral(" - "), 0, 0);
    // Only characters every file system takes in a name.
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    name = name.replace(unsafe, QStringLiteral(" ")).simplified();
    if (name.isEmpty())
        name = QStringLiteral("Report");
    return name + QLatin1Char(' ') + day.toString(QStringLiteral("yyyy-MM-dd"));
}

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
    : QWidget(parent, Qt::Window), html_(html),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("ReportWindow");
    // Every window is titled after the report it shows: one printed without a title of its
    // own (a loan without its schedule) takes its layout's, never the last window's.
    if (!title.isEmpty()) {
        setWindowTitle(title);
    } else {
        const QString own = document().metaInformation(QTextDocument::DocumentTitle).simplified();
        setWindowTitle((own.isEmpty() || own == ProgramName ? QStringLiteral("Report") : own) +
                       QString::fromUtf8(ExportHint));
    }
    resize(820, 900);

    printer_->setPageLayout(ReportPage());
    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    // A run's payslips are hundreds of pages: they are drawn a page at a time.
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { PrintReportPages(html_, *printer); });

    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Every action has a key, shown in its tooltip, and its button takes the Tab key, so the
    // window is worked from the keyboard alone.
    auto add = [this, toolbar](const QIcon& icon, const QString& text, const QString& tip,
                               const QList<QKeySequence>& keys, auto slot) {
        QAction* action = toolbar->addAction(icon, text, this, slot);
        action->setShortcuts(keys);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(tip, keys.first().toString(QKeySequence::NativeText)));
        toolbar->widgetForAction(action)->setFocusPolicy(Qt::TabFocus);
        return action;
    };
    add(QIcon::fromTheme("document-print"), tr("&Print..."), tr("Print the report"), {QKeySequence::Print},
        &ReportWindow::printReport);
    add(SuitcaseIcon(), tr("&Export..."), tr("Export the report to a PDF, ODT or HTML file"),
        {QKeySequence(Qt::CTRL | Qt::Key_E)}, &ReportWindow::exportReport)
        ->setObjectName("exportAction");
    toolbar->addSeparator();
    add(QIcon::fromTheme("zoom-in"), tr("Zoom &in"), tr("Zoom in"),
        {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { preview_->zoomIn(); });
    add(QIcon::fromTheme("zoom-out"), tr("Zoom &out"), tr("Zoom out"), {QKeySequence::ZoomOut},
        [this] { preview_->zoomOut(); });
    add(QIcon::fromTheme("zoom-fit-width"), tr("&Fit width"), tr("Fit the page width to the window"),
        {QKeySequence(Qt::CTRL | Qt::Key_1)}, [this] { preview_->fitToWidth(); });
    add(QIcon::fromTheme("zoom-fit-best"), tr("&Whole page"), tr("Show the whole page"),
        {QKeySequence(Qt::CTRL | Qt::Key_2)}, [this] { preview_->fitInView(); });
    toolbar->addSeparator();
    add(QIcon::fromTheme("window-close"), tr("&Close"), tr("Close the report"),
        {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}, &QWidget::close)
        ->setObjectName("closeAction");

    status_ = new QStatusBar(this);
    status_->setObjectName("statusBar");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(preview_);
    layout->addWidget(status_);
    preview_->fitToWidth();
    preview_->setFocus();
}

void ReportWindow::placeOver(const QWidget* owner)
{
    const QRect area = (owner ? owner->screen() : screen())->availableGeometry();
    // Room for the title bar and borders the window manager adds around the window.
    const QSize decoration(16, 48);
    const QSize size = QSize(820, 900).boundedTo(area.size() - decoration);
    resize(size);
    QRect frame(QPoint(), size + decoration);
    frame.moveCenter(owner ? owner->frameGeometry().center() : area.center());
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    move(frame.topLeft());
}

ReportWindow::~ReportWindow() = default;

const QTextDocument& ReportWindow::document() const
{
    if (!document_)
        document_ = MakeReportDocument(html_);
    return *document_;
}

void ReportWindow::printReport()
{
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        PrintReportPages(html_, *printer_);
}

QString ReportWindow::suggestedExportPath() const
{
    return ExportFolder() + QLatin1Char('/') +
           ExportBaseName(document().metaInformation(QTextDocument::DocumentTitle), windowTitle(),
                          QDate::currentDate()) +
           QStringLiteral(".pdf");
}

void ReportWindow::exportReport()
{
    QString filter;
    QString fileName = QFileDialog::getSaveFileName(
        this, tr("Export report"), suggestedExportPath(),
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
        LastExportFolder() = QFileInfo(fileName).absolutePath();
        status_->showMessage(tr("Saved report to %1").arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath())));
        return true;
    } catch (const StorageError& e) {
        QMessageBox::critical(this, tr("Export"), e.message());
        return false;
    }
}

} // namespace revora
