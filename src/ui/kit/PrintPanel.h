#pragma once
// The print panel every screen shows when the user asks to print: view/export or straight
// to the printer. It lies on top of the screen's controls until a choice is made.

#include "OverlayPanel.h"

class QCheckBox;
class QPushButton;
class QVBoxLayout;

namespace revora {

class PrintPanel : public OverlayPanel {
    Q_OBJECT
public:
    // cancelCaption is "&Cancel" on the tax, package and vehicle screens, "C&ancel" elsewhere.
    explicit PrintPanel(QWidget* parent, const QString& cancelCaption = QStringLiteral("&Cancel"));

    QPushButton* viewButton() const { return view_; }
    QPushButton* directButton() const { return direct_; }
    QPushButton* cancelButton() const { return cancel_; }
    // "Include the &working": the steps behind the figures as a second section of the report.
    // Off at first, it stays as the user leaves it for as long as the screen is open.
    QCheckBox* workingBox() const { return working_; }
    bool includesWorking() const;
    // Where a screen puts what else it asks before printing (a name, a language), above the
    // three buttons.
    QVBoxLayout* contentLayout() const { return content_; }

    // Visible, in front, with the focus on the first input of contentLayout() (an employee's
    // name), or on "&View/Export report" when the screen asks nothing more.
    void showPanel();

signals:
    void viewRequested();
    void directRequested();

private:
    QPushButton* view_;
    QPushButton* direct_;
    QPushButton* cancel_;
    QCheckBox* working_;
    QVBoxLayout* content_;
};

} // namespace revora
