#include "app/main_window.h"
#include "documents/document_files.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/version.h"
#include "prefs/settings_store.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QAction>
#include <QFile>
#include <QMdiSubWindow>
#include <QPointer>
#include <QtTest>

using namespace vornel;

namespace {

const QString kNotUsed = QStringLiteral("Not Used");

QString key(int entry)
{
    return QStringLiteral("RecentFile%1").arg(entry);
}

QString stored(int entry)
{
    return getSetting(key(entry), kNotUsed);
}

QStringList storedList()
{
    QStringList list;
    for (int i = 1; i <= kRecentFileCount; ++i)
        list << stored(i);
    return list;
}

// What a File menu's recent entries show: the caption of each visible entry, "-" for hidden.
QStringList shown(const QList<QAction *> &entries)
{
    QStringList list;
    for (int i = 1; i < entries.size(); ++i)
        list << (entries.at(i)->isVisible() ? entries.at(i)->text() : QStringLiteral("-"));
    return list;
}

QStringList notUsedFrom(QStringList list)
{
    while (list.size() < kRecentFileCount)
        list << kNotUsed;
    return list;
}

QStringList hiddenFrom(QStringList list)
{
    while (list.size() < kRecentFileCount)
        list << QStringLiteral("-");
    return list;
}

} // namespace

