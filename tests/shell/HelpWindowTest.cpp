// The help window: the document shown in the viewer, the margin kept through every resize, and
// silence when the document is missing.

#include <QPageSize>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include "shell/HelpWindow.h"
#include "shell/FullLeakStacks.h"
#include "shell/ScreenTestSupport.h"

using namespace revora;
using revora::testing::MessageBoxWatcher;

namespace {

// A small document of the given number of pages, each saying its number.
QString WriteDocument(const QString& folder, int pages)
{
    const QString path = folder + "/RV2016Help.pdf";
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(QPointF(200, 400), QStringLiteral("Page %1").arg(page));
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
        const QSize expected(std::max(0, size.width() - window.margin()), std::max(0, size.height() - window.margin()));
        QCOMPARE(window.viewer()->size(), expected);
        QVERIFY(window.rect().contains(window.viewer()->geometry()) || expected.isEmpty());
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

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"
