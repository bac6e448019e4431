#pragma once
// The About window: the version, and the choice whether it shows at start-up.

#include <QDialog>

#include "AppState.h"

class QCheckBox;

namespace revora {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(AppState& state, QWidget* parent);

    // Left edge at (main width - width) / 2, top at (main height - height) / 4.
    void placeOver(const QWidget* mainWindow);

protected:
    void done(int result) override;

private:
    AppState& state_;
    QCheckBox* notAtStartup_;
};

} // namespace revora
