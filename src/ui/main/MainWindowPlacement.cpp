// The main window's child windows and the desktop: the main window kept on the desktop and
// widened for the company car, the child windows kept inside the work area and given back the
// room they lost, and the working window placed beside its screen.

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "CalculatorWindow.h"
#include "MainWindow.h"
#include "ProgramWindow.h"

namespace revora {

void MainWindow::widenFor(const QMdiSubWindow* sub)
{
    const int frame = frameGeometry().width() - geometry().width();
    const int chrome = width() - mdi_->viewport()->width();
    int desktop = QWIDGETSIZE_MAX;
    if (QScreen* shown = screen())
        desktop = shown->availableGeometry().width() - frame;
    const int inner = CompanyCarWidth(width(), TwipsToPixels(CompanyCarMainWindowTwips, logicalDpiX()) - frame,
                                      sub->x() + sub->sizeHint().width() + chrome, desktop);
    if (inner != width())
        resize(std::max(inner, minimumWidth()), height());
    fitToScreen();
}

int CompanyCarWidth(int current, int laidOut, int needed, int desktop)
{
    // A wider window keeps its width, so the screens open beside the company car keep theirs.
    return std::min(std::max({current, laidOut, needed}), desktop);
}

namespace {

// One axis of FitWithin: the start and length of a window along an area's start and length.
// A window that starts in the area's first eighth (a cascade's offset) and runs past its end is
// shrunk where it stands, so cascaded windows keep their titles apart; any other is moved.
void FitAxis(int& start, int& length, int areaStart, int areaLength)
{
    length = std::min(length, areaLength);
    const int offset = start - areaStart;
    if (offset >= 0 && offset <= areaLength / 8 && offset + length > areaLength)
        length = areaLength - offset;
    start = std::clamp(start, areaStart, areaStart + areaLength - length);
}

} // namespace

QRect FitWithin(QRect window, const QRect& area)
{
    int x = window.x(), y = window.y(), width = window.width(), height = window.height();
    FitAxis(x, width, area.x(), area.width());
    FitAxis(y, height, area.y(), area.height());
    return QRect(x, y, width, height);
}

void MainWindow::fitToScreen()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    QScreen* desktop = screen();
    if (!desktop)
        return;
    // Before the window manager has framed the window its frame is not known: a title bar's
    // and a border's room is kept for it.
    QSize frame = frameGeometry().size() - geometry().size();
    if (!isVisible() || frame.isNull()) {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        frame = frame.expandedTo(QSize(2 * border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border));
    }
    const QRect outer(frameGeometry().topLeft(), size() + frame);
    const QRect fitted = FitWithin(outer, desktop->availableGeometry());
    if (fitted == outer)
        return;
    resize(fitted.size() - frame);
    move(fitted.topLeft());
}

namespace {

// The size a child window had before it was shrunk to fit the work area; none when it has its
// own size (the user's, a cascade's, its opening size).
constexpr const char* SizeBeforeFitting = "sizeBeforeFitting";

} // namespace

void MainWindow::fitInsideWorkArea(QMdiSubWindow* sub)
{
    if (sub->isMaximized() || sub->isMinimized())
        return;
    QSize own = sub->property(SizeBeforeFitting).toSize();
    if (!own.isValid())
        own = sub->size();
    const QRect area = mdi_->viewport()->rect();
    // A screen cut in one direction scrolls that way: its scroll bar's room is added across,
    // where the area has it, so that the bar does not cut it the other way as well.
    QSize wanted = own;
    if (qobject_cast<CalculatorWindow*>(sub->widget())) {
        const QRect cut = FitWithin(QRect(sub->pos(), own), area);
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (cut.height() < own.height())
            wanted.rwidth() += bar;
        if (cut.width() < own.width())
            wanted.rheight() += bar;
    }
    const QRect fitted = FitWithin(QRect(sub->pos(), wanted), area);
    sub->setProperty(SizeBeforeFitting, fitted.size() == own ? QVariant() : QVariant(own));
    if (fitted == sub->geometry())
        return;
    fitting_ = true;
    sub->setGeometry(fitted);
    fitting_ = false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == mdi_->viewport()) {
            // A larger work area (the main window maximised) gives the windows it once
            // shrank the room back, so a screen shows all its columns and buttons again.
            for (QMdiSubWindow* sub : mdi_->subWindowList())
                if (sub->property(SizeBeforeFitting).isValid())
                    fitInsideWorkArea(sub);
        } else if (!fitting_) {
            watched->setProperty(SizeBeforeFitting, QVariant()); // the size the user gave it
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::fitAllInsideWorkArea()
{
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        fitInsideWorkArea(sub);
}

QRect PlaceBeside(const QRect& screen, const QRect& area, QSize preferred)
{
    // Narrower than this, the working wraps too often to be read.
    constexpr int LeastWidth = 380;
    constexpr int LeastHeight = 200;
    const int right = area.right() - screen.right();
    const int left = screen.left() - area.left();
    const int below = area.bottom() - screen.bottom();
    const int height = std::min(area.height(), std::max(preferred.height(), screen.height()));
    const int top = std::clamp(screen.top(), area.top(), area.bottom() + 1 - height);
    if (std::max(left, right) >= LeastWidth) {
        const int width = std::min(preferred.width(), std::max(left, right));
        const int x = right >= left ? screen.right() + 1 : screen.left() - width;
        return {x, top, width, height};
    }
    // Below the screen it takes the screen's width at least, for fewer lines to a step.
    const int width = std::min(area.width(), std::max(preferred.width(), screen.width()));
    if (below >= LeastHeight)
        return {std::clamp(screen.left(), area.left(), area.right() + 1 - width), screen.bottom() + 1, width,
                std::min(below, preferred.height())};
    const int least = std::max(LeastWidth, std::min(preferred.width(), right));
    return {area.right() + 1 - least, top, least, height};
}

} // namespace revora
