#include "dialogs/server_path.h"
#include "platform/platform.h"
#include "prefs/preferences.h"
#include "support/scripted_platform.h"

#include <QtTest>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::ServerFolder)

class TestServerPath : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        prefs() = Preferences{};
        prefs().WebPath = QStringLiteral("docs");
        prefs().GifPath = QStringLiteral("images");
        prefs().MMedPath = QStringLiteral("media/");
        prefs().FTPPath = QStringLiteral("ftp://host/pub");
    }

    void folderByExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ServerFolder>("folder");
        const auto row = [](const char *name, ServerFolder folder) { QTest::newRow(name) << QString::fromLatin1(name) << folder; };
        row("page.html", ServerFolder::Documents);
        row("PAGE.HTM", ServerFolder::Documents);
        row("logo.gif", ServerFolder::Images);
        row("LOGO.Gif", ServerFolder::Images);
        for (const char *name : {"a.jpeg", "a.TIFF", "a.mpeg", "a.eps", "a.snd", "a.wav", "a.JPG", "a.jpe",
                                 "a.tif", "a.mpg", "a.mpe", "a.avi", "a.ps", "a.Au"})
            row(name, ServerFolder::Multimedia);
        for (const char *name : {"a.zip", "a.xhtml", "gif", "a.gif.bak", "a.mp3", "noextension"})
            row(name, ServerFolder::Other);
    }
    void folderByExtension()
    {
        QFETCH(QString, name);
        QFETCH(ServerFolder, folder);
        QCOMPARE(serverFolderOf(name), folder);
    }

    void pathOnTheServer_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("fileSystem");
        QTest::addColumn<bool>("foldersSet");
        QTest::addColumn<QString>("path");
        for (int fileSystem : {1, 2}) {
            QTest::addRow("image, file system %d", fileSystem) << "x.gif" << fileSystem << true << "images/x.gif";
            QTest::addRow("document, file system %d", fileSystem) << "x.htm" << fileSystem << true << "docs/x.htm";
            QTest::addRow("folder ending in a slash, file system %d", fileSystem) << "x.jpg" << fileSystem << true << "media/x.jpg";
            QTest::addRow("other, file system %d", fileSystem) << "x.zip" << fileSystem << true << "ftp://host/pub/x.zip";
            QTest::addRow("no image folder, file system %d", fileSystem) << "x.gif" << fileSystem << false << "x.gif";
            QTest::addRow("no ftp path, file system %d", fileSystem) << "x.zip" << fileSystem << false << "x.zip";
        }
    }
    void pathOnTheServer()
    {
        QFETCH(QString, name);
        QFETCH(int, fileSystem);
        QFETCH(bool, foldersSet);
        QFETCH(QString, path);
        prefs().WebServerFileSystem = qint16(fileSystem);
        if (!foldersSet)
            prefs().GifPath = prefs().FTPPath = QString();
        QCOMPARE(serverPath(name, prefs()), path);
    }

    void browseSetsUpTheDialogPerCaller_data()
    {
        QTest::addColumn<int>("caller");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<QString>("titleAfter");
        QTest::newRow("history input") << 0 << "Caller" << "Caller|*.c" << 1 << "Caller";
        QTest::newRow("image dialog") << 1 << "Caller" << kImageBrowseFilter << 2 << "Caller";
        QTest::newRow("form field") << 2 << "Locate Image" << kGifBrowseFilter << 1 << "";
    }
    void browseSetsUpTheDialogPerCaller()
    {
        QFETCH(int, caller);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        QFETCH(int, filterIndex);
        QFETCH(QString, titleAfter);
        const BrowseOptions *options[] = {&kListInputBrowse, &kImageDialogBrowse, &kFormImageBrowse};
        for (bool chosen : {true, false}) {
            CommonDialog dialog;
            dialog.dialogTitle = QStringLiteral("Caller");
            dialog.filter = QStringLiteral("Caller|*.c");
            dialog.fileName = QStringLiteral("/old/choice.gif");
            ScopedPlatform platform;
            if (chosen)
                platform->expectOpenDialog(QStringLiteral("/local/folder/Logo.GIF"));
            else
                platform->expectOpenDialogCancel();
            const std::optional<QString> path = browseServerPath(dialog, *options[caller]);
            QCOMPARE(path, chosen ? std::optional(QStringLiteral("images/Logo.GIF")) : std::nullopt);
            const PlatformCall shown = platform->calls().value(0);
            QCOMPARE(shown.kind, PlatformCall::Kind::OpenDialog);
            QCOMPARE(shown.title, title);
            QCOMPARE(shown.dialog.filter, filter);
            QCOMPARE(shown.dialog.filterIndex, filterIndex);
            QCOMPARE(shown.dialog.flags, 0x1804);
            QCOMPARE(shown.dialog.fileName, QString());
            QCOMPARE(dialog.dialogTitle, titleAfter);
        }
    }
};

QTEST_GUILESS_MAIN(TestServerPath)
#include "tst_server_path.moc"
