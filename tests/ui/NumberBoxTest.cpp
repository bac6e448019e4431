// The numeric edit box as a clerk types into it: what it takes, what it refuses, what a paste
// leaves, and how the focus prepares it to be typed over.

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

#include "NumberBox.h"
#include "ui/UiTest.h"
#include "ui/ScreenTestSupport.h"

using revora::NumberBox;

Q_DECLARE_METATYPE(NumberBox::Kind)

namespace {

struct Fixture {
    QWidget window;
    NumberBox* first;
    NumberBox* box;

    Fixture(NumberBox::Kind kind, int decimals, bool negatives)
    {
        first = new NumberBox(NumberBox::Kind::Decimal, 2, &window);
        box = new NumberBox(kind, decimals, &window);
        box->setAllowsNegative(negatives);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(box);
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the test window did not become active");
    }
};

} // namespace

class NumberBoxTest : public QObject {
    Q_OBJECT

private slots:
    // Typing, key by key: what the box shows and holds, and how many refusals it explained.
    void typedKeys_data()
    {
        QTest::addColumn<NumberBox::Kind>("kind");
        QTest::addColumn<bool>("negatives");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("messages");

        using K = NumberBox::Kind;
        QTest::newRow("digits and one point make a decimal amount") << K::Decimal << false << "1234.56" << "1234.56" << 1234.56 << 0;
        QTest::newRow("commas group thousands") << K::Decimal << false << "15,000.50" << "15,000.50" << 15000.5 << 0;
        QTest::newRow("a rand sign, blank groups and a decimal comma") << K::Decimal << false << "R 15 000,50" << "R 15 000,50" << 15000.5 << 0;
        QTest::newRow("a letter is refused as it is pressed") << K::Decimal << false << "12x3" << "123" << 123.0 << 0;
        QTest::newRow("a second decimal point sends the box back") << K::Decimal << false << "1.2." << "0.00" << 0.0 << 1;
        QTest::newRow("a whole box rounds a typed decimal half to even") << K::Whole << false << "14500.5" << "14500.5" << 14500.0 << 0;
        QTest::newRow("a minus where amounts are not negative") << K::Decimal << false << "-" << "0.00" << 0.0 << 1;
        QTest::newRow("a leading minus where negatives are allowed") << K::Decimal << true << "-40" << "-40" << -40.0 << 0;
        QTest::newRow("a minus after the digits") << K::Whole << true << "40-" << "0" << 0.0 << 1;
        QTest::newRow("digits beyond what a box holds") << K::Decimal << false << "1234567890123" << "0.00" << 0.0 << 1;
    }
    void typedKeys()
    {
        QFETCH(NumberBox::Kind, kind);
        QFETCH(bool, negatives);
        QFETCH(QString, typed);
        Fixture f(kind, kind == NumberBox::Kind::Whole ? 0 : 2, negatives);
        f.box->setFocus(Qt::TabFocusReason);
        revora::testing::MessageBoxWatcher messages;
        QTest::keyClicks(f.box, typed);
        QTEST(f.box->text(), "shown");
        QTEST(f.box->value(), "value");
        QTEST(static_cast<int>(messages.texts().size()), "messages");
    }

    // Leaving ends the edit: a number is shown as the box writes it, a half-typed one refused.
    void leftWithText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");

