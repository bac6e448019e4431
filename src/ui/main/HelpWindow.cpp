#include "HelpWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfLink>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfSelection>
#include <QPdfView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "ProgramWindow.h"

namespace revora {

namespace {

constexpr int PageRole = static_cast<int>(QPdfBookmarkModel::Role::Page);
constexpr double SmallestZoom = 0.25;
constexpr double LargestZoom = 6.0;
constexpr double ZoomStep = 1.25;
// The contents begin among the first pages of the document and run on until the page of the
// first heading they list; the rest is not read for them.
constexpr int ContentsPagesLookedAt = 8;

// Draws the marks over the viewer's pages; it lets every mouse event through to the viewer.
class Marks : public QWidget {
public:
    Marks(QWidget* parent, std::function<void(QPainter&)> paint) : QWidget(parent), paint_(std::move(paint))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paint_(painter);
    }

private:
    std::function<void(QPainter&)> paint_;
};

QPushButton* Button(const QString& text, const QString& name, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

QList<HelpHeading> ContentsPageHeadings(const QString& pageText, int pageCount)
{
    static const QRegularExpression entry(QStringLiteral("^(.*\\w.*?)\\s+(\\d{1,5})$"));
    static const QRegularExpression footer(QStringLiteral("\\bPage \\d+ of \\d+$"));
    QList<HelpHeading> headings;
    for (const QString& raw : pageText.split(QRegularExpression(QStringLiteral("[\r\n]+")))) {
        const QString line = raw.trimmed();
        const QRegularExpressionMatch match = entry.match(line);
        if (!match.hasMatch() || footer.match(line).hasMatch())
            continue;
        const int printed = match.captured(2).toInt();
        if (printed < 1 || printed > pageCount)
            continue;
        QString title = match.captured(1).trimmed();
        const bool section = title.startsWith(QChar(0x2013));
        if (section)
            title = title.mid(1).trimmed();
        headings.append({title, printed - 1, section});
    }
    return headings;
}

HelpWindow::HelpWindow(const QString& documentPath, QWidget* parent)
    : QWidget(parent),
      document_(new QPdfDocument(this)),
      viewer_(new QPdfView(this)),
      bookmarks_(new QPdfBookmarkModel(this)),
      headings_(new QStandardItemModel(this)),
      search_(new QPdfSearchModel(this)),
      contentsView_(new QTreeView(this)),
      pageBox_(new QSpinBox(this)),
      pageCount_(new QLabel(this)),
      previousPage_(Button(QStringLiteral("Pr&evious"), "cmdPreviousPage", QStringLiteral("Previous page (Ctrl+Page Up)"), this)),
      nextPage_(Button(QStringLiteral("Ne&xt"), "cmdNextPage", QStringLiteral("Next page (Ctrl+Page Down)"), this)),
      zoomIn_(Button(QStringLiteral("Zoom &in"), "cmdZoomIn", QStringLiteral("Zoom in (Ctrl++)"), this)),
      zoomOut_(Button(QStringLiteral("Zoom o&ut"), "cmdZoomOut", QStringLiteral("Zoom out (Ctrl+-)"), this)),
      fitWidth_(Button(QStringLiteral("Fit &width"), "cmdFitWidth", QStringLiteral("Fit the page width (Ctrl+0)"), this)),
      findBox_(new QLineEdit(this)),
      findNext_(Button(QStringLiteral("&Next match"), "cmdFindNext", QStringLiteral("Next match (F3)"), this)),
      findPrevious_(Button(QStringLiteral("Previous m&atch"), "cmdFindPrevious", QStringLiteral("Previous match (Shift+F3)"), this)),
      status_(new QLabel(this)),
      marks_(nullptr)
{
    setObjectName("frmHelpBrowser");
    setWindowTitle(QStringLiteral("Revora Help"));
    setWindowIcon(ProgramIcon());
    setUpViewer();
    QLabel* contentsLabel = setUpContents();
    QLabel* pageLabel = setUpPaging();
    QLabel* findLabel = setUpFind();
    addShortcuts();
    layOut(contentsLabel, pageLabel, findLabel);
    setTabOrders();

    // Whatever goes wrong in loading leaves an empty viewer; the load result is not shown.
    document_->load(documentPath);
    documentLoaded();
}

// The viewer with the marks over the search result shown; the outline and the search read the
// same document.
void HelpWindow::setUpViewer()
{
    viewer_->setObjectName("brwWebBrowser");
    viewer_->setPageMode(QPdfView::PageMode::MultiPage);
    viewer_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    viewer_->setDocument(document_);
    viewer_->setFocusPolicy(Qt::StrongFocus);
    marks_ = new Marks(viewer_->viewport(), [this](QPainter& painter) {
        if (hit_ < 0 || hit_ >= search_->rowCount({}))
            return;
        const QPdfLink hit = search_->resultAtIndex(hit_);
        const QRect page = pageRect(hit.page());
        const double scale = pixelsPerPoint();
        const QPoint origin =
            page.topLeft() - QPoint(viewer_->horizontalScrollBar()->value(), viewer_->verticalScrollBar()->value());
        painter.setPen(QPen(QColor(200, 120, 0), 1));
        painter.setBrush(QColor(255, 200, 0, 90));
        for (const QRectF& r : hit.rectangles())
            painter.drawRect(QRectF(origin + r.topLeft() * scale, r.size() * scale).adjusted(-2, -1, 2, 1));
    });
    viewer_->viewport()->installEventFilter(this);
    for (QScrollBar* bar : {viewer_->verticalScrollBar(), viewer_->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, marks_, qOverload<>(&QWidget::update));

    bookmarks_->setDocument(document_);
    search_->setDocument(document_);
}

QLabel* HelpWindow::setUpContents()
{
    auto* label = new QLabel(QStringLiteral("C&ontents"), this);
    label->setBuddy(contentsView_);
    contentsView_->setObjectName("tvwContents");
    contentsView_->setHeaderHidden(true);
    contentsView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    contentsView_->setUniformRowHeights(true);
    connect(contentsView_, &QTreeView::clicked, this, &HelpWindow::openHeading);
    connect(contentsView_, &QTreeView::activated, this, &HelpWindow::openHeading);
    return label;
}

QLabel* HelpWindow::setUpPaging()
{
    auto* label = new QLabel(QStringLiteral("&Page:"), this);
    label->setBuddy(pageBox_);
    pageBox_->setObjectName("spnPage");
    pageBox_->setKeyboardTracking(false);
    pageBox_->setAccelerated(true);
    pageCount_->setObjectName("lblPageCount");
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int page) {
        if (page - 1 != currentPage())
            goToPage(page - 1);
    });
    connect(previousPage_, &QPushButton::clicked, this, [this] { goToPage(currentPage() - 1); });
    connect(nextPage_, &QPushButton::clicked, this, [this] { goToPage(currentPage() + 1); });
    connect(viewer_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, &HelpWindow::showPage);
    connect(zoomIn_, &QPushButton::clicked, this, [this] { zoomBy(ZoomStep); });
    connect(zoomOut_, &QPushButton::clicked, this, [this] { zoomBy(1 / ZoomStep); });
    connect(fitWidth_, &QPushButton::clicked, this, &HelpWindow::fitWidth);
    return label;
}

QLabel* HelpWindow::setUpFind()
{
    auto* label = new QLabel(QStringLiteral("Fin&d:"), this);
    label->setBuddy(findBox_);
    findBox_->setObjectName("txtFind");
    findBox_->setClearButtonEnabled(true);
    findBox_->setPlaceholderText(QStringLiteral("a word in the help"));
    connect(findBox_, &QLineEdit::textChanged, this, [this](const QString& text) {
        hit_ = -1;
        marks_->update();
        search_->setSearchString(text.trimmed());
        status_->clear();
        updateControls();
    });
    connect(findBox_, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    connect(findNext_, &QPushButton::clicked, this, &HelpWindow::findNext);
    connect(findPrevious_, &QPushButton::clicked, this, &HelpWindow::findPrevious);
    status_->setObjectName("lblStatus");
    status_->setTextFormat(Qt::PlainText);
    // A long line is cut at the window's edge rather than widening the window.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

void HelpWindow::addShortcuts()
{
    // The keys a reader expects, for this window only (not the calculators beside it).
    const auto key = [this](const QList<QKeySequence>& keys, const std::function<void()>& act) {
        for (const QKeySequence& sequence : keys) {
            auto* shortcut = new QShortcut(sequence, this);
            shortcut->setContext(Qt::WidgetWithChildrenShortcut);
            connect(shortcut, &QShortcut::activated, this, act);
        }
    };
    key({QKeySequence::Find}, [this] { startFind(); });
    key({QKeySequence(Qt::Key_F3)}, [this] { findNext(); });
    key({QKeySequence(Qt::SHIFT | Qt::Key_F3)}, [this] { findPrevious(); });
    key({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] { zoomBy(ZoomStep); });
    key({QKeySequence::ZoomOut}, [this] { zoomBy(1 / ZoomStep); });
    key({QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { fitWidth(); });
    key({QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, [this] { goToPage(currentPage() - 1); });
    key({QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, [this] { goToPage(currentPage() + 1); });
}

void HelpWindow::layOut(QLabel* contentsLabel, QLabel* pageLabel, QLabel* findLabel)
{
    auto* tools = new QHBoxLayout;
    tools->addWidget(pageLabel);
    tools->addWidget(pageBox_);
    tools->addWidget(pageCount_);
    tools->addWidget(previousPage_);
    tools->addWidget(nextPage_);
    tools->addSpacing(12);
    tools->addWidget(zoomIn_);
    tools->addWidget(zoomOut_);
    tools->addWidget(fitWidth_);
    tools->addStretch(1);
    // Finding has a row of its own, so both rows fit a window on a small display.
    auto* find = new QHBoxLayout;
    find->addWidget(findLabel);
    find->addWidget(findBox_, 1);
    find->addWidget(findNext_);
    find->addWidget(findPrevious_);

    auto* contentsPane = new QWidget(this);
    auto* contentsLayout = new QVBoxLayout(contentsPane);
    contentsLayout->setContentsMargins(0, 0, 0, 0);
    contentsLayout->addWidget(contentsLabel);
    contentsLayout->addWidget(contentsView_);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName("splHelp");
    splitter->addWidget(contentsPane);
    splitter->addWidget(viewer_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 600});
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(this);
    // The margin is shared out evenly round the panes rather than left all on one side.
    const int m = margin() / 2;
    layout->setContentsMargins(m, m, m, m);
    layout->addLayout(tools);
    layout->addLayout(find);
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);
}

void HelpWindow::setTabOrders()
{
    setTabOrder(contentsView_, pageBox_);
    setTabOrder(pageBox_, previousPage_);
    setTabOrder(previousPage_, nextPage_);
    setTabOrder(nextPage_, zoomIn_);
    setTabOrder(zoomIn_, zoomOut_);
    setTabOrder(zoomOut_, fitWidth_);
    setTabOrder(fitWidth_, findBox_);
    setTabOrder(findBox_, findNext_);
    setTabOrder(findNext_, findPrevious_);
    setTabOrder(findPrevious_, viewer_);
}

QAbstractItemModel* HelpWindow::contents() const
{
    return contentsView_->model();
}

int HelpWindow::margin() const { return TwipsToPixels(100, logicalDpiX()); }

HelpWindow::~HelpWindow()
{
    // The document closes as the children go, after this window's own part is gone, and the
    // viewer answers its closing by moving to page 0: that must no longer reach this window.
    viewer_->pageNavigator()->disconnect(this);
}

void HelpWindow::documentLoaded()
{
    const int pages = document_->pageCount();
    pageBox_->setRange(pages > 0 ? 1 : 0, pages);
    pageCount_->setText(QStringLiteral("of %1").arg(pages));
    buildContents();
    showPage(currentPage());
    viewer_->setFocus();
}

void HelpWindow::buildContents()
{
    // A document with an outline lists it; one without lists the headings its contents page names.
    if (bookmarks_->rowCount() > 0) {
        contentsView_->setModel(bookmarks_);
        contentsView_->setRootIsDecorated(true);
        return;
    }
    headings_->clear();
    int firstHeadingPage = -1; // the contents end where the first heading they list begins
    QStandardItem* chapter = nullptr;
    for (int page = 0; page < std::min(document_->pageCount(), ContentsPagesLookedAt); ++page) {
        if (firstHeadingPage >= 0 && page >= firstHeadingPage)
            break;
        const QString text = document_->getAllText(page).text();
        if (firstHeadingPage < 0 && !text.trimmed().startsWith(QStringLiteral("Contents")))
            continue;
        for (const HelpHeading& heading : ContentsPageHeadings(text, document_->pageCount())) {
            if (firstHeadingPage < 0)
                firstHeadingPage = heading.page;
            auto* item = new QStandardItem(heading.title);
            item->setData(heading.page, PageRole);
            item->setToolTip(QStringLiteral("%1 (page %2)").arg(heading.title).arg(heading.page + 1));
            if (heading.section && chapter) {
                chapter->appendRow(item);
            } else {
                headings_->appendRow(item);
                chapter = item;
            }
        }
    }
    contentsView_->setModel(headings_);
    // The chapters open to their sections.
    contentsView_->setRootIsDecorated(true);
}

void HelpWindow::openHeading(const QModelIndex& index)
{
    const QVariant page = index.data(PageRole);
    if (page.isValid())
        goToPage(page.toInt());
}

int HelpWindow::currentPage() const
{
    return viewer_->pageNavigator()->currentPage();
}

void HelpWindow::goToPage(int page)
{
    if (document_->pageCount() == 0)
        return;
    scrollTo(std::clamp(page, 0, document_->pageCount() - 1), 0);
}

void HelpWindow::showPage(int page)
{
    if (document_->pageCount() > 0) {
        const QSignalBlocker quiet(pageBox_);
        pageBox_->setValue(page + 1);
    }
    updateControls();
}

double HelpWindow::pixelsPerPoint() const
{
    return effectiveZoom() * viewer_->logicalDpiY() / 72.0;
}

double HelpWindow::effectiveZoom() const
{
    if (viewer_->zoomMode() == QPdfView::ZoomMode::FitToWidth && document_->pageCount() > 0) {
        // The viewer fits the page's natural width, in screen pixels, to its own less the margins.
        const QMargins margins = viewer_->documentMargins();
        const double natural = document_->pagePointSize(0).width() * viewer_->logicalDpiX() / 72.0;
        if (natural > 0)
            return (viewer_->viewport()->width() - margins.left() - margins.right()) / natural;
    }
    return viewer_->zoomFactor();
}

QRect HelpWindow::pageRect(int page) const
{
    // The viewer stacks the pages top to bottom, spaced and centred across its width.
    const double scale = pixelsPerPoint();
    const QMargins margins = viewer_->documentMargins();
    int widest = 0;
    int y = margins.top();
    QSize size;
    for (int p = 0; p < document_->pageCount() && p <= page; ++p) {
        size = (document_->pagePointSize(p) * scale).toSize();
        widest = std::max(widest, size.width());
        if (p < page)
            y += size.height() + viewer_->pageSpacing();
    }
    for (int p = page + 1; p < document_->pageCount(); ++p)
        widest = std::max(widest, (document_->pagePointSize(p) * scale).toSize().width());
    const int total = widest + margins.left() + margins.right();
    return {QPoint((std::max(total, viewer_->viewport()->width()) - size.width()) / 2, y), size};
}

void HelpWindow::scrollTo(int page, double yPoints)
{
    const int top = pageRect(page).top();
    const int offset = yPoints > 0 ? static_cast<int>(yPoints * pixelsPerPoint()) - viewer_->viewport()->height() / 3 : 0;
    viewer_->verticalScrollBar()->setValue(top + std::max(0, offset));
    showPage(currentPage());
}

void HelpWindow::zoomBy(double factor)
{
    if (document_->pageCount() == 0)
        return;
    // The page read stays in view at the new size.
    const int page = currentPage();
    const double zoom = std::clamp(effectiveZoom() * factor, SmallestZoom, LargestZoom);
    viewer_->setZoomMode(QPdfView::ZoomMode::Custom);
    viewer_->setZoomFactor(zoom);
    goToPage(page);
    marks_->update();
}

void HelpWindow::fitWidth()
{
    const int page = currentPage();
    viewer_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    goToPage(page);
    marks_->update();
}

void HelpWindow::startFind()
{
    findBox_->setFocus(Qt::ShortcutFocusReason);
    findBox_->selectAll();
}

void HelpWindow::findNext() { findStep(1); }
void HelpWindow::findPrevious() { findStep(-1); }

void HelpWindow::findStep(int step)
{
    const QString wanted = findBox_->text().trimmed();
    if (wanted.isEmpty()) {
        startFind();
        return;
    }
    // The model searches a page at a time in the background; asking for each page's hits
    // finishes the search now, so the count is whole.
    for (int page = 0; page < document_->pageCount(); ++page)
        search_->resultsOnPage(page);
    const int count = search_->rowCount({});
    if (count == 0) {
        hit_ = -1;
        marks_->update();
        status_->setText(QStringLiteral("\"%1\" is not in the help.").arg(wanted));
        return;
    }
    if (hit_ < 0) {
        // From the page shown: the first hit on or after it (on or before it, going back).
        const int page = currentPage();
        hit_ = step > 0 ? 0 : count - 1;
        for (int i = 0; i < count; ++i) {
            const int at = step > 0 ? i : count - 1 - i;
            const int hitPage = search_->resultAtIndex(at).page();
            if (step > 0 ? hitPage >= page : hitPage <= page) {
                hit_ = at;
                break;
            }
        }
    } else {
        hit_ = (hit_ + step + count) % count;
    }
    showHit();
}

void HelpWindow::showHit()
{
    const int count = search_->rowCount({});
    const QPdfLink hit = search_->resultAtIndex(hit_);
    const QList<QRectF> rectangles = hit.rectangles();
    // The context as one line of a few words each side; the model marks line ends with a sign.
    const auto context = [](QString text, bool before) {
        text.replace(QChar(0x23CE), QLatin1Char(' '));
        text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        constexpr int Room = 40;
        return text.size() <= Room ? text : before ? text.right(Room) : text.left(Room);
    };
    scrollTo(hit.page(), rectangles.isEmpty() ? hit.location().y() : rectangles.first().top());
    // Zoomed wider than the viewer, the pages also scroll across to the match.
    if (!rectangles.isEmpty()) {
        QScrollBar* across = viewer_->horizontalScrollBar();
        const QRectF first = rectangles.first();
        const int left = pageRect(hit.page()).left() + static_cast<int>(first.left() * pixelsPerPoint());
        const int right = left + static_cast<int>(first.width() * pixelsPerPoint());
        if (left < across->value() || right > across->value() + viewer_->viewport()->width())
            across->setValue(left - viewer_->viewport()->width() / 4);
    }
    status_->setText(QStringLiteral("Match %1 of %2, on page %3: ...%4%5%6...")
                         .arg(hit_ + 1)
                         .arg(count)
                         .arg(hit.page() + 1)
                         .arg(context(hit.contextBefore(), true), search_->searchString(),
                              context(hit.contextAfter(), false)));
    marks_->update();
}

QString HelpWindow::statusText() const { return status_->text(); }

void HelpWindow::updateControls()
{
    const int pages = document_->pageCount();
    const int page = currentPage();
    for (QWidget* control : std::initializer_list<QWidget*>{pageBox_, zoomIn_, zoomOut_, fitWidth_, findBox_})
        control->setEnabled(pages > 0);
    previousPage_->setEnabled(pages > 0 && page > 0);
    nextPage_->setEnabled(pages > 0 && page < pages - 1);
    const bool wanted = pages > 0 && !findBox_->text().trimmed().isEmpty();
    findNext_->setEnabled(wanted);
    findPrevious_->setEnabled(wanted);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The marks cover the viewer's visible area whatever its size.
    if (watched == viewer_->viewport() && event->type() == QEvent::Resize)
        marks_->setGeometry(viewer_->viewport()->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace revora
