// Renders the main window with the quick tax screen open on a worked example and saves it
// as a PNG; with a second file name, also the report window of that example:
//     revora-screenshot SCREEN.png [REPORT.png]

#include <QApplication>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include "shell/AppFolders.h"
#include "shell/MainWindow.h"
#include "shell/NumberBox.h"
#include "shell/PrintPanel.h"
#include <QPushButton>
#include "tax/QuickTaxScreen.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QTemporaryDir folder; // a fresh application folder, so the About window shows as on a first run
    revora::MainWindow window(folder.path(), revora::InstallFolder());
    window.resize(1000, 700);
    window.start();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "frmAbout")
            top->close();

    window.state().TaxBracketResult.TaxableIncome = 500000;
    window.state().QuickTax.Age = 40;
    window.findChild<QAction*>("QuickTax")->trigger();
    QMdiSubWindow* sub = window.findScreen("frmKwikTax");
    sub->move(40, 30);
    sub->resize(sub->sizeHint());
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1])))
        return 1;
    if (argc < 3)
        return 0;
    auto* screen = qobject_cast<revora::QuickTaxScreen*>(sub->widget());
    screen->printPanel()->viewButton()->click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "ReportWindow") {
            // The offscreen screen is small; the picture shows the window at its full size.
            top->resize(820, 900);
            QApplication::processEvents();
            return top->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
        }
    return 1;
}
