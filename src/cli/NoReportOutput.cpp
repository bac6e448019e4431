// revora-calc's side of the printouts: none. A command line that asks for a report is handed to
// the report writer before anything is done (see main.cpp), so these only ever see none asked.

#include <stdexcept>

#include "CalcOutput.h"

namespace revora::cli {

namespace {

// `also`: one more option that names a file only the report writer writes.
int NoneAsked(const ParsedOptions& options, const OptionDef* also = nullptr)
{
    if (options.has(ReportOption) || options.has(PrintOption) || (also && options.has(*also)))
        throw std::logic_error("a printout reached revora-calc instead of its report writer");
    return 0;
}

} // namespace

void CheckReportFile(const ParsedOptions& options, const OptionDef& option) { NoneAsked(options, &option); }

int Output(AppState&, const ParsedOptions& options, const PrintoutRequest&, const ReportRow&, ExplainedIn)
{
    return NoneAsked(options);
}

int Output(AppState&, const ParsedOptions& options, const PrintoutRequest&, const std::vector<ReportRow>&,
           ExplainedIn)
{
    return NoneAsked(options);
}

int OutputLoan(AppState&, const ParsedOptions& options, const LoanPrintout&, const QString&, ExplainedIn)
{
    return NoneAsked(options);
}

int OutputPayroll(AppState&, const ParsedOptions& options, const PayrollPrintouts&)
{
    return NoneAsked(options, &PayslipsOption);
}

} // namespace revora::cli
