// The help window: the document shown in the viewer, the margin kept through every resize, the
// contents and find, and silence when the document is missing.

#include <QPageSize>
#include <QLineEdit>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include "HelpWindow.h"
#include "ui/UiTest.h"
#include "ui/ScreenTestSupport.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;

namespace {

// A small document: a contents page naming the chapters on the pages after it (with the
// page footer under it), then a page per chapter, the word "benefit" on the last two.
QString WriteDocument(const QString& folder, int pages)
{
    const QString path = folder + "/RV2016Help.pdf";
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    QStringList contents{"Contents"};
    for (int page = 2; page <= pages; ++page)
        contents << QStringLiteral("Chapter %1 %2").arg(page - 1).arg(page);
    contents << QStringLiteral("\u2013 Section %1.1 %2").arg(pages - 1).arg(pages);
    contents << QStringLiteral("Revora 2016 Help Page 1 of %1").arg(pages);
    for (int line = 0; line < contents.size(); ++line)
        painter.drawText(QPointF(200, 400 + 300 * line), contents[line]);
    for (int page = 2; page <= pages; ++page) {
        writer.newPage();
        painter.drawText(QPointF(200, 400), QStringLiteral("Chapter %1").arg(page - 1));
        if (page > 2)
            painter.drawText(QPointF(200, 8000), QStringLiteral("the fringe benefit of page %1").arg(page));
    }
    return path;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theDocumentLoadsAndTheViewerFollowsEveryResize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("a wide window") << QSize(900, 500);
        QTest::newRow("a tall window") << QSize(420, 760);
        QTest::newRow("a window smaller than the margin") << QSize(10, 10);
    }
    void theDocumentLoadsAndTheViewerFollowsEveryResize()
    {
        QFETCH(QSize, size);
        QTemporaryDir folder;
        HelpWindow window(WriteDocument(folder.path(), 3));
        window.show();
        QTRY_COMPARE(window.document()->status(), QPdfDocument::Status::Ready);
        QCOMPARE(window.document()->pageCount(), 3);
        QCOMPARE(window.objectName(), QStringLiteral("frmHelpBrowser"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Revora Help"));
        QVERIFY(window.margin() > 0);

        window.resize(size);
        QApplication::processEvents();
        const int half = window.margin() / 2;
        const QRect viewer(window.viewer()->mapTo(&window, QPoint()), window.viewer()->size());
        QVERIFY(window.rect().marginsRemoved(QMargins(half, half, half, half)).contains(viewer));
        QVERIFY(!window.viewer()->size().isEmpty());
    }

    void theContentsListTheHeadingsAndFindGoesToEachMatch()
    {
        QTemporaryDir folder;
        HelpWindow window(WriteDocument(folder.path(), 4));
        window.resize(900, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAbstractItemModel* contents = window.contents();
        QCOMPARE(contents->rowCount(), 3); // not the footer
        QCOMPARE(contents->index(2, 0).data().toString(), QStringLiteral("Chapter 3"));
        QCOMPARE(contents->index(2, 0).data(int(QPdfBookmarkModel::Role::Page)).toInt(), 3);
        const QModelIndex section = contents->index(0, 0, contents->index(2, 0));
        QCOMPARE(section.data().toString(), QStringLiteral("Section 3.1"));
        QCOMPARE(section.data(int(QPdfBookmarkModel::Role::Page)).toInt(), 3);

        window.goToPage(2);
        QCOMPARE(window.currentPage(), 2);
        window.startFind();
        QTest::keyClicks(QApplication::focusWidget(), "Benefit");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(window.currentPage(), 2);
        QVERIFY2(window.statusText().startsWith("Match 1 of 2, on page 3"), qPrintable(window.statusText()));
        QTest::keyClick(&window, Qt::Key_F3);
        QVERIFY2(window.statusText().startsWith("Match 2 of 2, on page 4"), qPrintable(window.statusText()));
        QCOMPARE(window.currentPage(), 3);
        QTest::keyClick(&window, Qt::Key_F3); // round to the first again
        QCOMPARE(window.currentPage(), 2);

        QLineEdit* find = window.findChild<QLineEdit*>("txtFind");
        find->setText("no such word");
        window.findNext();
        QCOMPARE(window.statusText(), QStringLiteral("\"no such word\" is not in the help."));
    }

    void aMissingOrDamagedDocumentLeavesTheWindowEmptyAndSaysNothing_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::newRow("no document") << QByteArray();
        QTest::newRow("a document that is not a PDF") << QByteArray("not a PDF at all");
    }
    void aMissingOrDamagedDocumentLeavesTheWindowEmptyAndSaysNothing()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.path() + "/RV2016Help.pdf";
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        MessageBoxWatcher boxes;
        HelpWindow window(path);
        window.show();
        QTest::qWait(100);
        QCOMPARE(window.document()->pageCount(), 0);
        QVERIFY(boxes.texts().isEmpty());
    }
};

REVORA_UI_TEST(HelpWindowTest)
#include "HelpWindowTest.moc"