        QTest::newRow("a number written another way") << "R 1,500" << "1 500" << 1500.0;
        QTest::newRow("a typed decimal in a whole box") << "2.5" << "2" << 2.0;
        QTest::newRow("plain digits stay as typed") << "0050" << "0050" << 50.0;
        QTest::newRow("a group left unfinished") << "1 23" << "7" << 7.0;
        QTest::newRow("the rand sign alone") << "R" << "7" << 7.0;
    }
    void leftWithText()
    {
        QFETCH(QString, typed);
        Fixture f(NumberBox::Kind::Whole, 0, false);
        f.box->setValue(7);
        f.box->setFocus(Qt::TabFocusReason);
        revora::testing::MessageBoxWatcher messages;
        QTest::keyClicks(f.box, typed);
        f.first->setFocus(Qt::TabFocusReason);
        // A refused edit keeps the focus in its box, to be typed again.
        QFETCH(double, value);
        const bool refused = value == 7.0;
        QTRY_COMPARE(messages.texts().size(), refused ? 1 : 0);
        QTRY_COMPARE(f.window.focusWidget(), refused ? f.box : f.first);
        QTEST(f.box->text(), "shown");
        QCOMPARE(f.box->value(), value);
    }

    void aLimitSendsTheBoxBackToItsValueBeforeTheEdit()
    {
        Fixture f(NumberBox::Kind::Whole, 0, false);
        f.box->setAcceptor([](double value) { return value <= 183; });
        f.box->setValue(5);
        f.box->setFocus(Qt::TabFocusReason);
        QSignalSpy edited(f.box, &NumberBox::valueEdited);
        QSignalSpy refused(f.box, &NumberBox::refused);
        QTest::keyClicks(f.box, "184");
        QCOMPARE(refused.size(), 1);
        QCOMPARE(f.box->text(), QString("5")); // never the 18 typed on the way
        QCOMPARE(f.box->value(), 5.0);
        QCOMPARE(edited.last().at(0).toDouble(), 5.0); // the screen's value goes back too
    }

    // A calculation's figure over the value typed, in a box of whole rands that shows cents
    // where a value has them: leaving keeps both, a refused edit brings both back.
    void aFigureStandsOverTheTypedValueUntilTheBoxIsTyped()
    {
        Fixture f(NumberBox::Kind::Decimal, 0, false);
        f.box->setTidyOnLeave(true);
        f.box->setValue(12000);
        QCOMPARE(f.box->text(), QString("12 000"));
        f.box->showFigure(11999.85);
        QSignalSpy edited(f.box, &NumberBox::valueEdited);
        f.box->setFocus(Qt::TabFocusReason);
        f.first->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.box->text(), QString("11 999.85"));
        QCOMPARE(f.box->value(), 12000.0);
        revora::testing::MessageBoxWatcher messages;
        f.box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(f.box, "5 1");
        f.first->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(messages.texts().size(), 1);
        QCOMPARE(f.box->text(), QString("11 999.85"));
        QCOMPARE(edited.last().at(0).toDouble(), 12000.0);
    }

    void pastedText_data()
    {
        QTest::addColumn<NumberBox::Kind>("kind");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");

        using K = NumberBox::Kind;
        QTest::newRow("a figure copied from a result box") << K::Decimal << "500 000.00" << "500 000.00" << 500000.0;
        QTest::newRow("thousands commas") << K::Decimal << "15,000.50" << "15 000.50" << 15000.5;
        QTest::newRow("a rand amount with a decimal comma") << K::Decimal << "R 15 000,50" << "15 000.50" << 15000.5;
        QTest::newRow("a whole box rounds half to even") << K::Whole << "12.5" << "12" << 12.0;
        QTest::newRow("surrounding blanks of a copied cell") << K::Whole << "  77\n" << "77" << 77.0;
        QTest::newRow("trailing letters are refused") << K::Decimal << "12abc" << "999.00" << 999.0;
        QTest::newRow("a minus where amounts are not negative") << K::Decimal << "-20" << "999.00" << 999.0;
        QTest::newRow("more digits than a box holds") << K::Decimal << QString(40, '9') << "999.00" << 999.0;
    }
    void pastedText()
    {
        QFETCH(NumberBox::Kind, kind);
        QFETCH(QString, pasted);
        QFETCH(double, value);
        Fixture f(kind, kind == NumberBox::Kind::Whole ? 0 : 2, false);
        f.box->setValue(999);
        f.box->setFocus(Qt::TabFocusReason); // selects the whole text, so the paste replaces it
        QSignalSpy edited(f.box, &NumberBox::valueEdited);
        revora::testing::MessageBoxWatcher messages;
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(f.box, QKeySequence::Paste);
        QTEST(f.box->text(), "shown");
        QCOMPARE(f.box->value(), value);
        QCOMPARE(edited.size(), value == 999.0 ? 0 : 1);
        QCOMPARE(messages.texts().size(), value == 999.0 ? 1 : 0);
    }

    void theFocusSelectsTheWholeText_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("by Tab") << 0;
        QTest::newRow("by a click") << 1;
        QTest::newRow("by a mnemonic") << 2;
    }
    void theFocusSelectsTheWholeText()
    {
        QFETCH(int, how);
        Fixture f(NumberBox::Kind::Decimal, 2, false);
        f.box->setValue(1234);
        f.first->setFocus();
        QTRY_VERIFY(f.first->hasFocus());
        if (how == 0)
            QTest::keyClick(f.first, Qt::Key_Tab);
        else if (how == 1)
            QTest::mouseClick(f.box, Qt::LeftButton, {}, QPoint(4, f.box->height() / 2));
        else
            f.box->setFocus(Qt::ShortcutFocusReason);
        QTRY_VERIFY(f.box->hasFocus());
        QCOMPARE(f.box->selectedText(), QString("1 234.00"));
        QTest::keyClicks(f.box, "7");
        QCOMPARE(f.box->text(), QString("7"));
        QCOMPARE(f.box->value(), 7.0);
    }

    void altKeysAreLeftToTheScreenAndTheMenus()
    {
        Fixture f(NumberBox::Kind::Decimal, 2, false);
        f.box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.box, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(f.box->text(), QString("0.00"));
    }
};

REVORA_UI_TEST(NumberBoxTest)
#include "NumberBoxTest.moc"
