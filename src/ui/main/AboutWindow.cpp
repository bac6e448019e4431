#include "AboutWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "Version.h"
#include "Database.h"
#include "StartupSettings.h"

namespace revora {

AboutWindow::AboutWindow(AppState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName("frmAbout");
    setWindowTitle(QStringLiteral("About Revora 2016..."));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* name = new QLabel(QStringLiteral("<h2>Revora 2016</h2>"), this);
    auto* version = new QLabel(QStringLiteral("Version: ") + QString::fromStdString(VersionText()), this);
    version->setObjectName("lblVersion");
    auto* year = new QLabel(tr("Employees' tax, salary packages, vehicle benefits and loans\n"
                               "for the tax year 1 March 2015 to 29 February 2016."),
                            this);
    notAtStartup_ = new QCheckBox(QStringLiteral("Do not display this message again on start up"), this);
    notAtStartup_->setObjectName("Check1");
    notAtStartup_->setChecked(state_.ViewAbout == false);
    connect(notAtStartup_, &QCheckBox::toggled, this, [this](bool ticked) { state_.ViewAbout = !ticked; });
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName("Command1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(year);
    layout->addSpacing(12);
    layout->addWidget(notAtStartup_);
    layout->addWidget(ok, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutWindow::placeOver(const QWidget* mainWindow)
{
    adjustSize();
    const QRect main = mainWindow->frameGeometry();
    move(main.left() + (main.width() - width()) / 2, main.top() + (main.height() - height()) / 4);
}

void AboutWindow::done(int result)
{
    // Nothing is written while the choice is unknown (the database could not be read).
    if (state_.ViewAbout.has_value()) {
        try {
            WriteViewAbout(state_.Paths, *state_.ViewAbout);
        } catch (const StorageError& e) {
            QMessageBox::warning(this, windowTitle(), e.message());
        }
    }
    QDialog::done(result);
}

} // namespace revora
