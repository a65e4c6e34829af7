#include "app/main_window.h"
#include "documents/document_files.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/text_codec.h"
#include "platform/file_io.h"
#include "platform/version.h"
#include "prefs/settings_store.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vornel;

namespace {

const QString kSaveFilter = QStringLiteral(
    "DOS/Windows HTML (*.htm)|*.htm|HTML Files (*.html)|*.html|Templates (*.htt)|*.htt|Text Files (*.txt)|*.txt|"
    "All Files (*.*)|*.*");
const QByteArray kCrLf = QByteArrayLiteral("\r\n");

QByteArray everyByteValue()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

QByteArray reversed(QByteArray bytes)
{
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

} // namespace

class TestDocumentFiles : public DocumentFolderTest {
    Q_OBJECT

private Q_SLOTS:
    // ---- fileNameOf ----

    void fileNameOfPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("backslashes") << "c:\\web\\index.htm" << "index.htm";
        QTest::newRow("slashes") << "/home/ann/Web/Index.htm" << "Index.htm";
        QTest::newRow("last of mixed") << "a/b\\c/d.txt" << "d.txt";
        QTest::newRow("backslash last") << "a/b\\c.txt" << "c.txt";
        QTest::newRow("no folder") << "page.html" << "page.html";
        QTest::newRow("ends in slash") << "/home/ann/" << "";
        QTest::newRow("empty") << "" << "";
    }

