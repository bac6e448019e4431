#include "shell/CalculatorWindow.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMessageBox>

#include "shell/BusyCursor.h"
#include "shell/Database.h"
#include "shell/ReportRenderer.h"
#include "shell/ReportWindow.h"

namespace revora {

CalculatorWindow::CalculatorWindow(AppState& state, QWidget* parent) : QWidget(parent), state_(state) {}

void CalculatorWindow::closeScreen()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void CalculatorWindow::showError(const QString& title, const QString& message)
{
    QMessageBox::critical(this, title, message);
}

bool CalculatorWindow::printOneRowReport(const ReportRequest& request, const ReportRow& row)
{
    RenderedReport report;
    try {
        // The busy pointer is gone (unwound) before any message shows.
        BusyCursor busy;
        report = WriteAndRenderOneRowReport(state_, request, row);
    } catch (const StorageError& e) {
        showError(QStringLiteral("Report"), e.message());
        return false;
    }
    return DeliverReport(state_, report, this);
}

bool DeliverReport(AppState& state, const RenderedReport& report, QWidget* parent)
{
    if (state.PrintDirect == 1) {
        try {
            BusyCursor busy;
            PrintReport(report.html, state.PrinterName, report.documentName());
        } catch (const PrintError& e) {
            QMessageBox::warning(parent, QStringLiteral("Print"), e.message());
            return false;
        }
        return true;
    }
    // The one report control keeps its title; a direct print leaves it as it was.
    state.ReportWindowTitle = report.title;
    auto* window = new ReportWindow(report.html, state.ReportWindowTitle, parent ? parent->window() : nullptr);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace revora
