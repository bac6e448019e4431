#include "DateBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <optional>

#include "common/DayDate.h"
#include "tax/TaxYearRules.h"

namespace revora {

namespace {

// The typed text as a day number within the bounds; nothing when it is not one.
std::optional<int> DateWithin(const QString& text, int lower, int upper)
{
    const std::optional<int> day = ParseDayDate(text.toStdString());
    if (day && *day >= lower && *day <= upper)
        return day;
    return std::nullopt;
}

} // namespace

DateBox::DateBox(QWidget* parent)
    : QLineEdit(parent), date_(TaxYearStart), lower_(TaxYearStart), upper_(TaxYearEnd)
{
    setMaxLength(10); // "dd/mm/yyyy"
    // Only the characters of a date can be typed; any other key is refused as it is pressed.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9/]*")), this));
    showDate();
    connect(this, &QLineEdit::textEdited, this, &DateBox::onTextEdited);
    connect(this, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
}

void DateBox::setDate(int dayNumber)
{
    date_ = dayNumber;
    showDate();
}

void DateBox::setBounds(int lower, int upper)
{
    lower_ = lower;
    upper_ = upper;
}

void DateBox::setEmptyAllowed(int unsetDay)
{
    unsetDay_ = unsetDay;
    showDate();
}

void DateBox::showDate()
{
    setText(isUnset() ? QString() : QString::fromStdString(FormatDayDate(date_)));
    // A box showing its date again while it has the focus is ready to be typed over.
    if (hasFocus())
        selectAll();
}

void DateBox::onTextEdited(const QString& text)
{
    if (unsetDay_ && text.trimmed().isEmpty()) {
        date_ = *unsetDay_;
        emit dateEdited(date_);
        return;
    }
    // Half-typed dates are left alone: the box judges what it holds only when it is left.
    if (const std::optional<int> day = DateWithin(text, lower_, upper_)) {
        date_ = *day;
        emit dateEdited(date_);
    }
}

bool DateBox::takeOrReject()
{
    const QString typed = text();
    if (unsetDay_ && typed.trimmed().isEmpty()) {
        if (date_ != *unsetDay_) {
            date_ = *unsetDay_;
            emit dateEdited(date_);
        }
        showDate();
        return true;
    }
    if (const std::optional<int> day = DateWithin(typed, lower_, upper_)) {
        // Normally stored while typed already; bounds moved since then must not lose it.
        if (*day != date_) {
            date_ = *day;
            emit dateEdited(date_);
        }
        showDate(); // "1/3/2015" is shown as 01/03/2015
        return true;
    }
    // The screen answers with a message box and puts the focus back here; the focus that
    // box takes away is not a second leaving.
    reporting_ = true;
    showDate();
    if (ParseDayDate(typed.toStdString()))
        emit outOfRangeRejected();
    else
        emit invalidDateRejected(typed.trimmed());
    reporting_ = false;
    return false;
}

void DateBox::focusInEvent(QFocusEvent* event)
{
    emit entering();
    QLineEdit::focusInEvent(event);
    selectOnFocus_.focusIn(*this, *event);
}

void DateBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening the box's own menu is not leaving the box, and
    // a box whose screen is closing or hiding it has no one left to tell.
    const Qt::FocusReason reason = event->reason();
    if (reporting_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !isVisible())
        return;
    takeOrReject();
}

void DateBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    selectOnFocus_.mouseReleased(*this);
}

void DateBox::keyPressEvent(QKeyEvent* event)
{
    // Alt with a letter belongs to the screen's mnemonics and the menu bar, never to the text.
    if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter judges the date as leaving does, then goes on to the screen's default button,
        // which so runs on the date the box shows. After a rejection it stops here: the user
        // has been told and corrects the date first.
        if (takeOrReject())
            event->ignore();
        else
            event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace revora
