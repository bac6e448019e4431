#include "WorkingWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "CalculatorWindow.h"
#include "WorkingSection.h"

namespace revora {

namespace {

enum Column { NumberColumn, StepColumn, WorkingColumn, AmountColumn };

// The step's label column, and the least each wrapping column keeps in a narrow window.
constexpr int StepWidth = 170;
constexpr int LeastWrappedWidth = 90;

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* item = new QTableWidgetItem(KeepFiguresWhole(text));
    item->setTextAlignment(alignment | Qt::AlignTop);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

bool IsAltC(const QKeyEvent& event)
{
    return event.key() == Qt::Key_C && (event.modifiers() & ~Qt::ShiftModifier) == Qt::AltModifier;
}

} // namespace

WorkingWindow::WorkingWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmWorking");
    none_ = new QLabel(this);
    none_->setObjectName("lblNoWorking");
    none_->setWordWrap(true);
    none_->setMargin(8);
    none_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    steps_ = new QTableWidget(0, 4, this);
    steps_->setObjectName("tvwWorking");
    steps_->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("Step"), QStringLiteral("Working"),
                                       QStringLiteral("Amount")});
    steps_->verticalHeader()->hide();
    steps_->setShowGrid(false);
    steps_->setAlternatingRowColors(true);
    steps_->setWordWrap(true);
    steps_->setSelectionBehavior(QAbstractItemView::SelectRows);
    steps_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Narrower than its columns can be, the table scrolls across rather than cut an amount.
    steps_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    steps_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* header = steps_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive); // shared out by fitColumns
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    steps_->horizontalHeaderItem(AmountColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wrapped rows take the height their new width needs.
    connect(header, &QHeaderView::sectionResized, steps_, [this] { steps_->resizeRowsToContents(); });

    copy_ = new QPushButton(QStringLiteral("&Copy"), this);
    copy_->setObjectName("cmdCopyWorking");
    connect(copy_, &QPushButton::clicked, this, &WorkingWindow::copy);
    auto* copyKey = new QShortcut(QKeySequence::Copy, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(copyKey, &QShortcut::activated, this, &WorkingWindow::copy);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(none_);
    layout->addWidget(steps_, 1);
    layout->addLayout(buttons);
    showWorking();
}

QSize WorkingWindow::sizeHint() const { return {560, 420}; }

void WorkingWindow::follow(CalculatorWindow* screen)
{
    if (screen == screen_ && screen)
        return;
    disconnect(changed_);
    screen_ = screen;
    if (screen) {
        changed_ = connect(screen, &CalculatorWindow::workingChanged, this, &WorkingWindow::showWorking);
        // A closed screen leaves nothing to show; the next one to become active is handed over.
        connect(screen, &QObject::destroyed, this, [this] {
            if (!screen_)
                follow(nullptr);
        });
    }
    showWorking();
}

void WorkingWindow::showWorking()
{
    const QString title = screen_ ? QStringLiteral("Working - ") + screen_->windowTitle() : QStringLiteral("Working");
    setWindowTitle(title);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->setWindowTitle(title);

    const bool empty = !screen_ || screen_->working().Empty();
    none_->setText(screen_ ? QStringLiteral("Calculate on %1 first: the steps behind its figures show here.")
                                 .arg(screen_->windowTitle())
                           : QStringLiteral("Open a calculator screen and calculate: the steps behind its figures "
                                            "show here."));
    none_->setVisible(empty);
    steps_->setVisible(!empty);
    copy_->setEnabled(!empty);
    steps_->setRowCount(0);
    if (empty)
        return;
    const auto& all = screen_->working().Steps();
    steps_->setRowCount(static_cast<int>(all.size()));
    for (int row = 0; row < steps_->rowCount(); ++row) {
        const WorkingStep& step = all[static_cast<std::size_t>(row)];
        steps_->setItem(row, NumberColumn, Cell(QString::number(row + 1) + QLatin1Char('.'), Qt::AlignRight));
        steps_->setItem(row, StepColumn, Cell(QString::fromStdString(step.LabelText())));
        steps_->setItem(row, WorkingColumn, Cell(StepWorking(step, PrintLanguage::English)));
        steps_->setItem(row, AmountColumn, Cell(QString::fromStdString(step.ShownAmount()), Qt::AlignRight));
    }
    fitColumns();
}

void WorkingWindow::copy()
{
    if (screen_ && !screen_->working().Empty())
        QApplication::clipboard()->setText(WorkingText(screen_->working(), PrintLanguage::English));
}

bool WorkingWindow::event(QEvent* event)
{
    // Before the menu bar's shortcuts: Alt+C is "&Copy" here, not "&Car Calculations".
    if (event->type() == QEvent::ShortcutOverride && copy_->isEnabled() && IsAltC(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void WorkingWindow::keyPressEvent(QKeyEvent* event)
{
    if (IsAltC(*event) && copy_->isEnabled()) {
        copy_->animateClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WorkingWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closing(screen_);
}

void WorkingWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitColumns();
}

void WorkingWindow::fitColumns()
{
    // The number and the amount are always shown whole; in a narrow window the step's label
    // gives up room before the working does, each wrapping onto more lines.
    QHeaderView* header = steps_->horizontalHeader();
    for (const Column whole : {NumberColumn, AmountColumn})
        steps_->resizeColumnToContents(whole);
    // Room is kept for the scroll bar that rows grown taller may bring.
    const QScrollBar* bar = steps_->verticalScrollBar();
    const int across = steps_->viewport()->width() - (bar->isVisible() ? 0 : bar->sizeHint().width());
    const int free = across - header->sectionSize(NumberColumn) - header->sectionSize(AmountColumn);
    const int step = std::clamp(free / 2, LeastWrappedWidth, StepWidth);
    header->resizeSection(StepColumn, step);
    header->resizeSection(WorkingColumn, std::max(LeastWrappedWidth, free - step));
    steps_->resizeRowsToContents();
}

} // namespace revora
