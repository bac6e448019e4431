#include "package/PackageScreen.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "BusyCursor.h"
#include "Database.h"
#include "FormKit.h"
#include "NumberBox.h"
#include "ResultWidth.h"
#include "OverlayPanel.h"
#include "PrintPanel.h"
#include "SetupPanel.h"
#include "SetupSettings.h"
#include "common/InputNumbers.h"
#include "tax/TaxYearRules.h"

namespace revora {

namespace {

const char* Caption(PackageKind kind)
{
    switch (kind) {
    case PackageKind::RevoraAnnual:
        return "Revora : Annual Calculation";
    case PackageKind::RevoraMonthly:
        return "Revora : Monthly Calculation";
    case PackageKind::AvantaAnnual:
        return "Avanta : Annual Calculation";
    case PackageKind::AvantaMonthly:
        return "Avanta : Monthly Calculation";
    }
    return "";
}

const char* AmountCaption(PackageKind kind)
{
    if (!IsGrossUp(kind))
        return "Total package amount";
    return IsMonthly(kind) ? "Net monthly salary required" : "Net annual salary required";
}

// A box typed in: it shows its number grouped once the edit ends.
NumberBox* Box(QWidget* parent, const char* name, NumberBox::Kind kind, int decimals)
{
    return MakeNumberBox(parent,
                         {.name = name, .kind = kind, .decimals = decimals, .minimumWidth = 110, .tidy = Tidy::Own});
}

NumberBox* ResultBox(QWidget* parent, const char* name)
{
    NumberBox* box = MakeNumberBox(parent, {.name = name, .kind = NumberBox::Kind::Decimal, .decimals = 2,
                                            .minimumWidth = 110});
    box->setOutput(true);
    return box;
}

// The title the message boxes of these screens carry.
const QString ProgramTitle = QStringLiteral("Revora 2016");

} // namespace

SalaryPackageScreen::SalaryPackageScreen(TaxState& state, ProgramValues& program, PackageKind kind, QWidget* parent)
    : CalculatorWindow(program, parent), state_(state), kind_(kind)
{
    setWindowTitle(QString::fromUtf8(Caption(kind)));

    grid_ = new QGridLayout;
    results_ = new QGridLayout;
    for (QGridLayout* grid : {grid_, results_})
        grid->addWidget(new QLabel(QStringLiteral("<b>Cost to company</b>"), this), 0, 2, Qt::AlignHCenter);

    buildInputs();
    buildResults();
    auto* calculateButton = MakeCalculateButton(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calculateButton);
    for (const auto& [name, caption] : {std::pair{"cmdOk", "&OK"}, {"cmdSettings", "&Settings"},
                                        {"cmdRAExpl", "&R/A Explained"}, {"cmdPrint", "&Print"}})
        buttons->addWidget(MakeButton(this, name, QString::fromUtf8(caption)));

    auto* columns = new QHBoxLayout;
    columns->addLayout(grid_);
    columns->addSpacing(24);
    columns->addLayout(results_);
    columns->setAlignment(grid_, Qt::AlignTop);
    columns->setAlignment(results_, Qt::AlignTop);
    formLayout()->addLayout(columns);
    formLayout()->addSpacing(8);
    formLayout()->addLayout(buttons);

    buildPanels();
    connectCommands();

    readSettings();
    settingsPanel_->setSettings(settings_);
}

void SalaryPackageScreen::buildInputs()
{
    age_ = Box(this, "numAge", NumberBox::Kind::Whole, 0);
    age_->setAcceptor(CountAtMost(MostAge));
    connect(age_, &NumberBox::refused, this,
            [this] { QMessageBox::critical(this, Text(AgeLimitTitle), Text(AgeLimitMessage)); });
    {
        const int row = grid_->rowCount();
        auto* label = new QLabel(QStringLiteral("Taxpayer's age"), this);
        label->setBuddy(age_);
        grid_->addWidget(label, row, 0);
        grid_->addWidget(age_, row, 1);
        connect(age_, &NumberBox::valueEdited, this,
                [this](double age) { inputs_.Age = RoundHalfEvenToInt16(age).value_or(inputs_.Age); });
    }
    amount_ = addLine(AmountCaption(kind_), "numNetMonSalReq", inputs_.Amount, IsGrossUp(kind_) ? nullptr : "numCCNetMonSalReq",
            IsGrossUp(kind_) ? nullptr : &inputs_.AmountCostToCompany);
    addLine("Company car value", "numCompCar", inputs_.CarValue, "numCCCompCar", &inputs_.CarCostToCompany);
    addLine("Travel allowance", "numTravAll", inputs_.TravelAllowance, "numCCTravAll",
            &inputs_.TravelAllowanceCostToCompany);
    addLine("Med. aid fund contributions", "numMedAidCont", inputs_.EmployeeMedical, "numCCMedAidCont",
            &inputs_.EmployerMedical);
    members_ = addLine("Med. aid fund beneficiaries", "numPMems", membersTyped_, nullptr, nullptr,
                        NumberBox::Kind::Whole);
    connect(members_, &NumberBox::valueEdited, this,
            [this](double members) { inputs_.Members = RoundHalfEvenToInt16(members).value_or(0); });
    members_->setAcceptor([](double members) { return RoundHalfEvenToInt16(members).has_value(); });
    addLine("Other taxable f/benefits", "numOTaxFB", inputs_.OtherFringeBenefits, "numCCOTaxFB",
            &inputs_.OtherFringeBenefitsCostToCompany);
    medicalDeduction_ = addLine("Medical deductions", "numMedDeduct", inputs_.MedicalDeduction);
    raDeduction_ = addLine("R/A ded. (directive?)", "numRADeduct", inputs_.RADeduction);
    directiveYes_ = new QRadioButton(QStringLiteral("&Yes"), this);
    directiveYes_->setObjectName("Option3_0");
    directiveNo_ = new QRadioButton(QStringLiteral("&No"), this);
    directiveNo_->setObjectName("Option3_1");
    directiveNo_->setChecked(true);
    auto* directive = new QHBoxLayout;
    directive->addWidget(directiveYes_);
    directive->addWidget(directiveNo_);
    grid_->addLayout(directive, grid_->rowCount() - 1, 2);
    connect(directiveYes_, &QRadioButton::toggled, this, [this](bool yes) { inputs_.RADirective = yes; });
    NumberBox* additional = addLine("Number of additional beneficiaries", "numAddBens", additionalTyped_, nullptr,
                                    nullptr, NumberBox::Kind::Whole);
    // A count beyond the largest int is held as that: converting it as it stands is undefined,
    // and printed a count of billions read as -32768.
    connect(additional, &NumberBox::valueEdited, this, [this](double count) {
        inputs_.AdditionalBeneficiaries = static_cast<int>(std::min(count, double{std::numeric_limits<int>::max()}));
    });
    for (NumberBox* count : {members_, additional})
        count->setMinimumWidth(60);
    buildOtherExpenses();
}

void SalaryPackageScreen::buildResults()
{
    pension_ = addResult("Pension deducted", "numPenDeduct", "numCCPenDeduct");
    employerPension_ = findChild<NumberBox*>("numCCPenDeduct");
    provident_ = addResult("Provident fund", "numProvFund", "numCCProvFund");
    employerProvident_ = findChild<NumberBox*>("numCCProvFund");
    uif_ = addResult("UIF contribution", "numUIFCont", "numCCUIFCont");
    employerUif_ = findChild<NumberBox*>("numCCUIFCont");
    skillsLevy_ = addResult(kind_ == PackageKind::AvantaMonthly ? "Skills Development Levy" : "Skills levy",
                               nullptr, "numCCSkillLev");
    taxDue_ = addResult("Tax due", "numMAns");
    taxCredit_ = addResult("Tax credit", "numTaxCredit");
    taxDeduction_ = addResult("Tax deduction", "numTaxDeduct");
    salary_ = addResult(IsGrossUp(kind_) ? "Gross salary" : "Net salary(take-home)", "numGrossSal");
    costToCompany_ = addResult("Total cost to company R", nullptr, "numTotCostComp");

    onceOff_ = ResultBox(this, "numOnceOff");
    auto* onceOffBefore = new QLabel(QStringLiteral("(plus a \"once-off\" cost of R"), this);
    auto* onceOffAfter =
        new QLabel(QStringLiteral("for the company car and this does not include fuel, maintenance etc)."), this);
    onceOffAfter->setWordWrap(true);
    const int onceOffRow = results_->rowCount();
    results_->addWidget(onceOffBefore, onceOffRow, 0, Qt::AlignRight);
    results_->addWidget(onceOff_, onceOffRow, 1);
    results_->addWidget(onceOffAfter, onceOffRow + 1, 0, 1, 3);
    onceOffLine_ = {onceOffBefore, onceOff_, onceOffAfter};
    // The line keeps its room while hidden: showing it must not widen the form under the
    // cost-to-company column and the buttons, which the window was sized to.
    for (QWidget* part : onceOffLine_) {
        QSizePolicy policy = part->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        part->setSizePolicy(policy);
        part->hide();
    }
}

void SalaryPackageScreen::connectCommands()
{
    connect(findChild<QPushButton*>("cmdCalculate"), &QPushButton::clicked, this, &SalaryPackageScreen::calculate);
    connect(findChild<QPushButton*>("cmdOk"), &QPushButton::clicked, this, &CalculatorWindow::closeScreen);
    connect(findChild<QPushButton*>("cmdSettings"), &QPushButton::clicked, this, [this] {
        // The panel shows the row as stored now, whoever saved it last.
        readSettings();
        settingsPanel_->setSettings(settings_);
        setButtonsEnabled({"cmdOk", "cmdRAExpl", "cmdCalculate", "cmdSettings", "cmdPrint"}, false);
        settingsPanel_->open();
    });
    // However the panel goes ("O&K", "&Cancel", Esc), the buttons it held off come back.
    connect(settingsPanel_, &OverlayPanel::hidden, this,
            [this] { setButtonsEnabled({"cmdOk", "cmdCalculate", "cmdSettings", "cmdPrint", "cmdRAExpl"}, true); });
    connect(findChild<QPushButton*>("cmdRAExpl"), &QPushButton::clicked, this, &SalaryPackageScreen::showRAExplained);
    // "&Print" recalculates first, and offers the panel only for figures it worked out; the
    // panel then keeps the screen's other commands off.
    auto* printButton = findChild<QPushButton*>("cmdPrint");
    connect(printButton, &QPushButton::clicked, this, [this] {
        if (!calculate())
            return;
        setButtonsEnabled({"cmdOk", "cmdCalculate", "cmdSettings", "cmdRAExpl"}, false);
        printOptions_->showPanel();
    });
    setUpPrinting(printOptions_);
    connect(printOptions_, &OverlayPanel::hidden, this,
            [this] { setButtonsEnabled({"cmdOk", "cmdCalculate", "cmdSettings", "cmdRAExpl"}, true); });
}

void SalaryPackageScreen::readSettings()
{
    try {
        settings_ = inForce_.read(program().Paths);
        settingsUnreadable_ = false;
    } catch (const StorageError& e) {
        // The screen still works, on the rates it had (the usual ones at first), and the user
        // knows which file failed; a message at every calculation would tell nothing new.
        if (!settingsUnreadable_)
            showError(QStringLiteral("Settings"), e.message());
        settingsUnreadable_ = true;
    }
}

NumberBox* SalaryPackageScreen::addLine(const char* caption, const char* name, double& target, const char* ccName,
                                        double* ccTarget, NumberBox::Kind kind)
{
    const int row = grid_->rowCount();
    NumberBox* box = Box(this, name, kind, kind == NumberBox::Kind::Whole ? 0 : 2);
    auto* label = new QLabel(QString::fromUtf8(caption), this);
    label->setBuddy(box);
    grid_->addWidget(label, row, 0);
    grid_->addWidget(box, row, 1);
    connect(box, &NumberBox::valueEdited, this, [&target](double value) { target = value; });
    if (ccName) {
        NumberBox* cc = Box(this, ccName, NumberBox::Kind::Decimal, 2);
        grid_->addWidget(cc, row, 2);
        connect(cc, &NumberBox::valueEdited, this, [ccTarget](double value) { *ccTarget = value; });
        // A mirror line copies what is typed on the employee's side; the employer's medical
        // contributions and car cost are amounts of their own.
        const QByteArray own(name);
        if (own == "numTravAll" || own == "numOTaxFB" || own == "numNetMonSalReq")
            connect(box, &NumberBox::valueEdited, this, [cc, ccTarget](double value) {
                *ccTarget = value;
                cc->setValue(value);
            });
    }
    return box;
}

NumberBox* SalaryPackageScreen::addResult(const char* caption, const char* name, const char* ccName)
{
    const int row = results_->rowCount();
    results_->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
    NumberBox* first = nullptr;
    for (const auto& [boxName, column] : {std::pair{name, 1}, {ccName, 2}}) {
        if (!boxName)
            continue;
        NumberBox* box = ResultBox(this, boxName);
        FitToFigures(*box, 2, {LargestResult});
        results_->addWidget(box, row, column);
        if (!first)
            first = box;
    }
    return first;
}

void SalaryPackageScreen::buildOtherExpenses()
{
    grid_->addWidget(new QLabel(QStringLiteral("Other Expenses :"), this), grid_->rowCount(), 0);
    for (int i = 0; i < 4; ++i) {
        OtherDeduction& line = inputs_.Other[static_cast<std::size_t>(i)];
        const int row = grid_->rowCount();
        auto* text = new QLineEdit(this);
        text->setObjectName(QStringLiteral("txtOtherDet_%1").arg(i));
        connect(text, &QLineEdit::textChanged, this, [&line](const QString& t) { line.Description = t.toStdString(); });
        NumberBox* amount = Box(this, "", NumberBox::Kind::Decimal, 2);
        amount->setObjectName(QStringLiteral("numOtherDet_%1").arg(i));
        NumberBox* cc = Box(this, "", NumberBox::Kind::Decimal, 2);
        cc->setObjectName(QStringLiteral("numOtherDetCC_%1").arg(i));
        connect(amount, &NumberBox::valueEdited, this, [&line, cc](double value) {
            line.Amount = value;
            line.CostToCompany = value;
            cc->setValue(value);
        });
        connect(cc, &NumberBox::valueEdited, this, [&line](double value) { line.CostToCompany = value; });
        grid_->addWidget(text, row, 0);
        grid_->addWidget(amount, row, 1);
        grid_->addWidget(cc, row, 2);
        otherDetails_[static_cast<std::size_t>(i)] = text;
    }
}

void SalaryPackageScreen::buildPanels()
{
    settingsPanel_ = new SetupPanel(this, SetupPanel::Columns::Package);
    connect(settingsPanel_, &SetupPanel::confirmed, this, &SalaryPackageScreen::saveSettings);

    printOptions_ = new PrintPanel(this);
    printOptions_->setObjectName("fraPrint");
    taxpayerName_ = new QLineEdit(this);
    taxpayerName_->setObjectName("Text1");
    taxpayerName_->setMaxLength(50);
    KeepsNameRule(taxpayerName_);
    taxpayerName_->setMinimumWidth(260);
    auto* name = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Taxpayer's name :(max50Chrs."), this);
    label->setBuddy(taxpayerName_);
    name->addWidget(label);
    name->addWidget(taxpayerName_);
    printOptions_->contentLayout()->addLayout(name);

    raPanel_ = new OverlayPanel(this);
    raPanel_->setObjectName("fraRAExplained");
    auto* group = new QGroupBox(QStringLiteral("R/A Explained(Annual Figures Shown)"), raPanel_);
    auto* panel = new QVBoxLayout(group);
    separateLimits_ = new QWidget(group);
    auto* lines = new QVBoxLayout(separateLimits_);
    lines->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(separateLimits_);
    oneDeduction_ = new QLabel(group);
    oneDeduction_->setObjectName("lblOneDeduction");
    oneDeduction_->hide();
    panel->addWidget(oneDeduction_);
    lineA_ = new QLabel(this);
    lineA_->setObjectName("lblLineA");
    lineC_ = new QLabel(this);
    lineC_->setObjectName("lblLineC");
    lines->addWidget(new QLabel(QStringLiteral("The maximum R/A contribution allowed is the greater between A, B or C."),
                                this));
    lines->addWidget(new QLabel(QStringLiteral("A:  R 3 500 less employee pension contributions"), this));
    lines->addWidget(lineA_);
    lines->addWidget(new QLabel(QStringLiteral("B: R 1 750"), this));
    lines->addWidget(new QLabel(QStringLiteral("C: 15% of non-retirement funding income."), this));
    lines->addWidget(lineC_);
    auto* raOkButton = MakeButton(this, "cmdRAOK", QStringLiteral("&OK"));
    panel->addWidget(raOkButton, 0, Qt::AlignRight);
    connect(raOkButton, &QPushButton::clicked, raPanel_, &QWidget::hide);
    auto* layout = new QVBoxLayout(raPanel_);
    layout->addWidget(group);
}

void SalaryPackageScreen::setButtonsEnabled(const QList<const char*>& names, bool enabled)
{
    for (const char* name : names)
        findChild<QPushButton*>(name)->setEnabled(enabled);
}

bool SalaryPackageScreen::calculate()
{
    readSettings();
    PackageOutcome outcome;
    Working working;
    // The calculation rewrites the R/A with the R/A allowed and may clear the medical deduction
    // and the members: it works on a copy, so every calculation (a print's, a new year's) starts
    // from what was typed and the same inputs give the same figures however often they are
    // worked.
    worked_ = inputs_;
    {
        BusyCursor busy;
        const TaxYear& year = program().Year.Current();
        outcome = IsGrossUp(kind_)
            ? SalPackGrossUpInYear(kind_, worked_, settings_, year, result_, state().TaxBracketResult, &working)
            : SalPackForwardInYear(kind_, worked_, settings_, year, result_, state().TaxBracketResult, &working);
    }
    showsResults_ = outcome == PackageOutcome::Done;
    if (outcome == PackageOutcome::Done) {
        state().IncomeFrom = windowTitle().toStdString(); // quick tax says whose income it shows
        showResults();
        setWorking(std::move(working));
        return true;
    }
    // The held figures belong to older inputs: a gross salary of the new net and the old
    // deductions would be no one's.
    result_ = PackageResult{};
    result_.CalcError = 1;
    clearAllResults();
    if (outcome == PackageOutcome::NoAmount) {
        // Nothing to work from: the amount box is where to start.
        amount_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (outcome == PackageOutcome::FringeBenefitsTooLarge) {
        QMessageBox box(QMessageBox::NoIcon, ProgramTitle, QString::fromUtf8(FringeBenefitsMessage), QMessageBox::Ok,
                        this);
        box.exec();
        return false;
    }
    QMessageBox::warning(this, ProgramTitle,
                         QString::fromUtf8(outcome == PackageOutcome::AmountTooLarge ? AmountTooLargeMessage
                                                                                     : NoGrossSalaryMessage));
    return false;
}

void SalaryPackageScreen::yearChanged()
{
    if (showsResults_)
        calculate();
}

void SalaryPackageScreen::clearAllResults()
{
    clearResults();
    // No figure of a calculation that did not run stands in a box typed in.
    for (NumberBox* box : {medicalDeduction_, members_, raDeduction_})
        box->setValue(box->value());
    for (QWidget* part : onceOffLine_)
        part->hide();
}

void SalaryPackageScreen::showResults()
{
    // The calculation may have cleared the medical deduction and the members, and always
    // leaves the R/A allowed in the R/A box, each shown over the amount typed.
    medicalDeduction_->showFigure(worked_.MedicalDeduction);
    members_->showFigure(worked_.Members);
    raDeduction_->showFigure(worked_.RADeduction);
    const std::pair<NumberBox*, double> shown[] = {
        {pension_, result_.EmployeePension},  {employerPension_, result_.EmployerPension},
        {provident_, result_.EmployeeProvident}, {employerProvident_, result_.EmployerProvident},
        {uif_, result_.EmployeeUIF},        {employerUif_, result_.EmployerUIF},
        {skillsLevy_, result_.SDL},             {taxDue_, result_.TaxDue},
        {taxCredit_, result_.TaxCredit},        {taxDeduction_, result_.TaxDeduction},
        {salary_, result_.Salary},            {costToCompany_, result_.TotalCostToCompany},
        {onceOff_, result_.OnceOff},
    };
    for (const auto& [box, value] : shown)
        box->setValue(value);
    for (QWidget* part : onceOffLine_)
        part->setVisible(result_.OnceOff > 0.0);
}

void SalaryPackageScreen::showRAExplained()
{
    const RAExplanation lines = ExplainRA(kind_, result_, program().Year.Current());
    lineA_->setText(QString::fromStdString(lines.LineA));
    lineC_->setText(QString::fromStdString(lines.LineC));
    QStringList oneDeduction;
    for (const std::string& line : lines.OneDeduction)
        oneDeduction << QString::fromStdString(line);
    oneDeduction_->setText(oneDeduction.join('\n'));
    separateLimits_->setVisible(lines.OneDeduction.empty());
    oneDeduction_->setVisible(!lines.OneDeduction.empty());
    raPanel_->showOnTop();
    findChild<QPushButton*>("cmdRAOK")->setFocus();
}

void SalaryPackageScreen::saveSettings()
{
    settings_ = settingsPanel_->edit().over(settings_);
    settingsPanel_->saveEdit(inForce_, program().Paths);
    calculate();
}

// SalPackPrint
void SalaryPackageScreen::printReport()
{
    printOneRowReport({QStringLiteral("SalPackage"), QString::fromUtf8(PackageLayout(kind_)),
                       QString::fromUtf8(PackageTitle(kind_)) + ExportHint},
                      SalPackageReportRow(kind_, worked_, result_, taxpayerName_->text().toStdString(),
                                          program().Year.Current()));
}

} // namespace revora
