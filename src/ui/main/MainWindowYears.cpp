// The main window's tax year: the years read at start, the "Tax year" menu, the choice kept
// for the next start, and the settings that follow a year's published levies.

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStringList>

#include "CalculatorWindow.h"
#include "ChosenTaxYear.h"
#include "Database.h"
#include "MainWindow.h"
#include "ReportRenderer.h"
#include "SetupSettings.h"
#include "TaxYearData.h"
#include "common/AmountFormat.h"
#include "payroll/PublishedLevies.h"
#include "tax/TaxYearRules.h"

namespace revora {

void MainWindow::readTaxYears(QStringList& problems)
{
    TaxYearChoice& choice = state_.Year;
    int stored = TaxYear2016().Year;
    try {
        stored = ReadChosenTaxYear(state_.Paths);
    } catch (const StorageError& e) {
        problems << e.message();
    }
    // A damaged year must never give a wrong tax: it is refused, saying why, and the others stay.
    TaxYearFiles read = ReadTaxYears(state_.Paths);
    choice.Years = std::move(read.Years);
    for (const RefusedTaxYear& refused : read.Refused)
        problems << refused.Error.message();
    choice.Chosen = stored;
    const bool inData = std::any_of(choice.Years.begin(), choice.Years.end(),
                                    [stored](const TaxYear& year) { return year.Year == stored; });
    if (inData || stored == TaxYear2016().Year)
        return;
    // The choice stays stored: a folder the year's file returns to gives it back.
    choice.Chosen = TaxYear2016().Year;
    problems << QStringLiteral("The tax year ending in %1, chosen before, is not among the tax years that can be "
                               "used. The program works in the tax year %2.")
                    .arg(stored)
                    .arg(QString::fromStdString(choice.Current().Label));
}

void MainWindow::fillTaxYearMenu()
{
    // Until the data is read, and whenever it cannot be, the one year listed is 2016.
    std::vector<const TaxYear*> years;
    for (const TaxYear& year : state_.Year.Years)
        years.push_back(&year);
    if (years.empty())
        years.push_back(&state_.Year.Current());
    yearMenu_->clear();
    for (const TaxYear* year : years) {
        QAction* action = yearMenu_->addAction(QString::fromStdString(year->Label + AddedHereMark(*year)));
        action->setObjectName(QStringLiteral("mnuTaxYear%1").arg(year->Year));
        action->setCheckable(true);
        action->setActionGroup(yearChoices_);
        action->setChecked(year == &state_.Year.Current());
        connect(action, &QAction::triggered, this, [this, chosen = year->Year] { chooseTaxYear(chosen); });
    }
}

void MainWindow::chooseTaxYear(int year)
{
    TaxYearChoice& choice = state_.Year;
    const auto found = std::find_if(choice.Years.begin(), choice.Years.end(),
                                    [year](const TaxYear& each) { return each.Year == year; });
    if (found == choice.Years.end() || year == choice.Current().Year)
        return;
    choice.Chosen = year;
    if (QAction* action = yearMenu_->findChild<QAction*>(QStringLiteral("mnuTaxYear%1").arg(year)))
        action->setChecked(true);
    try {
        WriteChosenTaxYear(state_.Paths, year);
    } catch (const StorageError& e) {
        // The program still works in the year chosen until it is closed.
        QMessageBox::warning(this, MainWindowCaption(), e.message());
    }
    showYear();
    followYearInSettings();
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (auto* screen = qobject_cast<CalculatorWindow*>(sub->widget()))
            screen->yearChanged();
}

namespace {

// The four settings that follow the year, with the "Setup" panel's labels.
QString LevyText(const PayeSettings& s)
{
    auto percent = [](double rate) { return QString::fromStdString(FormatAmount(rate, 3)) + QStringLiteral(" %"); };
    return QStringLiteral("Employee UIF portion %1, Employer UIF portion %2, Skills levy %3, UIF monthly limit R %4")
        .arg(percent(s.EmployeeUIF), percent(s.EmployerUIF), percent(s.SkillLevy),
             QString::fromStdString(FormatAmount(s.UIFLimit, 0)));
}

} // namespace

void MainWindow::followYearInSettings()
{
    const TaxYear& year = state_.Year.Current();
    try {
        const PayeSettings stored = ReadPayeSettings(state_.Paths);
        // The UIF ceiling in force at the year's end: the one a new payroll month of the year uses.
        const PayeSettings published = PublishedLevies(year, year.End, stored);
        if (!ArePublishedLevies(stored, state_.Year.Years)) {
            // Rates the user set are the user's: asked once, and kept unless the answer is Yes.
            const QString label = QString::fromStdString(year.Label);
            QMessageBox ask(QMessageBox::Question, MainWindowCaption(),
                            QStringLiteral("The payroll settings are not the published figures of a tax year. "
                                           "Use the published figures of the tax year %1 instead?\n\n"
                                           "The settings: %2.\n\nThe tax year %1: %3.")
                                .arg(label, LevyText(stored), LevyText(published)),
                            QMessageBox::Yes | QMessageBox::No, this);
            ask.setObjectName("followTaxYear");
            ask.setDefaultButton(QMessageBox::No);
            if (ask.exec() != QMessageBox::Yes)
                return;
        }
        // Only the figures that change are written: a rate saved meanwhile on a screen stays.
        WriteSettingsEdit(state_.Paths, {WithPayrollPart({}, stored), WithPayrollPart({}, published)});
    } catch (const StorageError& e) {
        QMessageBox::warning(this, MainWindowCaption(), e.message());
    }
}

} // namespace revora
