#include "app/main_window.h"
#include "dialogs/extended_characters.h"
#include "documents/document_files.h"
#include "documents/new_document.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QByteArray kPage = QByteArrayLiteral("<META CHARSET=\"utf-8\">\r\n<P>Caf\xC3\xA9</P>\n\xE4\xB8\xAD\r\n");

} // namespace

// UTF-8 documents as the user meets them: opening, typing and saving, the status bar, Get File,
// templates and the extended-characters toolbox.
class TestUtf8Files : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_dir;

    MainWindow &main() { return *m_app->main(); }
    QString write(const QString &name, const QByteArray &bytes) { return writeFileIn(m_dir->path(), name, bytes); }
    DocumentWindow *open(const QByteArray &bytes)
    {
        return loadDocument(main(), write(QStringLiteral("page.htm"), bytes), QStringLiteral("page.htm"));
    }
    QLabel *encodingPanel() { return main().findChild<QLabel *>(QStringLiteral("txtNothing")); }
    QByteArray savedBytes(DocumentWindow *window)
    {
        return saveDocument(*window, window->realFileName(), QStringLiteral("page.htm")) ? readFile(window->realFileName())
                                                                                         : QByteArray();
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_dir = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_dir->isValid() && m_app->showMain());
    }
    void cleanup()
    {
        m_app.reset();
        m_dir.reset();
    }

    // A typed letter takes the document's bytes; every other byte stays, and the save appends
    // its line end as for every document.
    void typedLetterChangesOnlyItsOwnBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("typed");
        QTest::newRow("UTF-8") << kPage << QByteArray("\xC3\xA9");
        QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBF" + kPage << QByteArray("\xC3\xA9");
        QTest::newRow("Windows-1252") << QByteArray("<P>Caf\xE9</P>\n\x81\0", 14) << QByteArray("\xE9");
    }
    void typedLetterChangesOnlyItsOwnBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, typed);
        DocumentWindow *window = open(bytes);
        QVERIFY(window->textArea()->text().contains(QStringLiteral(u"Café</P>")));
        window->textArea()->setSelStart(int(window->textArea()->text().indexOf(QStringLiteral("</P>"))));
        QTest::sendKeyEvent(QTest::Click, window->textArea(), Qt::Key_unknown, QStringLiteral(u"é"), Qt::NoModifier);
        QCOMPARE(savedBytes(window), QByteArray(bytes).insert(bytes.indexOf("</P>"), typed) + "\r\n");
    }

    void encodingShowsInTheStatusBar()
    {
        DocumentWindow *plain = open("<P>plain</P>");
        QCOMPARE(plain->encoding(), Encoding::Windows1252);
        QCOMPARE(encodingPanel()->text(), QString());
        DocumentWindow *utf8 = open(kPage);
        QCOMPARE(utf8->encoding(), Encoding::Utf8);
        QCOMPARE(encodingPanel()->text(), QStringLiteral("UTF-8"));
        QVERIFY(QFontMetrics(encodingPanel()->font()).horizontalAdvance(QStringLiteral("UTF-8"))
                <= encodingPanel()->contentsRect().width());
        main().activateDocument(plain);
        QCOMPARE(encodingPanel()->text(), QString());
        main().activateDocument(utf8);
        forgetDocumentChanges();
        utf8->parentWidget()->close();
        plain->parentWidget()->close();
        QTRY_COMPARE(encodingPanel()->text(), QString());
    }

    // Get File decodes the other file by the same rule; what the target cannot hold is saved
    // as a reference.
    void getFileBringsCharacters_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("inserted");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("UTF-8 into Windows-1252")
            << QByteArray("<P>") << QByteArray("\xEF\xBB\xBF\xC3\xA9\xE4\xB8\xAD") << QByteArray("\xE9&#20013;<P>\r\n");
        QTest::newRow("UTF-8 into UTF-8")
            << QByteArray("\xC3\xA9") << QByteArray("\xE4\xB8\xAD\xE2\x80\xA8") << QByteArray("\xE4\xB8\xAD\xE2\x80\xA8\xC3\xA9\r\n");
        QTest::newRow("Windows-1252 into UTF-8")
            << QByteArray("\xC3\xA9") << QByteArray("\xE9\x80") << QByteArray("\xC3\xA9\xE2\x82\xAC\xC3\xA9\r\n");
    }
    void getFileBringsCharacters()
    {
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, inserted);
        QFETCH(QByteArray, saved);
        DocumentWindow *window = open(target);
        window->textArea()->setSelStart(0);
        m_app->platform().expectOpenDialog(write(QStringLiteral("part.txt"), inserted));
        insertFileCommand(main());
        QCOMPARE(savedBytes(window), saved);
    }

    // A UTF-8 template makes a UTF-8 document, the built-in skeleton a Windows-1252 one; the
    // toolbox inserts the character either way and the encoding decides its bytes.
    void templatesAndTheToolbox()
    {
        prefs().EInsHTML = 0;
        ExtendedCharactersToolbox toolbox(main());
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("utf8.htt")), kPage));
        DocumentWindow *fromTemplate = newDocumentFromTemplate(main(), QStringLiteral("utf8.htt"));
        QCOMPARE(fromTemplate->encoding(), Encoding::Utf8);
        QCOMPARE(encodingPanel()->text(), QStringLiteral("UTF-8"));
        fromTemplate->textArea()->setSelStart(0);
        toolbox.characterButton(0xE9)->click();
        QCOMPARE(fromTemplate->textArea()->toBytes(), "\xC3\xA9" + kPage);

        m_app->platform().expectInputBox(QStringLiteral("Home"));
        DocumentWindow *skeleton = newDocumentFromTemplate(main(), kDefaultTemplateName);
        QCOMPARE(skeleton->encoding(), Encoding::Windows1252);
        QCOMPARE(encodingPanel()->text(), QString());
        skeleton->textArea()->setSelStart(0);
        toolbox.characterButton(0xE9)->click();
        QVERIFY(skeleton->textArea()->toBytes().startsWith("\xE9<"));
    }
};

QTEST_MAIN(TestUtf8Files)
#include "tst_utf8_files.moc"
