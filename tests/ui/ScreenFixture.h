#pragma once
// One screen opened as the main window opens it, for the tests that drive a single screen
// without the main window: a fresh application folder, the program state, an MDI area, and
// the screen in a child window, with the typing and clicking a user does.

#include <QAbstractButton>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPoint>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

#include "AppState.h"
#include "CalculatorWindow.h"
#include "ui/ScreenTestSupport.h"

namespace revora::testing {

// How a test's window and typing differ from the plain case.
struct ScreenFixtureOptions {
    QSize size{900, 600};
    std::optional<QPoint> position;
    // The area as the central widget of a main window, for screens that place windows beside it.
    bool insideMainWindow = false;
    // The child window takes the screen's title, as the main window's does.
    bool titleFromScreen = false;
    // As the main window does: a screen becoming active shows the program-wide values.
    bool announceActivation = false;
    bool openAtSetUp = true;
    // A message box just closed may leave the window inactive, and an inactive window gets no
    // focus events, so no box would be entered or left.
    bool reactivateToType = true;
    // What typing an empty text presses on the selected box; none leaves the selection alone.
    Qt::Key emptyTextKey = Qt::Key_unknown;

    // Chained, as a test's init() reads best: ScreenFixtureOptions().sized(900, 600)...
    ScreenFixtureOptions& sized(int width, int height) { size = QSize(width, height); return *this; }
    ScreenFixtureOptions& placedAt(int x, int y) { position = QPoint(x, y); return *this; }
    ScreenFixtureOptions& inMainWindow() { insideMainWindow = true; return *this; }
    ScreenFixtureOptions& titledFromScreen() { titleFromScreen = true; return *this; }
    ScreenFixtureOptions& announcingActivation() { announceActivation = true; return *this; }
    ScreenFixtureOptions& openedByTheTest() { openAtSetUp = false; return *this; }
    ScreenFixtureOptions& typingWithoutReactivating() { reactivateToType = false; return *this; }
    ScreenFixtureOptions& clearingEmptyTextWith(Qt::Key key) { emptyTextKey = key; return *this; }
};

template <typename Screen>
class ScreenFixture {
protected:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<QWidget> window_; // the area itself, or the main window holding it
    QMdiArea* area_ = nullptr;
    QMdiSubWindow* sub_ = nullptr;
    Screen* screen_ = nullptr;
    ScreenFixtureOptions options_;

    void setUp(const ScreenFixtureOptions& options = {})
    {
        options_ = options;
        folder_ = std::make_unique<QTemporaryDir>();
        state_ = std::make_unique<AppState>();
        state_->Paths = MakeAppPaths(folder_->path(), TestInstallFolder());
        area_ = new QMdiArea;
        if (options_.insideMainWindow) {
            auto* main = new QMainWindow;
            main->setCentralWidget(area_);
            window_.reset(main);
        } else {
            window_.reset(area_);
        }
        if (options_.announceActivation)
            QObject::connect(area_, &QMdiArea::subWindowActivated, area_, [](QMdiSubWindow* sub) {
                if (auto* screen = sub ? qobject_cast<CalculatorWindow*>(sub->widget()) : nullptr)
                    screen->activated();
            });
        window_->resize(options_.size);
        if (options_.position)
            window_->move(*options_.position);
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        if (options_.openAtSetUp)
            open();
    }
    void tearDown()
    {
        CloseReportWindows();
        window_.reset();
        area_ = nullptr;
        sub_ = nullptr;
        screen_ = nullptr;
        state_.reset();
        folder_.reset();
    }

    // The screen over its domain's part of the state, as the main window makes it.
    Screen* open()
    {
        return open([](AppState& state) {
            if constexpr (std::is_constructible_v<Screen, VehicleState&, ProgramValues&>)
                return new Screen(state.Vehicle, state);
            else
                return new Screen(state.Finance, state);
        });
    }
    Screen* open(const std::function<Screen*(AppState&)>& make)
    {
        screen_ = make(*state_);
        sub_ = area_->addSubWindow(screen_);
        sub_->setAttribute(Qt::WA_DeleteOnClose);
        if (options_.titleFromScreen)
            sub_->setWindowTitle(screen_->windowTitle());
        sub_->show();
        area_->setActiveSubWindow(sub_);
        return screen_;
    }
    void closeScreen()
    {
        sub_->close();
        QTRY_VERIFY(area_->subWindowList().isEmpty());
        sub_ = nullptr;
        screen_ = nullptr;
    }

    template <typename T = QWidget>
    T* find(const char* name) const
    {
        T* widget = screen_->template findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QString shown(const char* name) const { return find<QLineEdit>(name)->text(); }
    // A message box or a window beside the area may have taken the activation.
    void activate() const
    {
        if (!window_->isActiveWindow()) {
            window_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        }
    }
    void type(const char* name, const QString& text) const
    {
        if (options_.reactivateToType)
            activate();
        auto* edit = find<QLineEdit>(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        if (text.isEmpty() && options_.emptyTextKey != Qt::Key_unknown)
            QTest::keyClick(edit, options_.emptyTextKey);
        else
            QTest::keyClicks(edit, text);
    }
    void leave(const char* name) const { QTest::keyClick(find<QLineEdit>(name), Qt::Key_Tab); }
    void typeAndLeave(const char* name, const QString& text) const
    {
        type(name, text);
        leave(name);
    }
    void click(const char* name) const { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }

    // An amount box of the small calculators refuses more than revora-calc's amount options take,
    // naming the limit and keeping the amount before, and takes `most` (the limit as it types).
    template <typename T>
    void expectsTheAmountLimit(const char* name, const T& stored, const QString& most = "9999999999.99") const
    {
        MessageBoxWatcher watcher;
        typeAndLeave(name, "1234");
        type(name, "10000000000");
        QTRY_COMPARE(watcher.texts(), QStringList{"The maximum amount allowed is R 9 999 999 999.99"});
        QCOMPARE(watcher.titles(), QStringList{"Incorrect Amount!"});
        QCOMPARE(stored, T(1234));
        typeAndLeave(name, most);
        QCOMPARE(stored, T(most.toDouble()));
        QCOMPARE(watcher.texts().size(), 1);
    }
};

} // namespace revora::testing
