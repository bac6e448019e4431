#include "NumberBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMetaMethod>
#include <QMimeData>
#include <QRegularExpressionValidator>
#include <QToolTip>
#include <cmath>

#include "FormKit.h"
#include "common/AmountFormat.h"
#include "common/InputNumbers.h"

namespace revora {

namespace {
// What a written amount is made of: digits, blanks (also the non-breaking and thin ones),
// thousands commas, a decimal point or comma, a sign (also the typographic minus), "R".
constexpr const char* TypedCharacters = "\\A[-+Rr0-9 ,.\\x{00A0}\\x{2009}\\x{202F}\\x{2212}]*\\z";
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
    // Only the characters a written amount is made of get into the text; whether they make
    // a number is judged as they are typed (ReadTypedNumber).
    delete validator();
    setValidator(new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(TypedCharacters)), this));
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

QString NumberBox::formatted(double value) const
{
    // An amount typed with cents keeps them on show, as it keeps them in the calculation; a
    // result box shows its own figure's format only.
    int shown = decimals_;
    if (kind_ == Kind::Decimal && !isReadOnly() && decimals_ < 2) {
        const double scale = std::pow(10.0, decimals_);
        if (std::fabs(value - std::nearbyint(value * scale) / scale) >= 0.005)
            shown = 2;
    }
    return QString::fromStdString(FormatAmount(value, shown));
}

void NumberBox::display(double shown, bool figure)
{
    showsFigure_ = figure;
    acceptedText_ = formatted(shown);
    setText(acceptedText_);
    startEdit();
    // A box showing a new value while it has the focus is ready to be typed over.
    if (hasFocus())
        selectAll();
}

void NumberBox::setValue(double value)
{
    value_ = std::isfinite(value) ? value : 0.0;
    display(value_, false);
}

void NumberBox::showFigure(double figure)
{
    const bool own = std::isfinite(figure) && figure != value_;
    display(own ? figure : value_, own);
}

void NumberBox::clearValue()
{
    value_ = 0.0;
    showsFigure_ = false;
    acceptedText_.clear();
    clear();
    startEdit();
}

void NumberBox::startEdit()
{
    entryValue_ = value_;
    entryText_ = text();
    entryShowsFigure_ = showsFigure_;
}

bool NumberBox::accepts(double value) const
{
    if (value < 0 && !allowsNegative_)
        return false;
    return !accepts_ || accepts_(value);
}

std::optional<double> NumberBox::take(const QString& text, bool finished)
{
    const TypedNumber read = ReadTypedNumber(text.toStdString(), allowsNegative_);
    if (read.reading == TypedNumber::Reading::Refused ||
        (finished && read.reading == TypedNumber::Reading::Unfinished)) {
        refuse(text, QString::fromStdString(read.problem));
        return std::nullopt;
    }
    if (read.reading == TypedNumber::Reading::Unfinished)
        return std::nullopt;
    const double number = kind_ == Kind::Whole ? std::nearbyint(read.value) : read.value;
    if (std::fabs(number) > LargestTypedAmount) {
        refuse(text, QStringLiteral("it is more than %1, the most a box holds")
                         .arg(QString::fromStdString(FormatAmount(LargestTypedAmount, 2))));
        return std::nullopt;
    }
    if (!accepts(number)) {
        // The screen's own message names its limit; a box without one says it plainly.
        if (isSignalConnected(QMetaMethod::fromSignal(&NumberBox::refused))) {
            returnToEntry();
            emit refused(number);
        } else {
            refuse(text, QStringLiteral("it is beyond what this box takes"));
        }
        return std::nullopt;
    }
    return number;
}

void NumberBox::returnToEntry()
{
    const bool changed = value_ != entryValue_;
    value_ = entryValue_;
    showsFigure_ = entryShowsFigure_;
    acceptedText_ = entryText_;
    setText(entryText_);
    selectAll();
    if (changed)
        emit valueEdited(value_);
}

void NumberBox::refuse(const QString& text, const QString& problem)
{
    returnToEntry();
    QApplication::beep();
    emit notUnderstood(text, problem);
    // The message takes the focus for a moment; that is not the user leaving the box.
    refusing_ = true;
    QString title;
    for (QWidget* w = parentWidget(); w && title.isEmpty(); w = w->parentWidget())
        title = w->windowTitle();
    QMessageBox::warning(this, title,
                         QStringLiteral("\"%1\" could not be taken as a number: %2.\n\nThe box keeps %3.")
                             .arg(MessageText(text.trimmed()), problem,
                                  entryText_.isEmpty() ? QStringLiteral("0") : entryText_));
    refusing_ = false;
    setFocus(Qt::OtherFocusReason);
}

void NumberBox::onTextEdited(const QString& text)
{
    if (const std::optional<double> number = take(text, false)) {
        acceptedText_ = text;
        value_ = *number;
        showsFigure_ = false;
        emit valueEdited(value_);
    }
}

bool NumberBox::commit()
{
    if (isReadOnly() || text() == entryText_)
        return true;
    const std::optional<double> number = take(text(), true);
    if (!number)
        return false;
    value_ = *number;
    // A number written as typed stays as typed; one written another way ("R 1,500", "2.5" in
    // a whole box) is shown as the box writes it, so the box shows the number it holds.
    const TypedNumber plain = ReadTypedNumber(text().toStdString(), true);
    const bool asTyped = !text().contains(QRegularExpression(QStringLiteral("[^-0-9 .]"))) &&
                         (kind_ == Kind::Decimal || !text().contains(u'.')) && plain.value == value_;
    if (tidyOnLeave_ || !asTyped)
        setValue(value_);
    else
        startEdit();
    return true;
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
    // A paste is an edit of its own: refused, it leaves the box as it was before it.
    startEdit();
    const std::optional<double> taken = take(result, true);
    if (!taken)
        return false;
    setValue(*taken);
    setCursorPosition(static_cast<int>(text().size()));
    emit valueEdited(value_);
    return true;
}

void NumberBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        startEdit();
    selectOnFocus_.focusIn(*this, *event);
}

void NumberBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A menu, another window or a message taking the focus for a while is not leaving the box.
    if (refusing_ || event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    // A box left as it was entered keeps a calculation's figure; otherwise it shows its number.
    if (text() != entryText_)
        commit();
    else if (tidyOnLeave_ && !showsFigure_)
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
    // A key that can be no part of a written number is refused as it is pressed, and named.
    const QString typed = event->text();
    if (!isReadOnly() && !typed.isEmpty() && typed.at(0).isPrint() &&
        !QRegularExpression(QString::fromLatin1(TypedCharacters)).match(typed).hasMatch() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QApplication::beep();
        QToolTip::showText(mapToGlobal(QPoint(0, height())),
                           QStringLiteral("\"%1\" is not part of a number").arg(typed), this);
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
