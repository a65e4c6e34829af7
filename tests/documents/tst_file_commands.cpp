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

// The file commands of both menu bars that pick a file: Open, Get File, Delete File, and
// printing.
namespace {

const QString kOpenFilter = QStringLiteral(
    "HTML Files (*.htm;*.html)|*.htm;*.html|Templates (*.htt)|*.htt|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
const QString kDeleteFilter = QStringLiteral(
    "HTML Files (*.htm;*.html)|*.htm;*.html|Templates (*.htt)|*.htt|Text Files (*.txt;*.text)|*.txt;*.text|"
    "All Files (*.*)|*.*");

// The desktop's trash in a fresh home folder for as long as it lives (the temporary folders'
// files go to it); unusable, as where no desktop keeps one, when its folder lies under a file.
class TemporaryTrash {
public:
    explicit TemporaryTrash(bool usable)
        : m_home(qgetenv("HOME"))
        , m_data(qgetenv("XDG_DATA_HOME"))
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("data"));
        writeFileIn(m_dir.path(), QStringLiteral("file"), "x");
        qputenv("HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(usable ? QStringLiteral("data") : QStringLiteral("file/data"))));
    }
    ~TemporaryTrash()
    {
        qputenv("HOME", m_home);
        qputenv("XDG_DATA_HOME", m_data);
    }
    QString trashed(const QString &name) const { return m_dir.filePath(QStringLiteral("data/Trash/files/") + name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_data;
};

} // namespace

class TestFileCommands : public DocumentFolderTest {
    Q_OBJECT

private Q_SLOTS:
    // ---- Open ----

    void openSetsUpTheDialogAndLoads()
    {
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        CommonDialog &dialog = main.commonDialog();
        // Leftovers of an earlier use of the shared dialog.
        dialog.dialogTitle = QStringLiteral("Old title");
        dialog.fileName = QStringLiteral("/old/name.htm");
        dialog.defaultExt = QStringLiteral("html");
        dialog.filterIndex = 4;
        const QString where = file(QStringLiteral("Readme"), "text");
        p->expectOpenDialog(where);

        openCommand(main);
        const PlatformCall shown = p->callsOf(PlatformCall::Kind::OpenDialog).constFirst();
        QCOMPARE(shown.dialog.dialogTitle, QString());
        QCOMPARE(shown.dialog.filter, kOpenFilter);
        QCOMPARE(shown.dialog.filterIndex, 1);
        QCOMPARE(shown.dialog.flags, FileDialogFlags::FileMustExist | FileDialogFlags::PathMustExist | FileDialogFlags::HideReadOnly);
        QCOMPARE(shown.dialog.initDir, folder().path());
        QCOMPARE(shown.dialog.fileName, QString());
        QCOMPARE(shown.dialog.defaultExt, QString());

        QCOMPARE(main.documents().size(), 1);
        QCOMPARE(main.activeDocument()->caption(), QStringLiteral("README"));
        QCOMPARE(main.activeDocument()->realFileName(), where);
        QCOMPARE(recent(1), where);
        // The new window's own File menu shows the list at once.
        QVERIFY(recentFileEntries(main.activeDocument()->actions()).at(1)->isVisible());
    }

    void openCancelDoesNothing()
    {
        ScopedPlatform p;
        MainWindow main;
        p->expectOpenDialogCancel();
        openCommand(main);
        QVERIFY(main.documents().isEmpty());
        QCOMPARE(recent(1), QStringLiteral("Not Used"));
    }

    void openOfAMissingFileIsNotListed()
    {
        ScopedPlatform p;
        MainWindow main;
        const QString where = path(QStringLiteral("gone.htm"));
        p->expectOpenDialog(where);
        p->expectMessageBox(MsgResult::Ok, kProductName,
                            QStringLiteral("Can't open file: ") + where + QStringLiteral("\n\nNo such file or directory"));
        openCommand(main);
        QVERIFY(main.documents().isEmpty());
        QCOMPARE(recent(1), QStringLiteral("Not Used"));
    }

    void alreadyOpenMeansTheSameFile_data()
    {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("same path") << "Index.htm";
        QTest::newRow("with ./") << "./Index.htm";
        QTest::newRow("through ..") << "sub/../Index.htm";
        QTest::newRow("doubled slash") << "sub//../Index.htm";
        QTest::newRow("symlink to the file") << "link.htm";
        QTest::newRow("symlinked folder") << "linkdir/Index.htm";
    }

    void alreadyOpenMeansTheSameFile()
    {
        QFETCH(QString, spelling);
        const QString where = file(QStringLiteral("Index.htm"), "<P>");
        QVERIFY(QDir(folder().path()).mkdir(QStringLiteral("sub")));
        QVERIFY(QFile::link(where, path(QStringLiteral("link.htm"))));
        QVERIFY(QFile::link(folder().path(), path(QStringLiteral("linkdir"))));
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        DocumentWindow *first = loadDocument(main, where, QStringLiteral("Index.htm"));
        DocumentWindow *other = newUntitled(main, QString());
        QCOMPARE(main.activeDocument(), other);

        const QString again = folder().path() + QLatin1Char('/') + spelling;
        p->expectOpenDialog(again);
        p->expectMessageBox(MsgResult::Ok, QStringLiteral("File Open"),
                            QStringLiteral("The file ") + fileNameOf(again) + QStringLiteral(" is already open"));
        openCommand(main);
        QCOMPARE(main.documents().size(), 2);
        QCOMPARE(main.activeDocument(), first);
        QVERIFY(activateIfOpen(main, again));
    }

    void namesDifferingInCaseAreDifferentFiles()
    {
        const QString lower = file(QStringLiteral("index.htm"), "lower");
        const QString upper = file(QStringLiteral("INDEX.HTM"), "upper");
        ScopedPlatform p;
        MainWindow main;
        p->expectOpenDialog(lower);
        p->expectOpenDialog(upper);
        openCommand(main);
        openCommand(main);
        QCOMPARE(main.documents().size(), 2);
        // Both show the same caption but each keeps its own file.
        const QList<DocumentWindow *> windows = main.documents();
        QCOMPARE(windows.at(0)->caption(), windows.at(1)->caption());
        QCOMPARE(windows.at(0)->textArea()->text(), QStringLiteral("lower"));
        QCOMPARE(windows.at(1)->textArea()->text(), QStringLiteral("upper"));

        windows.at(0)->textArea()->setText(QStringLiteral("LOWER"));
        saveCommand(main, *windows.at(0));
        QCOMPARE(readFile(lower), QByteArrayLiteral("LOWER\r\n"));
        QCOMPARE(readFile(upper), QByteArrayLiteral("upper"));
    }

    void activateIfOpenIgnoresUntitledAndClosedWindows()
    {
        ScopedPlatform p;
        MainWindow main;
        newUntitled(main, QStringLiteral("x"));
        const QString where = file(QStringLiteral("a.htm"), "a");
        QVERIFY(!activateIfOpen(main, where));
        QVERIFY(!activateIfOpen(main, QString()));
        DocumentWindow *window = loadDocument(main, where, QStringLiteral("a.htm"));
        QVERIFY(activateIfOpen(main, where));
        QPointer<DocumentWindow> closing = window;
        subWindowOf(window)->close();
        QTRY_VERIFY(closing.isNull());
        QVERIFY(!activateIfOpen(main, where));
    }

    // ---- Get File ----

    void getFileReplacesTheSelection()
    {
        const QByteArray bytes("X\r\nY\0Z\xff\n", 9);
        const QString where = file(QStringLiteral("part.txt"), bytes);
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = newUntitled(main, QStringLiteral("ab--ef"));
        window->setChanged(false);
        window->textArea()->setSelStart(2);
        window->textArea()->setSelLength(2);
        CommonDialog &dialog = main.commonDialog();
        dialog.flags = 0x1234;
        dialog.initDir = QStringLiteral("/somewhere");
        dialog.defaultExt = QStringLiteral("html");
        p->expectOpenDialog(where);

        insertFileCommand(main);
        const PlatformCall shown = p->callsOf(PlatformCall::Kind::OpenDialog).constFirst();
        QCOMPARE(shown.dialog.dialogTitle, QStringLiteral("Insert a File Into This Document"));
        QCOMPARE(shown.dialog.filter, kOpenFilter);
        QCOMPARE(shown.dialog.filterIndex, 3);
        QCOMPARE(shown.dialog.fileName, QString());
        // Left as the previous use left them.
        QCOMPARE(shown.dialog.flags, 0x1234);
        QCOMPARE(shown.dialog.initDir, QStringLiteral("/somewhere"));
        QCOMPARE(dialog.dialogTitle, QString());

        const QString inserted = codec::decode(bytes);
        QCOMPARE(window->textArea()->text(), QStringLiteral("ab") + inserted + QStringLiteral("ef"));
        QCOMPARE(window->textArea()->selStart(), 2 + int(inserted.size()));
        QCOMPARE(window->textArea()->selLength(), 0);
        QVERIFY(window->isChanged());
        QCOMPARE(window->caption(), QStringLiteral("Untitled:1"));
        QCOMPARE(recent(1), QStringLiteral("Not Used"));
        QByteArray expected = QByteArrayLiteral("ab") + bytes + QByteArrayLiteral("ef");
        QCOMPARE(window->textArea()->toBytes(), expected);
    }

    void getFileCancelAndFailure()
    {
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = newUntitled(main, QStringLiteral("text"));
        p->expectOpenDialogCancel();
        insertFileCommand(main);
        QCOMPARE(main.commonDialog().dialogTitle, QString());
        QCOMPARE(window->textArea()->text(), QStringLiteral("text"));

        const QString where = path(QStringLiteral("gone.txt"));
        p->expectOpenDialog(where);
        p->expectMessageBox(MsgResult::Ok, kProductName,
                            QStringLiteral("Can't open file: ") + where + QStringLiteral("\n\nNo such file or directory"));
        insertFileCommand(main);
        QCOMPARE(window->textArea()->text(), QStringLiteral("text"));
    }

    // ---- Delete File ----

    void deleteFile_data()
    {
        QTest::addColumn<MsgResult>("answer");
        QTest::newRow("Yes") << MsgResult::Yes;
        QTest::newRow("No") << MsgResult::No;
    }

    void deleteFile()
    {
        QFETCH(MsgResult, answer);
        TemporaryTrash trash(true);
        const QString where = file(QStringLiteral("old.htm"), "old");
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = loadDocument(main, where, QStringLiteral("old.htm"));
        main.commonDialog().fileName = QStringLiteral("/left/over.htm");
        p->expectOpenDialog(where);
        p->expectMessageBox(answer, QStringLiteral("Deleting File"),
                            QStringLiteral("Are you sure you want to delete the file old.htm ?"));

        deleteFileCommand(main);
        const PlatformCall shown = p->callsOf(PlatformCall::Kind::OpenDialog).constFirst();
        QCOMPARE(shown.dialog.dialogTitle, QStringLiteral("Select File to Delete"));
        QCOMPARE(shown.dialog.filter, kDeleteFilter);
        QCOMPARE(shown.dialog.filterIndex, 1);
        QCOMPARE(shown.dialog.flags, FileDialogFlags::FileMustExist | FileDialogFlags::PathMustExist | FileDialogFlags::HideReadOnly);
        QCOMPARE(shown.dialog.fileName, QString());
        QCOMPARE(main.commonDialog().dialogTitle, QString());
        const PlatformCall question = p->callsOf(PlatformCall::Kind::MessageBox).constFirst();
        QCOMPARE(question.buttons, MsgButtons::YesNo);
        QCOMPARE(question.icon, MsgIcon::Question);

        QCOMPARE(QFile::exists(where), answer == MsgResult::No);
        // Deleted files can be taken back from the desktop's trash.
        QCOMPARE(readFile(trash.trashed(QStringLiteral("old.htm"))), answer == MsgResult::Yes ? QByteArray("old") : QByteArray());
        // The open window stays and can be saved again.
        QCOMPARE(main.documents(), QList<DocumentWindow *>{window});
        saveCommand(main, *window);
        QCOMPARE(readFile(where), QByteArrayLiteral("old\r\n"));
    }

    void deleteFileWithoutATrash()
    {
        TemporaryTrash trash(false);
        const QString where = file(QStringLiteral("old.htm"), "old");
        ScopedPlatform p;
        MainWindow main;
        p->expectOpenDialog(where);
        p->expectMessageBox(MsgResult::Yes, QStringLiteral("Deleting File"));
        deleteFileCommand(main);
        QVERIFY(!QFile::exists(where));
        // Not moved into a trash of the current folder either.
        QVERIFY(!QFileInfo::exists(QStringLiteral("files/old.htm")));
    }

    void deleteFileCancelAndFailure()
    {
        TemporaryTrash trash(true);
        ScopedPlatform p;
        MainWindow main;
        p->expectOpenDialogCancel();
        deleteFileCommand(main);
        QCOMPARE(main.commonDialog().dialogTitle, QString());

        // Already gone, or in a folder that may not be changed: the file and the reason are told.
        const QString gone = path(QStringLiteral("gone.htm"));
        p->expectOpenDialog(gone);
        p->expectMessageBox(MsgResult::Yes, QStringLiteral("Deleting File"));
        p->expectMessageBox(MsgResult::Ok, QStringLiteral("Deleting File"),
                            QStringLiteral("Can't delete file: ") + gone + QStringLiteral("\n\nNo such file or directory"));
        deleteFileCommand(main);
        QCOMPARE(p->callsOf(PlatformCall::Kind::MessageBox).constLast().icon, MsgIcon::Exclamation);
        if (geteuid() != 0) {
            const QString kept = file(QStringLiteral("kept.htm"), "x");
            QVERIFY(QFile::setPermissions(folder().path(), QFile::ReadOwner | QFile::ExeOwner));
            p->expectOpenDialog(kept);
            p->expectMessageBox(MsgResult::Yes, QStringLiteral("Deleting File"));
            p->expectMessageBox(MsgResult::Ok, QStringLiteral("Deleting File"),
                                QStringLiteral("Can't delete file: ") + kept + QStringLiteral("\n\nPermission denied"));
            deleteFileCommand(main);
            QFile::setPermissions(folder().path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QVERIFY(QFile::exists(kept));
        }
    }

    // ---- printing ----

    void printWholeTextOneJobPerCopy()
    {
        ScopedPlatform p;
        MainWindow main;
        newUntitled(main, QStringLiteral("line 1\r\nline 2\n"));
        p->expectPrintDialog(3);

        printCommand(main);
        const PlatformCall shown = p->callsOf(PlatformCall::Kind::PrintDialog).constFirst();
        QCOMPARE(shown.print.flags, 0x80000 + 8 + 4);
        QCOMPARE(shown.print.copies, 1);
        const QString job = QStringLiteral("line 1\r\nline 2\n\r\n");
        QCOMPARE(p->printedTexts(), QStringList({job, job, job}));
    }

    void printSelection()
    {
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = newUntitled(main, QStringLiteral("one two three"));
        window->textArea()->setSelStart(4);
        window->textArea()->setSelLength(3);
        p->expectPrintDialog(2, PrintDialogFlags::Selection);

        printCommand(main);
        QCOMPARE(p->callsOf(PlatformCall::Kind::PrintDialog).constFirst().print.flags, 0x80000 + 8 + 1);
        QCOMPARE(p->printedTexts(), QStringList({QStringLiteral("two\r\n"), QStringLiteral("two\r\n")}));

        // The user chose to print everything after all.
        p->expectPrintDialog(1, 0);
        printCommand(main);
        QCOMPARE(p->printedTexts().constLast(), QStringLiteral("one two three\r\n"));
    }

    void printRefusals_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("message");
        QTest::newRow("selection without one") << PrintDialogFlags::Selection << "No selection to print";
        QTest::newRow("to a file") << PrintDialogFlags::PrintToFile << "only one copy when you print to file";
    }

    void printRefusals()
    {
        QFETCH(int, chosen);
        QFETCH(QString, message);
        ScopedPlatform p;
        MainWindow main;
        newUntitled(main, QStringLiteral("text"));
        p->expectPrintDialog(2, chosen);
        p->expectMessageBox(MsgResult::Ok, kProductName, message);
        printCommand(main);
        QVERIFY(p->printedTexts().isEmpty());
    }

    void printCancelAndSetup()
    {
        ScopedPlatform p;
        MainWindow main;
        newUntitled(main, QStringLiteral("text"));
        p->expectPrintDialogCancel();
        printCommand(main);
        QVERIFY(p->printedTexts().isEmpty());

        p->expectPrintSetupDialog(false);
        p->expectPrintSetupDialog(true);
        printSetupCommand();
        printSetupCommand();
        QCOMPARE(p->callsOf(PlatformCall::Kind::PrintSetupDialog).size(), 2);
    }

    void commandsFromTheMenus()
    {
        const QString where = file(QStringLiteral("menu.htm"), "menu");
        ScopedPlatform p;
        MainWindow main;
        showMain(main);
        p->expectOpenDialog(where);
        main.action(QStringLiteral("mnuFOpen"))->trigger();
        DocumentWindow *window = main.activeDocument();
        QVERIFY(window);
        window->textArea()->setText(QStringLiteral("via menu"));
        window->action(QStringLiteral("mnuFSave"))->trigger();
        QCOMPARE(readFile(where), QByteArrayLiteral("via menu\r\n"));
        p->expectPrintDialog();
        window->action(QStringLiteral("mnuPrint"))->trigger();
        QCOMPARE(p->printedTexts(), QStringList{QStringLiteral("via menu\r\n")});
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