class TestRecentFiles : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<DocumentFolderFixture> m_folder;

    QString file(const QString &name, const QByteArray &bytes = "x") { return writeFileIn(m_folder->path(), name, bytes); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<DocumentFolderFixture>();
        QVERIFY(m_folder->isValid());
    }

    void cleanup() { m_folder.reset(); }

    // ---- the list in the store ----

    void pushPutsTheNewestFirstAndDropsTheNinth()
    {
        QStringList paths;
        for (int i = 1; i <= 9; ++i) {
            paths.prepend(QStringLiteral("/web/page%1.htm").arg(i));
            pushRecentFile(paths.first());
        }
        QCOMPARE(storedList(), paths.mid(0, 8));
        QVERIFY(!isRecentFile(QStringLiteral("/web/page1.htm")));
    }

    void pushLeavesANotUsedEntryUncopied()
    {
        saveSetting(key(1), QStringLiteral("/a.htm"));
        saveSetting(key(3), QStringLiteral("/c.htm"));
        pushRecentFile(QStringLiteral("/new.htm"));
        // Entry 2 read "Not Used", so entry 3 kept its own value instead of receiving it.
        QCOMPARE(storedList(), notUsedFrom({QStringLiteral("/new.htm"), QStringLiteral("/a.htm"),
                                            QStringLiteral("/c.htm"), QStringLiteral("/c.htm")}));
    }

    void pushTreatsAnythingStartingWithNotUsedAsEmpty()
    {
        saveSetting(key(1), QStringLiteral("Not Used at all"));
        pushRecentFile(QStringLiteral("/b.htm"));
        QCOMPARE(stored(1), QStringLiteral("/b.htm"));
        QCOMPARE(stored(2), kNotUsed);
    }

    void isRecentFileLooksAtAllEightEntries()
    {
        const QString first = file(QStringLiteral("first.htm"));
        pushRecentFile(first);
        for (int i = 2; i <= 8; ++i)
            pushRecentFile(file(QStringLiteral("f%1.htm").arg(i)));
        QCOMPARE(stored(8), first);
        QVERIFY(isRecentFile(first));
        QVERIFY(isRecentFile(m_folder->path() + QStringLiteral("/./first.htm")));
        QVERIFY(!isRecentFile(m_folder->path() + QStringLiteral("/FIRST.HTM")));
        QVERIFY(!isRecentFile(QStringLiteral("Not Used")));

        const QStringList before = storedList();
        ScopedPlatform p;
        MainWindow main;
        addRecentFile(main, first);
        QCOMPARE(storedList(), before);
    }

    // ---- menus ----

    void emptyStoreShowsNothing()
    {
        ScopedPlatform p;
        MainWindow main;
        fillRecentMenusAtStartup(main);
        refreshRecentMenus(main);
        const QList<QAction *> &entries = recentFileEntries(main.ownActions());
        QCOMPARE(entries.size(), 9);
        QVERIFY(!entries.at(0)->isVisible());
        QCOMPARE(shown(entries), hiddenFrom({}));
    }

    void startupFillsTheMainWindowOnly()
    {
        saveSetting(key(1), QStringLiteral("/web/a.htm"));
        saveSetting(key(2), QString());
        saveSetting(key(3), QStringLiteral("/web/R&D.htm"));
        saveSetting(key(4), kNotUsed);
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = newDocumentWindow(main);

        fillRecentMenusAtStartup(main);
        const QList<QAction *> &entries = recentFileEntries(main.ownActions());
        QVERIFY(entries.at(0)->isVisible());
        QCOMPARE(shown(entries), hiddenFrom({QStringLiteral("/web/a.htm"), QStringLiteral("-"), QStringLiteral("/web/R&&D.htm")}));
        QCOMPARE(entries.at(3)->data().toString(), QStringLiteral("/web/R&D.htm"));
        QCOMPARE(shown(recentFileEntries(window->actions())), hiddenFrom({}));
    }

    void refreshFillsEveryFileMenu()
    {
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *first = newDocumentWindow(main);
        DocumentWindow *second = newDocumentWindow(main);
        addRecentFile(main, QStringLiteral("/web/one.htm"));
        addRecentFile(main, QStringLiteral("/web/two.htm"));

        const QStringList expected = hiddenFrom({QStringLiteral("/web/two.htm"), QStringLiteral("/web/one.htm")});
        for (DocumentWindow *window : {first, second}) {
            QVERIFY(recentFileEntries(window->actions()).at(0)->isVisible());
            QCOMPARE(shown(recentFileEntries(window->actions())), expected);
        }
        QCOMPARE(shown(recentFileEntries(main.ownActions())), expected);
        QCOMPARE(recentFileEntries(main.ownActions()).at(1)->data().toString(), QStringLiteral("/web/two.htm"));

        // Entries stay shown even when the store loses them.
        QFile::remove(settingsStore().filePath(kSettingsApplication));
        refreshRecentMenus(main);
        QCOMPARE(shown(recentFileEntries(main.ownActions())), expected);
        QVERIFY(recentFileEntries(main.ownActions()).at(0)->isVisible());
    }

    // ---- what Open and Save put into the list ----

    void openingNineFilesKeepsTheLastEight()
    {
        ScopedPlatform p;
        MainWindow main;
        QStringList paths;
        for (int i = 1; i <= 9; ++i) {
            paths.prepend(file(QStringLiteral("page%1.htm").arg(i)));
            p->expectOpenDialog(paths.first());
            openCommand(main);
        }
        QCOMPARE(storedList(), paths.mid(0, 8));
        QStringList captions = paths.mid(0, 8);
        QCOMPARE(shown(recentFileEntries(main.ownActions())), captions);
        QCOMPARE(shown(recentFileEntries(main.activeDocument()->actions())), captions);
    }

    void openingAListedFileKeepsTheOrder_data()
    {
        QTest::addColumn<int>("entry");
        for (int i = 1; i <= 8; ++i)
            QTest::addRow("entry %d", i) << i;
    }

    void openingAListedFileKeepsTheOrder()
    {
        QFETCH(int, entry);
        for (int i = 8; i >= 1; --i)
            pushRecentFile(file(QStringLiteral("p%1.htm").arg(i)));
        const QStringList before = storedList();
        ScopedPlatform p;
        MainWindow main;
        p->expectOpenDialog(before.at(entry - 1));
        openCommand(main);
        QCOMPARE(main.documents().size(), 1);
        QCOMPARE(storedList(), before);
    }

    void savingAnOpenedFileListsItOnce()
    {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("Web")));
        const QString mixed = file(QStringLiteral("Web/Index.htm"));
        ScopedPlatform p;
        MainWindow main;
        p->expectOpenDialog(mixed);
        openCommand(main);
        saveCommand(main, *main.activeDocument());
        // The stored path is the real one, not an upper-cased copy that names no file.
        QCOMPARE(storedList(), notUsedFrom({mixed}));

        p->expectSaveDialog(m_folder->filePath(QStringLiteral("Other.htm")));
        saveAsCommand(main, *main.activeDocument());
        saveCommand(main, *main.activeDocument());
        QCOMPARE(storedList(), notUsedFrom({m_folder->filePath(QStringLiteral("Other.htm")), mixed}));
    }

    // ---- choosing an entry ----

    void choosingAnEntryOpensItWithoutReordering()
    {
        const QString a = file(QStringLiteral("a.htm"), "<A>");
        const QString b = file(QStringLiteral("b.htm"), "<B>");
        pushRecentFile(a);
        pushRecentFile(b);
        ScopedPlatform p;
        MainWindow main;
        fillRecentMenusAtStartup(main);

        recentFileEntries(main.ownActions()).at(2)->trigger();
        DocumentWindow *window = main.activeDocument();
        QVERIFY(window);
        QCOMPARE(window->realFileName(), a);
        QCOMPARE(window->caption(), QStringLiteral("A.HTM"));
        QCOMPARE(window->textArea()->text(), QStringLiteral("<A>"));
        QCOMPARE(storedList(), notUsedFrom({b, a}));
        QCOMPARE(shown(recentFileEntries(window->actions())), hiddenFrom({b, a}));

        // From the document window's own menu.
        recentFileEntries(window->actions()).at(1)->trigger();
        QCOMPARE(main.documents().size(), 2);
        QCOMPARE(main.activeDocument()->realFileName(), b);
        QCOMPARE(storedList(), notUsedFrom({b, a}));
    }

    void choosingAnOpenFileBringsItForward()
    {
        const QString a = file(QStringLiteral("a.htm"));
        pushRecentFile(a);
        ScopedPlatform p;
        MainWindow main;
        main.show();
        fillRecentMenusAtStartup(main);
        DocumentWindow *opened = loadDocument(main, a, QStringLiteral("a.htm"));
        newDocumentWindow(main);
        p->expectMessageBox(MsgResult::Ok, QStringLiteral("File Open"),
                            QStringLiteral("The file ") + a + QStringLiteral(" is already open"));

        recentFileEntries(main.ownActions()).at(1)->trigger();
        QCOMPARE(main.documents().size(), 2);
        QCOMPARE(main.activeDocument(), opened);
    }

    // A 100 KB entry would stretch the File menu across the screen.
    void longEntriesAreShortenedWithTheFullPathAsHint()
    {
        const QString huge = m_folder->filePath(QStringLiteral("deep/").repeated(20 * 1024) + QStringLiteral("page.htm"));
        const QString plain = m_folder->filePath(QStringLiteral("page.htm"));
        pushRecentFile(huge);
        pushRecentFile(plain);
        ScopedPlatform p;
        MainWindow main;
        fillRecentMenusAtStartup(main);
        const QList<QAction *> entries = recentFileEntries(main.ownActions());
        QCOMPARE(entries.at(1)->text(), plain);
        QVERIFY(entries.at(2)->text().size() <= 64);
        QVERIFY(entries.at(2)->text().endsWith(QStringLiteral("/deep/page.htm")));
        QCOMPARE(entries.at(2)->data().toString(), huge);

        entries.at(2)->hover();
        QCOMPARE(main.statusText(), huge);
        entries.at(1)->hover();
        QCOMPARE(main.statusText(), plain);
    }

    void choosingAMissingFileKeepsTheEntry()
    {
        const QString gone = m_folder->filePath(QStringLiteral("gone.htm"));
        pushRecentFile(gone);
        ScopedPlatform p;
        MainWindow main;
        fillRecentMenusAtStartup(main);
        p->expectMessageBox(MsgResult::Ok, kProductName,
                            QStringLiteral("Can't open file: ") + gone + QStringLiteral("\n\nNo such file or directory"));

        openRecentFile(main, gone);
        QVERIFY(main.documents().isEmpty());
        QCOMPARE(stored(1), gone);
        QVERIFY(recentFileEntries(main.ownActions()).at(1)->isVisible());
    }

    void closingAnUntitledDocumentListsTheNewName()
    {
        ScopedPlatform p;
        MainWindow main;
        DocumentWindow *window = newDocumentWindow(main);
        window->textArea()->setText(QStringLiteral("text"));
        QPointer<DocumentWindow> closing = window;
        const QString where = m_folder->filePath(QStringLiteral("new.htm"));
        p->expectMessageBox(MsgResult::Yes);
        p->expectSaveDialog(where);
        qobject_cast<QMdiSubWindow *>(window->parentWidget())->close();
        QTRY_VERIFY(closing.isNull());
        QCOMPARE(storedList(), notUsedFrom({where}));
        QCOMPARE(shown(recentFileEntries(main.ownActions())), hiddenFrom({where}));
    }
};

QTEST_MAIN(TestRecentFiles)
#include "tst_recent_files.moc"
