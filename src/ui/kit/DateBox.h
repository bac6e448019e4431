#pragma once
// A date edit box: dates are typed and shown as "dd/mm/yyyy" and held as day numbers. It has
// a lower and an upper bound; a typed date is stored the moment the text makes a date within
// them. What it cannot take is reported when the box is left (one of two rejections), the
// box goes back to its last date, and the screen says why and puts the focus back.

#include <QLineEdit>
#include <optional>

#include "SelectOnFocus.h"

namespace revora {

class DateBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    int date() const { return date_; } // day number
    void setDate(int dayNumber);        // shows it; not checked against the bounds

    int lowerBound() const { return lower_; }
    int upperBound() const { return upper_; }
    void setBounds(int lower, int upper);

    // Boxes whose date may be left unset: they hold `unsetDay` while empty, show it as an
    // empty box, and take an emptied box when it is left. Off unless a screen asks for it.
    void setEmptyAllowed(int unsetDay);
    bool isUnset() const { return unsetDay_ && date_ == *unsetDay_; }

signals:
    void dateEdited(int dayNumber);
    // Left with text that is not a date ("31/02/2015", "abc", an empty box), as typed.
    void invalidDateRejected(const QString& typed);
    // Left with a date before the lower or after the upper bound.
    void outOfRangeRejected();
    // Just before the box takes the focus, so a screen can move the bounds first.
    void entering();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onTextEdited(const QString& text);
    // On leaving: takes a date within the bounds, or reports why not and shows the last date.
    bool takeOrReject();
    void showDate();

    int date_;
    int lower_;
    int upper_;
    bool reporting_ = false;
    std::optional<int> unsetDay_;
    SelectOnFocus selectOnFocus_;
};

} // namespace revora
