#include "app/file_drops.h"
#include "app/main_window.h"
#include "documents/recent_files.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/version.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QApplication>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

QMimeData *filesData(const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

// What the window system delivers for a drop at the middle of target: enter, move, drop.
// True when the drop was taken.
bool dropOn(QWidget *target, QMimeData *data)
{
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace

class TestFileDrops : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString file(const QString &name, const QByteArray &bytes) { return writeFileIn(m_dir->path(), name, bytes); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_app->isValid() && m_dir->isValid());
        QVERIFY(m_app->showMain());
    }

    void cleanup()
    {
        m_app.reset();
        m_dir.reset();
    }

    void whatCountsAsFiles_data()
    {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QUrl a = QUrl::fromLocalFile(QStringLiteral("/tmp/a.htm"));
        const QUrl b = QUrl::fromLocalFile(QStringLiteral("/tmp/b c.htm"));
        const QUrl web(QStringLiteral("https://example.org/x.htm"));
        QTest::newRow("one file") << QList<QUrl>{a} << QString() << QStringList{"/tmp/a.htm"};
        QTest::newRow("two files") << QList<QUrl>{a, b} << QString() << QStringList{"/tmp/a.htm", "/tmp/b c.htm"};
        QTest::newRow("plain text") << QList<QUrl>{} << "some text" << QStringList{};
        QTest::newRow("a web link") << QList<QUrl>{web} << QString() << QStringList{};
        QTest::newRow("file and web link") << QList<QUrl>{a, web} << QString() << QStringList{};
    }
    void whatCountsAsFiles()
    {
        QFETCH(QList<QUrl>, urls);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QMimeData data;
        if (!urls.isEmpty())
            data.setUrls(urls);
        if (!text.isEmpty())
            data.setText(text);
        QCOMPARE(droppedLocalFiles(&data), expected);
    }

    void filesDroppedOnTheDocumentAreaOpen()
    {
        const QString one = file(QStringLiteral("one.htm"), "first");
        const QString two = file(QStringLiteral("two.htm"), "second");
        std::unique_ptr<QMimeData> data(filesData({one, two}));
        QVERIFY(dropOn(m_app->main()->mdiArea()->viewport(), data.get()));
        QTRY_COMPARE(m_app->main()->documents().size(), 2);
        QCOMPARE(m_app->main()->activeDocument()->caption(), QStringLiteral("TWO.HTM"));
        QCOMPARE(m_app->main()->activeDocument()->textArea()->text(), QStringLiteral("second"));
        QCOMPARE(recentFileEntries(m_app->main()->ownActions()).at(1)->data().toString(), two);

        // Dropped again: the open window comes forward, nothing is loaded twice.
        std::unique_ptr<QMimeData> again(filesData({one}));
        QVERIFY(dropOn(m_app->main()->mdiArea()->viewport(), again.get()));
        QTRY_COMPARE(m_app->main()->activeDocument()->caption(), QStringLiteral("ONE.HTM"));
        QCOMPARE(m_app->main()->documents().size(), 2);
    }

    void filesDroppedOnATextAreaOpenButTextIsInserted()
    {
        DocumentWindow *window = m_app->newDocument();
        window->textArea()->setText(QStringLiteral("ab"));
        const QString page = file(QStringLiteral("page.htm"), "page");
        std::unique_ptr<QMimeData> files(filesData({page}));
        QVERIFY(dropOn(window->textArea()->viewport(), files.get()));
        QTRY_COMPARE(m_app->main()->documents().size(), 2);
        QCOMPARE(window->textArea()->text(), QStringLiteral("ab"));

        m_app->main()->activateDocument(window);
        QMimeData text;
        text.setText(QStringLiteral("X"));
        QVERIFY(dropOn(window->textArea()->viewport(), &text));
        QCOMPARE(window->textArea()->text().count(QLatin1Char('X')), 1);
        QCOMPARE(m_app->main()->documents().size(), 2);
    }

    void missingDroppedFileIsTold()
    {
        const QString gone = m_dir->filePath(QStringLiteral("gone.htm"));
        m_app->platform().expectMessageBox(MsgResult::Ok, kProductName);
        std::unique_ptr<QMimeData> data(filesData({gone}));
        QVERIFY(dropOn(m_app->main(), data.get()));
        QTRY_COMPARE(m_app->platform().callsOf(PlatformCall::Kind::MessageBox).size(), 1);
        QVERIFY(m_app->platform().callsOf(PlatformCall::Kind::MessageBox).constFirst().text.contains(gone));
        QVERIFY(m_app->main()->documents().isEmpty());
    }
};

QTEST_MAIN(TestFileDrops)
#include "tst_file_drops.moc"
