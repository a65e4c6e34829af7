#include "support/app_fixture.h"

#include "app/main_window.h"
#include "dialogs/extended_characters.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/program_folder.h"
#include "prefs/preferences.h"
#include "prefs/settings_store.h"
#include "support/test_files.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

#include <cmath>

using namespace vornel;

TemporarySettings::TemporarySettings()
{
    setSettingsStoreRootForTesting(m_dir.path());
}

TemporaryProgramFolder::TemporaryProgramFolder()
{
    setProgramFolder(m_dir.path());
}

TemporaryProgramFolder::~TemporaryProgramFolder()
{
    setProgramFolder(QString());
}

void forgetDocumentChanges()
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        for (DocumentWindow *window : top->findChildren<DocumentWindow *>())
            window->setChanged(false);
    }
}

DocumentWindow *newUntitled(MainWindow &main, const QString &text)
{
    DocumentWindow *window = newDocumentWindow(main);
    window->textArea()->setText(text);
    return window;
}

QMdiSubWindow *subWindowOf(DocumentWindow *window)
{
    return qobject_cast<QMdiSubWindow *>(window->parentWidget());
}

void showMain(MainWindow &main)
{
    main.resize(800, 600);
    main.show();
}

QString recentFileEntry(int entry)
{
    return getSetting(QStringLiteral("RecentFile%1").arg(entry), QStringLiteral("Not Used"));
}

QString DocumentFolderFixture::file(const QString &name, const QByteArray &bytes) const
{
    return writeFileIn(m_folder.path(), name, bytes);
}

DocumentWindow *newDocumentWindow(MainWindow &main)
{
    return main.createDocumentWindow(documentTable().findFreeSlot());
}

int onePixelInTwips()
{
    return int(std::ceil(1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInchX()));
}

AppFixture::AppFixture()
{
    loadPreferences();
    documentTable().reset();
    m_platform = std::make_unique<ScopedPlatform>();
    m_main = std::make_unique<MainWindow>();
    m_main->resize(800, 600);
}

AppFixture::~AppFixture()
{
    forgetDocumentChanges();
    m_main.reset();
    m_platform.reset();
}

bool AppFixture::showMain()
{
    m_main->show();
    return QTest::qWaitForWindowExposed(m_main.get());
}

DocumentFolderFixture::DocumentFolderFixture()
{
    prefs() = Preferences{};
    prefs().DocPath = m_folder.path();
    documentTable().reset();
}

DocumentFolderFixture::~DocumentFolderFixture()
{
    forgetDocumentChanges();
}

void DocumentFolderTest::init()
{
    m_folder = std::make_unique<DocumentFolderFixture>();
    QVERIFY(m_folder->isValid());
}

void DocumentFolderTest::cleanup()
{
    m_folder.reset();
}

std::unique_ptr<AppFixture> toolboxFixture()
{
    auto app = std::make_unique<AppFixture>();
    if (!app->showMain())
        return nullptr;
    prefs().EInsHTML = 0;
    prefs().ExtShow = 0;
    toolboxPosition() = QPoint(1500, 400);
    return app;
}
