#pragma once
// The small up/down spinner that sits beside a box on the interest and inflation screens: two
// arrow buttons, and the Up and Down keys in the box it steps. It is no stop of the Tab key: a
// stop there would show no cursor, and the digits typed at it would be lost, so Tab goes on
// from the box to the next box.

#include <QWidget>
#include <functional>

#include "finance/SpinStep.h"

class QToolButton;

namespace revora {

class NumberBox;

class SpinnerStep : public QWidget {
    Q_OBJECT
public:
    explicit SpinnerStep(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    // Sounds the warning beep and says so (screens beep where a step reaches 0).
    void beep();
    // The Up and Down keys in `box` step the spinner; the focus then goes back to the box, so
    // the keys can step on and a digit typed next goes into the box.
    void stepFromKeysIn(QWidget* box);

signals:
    void stepped(int direction); // +1 up, -1 down
    void beeped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

// What a spinner bound to a number box needs from its screen.
struct SpinBinding {
    SpinRule rule;
    int decimals = 0;                     // the box's decimals, as it shows its value
    std::function<void(double)> store;    // the value into the program-wide state
    std::function<void()> recalculate;    // the screen's calculation
    QWidget* okButton = nullptr;          // takes the focus after every click
};

// Each click steps the box's value by the rule: the beep it calls for, the new value shown
// in the box and stored, the screen recalculated, and the focus on "&OK" (also when the rule
// left the value alone). The Up and Down keys in the box step it too.
void BindSpinner(SpinnerStep* spinner, NumberBox* box, SpinBinding binding);

// A number in the boxes' plain " 0" / " 0.00" form: no grouping blanks, no "-0".
QString PlainNumber(double value, int decimals);
// Shows a value in a box in that form; the box holds the value as given.
void ShowPlain(NumberBox* box, double value, int decimals);
// On leaving, the box shows the value its text was read as, in that form ("0" for "abc").
void TidyPlainOnLeave(NumberBox* box, int decimals);

} // namespace revora
