#pragma once
// The payroll run screen's grid: one row an employee, every figure as the run gives it in
// cents, as the payslip prints it. Sorting reads the cents (and the names), not the texts.

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <vector>

#include "payroll/PayrollRun.h"

namespace revora {

// Cents as the screen shows an amount: "1 234.56".
QString Money(std::int64_t cents);

class PayrollGridModel : public QAbstractTableModel {
public:
    enum Column { Employee, Gross, PAYE, UIFEmployee, UIFEmployer, SDL, Columns };

    explicit PayrollGridModel(QObject* parent) : QAbstractTableModel(parent) {}

    // The run to show, over the employees it was worked for; both outlive the model's use.
    void show(const std::vector<PayrollEmployee>* employees, const PayrollRun* run);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    static std::int64_t cents(const PayrollLine& line, int column);

    const std::vector<PayrollEmployee>* employees_ = nullptr;
    const PayrollRun* run_ = nullptr;
};

} // namespace revora
