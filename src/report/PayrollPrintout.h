#pragma once
// The payroll run's printouts over the report database: the run's summary, and every
// employee's payslip in one document, one a page.

#include <cstddef>
#include <functional>
#include <vector>

#include "ReportJob.h"
#include "payroll/PayrollRun.h"

namespace revora {

// The summary rendered over the run's rows (written to the report database).
RenderedReport RenderPayrollSummary(ProgramValues& state, PayPeriod period,
                                    const std::vector<PayrollEmployee>& employees, const PayrollRun& run);

// Every employee's payslip in the period's layout, one a page, in one document;
// `progress` as RunPayroll's (told how many are done; false cancels: returns an empty
// report with html empty).
RenderedReport RenderPayslips(ProgramValues& state, PayPeriod period, const std::vector<PayrollEmployee>& employees,
                              const PayrollRun& run, const PayeSettings& settings, PrintLanguage language,
                              const std::function<bool(std::size_t)>& progress = {});

} // namespace revora
