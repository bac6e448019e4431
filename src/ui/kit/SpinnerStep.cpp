#include "SpinnerStep.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/AmountFormat.h"
#include "NumberBox.h"

namespace revora {

namespace {

class PlainTidy : public QObject {
public:
    PlainTidy(NumberBox* box, int decimals) : QObject(box), box_(box), decimals_(decimals) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Opening the box's own menu is not leaving it.
        if (watched == box_ && event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            ShowPlain(box_, box_->value(), decimals_);
        return false;
    }

private:
    NumberBox* box_;
    int decimals_;
};

} // namespace

SpinnerStep::SpinnerStep(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const struct {
        QToolButton* button;
        Qt::ArrowType arrow;
        const char* name;
        int direction;
    } arrows[] = {{up_, Qt::UpArrow, "up", 1}, {down_, Qt::DownArrow, "down", -1}};
    for (const auto& a : arrows) {
        a.button->setObjectName(a.name);
        a.button->setArrowType(a.arrow);
        // Held down, an arrow keeps stepping, as a spin control does.
        a.button->setAutoRepeat(true);
        a.button->setFocusPolicy(Qt::NoFocus);
        a.button->setFixedSize(18, 12);
        layout->addWidget(a.button);
        const int direction = a.direction;
        connect(a.button, &QToolButton::clicked, this, [this, direction] { emit stepped(direction); });
    }
}

void SpinnerStep::beep()
{
    QApplication::beep();
    emit beeped();
}

void SpinnerStep::stepFromKeysIn(QWidget* box) { box->installEventFilter(this); }

bool SpinnerStep::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down)
        return false;
    emit stepped(key->key() == Qt::Key_Up ? 1 : -1);
    if (auto* box = qobject_cast<QWidget*>(watched))
        box->setFocus(Qt::OtherFocusReason);
    return true;
}

void BindSpinner(SpinnerStep* spinner, NumberBox* box, SpinBinding binding)
{
    spinner->stepFromKeysIn(box);
    QObject::connect(spinner, &SpinnerStep::stepped, box, [spinner, box, binding](int direction) {
        const SpinOutcome outcome = Spin(binding.rule, box->value(), direction);
        if (outcome.beep)
            spinner->beep();
        if (outcome.stepped) {
            ShowPlain(box, outcome.value, binding.decimals);
            if (binding.store)
                binding.store(outcome.value);
            if (binding.recalculate)
                binding.recalculate();
        }
        if (binding.okButton)
            binding.okButton->setFocus(Qt::OtherFocusReason);
    });
}

QString PlainNumber(double value, int decimals)
{
    return QString::fromStdString(FormatAmount(value, decimals)).remove(QLatin1Char(' '));
}

void ShowPlain(NumberBox* box, double value, int decimals)
{
    box->setValue(value);
    box->setText(PlainNumber(box->value(), decimals));
    if (box->hasFocus())
        box->selectAll();
}

void TidyPlainOnLeave(NumberBox* box, int decimals)
{
    box->setTidyOnLeave(false);
    box->installEventFilter(new PlainTidy(box, decimals));
}

} // namespace revora
