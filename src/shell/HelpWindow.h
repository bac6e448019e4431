#pragma once
// The help window: the program's help document in a PDF viewer, sized to the window less a
// small margin and following every resize.

#include <QWidget>

class QPdfDocument;
class QPdfView;

namespace revora {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the document at once; a missing or unreadable one leaves the window empty, without
    // a message, so the help menu never stands in the user's way.
    explicit HelpWindow(const QString& documentPath, QWidget* parent = nullptr);

    QPdfDocument* document() const { return document_; }
    QPdfView* viewer() const { return viewer_; }

    // The margin the viewer leaves: 100 twips at the window's logical resolution.
    int margin() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitViewer();

    QPdfDocument* document_;
    QPdfView* viewer_;
};

} // namespace revora
