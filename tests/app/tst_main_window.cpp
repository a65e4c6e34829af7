#include "app/about_dialog.h"
#include "app/main_window.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "platform/twips.h"
#include "platform/version.h"
#include "prefs/number_text.h"
#include "prefs/preferences.h"
#include "prefs/settings_store.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace vornel;

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;

    QLabel *label(const char *name) const
    {
        auto *found = m_app->main()->findChild<QLabel *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no label %s", name);
        return found;
    }

    QWidget *statusBar() const { return m_app->main()->findChild<QWidget *>(QStringLiteral("Picture1")); }

    QMenu *ownMenu(const QString &objectName) const
    {
        for (QAction *top : m_app->main()->menuBar()->actions()) {
            if (top->menu() && top->menu()->objectName() == objectName)
                return top->menu();
        }
        return nullptr;
    }

    void showMain() { QVERIFY(m_app->showMain()); }

    // Resizes the window to a width in twips and waits until the status bar is laid out.
    void resizeToTwips(int widthTwips)
    {
        m_app->main()->resize(twipsToPixelsX(widthTwips), m_app->main()->height());
        QTRY_COMPARE(m_app->main()->width(), twipsToPixelsX(widthTwips));
    }

    QString storedSetting(const QString &key) const
    {
        QSettings file(settingsStore().filePath(kSettingsApplication), QSettings::IniFormat);
        return file.value(kSettingsSection + QLatin1Char('/') + key).toString();
    }

    bool settingStored(const QString &key) const
    {
        QSettings file(settingsStore().filePath(kSettingsApplication), QSettings::IniFormat);
        return file.contains(kSettingsSection + QLatin1Char('/') + key);
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->isValid());
    }

    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
    }

    // ---- status bar ----

    void statusBarLayout_data()
    {
        QTest::addColumn<int>("windowTwips");
        QTest::newRow("4000 twips") << 4000;
        QTest::newRow("9000 twips") << 9000;
        QTest::newRow("15000 twips") << 15000;
    }

    void statusBarLayout()
    {
        QFETCH(int, windowTwips);
        showMain();
        resizeToTwips(windowTwips);
        const int tolerance = onePixelInTwips();

        QVERIFY(std::abs(pixelsToTwipsX(label("StatusArea")->width()) - (windowTwips - 3240)) <= tolerance);
        int left = windowTwips - 3240 + 120;
        for (const char *name : {"txtNumLock", "txtCapsLock", "txtScrLock", "txtInsert", "txtNothing"}) {
            const QRect geometry = label(name)->geometry();
            QVERIFY2(std::abs(pixelsToTwipsX(geometry.x()) - left) <= tolerance, name);
            QVERIFY2(std::abs(pixelsToTwipsX(geometry.width()) - 495) <= tolerance, name);
            QVERIFY2(std::abs(pixelsToTwipsY(geometry.y()) - 30) <= tolerance, name);
            QVERIFY2(std::abs(pixelsToTwipsY(geometry.height()) - 255) <= tolerance, name);
            left += 600;
        }
    }

    void statusBarAt4000TwipsMatchesTheDesign()
    {
        showMain();
        resizeToTwips(4000);
        const int tolerance = onePixelInTwips();
        QVERIFY(std::abs(pixelsToTwipsX(label("StatusArea")->width()) - 760) <= tolerance);
        QVERIFY(std::abs(pixelsToTwipsX(label("txtNumLock")->x()) - 880) <= tolerance);
    }

    void nothingIsLaidOutWhileMinimised()
    {
        showMain();
        resizeToTwips(9000);
        const QRect before = label("txtNumLock")->geometry();

        m_app->main()->showMinimized();
        QTRY_VERIFY(m_app->main()->isMinimized());
        m_app->main()->resize(twipsToPixelsX(12000), m_app->main()->height());
        QCOMPARE(label("txtNumLock")->geometry(), before);

        // Restored, the window lays out its new width even if no resize follows.
        m_app->main()->showNormal();
        QTRY_VERIFY(!m_app->main()->isMinimized());
        QTRY_VERIFY(std::abs(pixelsToTwipsX(label("txtNumLock")->x()) - (12000 - 3240 + 120)) <= onePixelInTwips());
    }

    void keyLockIndicatorsFollowTheKeys()
    {
        showMain();
        m_app->platform().setKeyLockState({.capsLock = true, .numLock = false, .scrollLock = true, .known = true});
        QTRY_COMPARE(label("txtCapsLock")->text(), QStringLiteral("CAPS"));
        QTRY_COMPARE(label("txtScrLock")->text(), QStringLiteral("SCRL"));
        QCOMPARE(label("txtNumLock")->text(), QString());

        m_app->platform().setKeyLockState({.capsLock = false, .numLock = true, .scrollLock = false, .known = true});
        QTRY_COMPARE(label("txtNumLock")->text(), QStringLiteral("NUM"));
        QTRY_COMPARE(label("txtCapsLock")->text(), QString());
        QTRY_COMPARE(label("txtScrLock")->text(), QString());
        QCOMPARE(label("txtInsert")->text(), QString());
        QCOMPARE(label("txtNothing")->text(), QString());
    }

    void pointingAtTheHintLineClearsIt()
    {
        showMain();
        m_app->main()->setStatusText(QStringLiteral("Insert an image"));
        QTest::mouseMove(label("StatusArea"), QPoint(10, 5));
        QTRY_COMPARE(m_app->main()->statusText(), QString());
    }

    void clickingTheStatusBarClearsTheHint_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::newRow("hint line") << QStringLiteral("StatusArea");
        QTest::newRow("NUM label") << QStringLiteral("txtNumLock");
        QTest::newRow("empty label") << QStringLiteral("txtNothing");
    }

    void clickingTheStatusBarClearsTheHint()
    {
        QFETCH(QString, clicked);
        showMain();
        m_app->main()->setStatusText(QStringLiteral("Insert an image"));
        auto *target = m_app->main()->findChild<QWidget *>(clicked);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(m_app->main()->statusText(), QString());
    }

    void clickingElsewhereKeepsTheHint()
    {
        showMain();
        m_app->main()->setStatusText(QStringLiteral("Insert an image"));
        QTest::mouseClick(m_app->main()->mdiArea()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Insert an image"));
    }

    // ---- menus ----

    void menuBarOfTheMainWindow()
    {
        QStringList captions;
        for (QAction *top : m_app->main()->menuBar()->actions())
            captions << top->text() + QLatin1Char('=') + (top->menu() ? top->menu()->objectName() : QString());
        QCOMPARE(captions, QStringList({QStringLiteral("&File=mnuFile"), QStringLiteral("&Window=mnuOptions"),
                                        QStringLiteral("&Help=mnuHelp")}));
        QCOMPARE(ownMenu(QStringLiteral("mnuFile"))->actions().size(), 22);
        QCOMPARE(ownMenu(QStringLiteral("mnuOptions"))->actions().size(), 3);
        QCOMPARE(ownMenu(QStringLiteral("mnuHelp"))->actions().size(), 5);
    }

    void menuEntries_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");       // empty for a separator
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("checkable");

        const QString file = QStringLiteral("mnuFile");
        const auto row = [](const QString &menu, int position, const char *name, const char *caption,
                            const char *shortcut, bool enabled = true, bool visible = true, bool checkable = false) {
            QTest::addRow("%s %d %s", qPrintable(menu), position, name)
                << menu << position << QString::fromLatin1(name) << QString::fromLatin1(caption)
                << QString::fromLatin1(shortcut) << enabled << visible << checkable;
        };
        row(file, 0, "mnuFNew", "&New", "Ctrl+N");
        row(file, 1, "mnuFOpen", "&Open...", "Ctrl+O");
        row(file, 2, "mnuClose", "&Close", "", false);
        row(file, 3, "mnuSave", "&Save", "Ctrl+S", false);
        row(file, 4, "mnuSaveAs", "Save &As...", "Ctrl+A", false);
        row(file, 5, "", "", "");
        row(file, 6, "mnuGetFile", "&Get File", "Ctrl+G", false);
        row(file, 7, "mnuDeleteFile", "&Delete File", "Ctrl+D");
        row(file, 8, "", "", "");
        row(file, 9, "mnuPrint", "&Print", "Ctrl+P", false);
        row(file, 10, "mnuPrintSetup", "P&rint Setup...", "Ctrl+R");
        row(file, 11, "", "", "");
        row(file, 12, "mnuFExit", "E&xit", "");
        row(file, 13, "mnuRecentFile(0)", "", "", true, false);
        for (int i = 1; i <= 8; ++i) {
            const QByteArray name = "mnuRecentFile(" + QByteArray::number(i) + ')';
            QTest::addRow("mnuFile %d %s", 13 + i, name.constData())
                << file << 13 + i << QString::fromLatin1(name) << QStringLiteral("*") << QString() << true << false
                << false;
        }

        const QString window = QStringLiteral("mnuOptions");
        row(window, 0, "PrefMenu", "&Preferences...", "");
        row(window, 1, "ToolBoxMenu", "&Extended Characters", "", true, true, true);
        row(window, 2, "mnuOToolbar", "Extended &Toolbar", "", true, true, true);

        const QString help = QStringLiteral("mnuHelp");
        row(help, 0, "mnuManual(0)", "&Using Vornel", "", true, false);
        row(help, 1, "mnuManual(1)", "Vornel &Manual", "");
        row(help, 2, "", "", "");
        row(help, 3, "mnuTechSupport", "&Getting Help from Teslund", "");
        row(help, 4, "mnuAbout", "&About Vornel", "");
    }

    void menuEntries()
    {
        QFETCH(QString, menu);
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(bool, enabled);
        QFETCH(bool, visible);
        QFETCH(bool, checkable);

        QMenu *top = ownMenu(menu);
        QVERIFY(top);
        QVERIFY(position < top->actions().size());
        QAction *entry = top->actions().at(position);
        if (!name.isEmpty())
            QCOMPARE(entry->objectName(), name);
        // Separators have no caption; the recent-file entries get theirs when filled ("*").
        QCOMPARE(entry->isSeparator(), caption.isEmpty());
        if (!caption.isEmpty() && caption != QStringLiteral("*"))
            QCOMPARE(entry->text(), caption);
        QCOMPARE(entry->shortcut(), QKeySequence(shortcut));
        QCOMPARE(entry->isVisible(), visible);
        // A hidden action always reports itself disabled.
        if (visible)
            QCOMPARE(entry->isEnabled(), enabled);
        QCOMPARE(entry->isCheckable(), checkable);
        if (!name.isEmpty())
            QCOMPARE(m_app->main()->action(name), entry);
    }

    void openingAMenuClearsTheHint_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::newRow("File") << QStringLiteral("mnuFile");
        QTest::newRow("Window") << QStringLiteral("mnuOptions");
        QTest::newRow("Help") << QStringLiteral("mnuHelp");
    }

    void openingAMenuClearsTheHint()
    {
        QFETCH(QString, menu);
        showMain();
        m_app->main()->setStatusText(QStringLiteral("Format heading"));
        QMenu *top = ownMenu(menu);
        top->popup(m_app->main()->mapToGlobal(QPoint(10, 10)));
        QCOMPARE(m_app->main()->statusText(), QString());
        top->close();
    }

    void openingWindowShowsTheToolboxState()
    {
        showMain();
        QMenu *window = ownMenu(QStringLiteral("mnuOptions"));
        QAction *toolbox = m_app->main()->action(QStringLiteral("ToolBoxMenu"));
        for (const qint16 shown : {qint16(-1), qint16(0)}) {
            prefs().ExtShow = shown;
            window->popup(m_app->main()->mapToGlobal(QPoint(10, 10)));
            QCOMPARE(toolbox->isChecked(), shown != 0);
            window->close();
        }
    }

    void menuBarSwitchesWithTheDocuments()
    {
        showMain();
        DocumentWindow *document = m_app->newDocument();
        QCOMPARE(m_app->main()->menuBar()->actions().first()->menu(), document->menus().first());
        document->parentWidget()->close();
        QTRY_COMPARE(m_app->main()->menuBar()->actions().first()->menu(), ownMenu(QStringLiteral("mnuFile")));
        QVERIFY(m_app->main()->menuBar()->actions().first()->menu());
    }

    // ---- extended toolbar ----

    void mainWindowEntryInvertsTheToolbar()
    {
        showMain();
        m_app->main()->setExtendedToolbar(true);
        QAction *entry = m_app->main()->action(QStringLiteral("mnuOToolbar"));

        entry->trigger();
        QVERIFY(!entry->isChecked());
        QVERIFY(m_app->main()->extendedToolbar()->isHidden());

        entry->trigger();
        QVERIFY(entry->isChecked());
        QVERIFY(m_app->main()->extendedToolbar()->isVisible());
    }

    void mainWindowEntryInvertsTheToolbarBeforeTheWindowIsShown()
    {
        m_app->main()->setExtendedToolbar(true);
        m_app->main()->action(QStringLiteral("mnuOToolbar"))->trigger();
        QVERIFY(m_app->main()->extendedToolbar()->isHidden());
        m_app->main()->action(QStringLiteral("mnuOToolbar"))->trigger();
        QVERIFY(!m_app->main()->extendedToolbar()->isHidden());
    }

    void documentEntrySetsTheToolbar()
    {
        showMain();
        DocumentWindow *document = m_app->newDocument();
        QAction *documentEntry = document->action(QStringLiteral("mnuOToolbar"));
        QVERIFY(documentEntry);

        // Check mark set while the toolbar is hidden: the document's entry sets, it does not invert.
        m_app->main()->setExtendedToolbar(true);
        m_app->main()->extendedToolbar()->hide();
        documentEntry->setChecked(false);
        documentEntry->trigger();
        QVERIFY(documentEntry->isChecked());
        QVERIFY(m_app->main()->extendedToolbarChecked());
        QVERIFY(m_app->main()->extendedToolbar()->isVisible());

        documentEntry->trigger();
        QVERIFY(!m_app->main()->extendedToolbarChecked());
        QVERIFY(m_app->main()->extendedToolbar()->isHidden());
    }

    // ---- help ----

    void aboutBoxIsShownModallyFromEitherMenuBar()
    {
        showMain();
        int shown = 0;
        setModalDialogRunner([&shown](QDialog &dialog) {
            ++shown;
            auto *about = qobject_cast<AboutDialog *>(&dialog);
            if (!about)
                return int(QDialog::Rejected);
            [&] {
                QCOMPARE(about->objectName(), QStringLiteral("About"));
                QCOMPARE(about->windowTitle(), QStringLiteral("About Vornel"));
                QVERIFY(about->isModal());
                QCOMPARE(about->productLabel()->text(), QStringLiteral("Vornel Internet Home Page Creator"));
                QVERIFY(about->versionLabel()->text().contains(QStringLiteral("5.0.0")));
                QVERIFY(!about->descriptionLabel()->text().isEmpty());
            }();
            dialog.show();
            QTest::mouseClick(about->okButton(), Qt::LeftButton);
            return dialog.result();
        });

        m_app->main()->action(QStringLiteral("mnuAbout"))->trigger();
        QCOMPARE(shown, 1);

        DocumentWindow *document = m_app->newDocument();
        document->action(QStringLiteral("mnuAbout"))->trigger();
        QCOMPARE(shown, 2);
    }

    void aboutBoxClosesWithOk()
    {
        AboutDialog about(m_app->main());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.okButton()->text(), QStringLiteral("OK"));
        QTest::mouseClick(about.okButton(), Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void supportEntryShowsTheSupportText()
    {
        m_app->platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Technical Support"));
        m_app->main()->action(QStringLiteral("mnuTechSupport"))->trigger();
        QVERIFY(!m_app->platform().callsOf(PlatformCall::Kind::MessageBox).first().text.isEmpty());
    }

    // ---- closing down ----

    void closingWithoutDocumentsWritesThePreferences()
    {
        showMain();
        m_app->main()->move(twipsToPixelsX(1500), twipsToPixelsY(1200));
        m_app->main()->resize(twipsToPixelsX(9000), twipsToPixelsY(6000));
        QTRY_COMPARE(m_app->main()->width(), twipsToPixelsX(9000));
        m_app->main()->setExtendedToolbar(false);
        prefs().Font = QStringLiteral("Courier New");

        QVERIFY(m_app->main()->close());

        QCOMPARE(storedSetting(QStringLiteral("X")), numberToText(pixelsToTwipsX(m_app->main()->x())));
        QCOMPARE(storedSetting(QStringLiteral("Y")), numberToText(pixelsToTwipsY(m_app->main()->y())));
        QCOMPARE(storedSetting(QStringLiteral("Width")), numberToText(pixelsToTwipsX(m_app->main()->width())));
        QCOMPARE(storedSetting(QStringLiteral("Height")), numberToText(pixelsToTwipsY(m_app->main()->height())));
        QCOMPARE(storedSetting(QStringLiteral("ETB")), QStringLiteral(" 0"));
        QCOMPARE(storedSetting(QStringLiteral("Font")), QStringLiteral("Courier New"));
        QCOMPARE(storedSetting(QStringLiteral("ExtShow")), QStringLiteral(" 0"));
    }

    void closingMinimisedKeepsTheStoredGeometry()
    {
        QVERIFY(saveSetting(QStringLiteral("X"), QStringLiteral(" 700")));
        QVERIFY(saveSetting(QStringLiteral("Y"), QStringLiteral(" 800")));
        QVERIFY(saveSetting(QStringLiteral("Width"), QStringLiteral(" 9000")));
        QVERIFY(saveSetting(QStringLiteral("Height"), QStringLiteral(" 7000")));
        showMain();
        m_app->main()->setExtendedToolbar(true);
        m_app->main()->showMinimized();
        QTRY_VERIFY(m_app->main()->isMinimized());

        QVERIFY(m_app->main()->close());

        QCOMPARE(storedSetting(QStringLiteral("X")), QStringLiteral(" 700"));
        QCOMPARE(storedSetting(QStringLiteral("Y")), QStringLiteral(" 800"));
        QCOMPARE(storedSetting(QStringLiteral("Width")), QStringLiteral(" 9000"));
        QCOMPARE(storedSetting(QStringLiteral("Height")), QStringLiteral(" 7000"));
        QCOMPARE(storedSetting(QStringLiteral("ETB")), QStringLiteral("-1"));
    }

    void closingClosesEveryDocumentFirst()
    {
        showMain();
        m_app->newDocument();
        DocumentWindow *changed = m_app->newDocument();
        changed->setChanged(true);
        m_app->platform().expectMessageBox(MsgResult::No, kProductName);

        QVERIFY(m_app->main()->close());

        QVERIFY(!documentTable().anyOpen());
        QVERIFY(settingStored(QStringLiteral("ETB")));
        QVERIFY(settingStored(QStringLiteral("X")));
    }

    void cancelInACloseQuestionStopsTheExit()
    {
        showMain();
        DocumentWindow *changed = m_app->newDocument();
        DocumentWindow *other = m_app->newDocument();
        changed->setChanged(true);
        m_app->platform().expectMessageBox(MsgResult::Cancel, kProductName);

        QVERIFY(!m_app->main()->close());

        QVERIFY(m_app->main()->isVisible());
        QCOMPARE(m_app->main()->documents().size(), 2);
        QVERIFY(m_app->main()->documents().contains(changed));
        QVERIFY(m_app->main()->documents().contains(other));
        QVERIFY(!documentTable().isFree(changed->slot()));
        QVERIFY(!settingStored(QStringLiteral("ETB")));
        QVERIFY(!settingStored(QStringLiteral("X")));
    }

    void exitEntryClosesTheWindow()
    {
        showMain();
        m_app->main()->action(QStringLiteral("mnuFExit"))->trigger();
        QVERIFY(!m_app->main()->isVisible());
        QVERIFY(settingStored(QStringLiteral("ETB")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
