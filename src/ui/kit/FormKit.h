#pragma once
// The form kit: how a screen's boxes, captions, buttons and rows are made, so that a screen's
// constructor says only what is its own: which boxes, bound to which of the model's values,
// within which of the model's limits, under which captions.

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <string_view>

#include "NumberBox.h"

class QBoxLayout;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace revora {

// A text of the models (UTF-8) as a screen shows it.
QString Text(std::string_view text);

// A push button with its caption and object name.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption);
// "&Calculate", named cmdCalculate: the screen's default button, which Enter presses.
QPushButton* MakeCalculateButton(QWidget* parent);
// A caption; with a buddy, a click or its mnemonic puts the focus in that box.
QLabel* MakeLabel(QWidget* parent, const char* caption, QWidget* buddy = nullptr);
// A caption (the box's buddy), the box and the unit after it, on row `row` of the grid, in
// columns 0, 1 and 2. Returns the caption.
QLabel* AddGridRowAt(QGridLayout* grid, int row, QWidget* parent, const char* caption, QWidget* box,
                  const char* unit = nullptr);
// The same on the grid's next row (QGridLayout counts an empty grid as one row, so the first
// such row is row 1).
QLabel* AddGridRow(QGridLayout* grid, QWidget* parent, const char* caption, QWidget* box, const char* unit = nullptr);
// The name a printout is made out to: a row of its caption, a line named `name` that takes at
// most `most` characters and no control character (KeepsNameRule), and the note of that limit,
// added to `into`. Returns the line.
QLineEdit* AddNameRow(QBoxLayout* into, QWidget* parent, const char* name, const char* caption, int most);
// A name box holds one line with no control character, as every name does: a control character
// typed or pasted (the line break a spreadsheet cell is copied with, an ESC) is left out and the
// rest of the text is taken.
void KeepsNameRule(QLineEdit* box);
// A text quoted in a message, its control characters spelt out ("\x1b") rather than shown.
QString MessageText(const QString& text);
// The Tab key goes through `order` in turn.
void ChainTabOrder(const QList<QWidget*>& order);

// What a box shows once it is left.
enum class Tidy {
    AsTyped, // the text as typed
    Plain,   // the value in the plain " 0.00" form (TidyPlainOnLeave)
    Own,     // the value in the box's own grouped format
};

// The message a refused value brings up, from the model's texts; the focus then goes back to
// the box. An empty title shows nothing.
struct Refusal {
    std::string_view title;
    std::string_view message;
};

// A number box as a form declares it: its object name, kind and decimals, where a typed value
// goes in the model's state, the model's limit on it and what a refused value brings up.
struct NumberField {
    const char* name = "";
    NumberBox::Kind kind = NumberBox::Kind::Decimal;
    int decimals = 2;
    std::function<void(double)> store = {};   // empty: the box stores nothing itself
    std::function<bool(double)> accepts = {}; // empty: any number the box can hold
    Refusal refusal = {};
    bool negative = false;
    int minimumWidth = 0;
    Tidy tidy = Tidy::AsTyped;
};

// A typed value into a field of the model's state, converted to the field's type.
template <typename T>
std::function<void(double)> Into(T& field)
{
    return [&field](double value) { field = static_cast<T>(value); };
}
// The model's upper limit on a box; a value above it is refused.
inline std::function<bool(double)> AtMost(double most)
{
    return [most](double value) { return value <= most; };
}

// The model's upper limit on a count box: the count as it is held, rounded half to even into
// 16 bits, at most `most`.
std::function<bool(double)> CountAtMost(std::int16_t most);

// Makes the box `field` declares, child of `screen`; its refusal message is shown over it.
NumberBox* MakeNumberBox(QWidget* screen, const NumberField& field);
// A read-only result box named `name`, at least `least` wide and wide enough to show `largest`
// whole.
NumberBox* MakeResultBox(QWidget* parent, const QString& name, int decimals, double largest, int least);

} // namespace revora
