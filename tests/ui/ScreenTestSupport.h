#pragma once
// What the screen tests share: a fresh application folder per test, the main window started in
// it, and a way to answer the message boxes a screen shows (they are modal, so they are
// answered from the event loop).

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "FileContents.h"
#include "AppFolders.h"
#include "MainWindow.h"
#include "NumberBox.h"
#include "StartupSettings.h"

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

// Answers the next message box with one of its buttons, recording its text.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(QMessageBox::StandardButton answer)
    {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text_ = box->text();
                timer_.stop();
                box->button(answer)->click();
            }
        });
        timer_.start();
    }
    const QString& text() const { return text_; }

private:
    QTimer timer_;
    QString text_;
};

// The main window as a clerk first starts it: a fresh application folder, the About window
// off, the databases seeded, the window active. The screens are opened from its menu.
class MainWindowFixture {
protected:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<MainWindow> main_;

    void startMain()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        SkipAboutAtStart(folder_->path());
        main_ = std::make_unique<MainWindow>(folder_->path(), TestInstallFolder());
        main_->start();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
    }
    // The report windows are top-level and outlive the main window unless closed here.
    void stopMain()
    {
        CloseReportWindows();
        main_.reset();
        folder_.reset();
    }

    // The screen a menu command opened, or null when none by that name opened.
    template <typename Screen = QWidget>
    Screen* openFromMenu(const char* menu, const char* name)
    {
        MenuAction(*main_, menu)->trigger();
        QMdiSubWindow* sub = main_->findScreen(name);
        return sub ? qobject_cast<Screen*>(sub->widget()) : nullptr;
    }

    static NumberBox* box(QWidget* screen, const char* name) { return screen->findChild<NumberBox*>(name); }
    static QString shown(QWidget* screen, const char* name) { return box(screen, name)->text(); }
    static void type(QWidget* screen, const char* name, const QString& text)
    {
        auto* edit = screen->findChild<QLineEdit*>(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void click(QWidget* screen, const char* name)
    {
        QTest::mouseClick(screen->findChild<QAbstractButton*>(name), Qt::LeftButton);
    }
};

} // namespace revora::testing
