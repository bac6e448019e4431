#pragma once
// A numeric edit box: it stores its value the moment its text reads as a number (as a clerk
// writes amounts, see ReadTypedNumber) and shows values with a fixed number of decimals; a
// decimal box showing fewer than two shows the cents of a value that has them, so an amount
// typed with cents is never shown as another.
//
// It behaves as a clerk expects of a numeric edit control: it selects its whole text when it
// gains the focus, so the first key typed replaces what it shows; a key that can be no part of
// a number is refused with a beep and a tip naming it. Typed or pasted text that is not a number
// the box can take (a minus where amounts cannot be negative, digits grouped oddly, a value
// beyond its limit) is refused with a message, and the box goes back to the value it held
// before the edit began: it never keeps a number the person did not type, such as the "18" of
// a refused "184". A whole-number box rounds a typed decimal half to even.

#include <QLineEdit>
#include <functional>
#include <optional>

#include "SelectOnFocus.h"

namespace revora {

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    // Whole boxes hold whole numbers (no decimal point can be typed); decimal boxes take one
    // decimal point. `decimals` is how many decimals the box shows.
    enum class Kind { Whole, Decimal };

    NumberBox(Kind kind, int decimals, QWidget* parent = nullptr);

    // A limit of the screen's: a typed value it refuses sends the box back to its value from
    // before the edit and emits refused(), for the screen's own message.
    void setAcceptor(std::function<bool(double)> accepts) { accepts_ = std::move(accepts); }
    // Boxes take no minus sign unless they hold amounts that may be negative.
    void setAllowsNegative(bool allows);
    void setOutput(bool output); // read-only result box, skipped by the Tab key
    // On leaving, the box shows its number in its own format; an emptied box becomes 0.
    void setTidyOnLeave(bool tidy) { tidyOnLeave_ = tidy; }

    double value() const { return value_; }
    void setValue(double value);
    // An empty box holding 0: a result box with no result for the inputs on the screen.
    void clearValue();
    // Shows a figure a calculation worked from the value typed (the R/A allowed for the R/A
    // wanted), in the box's format, while value() stays what was typed: the next calculation
    // starts from that again, not from its own figure. Typing in the box replaces both; a
    // refused edit brings the figure back. A figure equal to the value is simply the value.
    void showFigure(double figure);
    bool showsFigure() const { return showsFigure_; }

    // Reads text as pasted into the box: the number the text the paste would leave says,
    // shown in the box's own format. Returns false when it is refused (with a message); the
    // box is then as it was.
    bool pasteText(const QString& text);

    // Ends the edit in progress, as leaving the box does: a text that is not yet a number
    // ("R", "1 23") is refused, a number is shown in the box's format where it was typed in
    // another ("R 1,500"). Returns false when the edit was refused. Enter and a screen's
    // mnemonics call it before they press a button, since neither takes the focus away.
    bool commit();

signals:
    void valueEdited(double value);
    // A typed or pasted value the acceptor refused; the box is back at its value from before.
    void refused(double value);
    // Text refused as no number the box can take; the box has shown why.
    void notUnderstood(const QString& text, const QString& problem);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void onTextEdited(const QString& text);
    // The number `text` says, rounded for a whole box, when it reads as one within the box's
    // limits. Otherwise nothing, after the box went back to where the edit began and the user
    // was told; `finished` refuses text that is only the start of a number.
    std::optional<double> take(const QString& text, bool finished);
    void refuse(const QString& text, const QString& problem);
    void returnToEntry();
    void startEdit();
    bool accepts(double value) const;
    void updateValidator();
    // `value` as the box writes it.
    QString formatted(double value) const;
    // Shows `shown`, the value or (`figure`) a calculation's figure, ready for a new edit.
    void display(double shown, bool figure);

    Kind kind_;
    int decimals_;
    bool allowsNegative_ = false;
    bool tidyOnLeave_ = false;
    double value_ = 0.0;
    QString acceptedText_;
    double entryValue_ = 0.0; // where the edit in progress began
    QString entryText_;
    bool showsFigure_ = false; // the text is a calculation's figure, not value_
    bool entryShowsFigure_ = false;
    bool refusing_ = false;   // a refusal's message is up; the box is not being left
    std::function<bool(double)> accepts_;
    SelectOnFocus selectOnFocus_;
};

} // namespace revora
