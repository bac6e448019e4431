#include "OverlayPanel.h"

#include <QEvent>
#include <algorithm>

namespace revora {

OverlayPanel::OverlayPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    // Opaque, so the controls it covers do not show through.
    setAutoFillBackground(true);
    parent->installEventFilter(this);
    hide();
}

void OverlayPanel::showOnTop()
{
    show();
    place();
    raise();
}

void OverlayPanel::place()
{
    adjustSize();
    const QWidget* over = parentWidget();
    const QPoint corner((over->width() - width()) / 2, (over->height() - height()) / 2);
    // A screen smaller than the panel shows the panel's top left, where its first button is.
    move(std::max(0, corner.x()), std::max(0, corner.y()));
}

void OverlayPanel::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    emit hidden();
}

bool OverlayPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        place();
    return QFrame::eventFilter(watched, event);
}

bool OverlayPanel::event(QEvent* event)
{
    // Contents that change their size (a longer caption) keep the panel fitted and centred.
    if (event->type() == QEvent::LayoutRequest && isVisible())
        place();
    return QFrame::event(event);
}

} // namespace revora
