#pragma once
// The working window: the steps behind the figures of a calculator screen, numbered, each with
// its label, its working and its amount, always in English. It follows the screen it shows
// through every recalculation, and the main window hands it each calculator screen that
// becomes active; becoming active itself, it keeps the last one.

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace revora {

class CalculatorWindow;

class WorkingWindow : public QWidget {
    Q_OBJECT
public:
    explicit WorkingWindow(QWidget* parent = nullptr);

    // Shows the working of `screen` from now on; null: none (the screen was closed).
    void follow(CalculatorWindow* screen);
    CalculatorWindow* followed() const { return screen_; }

    // "&Copy" and Ctrl+C: the working as text, under its heading, on the clipboard.
    void copy();

    QSize sizeHint() const override;

signals:
    // The window is closing while it shows the working of `shown` (null: of none).
    void closing(CalculatorWindow* shown);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showWorking();
    // The columns shared out over the table's width.
    void fitColumns();

    QPointer<CalculatorWindow> screen_;
    QMetaObject::Connection changed_;
    QLabel* none_;
    QTableWidget* steps_;
    QPushButton* copy_;
};

} // namespace revora
