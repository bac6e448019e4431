#include "payroll/PayrollGridModel.h"

#include "FormKit.h"
#include "common/AmountFormat.h"

namespace revora {

QString Money(std::int64_t cents) { return Text(FormatAmount(static_cast<double>(cents) / 100.0)); }

void PayrollGridModel::show(const std::vector<PayrollEmployee>* employees, const PayrollRun* run)
{
    beginResetModel();
    employees_ = employees;
    run_ = run;
    endResetModel();
}

int PayrollGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !run_ ? 0 : static_cast<int>(run_->Lines.size());
}

int PayrollGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QVariant PayrollGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !run_)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == Employee) {
        if (role == Qt::DisplayRole || role == Qt::UserRole)
            return QString::fromStdString((*employees_)[row].Employee);
        return {};
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::UserRole)
        return {};
    const std::int64_t cents = this->cents(run_->Lines[row], index.column());
    return role == Qt::UserRole ? QVariant::fromValue<qlonglong>(cents) : QVariant(Money(cents));
}

QVariant PayrollGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        static const char* const captions[Columns] = {"Employee",       "Gross",          "PAYE",
                                                      "UIF (employee)", "UIF (employer)", "SDL"};
        return QString::fromUtf8(captions[section]);
    }
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && section != Employee)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

std::int64_t PayrollGridModel::cents(const PayrollLine& line, int column)
{
    switch (column) {
    case Gross:
        return line.GrossCents;
    case PAYE:
        return line.PAYECents;
    case UIFEmployee:
        return line.UIFEmployeeCents;
    case UIFEmployer:
        return line.UIFEmployerCents;
    default:
        return line.SDLCents;
    }
}

} // namespace revora
