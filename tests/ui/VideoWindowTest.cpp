// The video window: the source choice kept in "VideoSource.Dll", the lecture buttons, the
// messages for lectures that cannot be played, and a real clip played to its end.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMediaPlayer>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

#include "AppFolders.h"
#include "ui/UiTest.h"
#include "ui/ScreenTestSupport.h"
#include "VideoWindow.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;
using revora::testing::ReadAll;

namespace {

// A base address where nothing answers, so a streamed lecture never reaches the internet.
const QString TestBaseAddress = QStringLiteral("http://127.0.0.1:9/lectures");

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class VideoWindowTest : public QObject {
    Q_OBJECT
public:
    // GStreamer is Qt 6.4's own choice on Linux, so the tests play what users get; Qt 6.4's
    // FFmpeg backend also stalls for good on a clip with sound when there is no audio device,
    // as on a build machine.
    static void initMain()
    {
        if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
            qputenv("QT_MEDIA_BACKEND", "gstreamer");
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;  // the application folder
    std::unique_ptr<QTemporaryDir> install_; // the installation folder, where the lectures sit
    AppPaths paths_;
    std::vector<std::unique_ptr<VideoWindow>> windows_;
    // Answers every message box, so a failure the player reports late (a streamed address
    // where nothing answers) can never leave a test waiting on a modal box.
    std::unique_ptr<MessageBoxWatcher> boxes_;

    // A window as the main window shows it: opened, then activated.
    VideoWindow* openWindow()
    {
        windows_.push_back(std::make_unique<VideoWindow>(paths_, nullptr, TestBaseAddress));
        VideoWindow* window = windows_.back().get();
        window->show();
        window->activated();
        return window;
    }
    static QRadioButton* option(VideoWindow* window, int index)
    {
        return window->findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(index));
    }
    static void click(VideoWindow* window, const QString& name)
    {
        auto* button = window->findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Which option shows: 0, 1, or -1 for none.
    static int shownOption(VideoWindow* window)
    {
        const bool first = option(window, 0)->isChecked();
        const bool second = option(window, 1)->isChecked();
        return first && second ? 2 : first ? 0 : second ? 1 : -1;
    }
    // Lets the player drop what it was given, so no late failure of it outlives the test.
    static void settle(VideoWindow* window)
    {
        window->player()->stop();
        window->player()->setSource(QUrl());
        QTest::qWait(50);
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        install_ = std::make_unique<QTemporaryDir>();
        paths_ = MakeAppPaths(folder_->path(), install_->path());
        boxes_ = std::make_unique<MessageBoxWatcher>();
    }
    void cleanup()
    {
        windows_.clear();
        boxes_.reset();
        install_.reset();
        folder_.reset();
    }

    void captionsAndNamesAreAsTheUserKnowsThem()
    {
        VideoWindow* window = openWindow();
        QCOMPARE(window->objectName(), QString("frmVideo"));
        QCOMPARE(window->windowTitle(), QString("Video"));
        QCOMPARE(option(window, 0)->text(), QString("Stream Videos directly from the Internet"));
        QCOMPARE(option(window, 1)->text(), QString("Play Videos from hard disk on this computer"));
        const QStringList captions{"2016 Company Car", "2016 Travel Claims", "2016 Fringe Benefits, car etc."};
        for (int index = 0; index < 3; ++index)
            QCOMPARE(window->findChild<QAbstractButton*>(QStringLiteral("Command1_%1").arg(index))->text(),
                     captions[index]);
        QCOMPARE(window->player()->objectName(), QString("WindowsMediaPlayer1"));
    }

    void theKeyboardReachesTheSourceAndEveryLecture()
    {
        WriteFile(paths_.VideoSourcePath, "0");
        VideoWindow* window = openWindow();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));

        QTest::keyClick(window, Qt::Key_V, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), option(window, 0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(shownOption(window), 1);
        QCOMPARE(ReadAll(paths_.VideoSourcePath).trimmed(), QByteArray("1"));

        QTest::keyClick(window, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1_0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1_1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command1_2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTRY_COMPARE(boxes_->texts().size(), 1);
        QVERIFY(boxes_->texts().first().contains("CarFB.wmv"));
    }

    void aChosenSourceIsKeptInTheFileForTheNextWindow_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("streaming from the internet") << 0 << QByteArray("0");
        QTest::newRow("playing from the hard disk") << 1 << QByteArray("1");
    }
    void aChosenSourceIsKeptInTheFileForTheNextWindow()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, stored);
        VideoWindow* first = openWindow();
        click(first, QStringLiteral("Option1_%1").arg(index));
        QCOMPARE(ReadAll(paths_.VideoSourcePath).trimmed(), stored);
        QCOMPARE(shownOption(first), index);

