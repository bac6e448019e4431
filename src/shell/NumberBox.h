#pragma once
// A numeric edit box: it stores its value the moment its text changes (the text's leading
// number; anything else reads as 0) and shows values with a fixed number of decimals.

#include <QLineEdit>
#include <functional>

namespace revora {

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(int decimals, QWidget* parent = nullptr);

    // Typed values outside what the box can hold are refused: the text goes back to the
    // last one accepted, so a value is never lost to a slip of the keyboard.
    void setAcceptor(std::function<bool(double)> accepts) { accepts_ = std::move(accepts); }
    void setOutput(bool output); // read-only result box, skipped by the Tab key

    double value() const { return value_; }
    void setValue(double value);

signals:
    void valueEdited(double value);

private:
    void onTextEdited(const QString& text);

    int decimals_;
    double value_ = 0.0;
    QString acceptedText_;
    std::function<bool(double)> accepts_;
};

} // namespace revora
