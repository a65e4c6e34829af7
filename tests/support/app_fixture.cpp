#include "support/app_fixture.h"

#include "app/main_window.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "platform/program_folder.h"
#include "prefs/preferences.h"
#include "prefs/settings_store.h"

#include <QGuiApplication>
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
