// The date box as a clerk types into it: what it stores as a date is typed, what it refuses
// when it is left, and how it meets the screen around it (bounds moved on entering, the
// message a screen shows on a rejection, Enter, mnemonics, the focus).

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>

#include "DateBox.h"
#include "ui/UiTest.h"
#include "ui/ScreenTestSupport.h"

using revora::DateBox;

namespace {

constexpr int FirstDay = 42064;  // 01/03/2015
constexpr int TenthApril = 42104; // 10/04/2015
constexpr int MidJune = 42170;    // 15/06/2015, the date each box starts with
constexpr int LastDay = 42429;    // 29/02/2016

// The screen around the box; it records the keys the box leaves to it.
class Screen : public QWidget {
public:
    QList<QKeyCombination> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->keyCombination(); }
};

struct Fixture {
    Screen screen;
    QLineEdit* before; // where the focus comes from
    QWidget* part;     // the part of the screen that holds the date box
    DateBox* box;
    QLineEdit* after;  // where Tab takes the focus

    Fixture()
    {
        before = new QLineEdit(&screen);
        part = new QWidget(&screen);
        box = new DateBox(part);
        after = new QLineEdit(&screen);
        (new QHBoxLayout(part))->addWidget(box);
        auto* layout = new QHBoxLayout(&screen);
        layout->addWidget(before);
        layout->addWidget(part);
        layout->addWidget(after);
        box->setDate(MidJune);
        screen.show();
        screen.activateWindow();
        if (!QTest::qWaitForWindowActive(&screen))
            qWarning("the test window did not become active");
        before->setFocus(Qt::OtherFocusReason);
    }

    void enter() { QTest::keyClick(before, Qt::Key_Tab); }
    // Enters the box, clears the date the focus selected and types.
    void type(const QString& typed)
    {
        enter();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, typed);
    }
    void leave() { QTest::keyClick(box, Qt::Key_Tab); }
};

// Counts each of the box's two rejections.
struct Rejections {
    QSignalSpy invalid;
    QSignalSpy outOfRange;
    explicit Rejections(DateBox* box)
        : invalid(box, &DateBox::invalidDateRejected), outOfRange(box, &DateBox::outOfRangeRejected)
    {
    }
    // What the box reported, in words: "invalid", "out of range", or "" for nothing.
    QString which() const
    {
        QStringList heard;
        for (qsizetype i = 0; i < invalid.size(); ++i)
            heard << "invalid";
        for (qsizetype i = 0; i < outOfRange.size(); ++i)
            heard << "out of range";
        return heard.join(", ");
    }
};

} // namespace

class DateBoxTest : public QObject {
    Q_OBJECT

private slots:
    void typedDates_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("refusedKeys");
        QTest::addColumn<int>("storedAsTyped"); // before the box is left
        QTest::addColumn<QString>("rejection");
        QTest::addColumn<int>("date"); // once the box is left
        QTest::addColumn<QString>("shown");

