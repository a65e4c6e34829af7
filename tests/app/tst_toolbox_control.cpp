#include "app/main_window.h"
#include "app/startup.h"
#include "app/toolbox_control.h"
#include "dialogs/extended_characters.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "platform/twips.h"
#include "prefs/preferences.h"
#include "prefs/settings_store.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

QString stored(const QString &key)
{
    return getSetting(key, QStringLiteral("<absent>"));
}

} // namespace

class TestToolboxControl : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;

    // A start of the whole program on the settings stored so far.
    StartedProgram start()
    {
        StartupOptions options;
        options.splashLifetimeMs = 1;
        return startUp(options);
    }

    static void finish(StartedProgram &started)
    {
        QVERIFY(started.mainWindow->close());
        delete started.splash;
        started = StartedProgram{};
    }

private Q_SLOTS:
    void init()
    {
        m_app = toolboxFixture();
        QVERIFY(m_app);
    }

    void cleanup()
    {
        m_app.reset();
    }

    void menuEntryToggles_data()
    {
        QTest::addColumn<bool>("inDocumentMenu");
        QTest::newRow("main window's Window menu") << false;
        QTest::newRow("document's Window menu") << true;
    }

    void menuEntryToggles()
    {
        QFETCH(bool, inDocumentMenu);
        QAction *entry = inDocumentMenu ? m_app->newDocument()->action(QStringLiteral("mnuExtend"))
                                        : m_app->main()->action(QStringLiteral("ToolBoxMenu"));
        QCOMPARE(entry->text(), QStringLiteral("&Extended Characters"));
        ToolboxControl &control = m_app->main()->toolbox();
        for (const bool open : {true, false, true}) {
            entry->trigger();
            QCOMPARE(control.isOpen(), open);
            QCOMPARE(entry->isChecked(), open);
            QCOMPARE(prefs().ExtShow, qint16(open ? -1 : 0));
        }
        QVERIFY(control.toolbox()->isVisible());
        QVERIFY(!control.toolbox()->isModal());
    }

    void hiddenWhileTheMainWindowIsMinimised()
    {
        MainWindow &main = *m_app->main();
        main.toolbox().open();
        ExtendedCharactersToolbox *toolbox = main.toolbox().toolbox();
        main.showMinimized();
        QTRY_VERIFY(!toolbox->isVisible());
        QCOMPARE(prefs().ExtShow, qint16(-1));
        main.showNormal();
        QTRY_VERIFY(toolbox->isVisible());
    }

    void exitRecordsTheToolbox_data()
    {
        QTest::addColumn<bool>("leftOpen");
        QTest::addColumn<bool>("html");
        QTest::newRow("open, HTML") << true << true;
        QTest::newRow("open, characters") << true << false;
        QTest::newRow("quit before, HTML") << false << true;
    }

    void exitRecordsTheToolbox()
    {
        QFETCH(bool, leftOpen);
        QFETCH(bool, html);
        MainWindow &main = *m_app->main();
        main.toolbox().open();
        QPointer<ExtendedCharactersToolbox> toolbox = main.toolbox().toolbox();
        QPushButton *mode = html ? toolbox->htmlButton() : toolbox->charactersButton();
        QTest::mouseClick(mode, Qt::LeftButton);
        if (!leftOpen)
            QTest::mouseClick(toolbox->quitButton(), Qt::LeftButton);

        QVERIFY(main.close());
        QCOMPARE(stored(QStringLiteral("ExtShow")), leftOpen ? QStringLiteral("-1") : QStringLiteral(" 0"));
        QCOMPARE(stored(QStringLiteral("EInsHTML")), html ? QStringLiteral("-1") : QStringLiteral(" 0"));
        QTRY_VERIFY(toolbox.isNull());
        QCOMPARE(prefs().ExtShow, qint16(0));
    }

    void restartBringsItBackInItsModeAndPlace()
    {
        m_app.reset();
        TemporarySettings settings;
        ScopedPlatform platform;
        documentTable().reset();
        // A main window stored far to the right and wider than the screen: it opens fitted onto
        // the screen, and the toolbox takes its place from the fitted window.
        for (const auto &[key, value] : {std::pair{"X", " 20000"}, {"Y", " 300"}, {"Width", " 20000"},
                                         {"Height", " 7000"}, {"ExtShow", "-1"}, {"EInsHTML", "-1"}})
            QVERIFY(saveSetting(QString::fromLatin1(key), QString::fromLatin1(value)));
        for (const bool reopens : {true, true, false}) {
            if (!reopens)
                QVERIFY(saveSetting(QStringLiteral("ExtShow"), QStringLiteral(" 0")));
            StartedProgram started = start();
            const MainWindow &main = *started.mainWindow;
            const int right = pixelsToTwipsX(main.x()) + pixelsToTwipsX(main.width());
            QVERIFY(main.screen()->availableGeometry().contains(QRect(main.pos(), main.size())));
            QCOMPARE(toolboxPosition(), QPoint(right - 3400, 400));
            const ExtendedCharactersToolbox *toolbox = started.mainWindow->toolbox().toolbox();
            QCOMPARE(toolbox != nullptr, reopens);
            if (toolbox) {
                QVERIFY(toolbox->isVisible());
                QVERIFY(toolbox->screen()->availableGeometry().contains(QRect(toolbox->pos(), toolbox->size())));
                QCOMPARE(toolbox->actionNote()->text(), ExtendedCharactersToolbox::kHtmlNote);
            }
            finish(started);
        }
    }
};

QTEST_MAIN(TestToolboxControl)
#include "tst_toolbox_control.moc"
