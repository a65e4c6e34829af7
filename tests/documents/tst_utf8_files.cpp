#include "app/main_window.h"
#include "dialogs/extended_characters.h"
#include "documents/document_files.h"
#include "documents/new_document.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/text_encoding.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::Encoding)

namespace {

const QByteArray kPage = QByteArrayLiteral("<META CHARSET=\"utf-8\">\r\n<P>Caf\xC3\xA9</P>\n\xE4\xB8\xAD\r\n");

} // namespace

// UTF-8 documents as the user meets them: opening, typing, saving, Get File, templates, the
// extended-characters toolbox and the status bar.
class TestUtf8Files : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TemporaryProgramFolder> m_program;

    MainWindow &main() { return *m_app->main(); }
    QString write(const QString &name, const QByteArray &bytes) { return writeFileIn(m_dir->path(), name, bytes); }
    DocumentWindow *open(const QString &name, const QByteArray &bytes)
    {
        return loadDocument(main(), write(name, bytes), name);
    }
    QString encodingPanel() const { return m_app->main()->findChild<QLabel *>(QStringLiteral("txtNothing"))->text(); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_program = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_dir->isValid() && m_program->isValid());
        QVERIFY(m_app->showMain());
    }
    void cleanup()
    {
        m_app.reset();
        m_program.reset();
        m_dir.reset();
    }

    void typedLetterIsSavedAsUtf8AndNothingElseChanges_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("typed");
        QTest::newRow("UTF-8") << kPage << QByteArray("\xC3\xA9");
        QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + kPage << QByteArray("\xC3\xA9");
        QTest::newRow("Windows-1252") << QByteArray("<P>Caf\xE9</P>\n\x81\0", 14) << QByteArray("\xE9");
    }
    void typedLetterIsSavedAsUtf8AndNothingElseChanges()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, typed);
        DocumentWindow *window = open(QStringLiteral("page.htm"), bytes);
        QVERIFY(window);
        QVERIFY(window->textArea()->text().contains(QStringLiteral(u"Café")));
        const int at = int(window->textArea()->text().indexOf(QStringLiteral("</P>")));
        window->textArea()->setSelStart(at);
        QTest::sendKeyEvent(QTest::Click, window->textArea(), Qt::Key_unknown, QStringLiteral(u"é"), Qt::NoModifier);
        QVERIFY(saveDocument(*window, window->realFileName(), QStringLiteral("page.htm")));
        // The save appends its line end, as for every document.
        QByteArray expected = bytes;
        expected.insert(expected.indexOf("</P>"), typed);
        QCOMPARE(readFile(window->realFileName()), expected + "\r\n");
    }

    void encodingShowsInTheStatusBar()
    {
        DocumentWindow *plain = open(QStringLiteral("plain.htm"), "<P>plain</P>");
        QCOMPARE(plain->encoding(), Encoding::Windows1252);
        QCOMPARE(encodingPanel(), QString());
        DocumentWindow *utf8 = open(QStringLiteral("page.htm"), kPage);
        QCOMPARE(utf8->encoding(), Encoding::Utf8);
        QCOMPARE(encodingPanel(), QStringLiteral("UTF-8"));
        const QLabel *panel = main().findChild<QLabel *>(QStringLiteral("txtNothing"));
        QVERIFY(QFontMetrics(panel->font()).horizontalAdvance(panel->text()) <= panel->contentsRect().width());
        main().activateDocument(plain);
        QCOMPARE(encodingPanel(), QString());
        main().activateDocument(utf8);
        QCOMPARE(encodingPanel(), QStringLiteral("UTF-8"));
        forgetDocumentChanges();
        for (DocumentWindow *window : main().documents())
            window->parentWidget()->close();
        QTRY_COMPARE(encodingPanel(), QString());
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
        DocumentWindow *window = open(QStringLiteral("target.htm"), target);
        window->textArea()->setSelStart(0);
        m_app->platform().expectOpenDialog(write(QStringLiteral("part.txt"), inserted));
        insertFileCommand(main());
        QVERIFY(saveDocument(*window, window->realFileName(), QStringLiteral("target.htm")));
        QCOMPARE(readFile(window->realFileName()), saved);
    }

    void templatesKeepTheirEncoding()
    {
        QVERIFY(writeFile(m_program->filePath(QStringLiteral("utf8.htt")), kPage));
        DocumentWindow *fromTemplate = newDocumentFromTemplate(main(), QStringLiteral("utf8.htt"));
        QVERIFY(fromTemplate);
        QCOMPARE(fromTemplate->encoding(), Encoding::Utf8);
        QCOMPARE(fromTemplate->textArea()->toBytes(), kPage);
        QCOMPARE(encodingPanel(), QStringLiteral("UTF-8"));

        m_app->platform().expectInputBox(QStringLiteral(u"Café"));
        DocumentWindow *skeleton = newDocumentFromTemplate(main(), kDefaultTemplateName);
        QVERIFY(skeleton);
        QCOMPARE(skeleton->encoding(), Encoding::Windows1252);
        QVERIFY(skeleton->textArea()->toBytes().contains("Caf\xE9"));
        QCOMPARE(encodingPanel(), QString());
    }

    void toolboxInsertsTheCharacter_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("UTF-8") << QByteArray("\xE4\xB8\xAD") << QByteArray("\xC3\xA9\xE4\xB8\xAD");
        QTest::newRow("Windows-1252") << QByteArray("x") << QByteArray("\xE9x");
    }
    void toolboxInsertsTheCharacter()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, saved);
        prefs().EInsHTML = 0;
        DocumentWindow *window = open(QStringLiteral("page.htm"), page);
        window->textArea()->setSelStart(0);
        ExtendedCharactersToolbox toolbox(main());
        toolbox.characterButton(0xE9)->click();
        QCOMPARE(window->textArea()->toBytes(), saved);
    }
};

QTEST_MAIN(TestUtf8Files)
#include "tst_utf8_files.moc"