        // Dates of the year, to its first and last day.
        QTest::newRow("a date of the year is stored as it is typed") << "20/10/2015" << 0 << 42297 << "" << 42297 << "20/10/2015";
        QTest::newRow("the first day of the year is taken") << "01/03/2015" << 0 << FirstDay << "" << FirstDay << "01/03/2015";
        QTest::newRow("the last day of the year is taken") << "29/02/2016" << 0 << LastDay << "" << LastDay << "29/02/2016";
        QTest::newRow("a one-digit day and month are taken and shown in full") << "1/3/2015" << 0 << FirstDay << "" << FirstDay << "01/03/2015";
        // Real dates either side of the year.
        QTest::newRow("the day before the year is out of range") << "28/02/2015" << 0 << MidJune << "out of range" << MidJune << "15/06/2015";
        QTest::newRow("the day after the year is out of range") << "01/03/2016" << 0 << MidJune << "out of range" << MidJune << "15/06/2015";
        // Texts that are not dates.
        QTest::newRow("the thirty-first of February is not a date") << "31/02/2015" << 0 << MidJune << "invalid" << MidJune << "15/06/2015";
        QTest::newRow("the twenty-ninth of February of a common year is not a date") << "29/02/2015" << 0 << MidJune << "invalid" << MidJune << "15/06/2015";
        QTest::newRow("a thirteenth month is not a date") << "1/13/2015" << 0 << MidJune << "invalid" << MidJune << "15/06/2015";
        QTest::newRow("a two-digit year is not a date") << "01/03/15" << 0 << MidJune << "invalid" << MidJune << "15/06/2015";
        QTest::newRow("an emptied box is not a date") << "" << 0 << MidJune << "invalid" << MidJune << "15/06/2015";
        // Keys that cannot be part of a date.
        QTest::newRow("letters are refused as typed, leaving the box empty") << "abc" << 3 << MidJune << "invalid" << MidJune << "15/06/2015";
        QTest::newRow("a letter among the digits is refused, the date kept") << "20/1x0/2015" << 1 << 42297 << "" << 42297 << "20/10/2015";
        QTest::newRow("a dash for a slash is refused") << "20-10-2015" << 2 << MidJune << "invalid" << MidJune << "15/06/2015";
        QTest::newRow("an eleventh character is refused") << "20/10/20155" << 1 << 42297 << "" << 42297 << "20/10/2015";
    }
    void typedDates()
    {
        QFETCH(QString, typed);
        QFETCH(int, date);
        Fixture f;
        QSignalSpy edited(f.box, &DateBox::dateEdited);
        QSignalSpy refused(f.box, &QLineEdit::inputRejected);
        Rejections rejections(f.box);
        f.type(typed);
        QTEST(static_cast<int>(refused.size()), "refusedKeys");
        QTEST(f.box->date(), "storedAsTyped");
        f.leave();
        QTEST(rejections.which(), "rejection");
        QTEST(f.box->text(), "shown");
        QCOMPARE(f.box->date(), date);
        // The screen hears of every date the box takes, and of nothing else.
        QCOMPARE(edited.isEmpty() ? MidJune : edited.last().at(0).toInt(), date);
        QVERIFY(f.after->hasFocus());
    }

    void enterJudgesTheDateAsLeavingDoes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rejection");
        QTest::addColumn<bool>("passedOn"); // to the screen, for its default button

        QTest::newRow("a date of the year goes on to the screen") << "20/10/2015" << "" << true;
        QTest::newRow("a text that is not a date stops at the box") << "31/02/2015" << "invalid" << false;
        QTest::newRow("a date outside the year stops at the box") << "01/03/2016" << "out of range" << false;
    }
    void enterJudgesTheDateAsLeavingDoes()
    {
        QFETCH(bool, passedOn);
        Fixture f;
        Rejections rejections(f.box);
        QFETCH(QString, typed);
        f.type(typed);
        QTest::keyClick(f.box, Qt::Key_Return);
        QTEST(rejections.which(), "rejection");
        QCOMPARE(f.screen.keys.contains(QKeyCombination(Qt::Key_Return)), passedOn);
        QVERIFY(f.box->hasFocus());
        if (!passedOn)
            QCOMPARE(f.box->selectedText(), QString("15/06/2015"));
    }

    void boundsMovedOnEnteringApplyToThatEntry_data()
    {
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rejection");

        // A start date may not pass the end date, nor an end date come before the start date.
        QTest::newRow("a start date on the end date is taken") << FirstDay << TenthApril << "10/04/2015" << "";
        QTest::newRow("a start date the day after the end date is out of range") << FirstDay << TenthApril << "11/04/2015" << "out of range";
        QTest::newRow("an end date on the start date is taken") << TenthApril << LastDay << "10/04/2015" << "";
        QTest::newRow("an end date the day before the start date is out of range") << TenthApril << LastDay << "09/04/2015" << "out of range";
    }
    void boundsMovedOnEnteringApplyToThatEntry()
    {
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(QString, rejection);
        Fixture f;
        QObject::connect(f.box, &DateBox::entering, f.box, [&] { f.box->setBounds(lower, upper); });
        Rejections rejections(f.box);
        QFETCH(QString, typed);
        f.type(typed);
        f.leave();
        QCOMPARE(rejections.which(), rejection);
        QCOMPARE(f.box->date(), rejection.isEmpty() ? TenthApril : MidJune);
    }

    void aRejectionAnsweredWithAMessageIsReportedOnce_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("left by Tab") << false;
        QTest::newRow("left by Enter") << true;
    }
    void aRejectionAnsweredWithAMessageIsReportedOnce()
    {
        QFETCH(bool, byEnter);
        Fixture f;
        revora::testing::MessageBoxWatcher watcher;
        // As a screen answers: a modal message, then the focus back in the box.
        QObject::connect(f.box, &DateBox::invalidDateRejected, &f.screen, [&] {
            QMessageBox::critical(&f.screen, "Incorrect Date", "not a date");
            f.box->setFocus();
        });
        Rejections rejections(f.box);
        f.type("31/02/2015");
        if (byEnter)
            QTest::keyClick(f.box, Qt::Key_Return);
        else
            f.leave();
        QTRY_COMPARE(watcher.texts().size(), 1);
        // The screen becomes active again once its message is closed.
        f.screen.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.screen));
        QVERIFY(f.box->hasFocus());
        QCOMPARE(rejections.which(), QString("invalid"));
        QCOMPARE(watcher.texts().size(), 1);
        QCOMPARE(f.box->selectedText(), QString("15/06/2015"));
        QCOMPARE(f.box->date(), MidJune);
    }

    void nothingIsReportedUntilTheBoxIsLeft_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::newRow("the part of the screen holding the box is hidden") << true;
        QTest::newRow("another window takes the focus") << false;
    }
    void nothingIsReportedUntilTheBoxIsLeft()
    {
        QFETCH(bool, hidden);
        Fixture f;
        QWidget other;
        Rejections rejections(f.box);
        f.type("31/02");
        if (hidden) {
            f.part->hide();
        } else {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        QCOMPARE(rejections.which(), QString());
        QCOMPARE(f.box->date(), MidJune);
    }

    void theFocusSelectsTheWholeDate_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("by Tab") << 0;
        QTest::newRow("by a click") << 1;
        QTest::newRow("by a mnemonic") << 2;
        QTest::newRow("by the program") << 3;
    }
    void theFocusSelectsTheWholeDate()
    {
        QFETCH(int, how);
        Fixture f;
        QSignalSpy entering(f.box, &DateBox::entering);
        QTRY_VERIFY(f.before->hasFocus());
        if (how == 0)
            f.enter();
        else if (how == 1)
            QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(4, f.box->height() / 2));
        else
            f.box->setFocus(how == 2 ? Qt::ShortcutFocusReason : Qt::OtherFocusReason);
        QTRY_VERIFY(f.box->hasFocus());
        QCOMPARE(entering.size(), 1);
        QCOMPARE(f.box->selectedText(), QString("15/06/2015"));
        QTest::keyClicks(f.box, "2");
        QCOMPARE(f.box->text(), QString("2"));
    }

    void altAndMetaKeysAreLeftToTheScreen_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::newRow("Alt with a letter") << QKeyCombination(Qt::AltModifier, Qt::Key_C);
        QTest::newRow("Alt with a digit") << QKeyCombination(Qt::AltModifier, Qt::Key_1);
        QTest::newRow("Meta with a letter") << QKeyCombination(Qt::MetaModifier, Qt::Key_C);
    }
    void altAndMetaKeysAreLeftToTheScreen()
    {
        QFETCH(QKeyCombination, key);
        Fixture f;
        f.enter();
        QSignalSpy refused(f.box, &QLineEdit::inputRejected);
        QTest::keyClick(f.box, key.key(), key.keyboardModifiers());
        QCOMPARE(f.box->text(), QString("15/06/2015"));
        QCOMPARE(refused.size(), 0); // no beep either
        QVERIFY(f.screen.keys.contains(key));
    }
};

REVORA_UI_TEST(DateBoxTest)
#include "DateBoxTest.moc"
