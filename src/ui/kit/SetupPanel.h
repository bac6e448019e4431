#pragma once
// The "Setup" panel: the employer's rates of the Setup row, shown on top of a screen. The
// payroll screens show the five payroll columns; the salary package screens all eleven. The
// panel holds the values as they are typed and chosen; "O&K" says they are to be kept, and
// "&Cancel" or Esc that nothing is: the panel goes and everything stays as it was.

#include <string_view>

#include "package/SalaryPackage.h"
#include "package/SetupColumns.h"
#include "payroll/PayeCommon.h"
#include "OverlayPanel.h"
#include "SetupSettings.h"

class QGridLayout;
class QPushButton;
class QRadioButton;

namespace revora {

class NumberBox;

class SetupPanel : public OverlayPanel {
    Q_OBJECT
public:
    enum class Columns { Payroll, Package };
    SetupPanel(QWidget* parent, Columns columns);

    // Shows the stored values; a rate other than 0.8 or 0.2 selects neither option and is kept
    // until an option is chosen.
    void setSettings(const PackageSettings& settings);
    const PackageSettings& settings() const { return settings_; }
    // The values shown by setSettings and those held now: what the user changed.
    SettingsEdit edit() const { return {opened_, settings_}; }

    // Visible, in front, with the focus in its first box.
    void open();
    // After "O&K": the edit saved into the settings file, and the panel gone. The screen holds
    // the rates just set before it saves, so that a file which can be neither written nor read
    // leaves it on them; such a file is named in a message over the screen and keeps what it had.
    void saveEdit(SettingsInForce& inForce, const AppPaths& paths);

    // "O&K", the panel's default button: Enter in the panel presses it.
    QPushButton* okButton() const { return ok_; }

signals:
    void confirmed(); // "O&K"
    // The edit is in the settings file: other screens working on its rates read them again.
    void savedToFile();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The box of the column named, with its caption, decimals and limit.
    NumberBox* addRate(QGridLayout* grid, const char* name, std::string_view column);
    void refuse(const SetupColumn& column);
    // "O&K": confirmed() when every box holds a value its column takes; otherwise the first
    // that does not is named and given the focus, and the panel stays.
    void confirm();
    std::pair<QRadioButton*, QRadioButton*> addChoice(QGridLayout* grid, const char* caption, const char* first,
                                                      const char* firstCaption, const char* second,
                                                      const char* secondCaption);

    QPushButton* ok_ = nullptr;
    PackageSettings opened_;
    PackageSettings settings_;
    QList<std::pair<NumberBox*, const SetupColumn*>> rates_;
    std::pair<QRadioButton*, QRadioButton*> travelRate_{};
    std::pair<QRadioButton*, QRadioButton*> carRate_{};
    std::pair<QRadioButton*, QRadioButton*> maintenancePlan_{};
};

} // namespace revora
