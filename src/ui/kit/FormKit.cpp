#include "FormKit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QValidator>

#include "ResultWidth.h"
#include "common/InputNumbers.h"
#include "SpinnerStep.h"
#include "common/TextEscape.h"

namespace revora {

namespace {

// Leaves every control character out of an edit, moving the cursor back past those before it.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override
    {
        const int cursor = pos;
        QString kept;
        kept.reserve(input.size());
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (!IsControlCharacter(input[i].unicode()))
                kept += input[i];
            else if (i < cursor)
                --pos;
        }
        input = kept;
        return Acceptable;
    }
};

} // namespace

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void KeepsNameRule(QLineEdit* box) { box->setValidator(new NameValidator(box)); }

QString MessageText(const QString& text) { return Text(EscapeControls(text.toStdString())); }

std::function<bool(double)> CountAtMost(std::int16_t most)
{
    return [most](double value) {
        const auto count = RoundHalfEvenToInt16(value);
        return count && *count <= most;
    };
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QPushButton* MakeCalculateButton(QWidget* parent)
{
    QPushButton* button = MakeButton(parent, "cmdCalculate", QStringLiteral("&Calculate"));
    button->setDefault(true);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, QWidget* buddy)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLabel* AddGridRow(QGridLayout* grid, QWidget* parent, const char* caption, QWidget* box, const char* unit)
{
    return AddGridRowAt(grid, grid->rowCount(), parent, caption, box, unit);
}

QLabel* AddGridRowAt(QGridLayout* grid, int row, QWidget* parent, const char* caption, QWidget* box, const char* unit)
{
    QLabel* label = MakeLabel(parent, caption, box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    if (unit)
        grid->addWidget(MakeLabel(parent, unit), row, 2);
    return label;
}

QLineEdit* AddNameRow(QBoxLayout* into, QWidget* parent, const char* name, const char* caption, int most)
{
    auto* line = new QLineEdit(parent);
    line->setObjectName(name);
    line->setMaxLength(most);
    KeepsNameRule(line);
    line->setMinimumWidth(260);
    auto* row = new QHBoxLayout;
    row->addWidget(MakeLabel(parent, caption, line));
    row->addWidget(line);
    row->addWidget(new QLabel(QStringLiteral("(max.%1 chrs.)").arg(most), parent));
    into->addLayout(row);
    return line;
}

void ChainTabOrder(const QList<QWidget*>& order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

NumberBox* MakeNumberBox(QWidget* screen, const NumberField& field)
{
    auto* box = new NumberBox(field.kind, field.decimals, screen);
    box->setObjectName(field.name);
    if (field.minimumWidth > 0)
        box->setMinimumWidth(field.minimumWidth);
    if (field.tidy == Tidy::Plain)
        TidyPlainOnLeave(box, field.decimals);
    else if (field.tidy == Tidy::Own)
        box->setTidyOnLeave(true);
    if (field.negative)
        box->setAllowsNegative(true);
    if (field.accepts)
        box->setAcceptor(field.accepts);
    if (field.store)
        QObject::connect(box, &NumberBox::valueEdited, screen, field.store);
    if (!field.refusal.title.empty())
        QObject::connect(box, &NumberBox::refused, screen, [screen, box, refusal = field.refusal] {
            QMessageBox::critical(screen, Text(refusal.title), Text(refusal.message));
            box->setFocus(Qt::OtherFocusReason);
        });
    return box;
}

NumberBox* MakeResultBox(QWidget* parent, const QString& name, int decimals, double largest, int least)
{
    auto* box = new NumberBox(NumberBox::Kind::Decimal, decimals, parent);
    box->setObjectName(name);
    box->setOutput(true);
    FitToFigures(*box, decimals, {largest}, least);
    return box;
}

} // namespace revora
