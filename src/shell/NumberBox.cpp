#include "shell/NumberBox.h"

#include <QApplication>
#include <cmath>

#include "shell/AmountFormat.h"
#include "tax/InputNumbers.h"

namespace revora {

namespace {
// Beyond this no amount typed into a box is meaningful, and tax on it stays finite.
constexpr double LargestTypedAmount = 999'999'999'999.99;
}

NumberBox::NumberBox(int decimals, QWidget* parent) : QLineEdit(parent), decimals_(decimals)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMaxLength(32);
    setValue(0.0);
    connect(this, &QLineEdit::textEdited, this, &NumberBox::onTextEdited);
}

void NumberBox::setOutput(bool output)
{
    setReadOnly(output);
    setFocusPolicy(output ? Qt::ClickFocus : Qt::StrongFocus);
    // Results sit on the window's colour so they are told apart from what can be typed.
    QPalette shade = QApplication::palette(this);
    if (output)
        shade.setColor(QPalette::Base, shade.color(QPalette::Window));
    setPalette(shade);
}

void NumberBox::setValue(double value)
{
    value_ = std::isfinite(value) ? value : 0.0;
    acceptedText_ = QString::fromStdString(FormatAmount(value_, decimals_));
    setText(acceptedText_);
}

void NumberBox::onTextEdited(const QString& text)
{
    const double typed = LeadingNumber(text.toStdString());
    const bool fits = std::isfinite(typed) && std::fabs(typed) <= LargestTypedAmount;
    if (!fits || (accepts_ && !accepts_(typed))) {
        const int cursor = std::max(0, cursorPosition() - 1);
        setText(acceptedText_);
        setCursorPosition(std::min(cursor, static_cast<int>(acceptedText_.size())));
        QApplication::beep();
        return;
    }
    acceptedText_ = text;
    value_ = typed;
    emit valueEdited(typed);
}

} // namespace revora
