#include "CalculatorWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "BusyCursor.h"
#include "FormKit.h"
#include "Database.h"
#include "NumberBox.h"
#include "PrintPanel.h"
#include "ReportDatabase.h"
#include "ReportRenderer.h"
#include "ReportWindow.h"
#include "SetupPanel.h"
#include "WorkingSection.h"

namespace revora {

namespace {

bool IsEnter(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The Alt+letter a caption such as "&Calculate" answers to, as a key code; 0 when none.
int MnemonicKey(const QString& caption)
{
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    return mnemonic.isEmpty() ? 0 : mnemonic[0].key();
}

} // namespace

CalculatorWindow::CalculatorWindow(ProgramValues& program, QWidget* parent) : QWidget(parent), program_(program)
{
    auto* form = new QWidget;
    form->setObjectName("form");
    formLayout_ = new QVBoxLayout(form);
    formLayout_->setSizeConstraint(QLayout::SetFixedSize);

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus); // the focus goes to the first box, not the frame around it
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(form);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
}

void CalculatorWindow::fillWindow()
{
    formLayout_->setSizeConstraint(QLayout::SetMinimumSize);
    formLayout_->parentWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    scroll_->setWidgetResizable(true);
}

QSize CalculatorWindow::sizeHint() const
{
    // The whole form, with no scroll bars; the scroll area alone would offer a smaller size.
    return formLayout_->parentWidget()->sizeHint();
}

void CalculatorWindow::settingsChanged()
{
    if (findChild<SetupPanel*>(QString(), Qt::FindDirectChildrenOnly))
        yearChanged();
}

void CalculatorWindow::closeScreen()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

// A message may quote a file's name or a typed text: its control characters are spelt out.
void CalculatorWindow::showError(const QString& title, const QString& message)
{
    QMessageBox::critical(this, title, MessageText(message));
}

void CalculatorWindow::setWorking(Working working)
{
    working_ = std::move(working);
    emit workingChanged();
}

void CalculatorWindow::clearResults()
{
    setWorking({});
    for (NumberBox* box : findChildren<NumberBox*>())
        if (box->isReadOnly())
            box->clearValue();
}

void CalculatorWindow::setUpPrinting(QAbstractButton* printButton, PrintPanel* panel)
{
    connect(printButton, &QAbstractButton::clicked, panel, &PrintPanel::showPanel);
    setUpPrinting(panel);
}

void CalculatorWindow::setUpPrinting(PrintPanel* panel)
{
    printPanel_ = panel;
    connect(panel, &PrintPanel::viewRequested, this, [this] { printTo(0); });
    connect(panel, &PrintPanel::directRequested, this, [this] { printTo(1); });
}

void CalculatorWindow::setUpRowPrinting(QAbstractButton* printButton, PrintPanel* panel, RowPrint print)
{
    rowPrint_ = std::move(print);
    setUpPrinting(panel);
    connect(printButton, &QAbstractButton::clicked, this, [this, panel] {
        calculate();
        const std::optional<ReportRow> row = rowPrint_.row();
        if (!row) {
            rowPrint_.nothingToPrint->setFocus(Qt::OtherFocusReason);
            return;
        }
        try {
            BusyCursor busy;
            WriteOneRowTable(program_.Paths, rowPrint_.request.table, *row);
        } catch (const StorageError& e) {
            // A row that could not be written is not offered for printing.
            showError(QStringLiteral("Report"), e.message());
            return;
        }
        panel->showPanel();
    });
}

void CalculatorWindow::printRow()
{
    const std::optional<ReportRow> row = rowPrint_.row();
    if (!row) {
        rowPrint_.nothingToPrint->setFocus(Qt::OtherFocusReason);
        return;
    }
    printOneRowReport(rowPrint_.request, *row);
}

CalculatorWindow::CommandRow CalculatorWindow::makeCommandRow(bool centred)
{
    CommandRow row{MakeCalculateButton(this), MakeButton(this, "cmdOK", QStringLiteral("&OK")),
                   MakeButton(this, "cmdPrint", QStringLiteral("&Print")), new QHBoxLayout};
    if (centred)
        row.layout->addStretch();
    for (QPushButton* button : {row.calculate, row.ok, row.print})
        row.layout->addWidget(button);
    row.layout->addStretch();
    connect(row.ok, &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
    return row;
}

CalculatorWindow::CommandRow CalculatorWindow::endForm(int spacing, bool centred, QList<QWidget*> inputs,
                                                      ReportRequest request,
                                                      std::function<std::optional<ReportRow>()> row,
                                                      std::function<void()> onCalculate)
{
    const CommandRow commands = makeCommandRow(centred);
    formLayout()->addSpacing(spacing);
    formLayout()->addLayout(commands.layout);

    auto* panel = new PrintPanel(this, QStringLiteral("C&ancel"));
    panel->setObjectName("fraPrint");
    panel->cancelButton()->setObjectName("cmdPrintCancel");

    inputs << commands.calculate << commands.ok << commands.print;
    ChainTabOrder(inputs);

    if (!onCalculate)
        onCalculate = [this] { calculate(); };
    connect(commands.calculate, &QPushButton::clicked, this, std::move(onCalculate));
    setUpRowPrinting(commands.print, panel, {std::move(request), std::move(row), commands.ok});
    return commands;
}

void CalculatorWindow::printTo(std::int16_t printDirect)
{
    program_.PrintDirect = printDirect;
    if (printPanel_)
        printPanel_->hide();
    if (calculate())
        printReport();
}

bool CalculatorWindow::printOneRowReport(const ReportRequest& request, const ReportRow& row)
{
    return deliver([&] { return WriteAndRenderOneRowReport(program_, request, row); });
}

bool CalculatorWindow::printMultiRowReport(const ReportRequest& request, const std::vector<ReportRow>& rows)
{
    return deliver([&] { return WriteAndRenderMultiRowReport(program_, request, rows); });
}

bool CalculatorWindow::deliver(const std::function<RenderedReport()>& writeAndRender)
{
    RenderedReport report;
    try {
        // The busy pointer is gone (unwound) before any message shows.
        BusyCursor busy;
        report = writeAndRender();
    } catch (const StorageError& e) {
        showError(QStringLiteral("Report"), e.message());
        return false;
    }
    // Every destination starts from this HTML: the report window's exports and the printer.
    if (printPanel_ && printPanel_->includesWorking())
        report.html = WithWorking(report.html, working_, workingLanguage());
    return DeliverReport(program_, report, this);
}

QWidget* CalculatorWindow::mnemonicTarget(const QKeyEvent& event) const
{
    if ((event.modifiers() & ~Qt::ShiftModifier) != Qt::AltModifier)
        return nullptr;
    auto claims = [&event](QWidget* widget) -> bool {
        if (!widget->isVisible() || !widget->isEnabled())
            return false;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return MnemonicKey(button->text()) == event.key();
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->buddy() && label->buddy()->isEnabled() && MnemonicKey(label->text()) == event.key();
        return false;
    };
    // A panel shown on top answers first: its controls are the ones the user is looking at.
    QList<QWidget*> candidates;
    for (OverlayPanel* panel : findChildren<OverlayPanel*>(Qt::FindDirectChildrenOnly))
        if (panel->isVisible())
            candidates << panel->findChildren<QWidget*>();
    candidates << findChildren<QWidget*>();
    for (QWidget* widget : candidates)
        if (claims(widget))
            return widget;
    return nullptr;
}

QPushButton* CalculatorWindow::enterButton() const
{
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (focused && isAncestorOf(focused))
        return focused;
    // With the print panel on top, Enter prints as shown (after a name typed on it, say).
    if (printPanel_ && printPanel_->isVisible())
        return printPanel_->viewButton();
    // The screen's own buttons wait while the Setup panel is up: Enter keeps what was typed.
    for (SetupPanel* setup : findChildren<SetupPanel*>(Qt::FindDirectChildrenOnly))
        if (setup->isVisible())
            return setup->okButton();
    for (QPushButton* button : findChildren<QPushButton*>())
        if (button->isDefault() && button->isVisible() && button->isEnabled())
            return button;
    return nullptr;
}

bool CalculatorWindow::event(QEvent* event)
{
    // Before the menu bar's shortcuts are looked at: a letter one of this screen's controls
    // claims is this screen's, so Alt+C is "&Calculate" here, not "&Car Calculations".
    if (event->type() == QEvent::ShortcutOverride && mnemonicTarget(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

bool CalculatorWindow::finishTyping() const
{
    auto* box = qobject_cast<NumberBox*>(QApplication::focusWidget());
    return !box || !isAncestorOf(box) || box->commit();
}

void CalculatorWindow::pressMnemonic(QWidget* target)
{
    if (!finishTyping())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->animateClick();
    else
        static_cast<QLabel*>(target)->buddy()->setFocus(Qt::ShortcutFocusReason);
}

void CalculatorWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Text boxes would type the letter of Alt+letter; the screen's mnemonics come first.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        if (!qobject_cast<NumberBox*>(box))
            box->installEventFilter(this);
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers held = key->modifiers();
        if ((held & (Qt::AltModifier | Qt::MetaModifier)) && !(held & Qt::ControlModifier)) {
            if (QWidget* target = mnemonicTarget(*key))
                pressMnemonic(target);
            return true; // never typed into the text, as Alt+letter never is
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event)
{
    if (QWidget* target = mnemonicTarget(*event)) {
        pressMnemonic(target);
        return;
    }
    if (IsEnter(*event)) {
        QPushButton* button = enterButton();
        if (button && finishTyping())
            button->click();
        return;
    }
    // Esc is the print panel's "&Cancel"; a settings panel is left only by its own button.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && printPanel_ &&
        printPanel_->isVisible()) {
        printPanel_->hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool DeliverReport(ProgramValues& program, const RenderedReport& report, QWidget* parent)
{
    if (program.PrintDirect == 1) {
        try {
            BusyCursor busy;
            PrintReport(report.html, program.PrinterName, report.documentName());
        } catch (const PrintError& e) {
            QMessageBox::warning(parent, QStringLiteral("Print"), e.message());
            return false;
        }
        return true;
    }
    // The title of the last report shown; a direct print leaves it as it was.
    QWidget* owner = parent ? parent->window() : nullptr;
    auto* window = new ReportWindow(report.html, report.title, owner);
    program.ReportWindowTitle = window->windowTitle();
    window->placeOver(owner);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace revora
