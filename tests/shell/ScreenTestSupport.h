#pragma once
// What the screen tests share: a fresh application folder per test, and a way to answer the
// message boxes a screen shows (they are modal, so they are answered from the event loop).

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "shell/AppFolders.h"
#include "shell/MainWindow.h"
#include "shell/StartupSettings.h"

namespace revora::testing {

inline QString TestInstallFolder() { return qEnvironmentVariable("REVORA_INSTALL_FOLDER"); }

// Tests that do not look at the About window start with it switched off.
inline void SkipAboutAtStart(const QString& applicationFolder)
{
    WriteViewAbout(MakeAppPaths(applicationFolder, TestInstallFolder()), false);
}

// Closes the report windows a test's prints left open.
inline void CloseReportWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ReportWindow")
            w->close();
}

// A menu command of the main window by its name ("QuickTax", "mnuNew").
inline QAction* MenuAction(MainWindow& main, const QString& name) { return main.findChild<QAction*>(name); }

// Records the text of the next message box and closes it.
class MessageBoxWatcher {
public:
    MessageBoxWatcher()
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts_ << box->text();
                titles_ << box->windowTitle();
                box->close();
            }
        });
        timer_.start();
    }
    const QStringList& texts() const { return texts_; }
    const QStringList& titles() const { return titles_; }

private:
    QTimer timer_;
    QStringList texts_;
    QStringList titles_;
};

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace revora::testing
