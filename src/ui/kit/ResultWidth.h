#pragma once
// How wide a box must be to show a figure whole: a box narrower than its widest figure shows
// the right-hand digits and cuts the rest off at the left, which reads as a smaller number.

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <initializer_list>

#include "common/AmountFormat.h"

namespace revora {

// The largest result worked from typed amounts, each at most LargestTypedAmount: a tax or a
// package on a few of them, a loan's repayments over at most 50 years at at most 50 % (25
// times its principal), interest on a balance over 30 years at at most 40 %. A result box as
// wide as this figure shows any result whole.
inline constexpr double LargestResult = 99'999'999'999'999.99;

// The width that shows the widest of `figures`, each in the box's own format ("-1 234.50" for
// -1234.5 with two decimals), in the box's font, within its frame and text margins.
inline int WidthToShow(const QLineEdit& box, int decimals, std::initializer_list<double> figures)
{
    int text = 0;
    for (const double figure : figures)
        text = std::max(text, box.fontMetrics().horizontalAdvance(QString::fromStdString(FormatAmount(figure, decimals))));
    // What the box keeps around its text: the part of a wide probe that the style's contents
    // area leaves out (the frame), the text margins, 2 pixels either side, and the pixel and the
    // cursor a line edit adds to the width its text uses before it scrolls the text.
    constexpr int Probe = 1000;
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = QRect(0, 0, Probe, box.height());
    option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
    const int contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box).width();
    const QMargins margins = box.textMargins();
    const int cursor = box.style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, &box);
    return text + (Probe - contents) + margins.left() + margins.right() + 2 * 2 + 1 + cursor;
}

// Fixes the box's width to show the widest of `figures`, and never narrower than `least`.
inline void FitToFigures(QLineEdit& box, int decimals, std::initializer_list<double> figures, int least = 0)
{
    box.setFixedWidth(std::max(least, WidthToShow(box, decimals, figures)));
}

} // namespace revora
