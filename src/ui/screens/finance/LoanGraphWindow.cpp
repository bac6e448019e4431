#include "finance/LoanGraphWindow.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace revora {

namespace {

double Finite(const std::vector<double>& values, std::size_t index)
{
    const double value = index < values.size() ? values[index] : 0.0;
    return std::isfinite(value) ? value : 0.0;
}

// A value axis from 0 to a little above the largest value, so the top bar or point is not
// drawn on the chart's edge; an all-zero schedule still gets a usable axis.
QValueAxis* AmountAxis(const QString& title, double largest)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setRange(0.0, largest > 0.0 ? largest * 1.05 : 1.0);
    axis->applyNiceNumbers();
    return axis;
}

} // namespace

LoanGraphWindow::LoanGraphWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("LoanGraphWindow");
    setWindowTitle(QStringLiteral("Loan - Annual Graph"));
    view_ = new QChartView(this);
    view_->setObjectName("chartView");
    view_->setRenderHint(QPainter::Antialiasing);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(760, 500);
    LoanAmortGraph(0, 0, 1, {}, {}, {});
}

void LoanGraphWindow::LoanAmortGraph(int years, int fullYears, int flag, const std::vector<double>& capital,
                                     const std::vector<double>& interest, const std::vector<double>& balance)
{
    const std::size_t held = std::min({capital.size(), interest.size(), balance.size()});
    const int shown = std::clamp(years, 0, static_cast<int>(held));

    auto* capitalSet = new QBarSet(QStringLiteral("Capital"));
    auto* interestSet = new QBarSet(QStringLiteral("Interest"));
    auto* bars = new QStackedBarSeries;
    auto* line = new QLineSeries;
    line->setName(QStringLiteral("Balance"));
    // Told apart from the bars at a glance.
    QPen pen(QColor(178, 34, 34));
    pen.setWidth(3);
    line->setPen(pen);
    QStringList categories;
    double largestPayment = 0.0;
    double largestBalance = 0.0;
    for (int year = 1; year <= shown; ++year) {
        const auto i = static_cast<std::size_t>(year - 1);
        const double c = Finite(capital, i);
        const double n = Finite(interest, i);
        const double b = Finite(balance, i);
        *capitalSet << c;
        *interestSet << n;
        // On a category axis the points sit at the categories' indexes.
        line->append(year - 1, b);
        largestPayment = std::max(largestPayment, c + n);
        largestBalance = std::max(largestBalance, b);
        const bool partYear = flag == 2 && year > fullYears;
        categories << (partYear ? QStringLiteral("%1*").arg(year) : QString::number(year));
    }
    bars->append(capitalSet);
    bars->append(interestSet);

    auto* chart = new QChart;
    QString title = QStringLiteral("Annual amortisation of the loan");
    if (flag == 2 && shown > fullYears)
        title += QStringLiteral(" (* part year)");
    chart->setTitle(title);
    chart->addSeries(bars);
    chart->addSeries(line);

    auto* yearAxis = new QBarCategoryAxis;
    yearAxis->setTitleText(QStringLiteral("Year"));
    yearAxis->append(categories.isEmpty() ? QStringList{QStringLiteral(" ")} : categories);
    chart->addAxis(yearAxis, Qt::AlignBottom);
    bars->attachAxis(yearAxis);
    line->attachAxis(yearAxis);

    auto* paymentAxis = AmountAxis(QStringLiteral("Repaid in the year (R)"), largestPayment);
    chart->addAxis(paymentAxis, Qt::AlignLeft);
    bars->attachAxis(paymentAxis);
    auto* balanceAxis = AmountAxis(QStringLiteral("Balance (R)"), largestBalance);
    chart->addAxis(balanceAxis, Qt::AlignRight);
    line->attachAxis(balanceAxis);
    chart->legend()->setAlignment(Qt::AlignBottom);

    QChart* old = view_->chart();
    view_->setChart(chart);
    delete old; // the view leaves the chart it let go of to its caller
    yearsShown_ = shown;
}

} // namespace revora
