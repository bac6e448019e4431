// Revora 2016: employees' tax, salary packages, vehicle benefits and loans for the tax year
// 1 March 2015 to 29 February 2016.

#include <QApplication>

#include "AppFolders.h"
#include "MainWindow.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Revora2016");
    QApplication::setOrganizationName("Revora");
    // Lets the window manager match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(REVORA_APP_ID));

    revora::MainWindow window(revora::DefaultApplicationFolder(), revora::InstallFolder());
    window.start();
    return app.exec();
}