        VideoWindow* second = openWindow();
        QCOMPARE(shownOption(second), index);
    }

    void withoutTheFileNothingIsChosenAndTheLecturesDoNothingUntilAnOptionIs()
    {
        VideoWindow* window = openWindow();
        QCOMPARE(shownOption(window), -1);
        auto* status = window->findChild<QLabel*>("lblStatus");
        for (int index = 0; index < 3; ++index) {
            click(window, QStringLiteral("Command1_%1").arg(index));
            QVERIFY(window->player()->source().isEmpty());
            QVERIFY2(status->text().startsWith("Choose a video source first"), qPrintable(status->text()));
        }
        QVERIFY(!QFile::exists(paths_.VideoSourcePath));
        QVERIFY(boxes_->texts().isEmpty());

        click(window, "Option1_0");
        QCOMPARE(ReadAll(paths_.VideoSourcePath).trimmed(), QByteArray("0"));
        QVERIFY(status->text().isEmpty());
        click(window, "Command1_0");
        QCOMPARE(window->player()->source(), QUrl(TestBaseAddress + "/2016RVCoCar.wmv"));
        settle(window);
    }

    void aFileThatNamesNoSourceClearsTheOptions_data()
    {
        QTest::addColumn<QByteArray>("content");
        // How each content is read is VideoSourceTest's table; here, what the window makes of it.
        QTest::newRow("words") << QByteArray("internet");
        QTest::newRow("an empty file") << QByteArray();
        QTest::newRow("a number that is no source") << QByteArray("2");
    }
    void aFileThatNamesNoSourceClearsTheOptions()
    {
        QFETCH(QByteArray, content);
        WriteFile(paths_.VideoSourcePath, "1");
        VideoWindow* window = openWindow();
        QCOMPARE(shownOption(window), 1);

        // Another copy of the program, or a user, changed the file while the window was open.
        WriteFile(paths_.VideoSourcePath, content);
        window->activated();
        QCOMPARE(shownOption(window), -1);
        click(window, "Command1_1");
        QVERIFY(window->player()->source().isEmpty());
        QCOMPARE(ReadAll(paths_.VideoSourcePath), content);
    }

    void eachLectureButtonPlaysItsLectureFromTheChosenSource_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("fileName");
        const QStringList names{"2016RVCoCar.wmv", "2016RVTA.wmv", "CarFB.wmv"};
        const QStringList subjects{"company car", "travel claims", "fringe benefits"};
        for (int button = 0; button < 3; ++button) {
            QTest::addRow("%s from the hard disk", qPrintable(subjects[button])) << 1 << button << names[button];
            QTest::addRow("%s from the internet", qPrintable(subjects[button])) << 0 << button << names[button];
        }
    }
    void eachLectureButtonPlaysItsLectureFromTheChosenSource()
    {
        QFETCH(int, source);
        QFETCH(int, button);
        QFETCH(QString, fileName);
        // Not a real video: the player's complaint about it is answered by the test's watcher.
        WriteFile(install_->path() + "/" + fileName, "not a video");
        WriteFile(paths_.VideoSourcePath, QByteArray::number(source));
        VideoWindow* window = openWindow();
        click(window, QStringLiteral("Command1_%1").arg(button));
        const QUrl expected = source == 1 ? QUrl::fromLocalFile(install_->path() + "/" + fileName)
                                          : QUrl(TestBaseAddress + "/" + fileName);
        QCOMPARE(window->player()->source(), expected);
        settle(window);
    }

    void aLectureMissingFromThisComputerIsNamed()
    {
        WriteFile(paths_.VideoSourcePath, "1");
        const MessageBoxWatcher& watcher = *boxes_;
        VideoWindow* window = openWindow();
        click(window, "Command1_2");
        QCOMPARE(watcher.texts().size(), 1);
        QVERIFY2(watcher.texts().first().contains(QDir::toNativeSeparators(install_->path() + "/CarFB.wmv")),
                 qPrintable(watcher.texts().first()));
        QVERIFY(window->player()->source().isEmpty());
    }

    void aLectureThePlayerCannotPlayIsNamed_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("named");
        QTest::newRow("a file on this computer that is no video") << 1 << QString("<install>/2016RVTA.wmv");
        QTest::newRow("an address where nothing answers") << 0 << TestBaseAddress + "/2016RVTA.wmv";
    }
    void aLectureThePlayerCannotPlayIsNamed()
    {
        QFETCH(int, source);
        QFETCH(QString, named);
        named = QDir::toNativeSeparators(named.replace("<install>", install_->path()));
        WriteFile(install_->path() + "/2016RVTA.wmv", QByteArray(4096, 'x'));
        WriteFile(paths_.VideoSourcePath, QByteArray::number(source));
        const MessageBoxWatcher& watcher = *boxes_;
        VideoWindow* window = openWindow();
        click(window, "Command1_1");
        QTRY_VERIFY_WITH_TIMEOUT(!watcher.texts().isEmpty(), 20000);
        QVERIFY2(watcher.texts().first().contains(named), qPrintable(watcher.texts().first()));
        // Nothing is left to pause or stop.
        for (const char* name : {"cmdPlay", "cmdStop"})
            QVERIFY2(!window->findChild<QAbstractButton*>(name)->isEnabled(), name);
        // Trying the same lecture again tries it again, and says again that it failed.
        const qsizetype before = watcher.texts().size();
        click(window, "Command1_1");
        QTRY_VERIFY_WITH_TIMEOUT(watcher.texts().size() > before, 20000);
        settle(window);
    }

    void aSourceThatCannotBeSavedIsNotShownAsChosen()
    {
        WriteFile(paths_.VideoSourcePath, "1");
        VideoWindow* window = openWindow();
        QCOMPARE(shownOption(window), 1);
        // A folder where the file should be: nothing can replace it.
        QVERIFY(QFile::remove(paths_.VideoSourcePath));
        QVERIFY(QDir().mkdir(paths_.VideoSourcePath));

        const MessageBoxWatcher& watcher = *boxes_;
        click(window, "Option1_0");
        QCOMPARE(watcher.texts().size(), 1);
        QVERIFY2(watcher.texts().first().contains(QDir::toNativeSeparators(paths_.VideoSourcePath)),
                 qPrintable(watcher.texts().first()));
        QCOMPARE(shownOption(window), 1);
        // The lectures still come from where the user last chose successfully.
        click(window, "Command1_0");
        QCOMPARE(watcher.texts().size(), 2);
        QVERIFY(watcher.texts().last().contains("2016RVCoCar.wmv"));
    }

    void aShortClipPlaysToItsEnd()
    {
        const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
        if (ffmpeg.isEmpty())
            QSKIP("ffmpeg is not installed (scripts/deps installs it); no clip can be made");
        const QString clip = install_->path() + "/2016RVCoCar.wmv";
        QProcess make;
        make.start(ffmpeg, {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i", "color=c=blue:s=160x120:d=1",
                            "-f", "lavfi", "-i", "sine=d=1", "-c:v", "wmv2", "-c:a", "wmav2", "-shortest", clip});
        QVERIFY(make.waitForFinished(60000));
        QVERIFY2(make.exitCode() == 0 && QFile::exists(clip), make.readAllStandardError().constData());

        WriteFile(paths_.VideoSourcePath, "1");
        const MessageBoxWatcher& watcher = *boxes_;
        VideoWindow* window = openWindow();
        click(window, "Command1_0");
        QTRY_VERIFY_WITH_TIMEOUT(window->player()->mediaStatus() == QMediaPlayer::EndOfMedia ||
                                     !watcher.texts().isEmpty(),
                                 60000);
        QVERIFY2(watcher.texts().isEmpty(), qPrintable(watcher.texts().join('\n')));
        QCOMPARE(window->player()->duration() > 500, true);
    }
};


REVORA_UI_TEST(VideoWindowTest)
#include "VideoWindowTest.moc"
