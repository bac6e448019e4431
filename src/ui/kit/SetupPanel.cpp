#include "SetupPanel.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Database.h"
#include "NumberBox.h"

namespace revora {

namespace {

// Checks the option whose rate is stored; any other rate clears both, which an exclusive
// pair only allows while it is not exclusive.
void ShowChoice(const std::pair<QRadioButton*, QRadioButton*>& pair, bool first, bool second)
{
    if (!pair.first)
        return;
    for (QRadioButton* option : {pair.first, pair.second})
        option->setAutoExclusive(false);
    pair.first->setChecked(first);
    pair.second->setChecked(second);
    for (QRadioButton* option : {pair.first, pair.second})
        option->setAutoExclusive(true);
}

} // namespace

SetupPanel::SetupPanel(QWidget* parent, Columns columns) : OverlayPanel(parent)
{
    setObjectName("Frame3");
    auto* group = new QGroupBox(QStringLiteral("Setup"), this);
    auto* grid = new QGridLayout(group);
    const bool package = columns == Columns::Package;
    if (package) {
        addRate(grid, "numPenContPerc", "PensionCont");
        addRate(grid, "numPenPercentage", "EmployerPenCont");
        addRate(grid, "numProvContPerc", "ProvCont");
        addRate(grid, "numCCProvContPerc", "EmployerProvCont");
    }
    addRate(grid, "numEmpEUIF", "EmployeeUIF");
    addRate(grid, "numEmpRUIF", "EmployerUIF");
    addRate(grid, "numSkillPercent", "SkillLevy");
    addRate(grid, "numUIFLimit", "UIFLimit");
    travelRate_ = addChoice(grid, "Travel allowance inclusion rate :", "optTAIncRate80", "80%", "optTAIncRate20", "20%");
    connect(travelRate_.first, &QRadioButton::clicked, this, [this] { settings_.TAIncRate8020 = 0.8; });
    connect(travelRate_.second, &QRadioButton::clicked, this, [this] { settings_.TAIncRate8020 = 0.2; });
    if (package) {
        carRate_ = addChoice(grid, "Company car fringe benefit rate", "optCompCarFBRate80", "80%",
                             "optCompCarFBRate20", "20%");
        connect(carRate_.first, &QRadioButton::clicked, this, [this] { settings_.CompCarFBRate8020 = 0.8; });
        connect(carRate_.second, &QRadioButton::clicked, this, [this] { settings_.CompCarFBRate8020 = 0.2; });
        maintenancePlan_ = addChoice(grid, "Company car has maintenance plan", "optCompCarMPYes", "Yes",
                                     "optCompCarMPNo", "No");
        connect(maintenancePlan_.first, &QRadioButton::clicked, this, [this] { settings_.CompCarMPYesNo = true; });
        connect(maintenancePlan_.second, &QRadioButton::clicked, this, [this] { settings_.CompCarMPYesNo = false; });
    }
    auto* okButton = new QPushButton(QStringLiteral("O&K"), this);
    okButton->setObjectName("cmdSetupOK");
    // Enter from any box of the panel presses it (the screen's Enter key looks for it).
    okButton->setDefault(true);
    ok_ = okButton;
    auto* cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton->setObjectName("cmdSetupCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, grid->rowCount(), 0, 1, grid->columnCount());
    connect(okButton, &QPushButton::clicked, this, &SetupPanel::confirm);
    // Leaving without "O&K" keeps nothing: the next opening shows the stored row afresh.
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
}

NumberBox* SetupPanel::addRate(QGridLayout* grid, const char* name, std::string_view columnName)
{
    const SetupColumn& column = SetupColumnNamed(columnName);
    auto* box = new NumberBox(NumberBox::Kind::Decimal, column.decimals, this);
    box->setObjectName(name);
    box->setMinimumWidth(100);
    const int row = grid->rowCount();
    auto* label = new QLabel(QString::fromUtf8(column.caption.data(), static_cast<qsizetype>(column.caption.size())),
                             this);
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    // The rand sign before the amount, the percent sign after the rate.
    const bool rand = column.kind == SetupKind::Ceiling;
    if (rand)
        grid->addWidget(new QLabel(QStringLiteral("R"), this), row, 1, Qt::AlignRight);
    grid->addWidget(box, row, 2);
    if (!rand)
        grid->addWidget(new QLabel(QStringLiteral("%"), this), row, 3);
    // A percentage beyond its limit is refused as it is typed. The UIF limit passes through 0
    // while it is typed over, so it is held to its limit when "O&K" is pressed.
    if (column.kind == SetupKind::Percent) {
        box->setAcceptor([&column](double value) { return SetupAllows(column, value); });
        connect(box, &NumberBox::refused, this, [this, &column] { refuse(column); });
    }
    const auto member = column.rate;
    connect(box, &NumberBox::valueEdited, this, [this, member](double value) { settings_.*member = value; });
    rates_.append({box, &column});
    return box;
}

void SetupPanel::refuse(const SetupColumn& column)
{
    QMessageBox::warning(this, parentWidget()->windowTitle(), QString::fromStdString(SetupRefusal(column)));
}

void SetupPanel::confirm()
{
    for (const auto& [box, column] : rates_)
        if (!SetupAllows(*column, settings_.*column->rate)) {
            refuse(*column);
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    emit confirmed();
}

std::pair<QRadioButton*, QRadioButton*> SetupPanel::addChoice(QGridLayout* grid, const char* caption,
                                                              const char* first, const char* firstCaption,
                                                              const char* second, const char* secondCaption)
{
    // Each pair has a widget of its own, so the pairs are exclusive apart from one another.
    auto* holder = new QWidget(this);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* one = new QRadioButton(QString::fromUtf8(firstCaption), holder);
    one->setObjectName(first);
    auto* two = new QRadioButton(QString::fromUtf8(secondCaption), holder);
    two->setObjectName(second);
    row->addWidget(one);
    row->addWidget(two);
    const int at = grid->rowCount();
    grid->addWidget(new QLabel(QString::fromUtf8(caption), this), at, 0);
    grid->addWidget(holder, at, 2);
    return {one, two};
}

void SetupPanel::keyPressEvent(QKeyEvent* event)
{
    // Esc is "&Cancel", from any box of the panel.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    OverlayPanel::keyPressEvent(event);
}

void SetupPanel::setSettings(const PackageSettings& settings)
{
    opened_ = settings;
    settings_ = settings;
    for (const auto& [box, column] : rates_)
        box->setValue(settings_.*column->rate);
    ShowChoice(travelRate_, settings_.TAIncRate8020 == 0.8, settings_.TAIncRate8020 == 0.2);
    ShowChoice(carRate_, settings_.CompCarFBRate8020 == 0.8, settings_.CompCarFBRate8020 == 0.2);
    ShowChoice(maintenancePlan_, settings_.CompCarMPYesNo, !settings_.CompCarMPYesNo);
}

void SetupPanel::open()
{
    showOnTop();
    if (!rates_.isEmpty())
        rates_.first().first->setFocus(Qt::OtherFocusReason);
}

void SetupPanel::saveEdit(SettingsInForce& inForce, const AppPaths& paths)
{
    bool saved = true;
    try {
        inForce.save(paths, edit());
    } catch (const StorageError& e) {
        saved = false;
        QMessageBox::critical(parentWidget(), QStringLiteral("Settings"), e.message());
    }
    hide();
    QApplication::processEvents();
    if (saved)
        emit savedToFile();
}

} // namespace revora
