#pragma once
// A numeric edit box: it stores its value the moment its text changes (the text's leading
// number; anything else reads as 0) and shows values with a fixed number of decimals.
//
// It behaves as a clerk expects of a numeric edit control: it selects its whole text when it
// gains the focus, so the first key typed replaces what it shows; it takes only the keys that
// make a number of its kind and refuses any other with a beep; pasted or dropped text is read
// by the leading-number rule and the box then shows the number it took.

#include <QLineEdit>
#include <functional>

#include "shell/SelectOnFocus.h"

namespace revora {

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    // Whole boxes hold whole numbers (no decimal point can be typed); decimal boxes take one
    // decimal point. `decimals` is how many decimals the box shows.
    enum class Kind { Whole, Decimal };

    NumberBox(Kind kind, int decimals, QWidget* parent = nullptr);

    // Typed values outside what the box can hold are refused: the text goes back to the
    // last one accepted, so a value is never lost to a slip of the keyboard.
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

    // Reads text as pasted into the box: the leading number of the text the paste would
    // leave, shown in the box's own format. Returns false (with a beep) when it is refused.
    bool pasteText(const QString& text);

signals:
    void valueEdited(double value);
    // A typed or pasted value the acceptor refused; the box kept its last value.
    void refused(double value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void onTextEdited(const QString& text);
    bool accepts(double value) const;
    void updateValidator();

    Kind kind_;
    int decimals_;
    bool allowsNegative_ = false;
    bool tidyOnLeave_ = false;
    double value_ = 0.0;
    QString acceptedText_;
    std::function<bool(double)> accepts_;
    SelectOnFocus selectOnFocus_;
};

} // namespace revora
