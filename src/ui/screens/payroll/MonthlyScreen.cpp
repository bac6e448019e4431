#include "payroll/MonthlyScreen.h"

#include <QGridLayout>
#include <cmath>

#include "DateBox.h"

namespace revora {

namespace {

// Every amount box of the monthly screen shows whole rands, and the cents of an amount typed with them.
const PeriodicBoxes MonthlyBoxes{
    {"silgEdit9", "Age"},
    {"silgEdit10", "Salary/remuneration"},
    {"numEmpERMedAidCont", "Employer's med aid contrib."},
    {"numEmpEEMedAidCont", "Employee's med aid contrib."},
    {"numComm", "Commissions"},
    {"silgEdit12", "Bonus"},
    {"silgEdit13", "Travel Allowance R"},
    {"numMedAidBens", "Medical aid fund beneficiaries"},
    {"silgEdit16", "Allowable pension contributions"},
    {"silgEdit17", "Allowable R/A contributions"},
    {"silgEdit15", "Med Aid contribution deduction"},
    nullptr,
};

} // namespace

MonthlyScreen::MonthlyScreen(TaxState& state, ProgramValues& program, QWidget* parent)
    : PeriodicPayeScreen(state, program, QStringLiteral("Monthly"), MonthlyBoxes, MostBeneficiaries, parent)
{
    period_ = FirstMonthOf(year());
    start_ = addDate(periodGrid(), "dtMStartDate", "Start date", period_.StartDate);
    end_ = addDate(periodGrid(), "dtMEndDate", "End date", period_.EndDate);
    watchDates(start_, end_);

    // The taxable part of the travel allowance shows beside the allowance, in whole rands.
    taxableTravel_ = new NumberBox(NumberBox::Kind::Whole, 0, this);
    taxableTravel_->setObjectName("numMTAAns");
    taxableTravel_->setOutput(true);
    taxableTravel_->setMinimumWidth(90);
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    QGridLayout* grid = inputGrid();
    grid->getItemPosition(grid->indexOf(travelBox()), &row, &column, &rowSpan, &columnSpan);
    grid->addWidget(taxableTravel_, row, column + 1);

    orderTabs({start_, end_});
    open();
}

PeriodicPayeResult MonthlyScreen::compute(TaxBracketResult& record, Working* working) const
{
    return MonthlyPayeCalculate(inputs_, periodSettings(), year(), period_, record, working);
}

ReportRow MonthlyScreen::reportRow(const std::string& employee, PrintLanguage language) const
{
    return MonthlyPayeReportRow(inputs_, periodSettings(), period_, result_, employee, language);
}

void MonthlyScreen::showOwnResults()
{
    // Whole rands, halves to even, as the box rounds.
    taxableTravel_->setValue(std::nearbyint(result_.TaxableTravelAllowance));
}

} // namespace revora
