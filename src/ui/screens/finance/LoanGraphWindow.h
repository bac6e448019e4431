#pragma once
// The chart of a loan's annual schedule: each year's capital and interest as bars and the
// balance left at the year's end as a line. One window, filled again on every request.

#include <QWidget>
#include <vector>

class QChartView;

namespace revora {

class LoanGraphWindow : public QWidget {
    Q_OBJECT
public:
    explicit LoanGraphWindow(QWidget* parent = nullptr);

    // The annual schedule: `years` lines (the full years, then a part year when `flag` is 2),
    // year 1 first in each array. Values that are not finite are drawn as 0, and no more
    // years are drawn than the arrays hold.
    void LoanAmortGraph(int years, int fullYears, int flag, const std::vector<double>& capital,
                        const std::vector<double>& interest, const std::vector<double>& balance);

    // What the chart shows now: the number of years drawn.
    int yearsShown() const { return yearsShown_; }
    QChartView* chartView() const { return view_; }

private:
    QChartView* view_;
    int yearsShown_ = 0;
};

} // namespace revora
