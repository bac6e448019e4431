// The numeric edit box as a clerk types into it: what it takes, what it refuses, what a paste
// leaves, and how the focus prepares it to be typed over.

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

#include "shell/NumberBox.h"

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
    void typedKeys_data()
    {
        QTest::addColumn<NumberBox::Kind>("kind");
        QTest::addColumn<bool>("negatives");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("refused");

        using K = NumberBox::Kind;
        QTest::newRow("digits and one point make a decimal amount") << K::Decimal << false << "1234.56" << "1234.56" << 1234.56 << 0;
        QTest::newRow("a comma is refused, the digits around it kept") << K::Decimal << false << "500,000" << "500000" << 500000.0 << 1;
        QTest::newRow("a currency letter is refused") << K::Decimal << false << "R500000" << "500000" << 500000.0 << 1;
        QTest::newRow("a second decimal point is refused") << K::Decimal << false << "1.2.3" << "1.23" << 1.23 << 1;
        QTest::newRow("grouping blanks as the box shows them") << K::Decimal << false << "1 250 000.5" << "1 250 000.5" << 1250000.5 << 0;
        QTest::newRow("a whole box refuses the decimal point") << K::Whole << false << "12.5" << "125" << 125.0 << 1;
        QTest::newRow("a minus is refused where amounts are not negative") << K::Decimal << false << "-40" << "40" << 40.0 << 1;
        QTest::newRow("a leading minus where negatives are allowed") << K::Decimal << true << "-40" << "-40" << -40.0 << 0;
        QTest::newRow("a minus after the digits is refused") << K::Whole << true << "40-" << "40" << 40.0 << 1;
        QTest::newRow("a plus sign is refused") << K::Whole << true << "+7" << "7" << 7.0 << 1;
    }
    void typedKeys()
    {
        QFETCH(NumberBox::Kind, kind);
        QFETCH(bool, negatives);
        QFETCH(QString, typed);
        Fixture f(kind, kind == NumberBox::Kind::Whole ? 0 : 2, negatives);
        f.box->setFocus(Qt::TabFocusReason);
        QSignalSpy rejected(f.box, &QLineEdit::inputRejected);
        QTest::keyClicks(f.box, typed);
        QTEST(f.box->text(), "shown");
        QTEST(f.box->value(), "value");
        QTEST(static_cast<int>(rejected.size()), "refused");
    }

    void pastedText_data()
    {
        QTest::addColumn<NumberBox::Kind>("kind");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("value");

        using K = NumberBox::Kind;
        QTest::newRow("trailing letters are dropped") << K::Decimal << "12abc" << "12.00" << 12.0;
        QTest::newRow("a figure copied from a result box") << K::Decimal << "500 000.00" << "500 000.00" << 500000.0;
        QTest::newRow("a comma ends the number") << K::Decimal << "500,000" << "500.00" << 500.0;
        QTest::newRow("text with no leading number reads as 0") << K::Decimal << "R500000" << "0.00" << 0.0;
        QTest::newRow("a whole box rounds half to even") << K::Whole << "12.5" << "12" << 12.0;
        QTest::newRow("surrounding blanks of a copied cell") << K::Whole << "  77\n" << "77" << 77.0;
    }
    void pastedText()
    {
        QFETCH(NumberBox::Kind, kind);
        QFETCH(QString, pasted);
        Fixture f(kind, kind == NumberBox::Kind::Whole ? 0 : 2, false);
        f.box->setValue(999);
        f.box->setFocus(Qt::TabFocusReason); // selects the whole text, so the paste replaces it
        QSignalSpy edited(f.box, &NumberBox::valueEdited);
        QApplication::clipboard()->setText(pasted);
        QTest::keySequence(f.box, QKeySequence::Paste);
        QTEST(f.box->text(), "shown");
        QTEST(f.box->value(), "value");
        QCOMPARE(edited.size(), 1);
    }

    void aPasteBeyondWhatTheBoxHoldsIsRefused()
    {
        Fixture f(NumberBox::Kind::Decimal, 2, false);
        f.box->setValue(5);
        f.box->setFocus(Qt::TabFocusReason);
        QApplication::clipboard()->setText("-20");
        QVERIFY(!f.box->pasteText("-20"));
        QVERIFY(!f.box->pasteText(QString(40, '9')));
        QCOMPARE(f.box->value(), 5.0);
        QCOMPARE(f.box->text(), QString("5.00"));
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
        QSignalSpy rejected(f.box, &QLineEdit::inputRejected);
        QTest::keyClick(f.box, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(f.box->text(), QString("0.00"));
        QCOMPARE(rejected.size(), 0); // no beep either
    }
};

QTEST_MAIN(NumberBoxTest)
#include "NumberBoxTest.moc"
