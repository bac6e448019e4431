// Revora 2016: employees' tax, salary packages, vehicle benefits and loans for the tax year
// 1 March 2015 to 29 February 2016.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <iostream>

#include "AppFolders.h"
#include "ArgumentCheck.h"
#include "MainWindow.h"
#include "Version.h"

namespace {

using namespace revora;

const QCommandLineOption DataDir(QString::fromLatin1(DataFolderOption), QString::fromLatin1(DataFolderHelp),
                                 QStringLiteral("DIR"));

void DeclareOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Revora 2016: employees' tax, salary packages, vehicle "
                                                    "benefits and loans, in a window; revora-calc works the "
                                                    "same figures without one."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(DataDir);
}

// Bad arguments print one line naming the option and exit with status 2, as revora-calc's do.
int Refuse(const QString& line)
{
    std::cerr << "revora: " << line.toStdString() << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // --help and --version are answered before the window system is reached, so they answer in
    // a terminal without a display too. The command line is read again once Qt has taken its
    // own options (-style and the like) off it, and any other option is then refused.
    QCommandLineParser parser;
    DeclareOptions(parser);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet("version")) {
        std::cout << VersionLine() << '\n';
        return 0;
    }
    if (parser.isSet("help") || parser.isSet("help-all")) {
        const QCoreApplication core(argc, argv); // the usage line names the program as it was started
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (const std::string refusal = ArgumentRefusal(argc, argv); !refusal.empty())
        return Refuse(QString::fromStdString(refusal));

    // Until the command line is taken, Qt's notices (a missing runtime folder and the like) are
    // held back, so a refusal is its one line; what stops Qt itself still shows.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toStdString() << '\n';
    });
    QApplication app(argc, argv);
    QApplication::setApplicationName("Revora2016");
    QApplication::setOrganizationName("Revora");
    // Lets the window manager match the windows to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(REVORA_APP_ID));
    if (!parser.parse(QApplication::arguments()))
        return Refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Refuse(QStringLiteral("'%1': the program takes no file or other argument; try revora --help")
                          .arg(parser.positionalArguments().constFirst()));

    qInstallMessageHandler(nullptr);

    // A data folder that does not exist yet is made, as a first run makes the user's data folder;
    // one that cannot be made is named by the databases that cannot be created in it.
    const QString folder = parser.isSet(DataDir) ? parser.value(DataDir) : DefaultApplicationFolder();
    QDir().mkpath(folder);
    revora::MainWindow window(folder, revora::InstallFolder());
    window.start();
    return app.exec();
}
