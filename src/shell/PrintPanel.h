#pragma once
// The print panel every screen shows when the user asks to print: view/export or straight
// to the printer.

#include <QFrame>

class QPushButton;

namespace revora {

class PrintPanel : public QFrame {
    Q_OBJECT
public:
    // cancelCaption is "&Cancel" on the tax, package and vehicle screens, "C&ancel" elsewhere.
    explicit PrintPanel(const QString& cancelCaption = QStringLiteral("&Cancel"), QWidget* parent = nullptr);

    QPushButton* viewButton() const { return view_; }
    QPushButton* directButton() const { return direct_; }
    QPushButton* cancelButton() const { return cancel_; }

    void showPanel(); // visible, in front, with the focus on "&View/Export report"

signals:
    void viewRequested();
    void directRequested();

private:
    QPushButton* view_;
    QPushButton* direct_;
    QPushButton* cancel_;
};

} // namespace revora
