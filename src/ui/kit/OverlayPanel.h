#pragma once
// A panel shown on top of a screen's controls, as the print panel is: it keeps its natural
// size, sits centred over the screen in front of everything else, and never squeezes the
// controls beneath it (it is not part of the screen's layout).

#include <QFrame>

namespace revora {

class OverlayPanel : public QFrame {
    Q_OBJECT
public:
    explicit OverlayPanel(QWidget* parent);

    // Visible, at its natural size, centred over the parent and in front.
    void showOnTop();

signals:
    // However the panel went (its own button, Esc, a print), so a screen can enable again
    // what it disabled while the panel was up.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void place();
};

} // namespace revora