    void fileNameOfPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(fileNameOf(path), name);
    }

    // ---- loading ----

    void loadShowsTheFileInANewWindow()
    {
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        const QString where = file(QStringLiteral("Index.htm"), QByteArrayLiteral("<HTML>\r\n</HTML>"));

        DocumentWindow *window = loadDocument(main, where, QStringLiteral("Index.htm"));
        QVERIFY(window);
        QCOMPARE(window->caption(), QStringLiteral("INDEX.HTM"));
        QCOMPARE(window->realFileName(), where);
        QCOMPARE(window->slot(), 1);
        QCOMPARE(window->tag(), QStringLiteral("1"));
        QCOMPARE(window->textArea()->text(), QStringLiteral("<HTML>\r\n</HTML>"));
        QCOMPARE(window->textArea()->selStart(), 0);
        QVERIFY(!documentTable().isFree(1));
        QVERIFY(!window->isChanged());
        QCOMPARE(main.activeDocument(), window);
        QCOMPARE(subWindowOf(window)->windowTitle(), QStringLiteral("INDEX.HTM"));
        QCOMPARE(main.statusText(), QStringLiteral("Edit INDEX.HTM"));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void relativePathsAreKeptAbsolute()
    {
        const QString where = file(QStringLiteral("rel.htm"), "old");
        const QString before = QDir::currentPath();
        ScopedPlatform p;
        MainWindow main;
        QVERIFY(QDir::setCurrent(folder().path()));
        DocumentWindow *window = loadDocument(main, QStringLiteral("rel.htm"), QStringLiteral("rel.htm"));
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        QVERIFY(window);
        QCOMPARE(window->realFileName(), where);
        window->textArea()->setText(QStringLiteral("new"));
        saveCommand(main, *window);
        QDir::setCurrent(before);
        QCOMPARE(readFile(where), QByteArrayLiteral("new\r\n"));
    }

    void loadKeepsEveryByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("every byte value") << everyByteValue();
        QTest::newRow("every byte value twice, reversed") << everyByteValue() + reversed(everyByteValue());
        QTest::newRow("NUL bytes") << QByteArray("a\0b\0\0c\0", 7);
        QTest::newRow("LF only") << QByteArrayLiteral("one\ntwo\n\nthree\n");
        QTest::newRow("lone CR") << QByteArrayLiteral("one\rtwo\r");
        QTest::newRow("mixed line ends") << QByteArrayLiteral("a\r\nb\nc\rd\n\re\r\r\n");
        QTest::newRow("ends without line end") << QByteArrayLiteral("<P>last");
    }

    void loadKeepsEveryByte()
    {
        QFETCH(QByteArray, bytes);
        ScopedPlatform p;
        MainWindow main;
        const QString where = file(QStringLiteral("bytes.htm"), bytes);

        DocumentWindow *window = loadDocument(main, where, QStringLiteral("bytes.htm"));
        QVERIFY(window);
        QCOMPARE(window->textArea()->toBytes(), bytes);
        QCOMPARE(window->textArea()->length(), int(bytes.size()));

        QVERIFY(saveDocument(*window, where, QStringLiteral("bytes.htm")));
        QCOMPARE(readFile(where), bytes + kCrLf);
    }

    void randomFilesRoundTrip()
    {
        ScopedPlatform p;
        MainWindow main;
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        // Line-end and NUL bytes come often, so that every way of combining them turns up.
        const QByteArray frequent("\r\n\0", 3);
        for (int round = 0; round < 40; ++round) {
            QByteArray bytes;
            const int size = random.bounded(0, 3000);
            for (int i = 0; i < size; ++i) {
                bytes.append(random.bounded(3) == 0 ? frequent.at(random.bounded(3)) : char(random.bounded(256)));
            }
            const QString where = file(QStringLiteral("random%1.htm").arg(round), bytes);
            DocumentWindow *window = loadDocument(main, where, fileNameOf(where));
            QVERIFY2(window, qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY2(saveDocument(*window, where, fileNameOf(where)), qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY2(readFile(where) == bytes + kCrLf, qPrintable(QStringLiteral("seed %1, round %2").arg(seed).arg(round)));
            subWindowOf(window)->close();
        }
    }

    void eachLoadAndSaveAddsOneLineEnd()
    {
        ScopedPlatform p;
        MainWindow main;
        const QString where = file(QStringLiteral("grow.htm"), QByteArrayLiteral("<P>"));
        for (int cycle = 1; cycle <= 3; ++cycle) {
            DocumentWindow *window = loadDocument(main, where, QStringLiteral("grow.htm"));
            QVERIFY(window);
            saveCommand(main, *window);
            QCOMPARE(readFile(where), QByteArrayLiteral("<P>") + kCrLf.repeated(cycle));
            subWindowOf(window)->close();
        }
    }

    void loadFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << "missing.htm" << "No such file or directory";
        QTest::newRow("folder") << "folder" << "Is a directory";
        QTest::newRow("under a regular file") << "plain.txt/inner.htm" << "Not a directory";
        QTest::newRow("named pipe") << "pipe.htm" << "Not a plain file";
        QTest::newRow("endless device") << "/dev/zero" << "Not a plain file";
        QTest::newRow("name too long") << QString(300, QLatin1Char('n')) << "File name too long";
    }

    void loadFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir(folder().path()).mkdir(QStringLiteral("folder")));
        file(QStringLiteral("plain.txt"), "x");
        QVERIFY(mkfifo(QFile::encodeName(path(QStringLiteral("pipe.htm"))).constData(), 0600) == 0);
        ScopedPlatform p;
        MainWindow main;
        const QString where = name.startsWith(QLatin1Char('/')) ? name : path(name);
        p->expectMessageBox(MsgResult::Ok, kProductName, QStringLiteral("Can't open file: ") + where + QStringLiteral("\n\n") + reason);

        QVERIFY(!loadDocument(main, where, fileNameOf(where)));
        QVERIFY(main.documents().isEmpty());
        QVERIFY(!documentTable().anyOpen());
        QCOMPARE(p->calls().constLast().buttons, MsgButtons::Ok);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void slotsAreReusedLowestFirst()
    {
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        DocumentWindow *opened = loadDocument(main, file(QStringLiteral("a.htm"), "a"), QStringLiteral("a.htm"));
        QCOMPARE(opened->slot(), 1);
        // An opened file occupies a number too.
        DocumentWindow *second = newUntitled(main, QString());
        QCOMPARE(second->caption(), QStringLiteral("Untitled:2"));
        DocumentWindow *third = loadDocument(main, file(QStringLiteral("b.htm"), "b"), QStringLiteral("b.htm"));
        QCOMPARE(third->slot(), 3);

        QPointer<DocumentWindow> closing = opened;
        subWindowOf(opened)->close();
        QTRY_VERIFY(closing.isNull());
        QVERIFY(documentTable().isFree(1));

        QCOMPARE(newUntitled(main, QString())->caption(), QStringLiteral("Untitled:1"));
        QCOMPARE(loadDocument(main, path(QStringLiteral("b.htm")), QStringLiteral("b.htm"))->slot(), 4);
    }

    void progressReachesTheWholeFile()
    {
        QByteArray bytes(9 * 1024 * 1024 + 17, 'x');
        const QString where = file(QStringLiteral("big.txt"), bytes);
        QList<qint64> reported;
        qint64 total = 0;
        const FileRead read = readWholeFile(where, [&](qint64 done, qint64 all) {
            reported << done;
            total = all;
        });
        QVERIFY(read.opened && read.complete);
        QCOMPARE(read.bytes, bytes);
        QCOMPARE(total, bytes.size());
        QVERIFY(reported.size() > 1);
        QVERIFY(std::is_sorted(reported.begin(), reported.end()));
        QCOMPARE(reported.constLast(), bytes.size());
    }

    void largeFileLeavesTheUsualStatusText()
    {
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        const QByteArray line = QByteArray(62, 'x') + kCrLf;
        const QString where = file(QStringLiteral("big.txt"), line.repeated(9 * 1024 * 1024 / line.size()));
        DocumentWindow *window = loadDocument(main, where, QStringLiteral("big.txt"));
        QVERIFY(window);
        QCOMPARE(window->textArea()->length(), int(QFileInfo(where).size()));
        QCOMPARE(main.statusText(), QStringLiteral("Edit BIG.TXT"));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void readsFilesThatReportNoSize()
    {
        const FileRead read = readWholeFile(QStringLiteral("/proc/self/status"));
        QVERIFY(read.opened && read.complete);
        QVERIFY(read.bytes.startsWith("Name:"));
    }

    // ---- Save and Save As ----

    void saveOnUntitledAsksForAName()
    {
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = newUntitled(main, QStringLiteral("<HTML>"));
        main.commonDialog().fileName = QStringLiteral("/left/over.htm");
        main.commonDialog().dialogTitle = QStringLiteral("Left over");
        // Typed without extension: the dialog adds "html".
        p->expectSaveDialog(path(QStringLiteral("page")));

        saveCommand(main, *window);
        const PlatformCall shown = p->callsOf(PlatformCall::Kind::SaveDialog).constFirst();
        QCOMPARE(shown.dialog.dialogTitle, QString());
        QCOMPARE(shown.dialog.filter, kSaveFilter);
        QCOMPARE(shown.dialog.filterIndex, 1);
        QCOMPARE(shown.dialog.flags, FileDialogFlags::OverwritePrompt | FileDialogFlags::HideReadOnly);
        QCOMPARE(shown.dialog.defaultExt, QStringLiteral("html"));
        QCOMPARE(shown.dialog.initDir, folder().path());
        QCOMPARE(shown.dialog.fileName, QString());

        const QString saved = path(QStringLiteral("page.html"));
        QCOMPARE(readFile(saved), QByteArrayLiteral("<HTML>\r\n"));
        QCOMPARE(window->caption(), QStringLiteral("PAGE.HTML"));
        QCOMPARE(window->realFileName(), saved);
        QVERIFY(!window->isChanged());
        QCOMPARE(recent(1), saved);
    }

    void saveCancelChangesNothing()
    {
        ScopedPlatform p;
        MainWindow main;
        newUntitled(main, QString());
        newUntitled(main, QString());
        newUntitled(main, QString());
        DocumentWindow *window = newUntitled(main, QStringLiteral("text"));
        QCOMPARE(window->caption(), QStringLiteral("Untitled:4"));
        p->expectSaveDialogCancel();

        saveCommand(main, *window);
        QCOMPARE(window->caption(), QStringLiteral("Untitled:4"));
        QCOMPARE(window->realFileName(), QString());
        QVERIFY(window->isChanged());
        QCOMPARE(recent(1), QStringLiteral("Not Used"));
        QVERIFY(QDir(folder().path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void saveWritesToTheRealPath()
    {
        QVERIFY(QDir(folder().path()).mkdir(QStringLiteral("Web")));
        const QString where = file(QStringLiteral("Web/Index.htm"), "old");
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = loadDocument(main, where, QStringLiteral("Index.htm"));
        window->textArea()->setText(QStringLiteral("new"));
        QVERIFY(window->isChanged());

        saveCommand(main, *window);
        QCOMPARE(readFile(where), QByteArrayLiteral("new\r\n"));
        QVERIFY(!QFile::exists(path(QStringLiteral("WEB/INDEX.HTM"))));
        QCOMPARE(window->realFileName(), where);
        QCOMPARE(window->caption(), QStringLiteral("INDEX.HTM"));
        QVERIFY(!window->isChanged());
        QCOMPARE(recent(1), where);
        QCOMPARE(recent(2), QStringLiteral("Not Used"));
    }

    void saveAsMovesTheDocument()
    {
        const QString first = file(QStringLiteral("first.htm"), "one");
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = loadDocument(main, first, QStringLiteral("first.htm"));
        const QString second = path(QStringLiteral("Second.htm"));
        p->expectSaveDialog(second);

        saveAsCommand(main, *window);
        QCOMPARE(readFile(first), QByteArrayLiteral("one"));
        QCOMPARE(readFile(second), QByteArrayLiteral("one\r\n"));
        QCOMPARE(window->caption(), QStringLiteral("SECOND.HTM"));
        QCOMPARE(window->realFileName(), second);
        QCOMPARE(recent(1), second);

        p->expectSaveDialogCancel();
        saveAsCommand(main, *window);
        QCOMPARE(window->realFileName(), second);
    }

    void saveAsRefreshesTheEditHint()
    {
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        DocumentWindow *window = newUntitled(main, QStringLiteral("text"));
        QTRY_COMPARE(main.statusText(), QStringLiteral("Edit Untitled:1"));
        p->expectSaveDialog(path(QStringLiteral("Named.htm")));
        saveAsCommand(main, *window);
        QCOMPARE(main.statusText(), QStringLiteral("Edit NAMED.HTM"));
        // A hint of something else is left alone.
        main.setStatusText(QStringLiteral("Availible templates"));
        p->expectSaveDialog(path(QStringLiteral("Other.htm")));
        saveAsCommand(main, *window);
        QCOMPARE(main.statusText(), QStringLiteral("Availible templates"));
    }

    void saveKeepsPermissionsAndFollowsLinks()
    {
        const QString target = file(QStringLiteral("target.htm"), "old");
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QString link = path(QStringLiteral("link.htm"));
        QVERIFY(QFile::link(target, link));
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = loadDocument(main, link, QStringLiteral("link.htm"));
        window->textArea()->setText(QStringLiteral("new"));
        QVERIFY(saveDocument(*window, link, QStringLiteral("link.htm")));

        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readFile(target), QByteArrayLiteral("new\r\n"));
        const QFile::Permissions forEveryone = ~QFile::Permissions(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        QCOMPARE(QFile::permissions(target) & forEveryone, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    }

    // ---- a save that fails ----

    void failedSaveKeepsFileAndWindow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("device, neither written into nor replaced") << "device" << "Not a plain file";
        QTest::newRow("file too large") << "file too large" << "File too large";
        QTest::newRow("folder gone") << "folder gone" << "No such file or directory";
        QTest::newRow("path under a regular file") << "under file" << "Not a directory";
        QTest::newRow("target is a folder") << "folder" << "Is a directory";
        QTest::newRow("file read-only") << "read-only file" << "not writable";
    }

    void failedSaveKeepsFileAndWindow()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QByteArray original("original\r\n\0contents", 19);
        const QString loaded = file(QStringLiteral("doc.htm"), original);
        QString target = loaded;
        if (kind == u"device") {
            // A link to the device that refuses every write as a full disk does.
            target = path(QStringLiteral("full.htm"));
            QVERIFY(QFile::link(QStringLiteral("/dev/full"), target));
        } else if (kind == u"folder gone") {
            target = path(QStringLiteral("gone/doc.htm"));
        } else if (kind == u"under file") {
            target = loaded + QStringLiteral("/doc.htm");
        } else if (kind == u"folder") {
            target = path(QStringLiteral("dir"));
            QVERIFY(QDir(folder().path()).mkdir(QStringLiteral("dir")));
        } else if (kind == u"read-only file") {
            if (geteuid() == 0)
                QSKIP("permissions do not stop root");
            QVERIFY(QFile::setPermissions(loaded, QFile::ReadOwner));
        }

        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = loadDocument(main, loaded, QStringLiteral("doc.htm"));
        // Larger than the size limit below.
        const QString edited = QStringLiteral("edited ").repeated(20000);
        window->textArea()->setText(edited);
        p->expectMessageBox(MsgResult::Ok, kProductName);

        bool saved = true;
        if (kind == u"file too large") {
            FileSizeLimit limit(64 * 1024);
            QVERIFY(limit.active());
            saved = saveDocument(*window, target, fileNameOf(target));
        } else {
            saved = saveDocument(*window, target, fileNameOf(target));
        }

        QVERIFY(!saved);
        const PlatformCall error = p->callsOf(PlatformCall::Kind::MessageBox).constLast();
        QCOMPARE(error.icon, MsgIcon::Exclamation);
        QVERIFY2(error.text.startsWith(QStringLiteral("Can't save file: ") + target + QStringLiteral("\n\n")),
                 qPrintable(error.text));
        QVERIFY2(error.text.contains(reason), qPrintable(error.text));
        QCOMPARE(readFile(loaded), original);
        QCOMPARE(window->caption(), QStringLiteral("DOC.HTM"));
        QCOMPARE(window->realFileName(), loaded);
        QVERIFY(window->isChanged());
        QCOMPARE(window->textArea()->text(), edited);
        // No temporary file is left behind, and a link is still the link it was.
        const QStringList files = kind == u"device" ? QStringList{"doc.htm", "full.htm"} : QStringList{"doc.htm"};
        QCOMPARE(QDir(folder().path()).entryList(QDir::Files), files);
        if (kind == u"device")
            QCOMPARE(QFileInfo(target).symLinkTarget(), QStringLiteral("/dev/full"));
    }

    void failedSaveIsNotListed()
    {
        const QString loaded = file(QStringLiteral("doc.htm"), "x");
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = loadDocument(main, loaded, QStringLiteral("doc.htm"));
        const QString target = loaded + QStringLiteral("/inner.htm");
        p->expectSaveDialog(target);
        p->expectMessageBox(MsgResult::Ok, kProductName);
        saveAsCommand(main, *window);
        QCOMPARE(window->realFileName(), loaded);
        QCOMPARE(recent(1), QStringLiteral("Not Used"));
    }

    // ---- the close question ----

    void closeQuestion_data()
    {
        QTest::addColumn<MsgResult>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QByteArray>("fileAfter");
        QTest::newRow("Yes saves") << MsgResult::Yes << true << QByteArrayLiteral("changed\r\n");
        QTest::newRow("No discards") << MsgResult::No << true << QByteArrayLiteral("old");
        QTest::newRow("Cancel keeps the window") << MsgResult::Cancel << false << QByteArrayLiteral("old");
    }

    void closeQuestion()
    {
        QFETCH(MsgResult, answer);
        QFETCH(bool, closes);
        QFETCH(QByteArray, fileAfter);
        const QString where = file(QStringLiteral("page.htm"), "old");
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        newUntitled(main, QString());
        QPointer<DocumentWindow> window = loadDocument(main, where, QStringLiteral("page.htm"));
        window->textArea()->setText(QStringLiteral("changed"));
        // The window being closed need not be the active one.
        main.activateDocument(main.documentInSlot(1));
        p->expectMessageBox(answer, kProductName,
                            QStringLiteral("Do you want to save changes to the file [PAGE.HTM]?"));

        subWindowOf(window)->close();
        if (closes)
            QTRY_VERIFY(window.isNull());
        else
            QVERIFY(window);
        QCOMPARE(documentTable().isFree(2), closes);
        QCOMPARE(readFile(where), fileAfter);
        // Saving from the close question leaves a titled document's list entry alone.
        QCOMPARE(recent(1), QStringLiteral("Not Used"));
    }

    void closeQuestionOnUntitled()
    {
        ScopedPlatform p;
        MainWindow main;
        QPointer<DocumentWindow> window = newUntitled(main, QStringLiteral("new page"));

        p->expectMessageBox(MsgResult::Yes, kProductName,
                            QStringLiteral("Do you want to save changes to the file [Untitled:1]?"));
        p->expectSaveDialogCancel();
        subWindowOf(window)->close();
        QVERIFY(window);
        QVERIFY(!documentTable().isFree(1));

        const QString where = path(QStringLiteral("new.htm"));
        p->expectMessageBox(MsgResult::Yes);
        p->expectSaveDialog(where);
        subWindowOf(window)->close();
        QTRY_VERIFY(window.isNull());
        QCOMPARE(readFile(where), QByteArrayLiteral("new page\r\n"));
        QCOMPARE(recent(1), where);
    }

    void failedSaveOnCloseKeepsTheWindow()
    {
        const QString where = file(QStringLiteral("page.htm"), "old");
        ScopedPlatform p;
        MainWindow main;
        QPointer<DocumentWindow> window = loadDocument(main, where, QStringLiteral("page.htm"));
        window->textArea()->setText(QStringLiteral("changed"));
        // The file's folder is replaced by a plain file, so the path no longer leads anywhere.
        window->setRealFileName(where + QStringLiteral("/page.htm"));
        p->expectMessageBox(MsgResult::Yes);
        p->expectMessageBox(MsgResult::Ok, kProductName);

        subWindowOf(window)->close();
        QCoreApplication::processEvents();
        QVERIFY(window);
        QVERIFY(!documentTable().isFree(window->slot()));
        QVERIFY(window->isChanged());
        QCOMPARE(window->textArea()->text(), QStringLiteral("changed"));
        QCOMPARE(p->callsOf(PlatformCall::Kind::MessageBox).constLast().icon, MsgIcon::Exclamation);
    }

};

QTEST_MAIN(TestDocumentFiles)
#include "tst_document_files.moc"
