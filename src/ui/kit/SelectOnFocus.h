#pragma once
// Edit boxes that select their whole text when they take the focus, however it comes (Tab, a
// click, a mnemonic, the program), so the first key typed replaces what they show. The box
// calls focusIn after QLineEdit::focusInEvent and mouseReleased after
// QLineEdit::mouseReleaseEvent.

#include <QFocusEvent>
#include <QLineEdit>

namespace revora {

class SelectOnFocus {
public:
    void focusIn(QLineEdit& box, const QFocusEvent& event)
    {
        // Coming back from the box's own context menu keeps what was selected.
        if (event.reason() == Qt::PopupFocusReason)
            return;
        box.selectAll();
        // The click that brought the focus would place the cursor on release; it selects instead.
        selectOnRelease_ = event.reason() == Qt::MouseFocusReason;
    }

    void mouseReleased(QLineEdit& box)
    {
        if (!selectOnRelease_)
            return;
        selectOnRelease_ = false;
        if (!box.hasSelectedText()) // a drag that chose part of the text is left as it is
            box.selectAll();
    }

private:
    bool selectOnRelease_ = false;
};

} // namespace revora
