// What a clerk types into a screen's text boxes shows as typed in the report window: markup and
// template tags stay text, quotes come back from the report database, right-to-left and
// combining characters survive, and 10 000 characters are cut at a name box's 50 or wrap
// whole through the pages of the printout. A name box takes no control character.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>

#include "MainWindow.h"
#include "ui/UiTest.h"
#include "PrintPanel.h"
#include "ReportWindow.h"
#include "ui/ScreenTestSupport.h"

using namespace revora;

namespace {

// A box the text goes into, with the length the box takes (0: any).
struct TextBox {
    const char* name;
    int limit;
};

// A screen, the figures it needs to print, and its boxes that reach the printout: those typed
// before "&Print" and those on the print panel.
struct ScreenCase {
    const char* menu;
    const char* screen;
    QList<QPair<const char*, const char*>> figures;
    QList<TextBox> beforePrint;
    QList<TextBox> onPrintPanel;
};

const QList<ScreenCase>& Screens()
{
    static const QList<ScreenCase> screens{
        {"mnuMonthly", "frmMonthly", {{"silgEdit10", "20000"}}, {}, {{"Text1", 50}}},
        {"mnuRevxAnn",
         "frmRevoraAnn",
         {{"numNetMonSalReq", "300000"},
          {"numOtherDet_0", "100"},
          {"numOtherDet_1", "100"},
          {"numOtherDet_2", "100"},
          {"numOtherDet_3", "100"}},
         {{"txtOtherDet_0", 0}, {"txtOtherDet_1", 0}, {"txtOtherDet_2", 0}, {"txtOtherDet_3", 0}},
         {{"Text1", 50}}},
        {"mnuCarAll1",
         "frmCarAll1",
         {{"silgEdit1", "150000"}, {"silgEdit3", "60000"}, {"silgEdit4", "30000"}, {"silgEdit5", "20000"}},
         {{"Text1", 0}},
         {{"Text3", 50}}},
        // The registration comes first: the other boxes open once it is typed.
        {"mnuCompCar",
         "frmCompCar",
         {{"numCCPrice", "200000"}},
         {{"txtCCRegNumber", 0}, {"txtCCMake", 0}, {"txtCCModel", 0}, {"txtYearOfManfact", 0}},
         {}},
    };
    return screens;
}

QString WithoutSpace(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

} // namespace

class HostileTextWindowTest : public QObject, revora::testing::MainWindowFixture {
    Q_OBJECT

    // Short texts are typed key by key; a long one is pasted, as a clerk would bring it.
    static void enter(QWidget* screen, const char* name, const QString& text)
    {
        auto* edit = screen->findChild<QLineEdit*>(name);
        QVERIFY2(edit && edit->isEnabled(), name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        if (text.size() > 100) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            // Key by key with the character as the key's text: keyClicks takes Latin-1 only.
            for (const QChar ch : text)
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    static ReportWindow* reportWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* report = qobject_cast<ReportWindow*>(w); report && report->isVisible())
                return report;
        return nullptr;
    }

private slots:
    // Each screen opened from its menu, in the main window of a fresh application folder.
    void init() { startMain(); }
    void cleanup() { stopMain(); }

    void everyTypedTextShowsAsTypedInTheReportWindow_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("text");
        // A text too long to look for whole is counted by this character of it instead.
        QTest::addColumn<QString>("tally");
        const QList<std::pair<const char*, QString>> texts{
            {"markup", QStringLiteral("<b>bold</b> & <script>alert(1)</script>")},
            {"template tags", QStringLiteral("{{TPName}} {{#rows}}x{{/rows}} {{{raw}}} {{& amp}}")},
            {"SQL quotes", QStringLiteral("O'Brien\"; DROP TABLE kwiktax;--")},
            {"right to left", QStringLiteral("שלום עולם مرحبا بالعالم")},
            {"combining marks", QStringLiteral("e\u0301 n\u0303 a\u0308 Zoe\u0308 Jose\u0301")},
            {"10 000 characters", QString(10000, QChar(0x0416))},
        };
        for (int s = 0; s < Screens().size(); ++s)
            for (const auto& [name, text] : texts)
                QTest::addRow("%s, %s", Screens()[s].screen, name)
                    << s << text << (text.size() > 100 ? QString(text[0]) : QString());
    }
    void everyTypedTextShowsAsTypedInTheReportWindow()
    {
        QFETCH(int, screen);
        QFETCH(QString, text);
        QFETCH(QString, tally);
        const ScreenCase& c = Screens()[screen];
        QWidget* shown = openFromMenu(c.menu, c.screen);
        QVERIFY(shown);
        QStringList typed;
        const auto enterInto = [&](const QList<TextBox>& boxes) {
            for (const TextBox& box : boxes) {
                enter(shown, box.name, text);
                const QString expected = box.limit > 0 ? text.left(box.limit) : text;
                QCOMPARE(shown->findChild<QLineEdit*>(box.name)->text(), expected);
                typed << expected;
            }
        };
        if (QString(c.screen) == "frmCompCar")
            QTest::mouseClick(shown->findChild<QAbstractButton*>("cmdAdd"), Qt::LeftButton);
        enterInto(c.beforePrint);
        for (const auto& [box, figure] : c.figures)
            enter(shown, box, figure);
        QTest::mouseClick(shown->findChild<QAbstractButton*>("cmdPrint"), Qt::LeftButton);
        auto* panel = shown->findChild<PrintPanel*>();
        QVERIFY(panel && panel->isVisible());
        enterInto(c.onPrintPanel);
        QTest::mouseClick(panel->viewButton(), Qt::LeftButton);

        ReportWindow* report = reportWindow();
        QVERIFY(report);
        const QString plain = report->document().toPlainText();
        if (!tally.isEmpty()) {
            // Nothing lost and nothing doubled.
            qsizetype expected = 0;
            for (const QString& t : typed)
                expected += t.count(tally);
            QCOMPARE(plain.count(tally), expected);
            return;
        }
        for (const QString& t : typed)
            QVERIFY2(WithoutSpace(plain).count(WithoutSpace(t)) >= typed.count(t), qPrintable(plain.left(2000)));
    }

    // The print panels' name boxes: a name pasted with a line break, an ESC or a C1 control
    // keeps its letters and loses the control characters.
    void aNameBoxLeavesOutControlCharacters()
    {
        for (const ScreenCase& c : Screens()) {
            if (c.onPrintPanel.isEmpty())
                continue;
            QWidget* shown = openFromMenu(c.menu, c.screen);
            QVERIFY(shown);
            QTest::mouseClick(shown->findChild<QAbstractButton*>("cmdPrint"), Qt::LeftButton);
            auto* box = shown->findChild<QLineEdit*>(c.onPrintPanel[0].name);
            QVERIFY2(box, c.screen);
            box->setFocus(Qt::TabFocusReason);
            QGuiApplication::clipboard()->setText(QStringLiteral("Ann\n\x1b[2JSmith\u009b\t"));
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(box->text(), QStringLiteral("Ann[2JSmith"));
        }
    }
};

REVORA_UI_TEST(HostileTextWindowTest)
#include "HostileTextWindowTest.moc"
