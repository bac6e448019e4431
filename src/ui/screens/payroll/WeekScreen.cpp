#include "payroll/WeekScreen.h"

namespace revora {

namespace {

struct WeekCaptions {
    const char* screen;
    const char* normalDays;
    const char* thisDays;
};

const WeekCaptions& CaptionsFor(WeekKind kind)
{
    static const WeekCaptions weekly{"Weekly", "Normal work week", "This work week"};
    static const WeekCaptions fortnightly{"Fortnightly", "Normal fortnight", "This fortnight"};
    return kind == WeekKind::Weekly ? weekly : fortnightly;
}

} // namespace

WeekScreen::WeekScreen(TaxState& state, ProgramValues& program, WeekKind kind, QWidget* parent)
    : PeriodicPayeScreen(state, program, QString::fromUtf8(CaptionsFor(kind).screen),
                         CentsBoxes("silgEdit14", "sidbEdit2", "silgEdit19", "silgEdit20", "sidbEdit1"), MostBeneficiaries,
                         parent),
      kind_(kind)
{
    period_.NormalDays = period_.ThisDays = RulesFor(kind).DefaultDays;
    const WeekCaptions& captions = CaptionsFor(kind);
    // No count of days beyond the period's own (7 or 14) is taken.
    const WeekKindRules& rules = RulesFor(kind);
    const PayeRefusal beyond{IncorrectNumberOfDays, rules.DaysBeyondPeriodMessage, PayeFocus::NormalDays};
    normalDays_ = addCount(periodGrid(), {"silgEdit21", captions.normalDays}, period_.NormalDays, rules.DefaultDays,
                           beyond);
    thisDays_ = addCount(periodGrid(), {"silgEdit22", captions.thisDays}, period_.ThisDays, rules.DefaultDays, beyond);
    orderTabs({normalDays_, thisDays_});
    open();
}

PeriodicPayeResult WeekScreen::compute(TaxBracketResult& record, Working* working) const
{
    return WeekPayeCalculate(kind_, inputs_, periodSettings(), year(), period_, record, working);
}

ReportRow WeekScreen::reportRow(const std::string& employee, PrintLanguage language) const
{
    return WeekPayeReportRow(kind_, inputs_, periodSettings(), period_, result_, employee, language);
}

const PayePrintoutTarget& WeekScreen::printout() const
{
    return kind_ == WeekKind::Weekly ? WeeklyPrintout : FortnightlyPrintout;
}

QWidget* WeekScreen::focusFor(PayeFocus focus) const
{
    if (focus == PayeFocus::NormalDays)
        return normalDays_;
    if (focus == PayeFocus::ThisDays)
        return thisDays_;
    return PayeScreen::focusFor(focus);
}

} // namespace revora
