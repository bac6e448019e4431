#pragma once
// The help window: the program's help document in a PDF viewer, with a contents pane of the
// document's headings, a page box with previous and next, zoom, and find. The whole window
// keeps a small margin round its panes through every resize.

#include <QList>
#include <QString>
#include <QWidget>

class QAbstractItemModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPdfBookmarkModel;
class QPdfDocument;
class QPdfSearchModel;
class QPdfView;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTreeView;

namespace revora {

// One heading of the document with the page it starts on (counted from 0).
struct HelpHeading {
    QString title;
    int page = 0;
    bool section = false; // a section of the chapter listed before it
};

// The headings a contents page lists, one a line as "<heading> <page number>" with the page
// numbers printed on the pages (from 1); a section's line begins with an en dash. Lines that
// name no page of the document, and the page footer ("... Page 2 of 44"), are not headings.
QList<HelpHeading> ContentsPageHeadings(const QString& pageText, int pageCount);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the document at once; a missing or unreadable one leaves the window empty, without
    // a message, so the help menu never stands in the user's way.
    explicit HelpWindow(const QString& documentPath, QWidget* parent = nullptr);
    ~HelpWindow() override;

    QPdfDocument* document() const { return document_; }
    QPdfView* viewer() const { return viewer_; }
    // What the contents pane lists: the document's outline when it has one, else the headings
    // of its contents page. Each row carries its page under QPdfBookmarkModel::Role::Page.
    QAbstractItemModel* contents() const;

    // The margin kept round the panes: 100 twips at the window's logical resolution.
    int margin() const;

    // The page at the top of the viewer, from 0.
    int currentPage() const;
    void goToPage(int page);

    // The find box focused with its text selected, as "&Search For Help On..." opens it.
    void startFind();
    // The next (or previous) place the find box's text appears after the one shown, wrapping
    // round the document; the first one from the page shown when none is shown yet. The hit
    // is scrolled into view and marked, and the status line says which one it is.
    void findNext();
    void findPrevious();
    QString statusText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The constructor's steps, in the order the controls are made: each builds and connects
    // one group of controls and returns the label it leads with.
    void setUpViewer();
    QLabel* setUpContents();
    QLabel* setUpPaging();
    QLabel* setUpFind();
    void addShortcuts();
    void layOut(QLabel* contentsLabel, QLabel* pageLabel, QLabel* findLabel);
    void setTabOrders();
    void buildContents();
    void openHeading(const QModelIndex& index);
    void documentLoaded();
    void showPage(int page);
    void findStep(int step);
    void showHit();
    // Scrolls so that the point y (in points from the page's top) shows a third of the way
    // down the viewer.
    void scrollTo(int page, double yPoints);
    void zoomBy(double factor);
    void fitWidth();
    // The zoom the viewer draws at, whatever its mode: 1 is the page's natural size.
    double effectiveZoom() const;
    double pixelsPerPoint() const;
    // Where a page lies in the viewer's whole scrolled area, in pixels.
    QRect pageRect(int page) const;
    void updateControls();

    QPdfDocument* document_;
    QPdfView* viewer_;
    QPdfBookmarkModel* bookmarks_;
    QStandardItemModel* headings_;
    QPdfSearchModel* search_;
    QTreeView* contentsView_;
    QSpinBox* pageBox_;
    QLabel* pageCount_;
    QPushButton* previousPage_;
    QPushButton* nextPage_;
    QPushButton* zoomIn_;
    QPushButton* zoomOut_;
    QPushButton* fitWidth_;
    QLineEdit* findBox_;
    QPushButton* findNext_;
    QPushButton* findPrevious_;
    QLabel* status_;
    QWidget* marks_;
    int hit_ = -1; // the search result shown, or -1
};

} // namespace revora
