#include "shell/NumberBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpressionValidator>
#include <cmath>

#include "shell/AmountFormat.h"
#include "tax/InputNumbers.h"

namespace revora {

namespace {
// Beyond this no amount typed into a box is meaningful, and tax on it stays finite.
constexpr double LargestTypedAmount = 999'999'999'999.99;
}

NumberBox::NumberBox(Kind kind, int decimals, QWidget* parent) : QLineEdit(parent), kind_(kind), decimals_(decimals)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMaxLength(32);
    updateValidator();
    setValue(0.0);
    connect(this, &QLineEdit::textEdited, this, &NumberBox::onTextEdited);
    connect(this, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
}

void NumberBox::setAllowsNegative(bool allows)
{
    allowsNegative_ = allows;
    updateValidator();
}

void NumberBox::updateValidator()
{
    // Digits, the grouping blanks the box itself shows, one decimal point in decimal boxes,
    // and a leading minus where negatives are allowed. Anything else is refused as typed.
    QString pattern = QStringLiteral("[0-9 ]*");
    if (kind_ == Kind::Decimal)
        pattern += QStringLiteral("(\\.[0-9]*)?");
    if (allowsNegative_)
        pattern.prepend(QStringLiteral("-?"));
    delete validator();
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
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
    // A box showing a new value while it has the focus is ready to be typed over.
    if (hasFocus())
        selectAll();
}

void NumberBox::clearValue()
{
    value_ = 0.0;
    acceptedText_.clear();
    clear();
}

bool NumberBox::accepts(double value) const
{
    if (!std::isfinite(value) || std::fabs(value) > LargestTypedAmount)
        return false;
    if (value < 0 && !allowsNegative_)
        return false;
    return !accepts_ || accepts_(value);
}

void NumberBox::onTextEdited(const QString& text)
{
    const double typed = LeadingNumber(text.toStdString());
    if (!accepts(typed)) {
        const int cursor = std::max(0, cursorPosition() - 1);
        setText(acceptedText_);
        setCursorPosition(std::min(cursor, static_cast<int>(acceptedText_.size())));
        QApplication::beep();
        emit refused(typed);
        return;
    }
    acceptedText_ = text;
    value_ = typed;
    emit valueEdited(typed);
}

bool NumberBox::pasteText(const QString& pasted)
{
    if (isReadOnly())
        return false;
    QString result = text();
    if (hasSelectedText())
        result.replace(selectionStart(), selectedText().size(), pasted);
    else
        result.insert(cursorPosition(), pasted);
    double taken = LeadingNumber(result.toStdString());
    if (kind_ == Kind::Whole)
        taken = std::nearbyint(taken);
    if (!accepts(taken)) {
        QApplication::beep();
        emit refused(taken);
        return false;
    }
    setValue(taken);
    setCursorPosition(static_cast<int>(text().size()));
    emit valueEdited(value_);
    return true;
}

void NumberBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    selectOnFocus_.focusIn(*this, *event);
}

void NumberBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (tidyOnLeave_ && event->reason() != Qt::PopupFocusReason)
        setValue(value_);
}

void NumberBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        pasteText(QApplication::clipboard()->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    selectOnFocus_.mouseReleased(*this);
}

void NumberBox::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Paste) {
        pasteText(QApplication::clipboard()->text());
        return;
    }
    // Alt with a letter belongs to the screen's mnemonics and the menu bar, never to the text.
    if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions())
        if (action->objectName() == QLatin1String("edit-paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, [this] { pasteText(QApplication::clipboard()->text()); });
        }
    menu->exec(event->globalPos());
    delete menu;
}

void NumberBox::dropEvent(QDropEvent* event)
{
    // Moving text within the box is ordinary editing; text dropped from elsewhere is a paste.
    if (event->source() == this || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    selectAll(); // a number dropped on the box takes its place
    pasteText(event->mimeData()->text());
    event->acceptProposedAction();
}

} // namespace revora
