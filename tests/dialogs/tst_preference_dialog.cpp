#include "app/main_window.h"
#include "dialogs/directory_selector.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/image_dialog.h"
#include "dialogs/list_input_box.h"
#include "dialogs/preference_dialog.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"
#include "support/hover.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <functional>
#include <memory>

using namespace vornel;

class TestPreferenceDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_folder;
    QStringList m_shown;

    // Answers the dialogs of type D that the next commands open with act.
    template <typename D>
    void answer(std::function<void(D &)> act)
    {
        setModalDialogRunner([this, act](QDialog &dialog) {
            m_shown << dialog.objectName();
            if (auto *wanted = qobject_cast<D *>(&dialog))
                act(*wanted);
            return dialog.result();
        });
    }
    std::unique_ptr<PreferenceDialog> open() { return std::make_unique<PreferenceDialog>(*m_app->main()); }
    ScriptedPlatform &platform() { return m_app->platform(); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_folder->isValid());
        m_shown.clear();
        // A chosen viewer, so that OK gives back the record it opened with.
        prefs().Viewer = QStringLiteral("firefox");
    }
    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
        m_folder.reset();
    }

    void locationFieldOpensAndCommits_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < kLocationFieldCount; ++i)
            QTest::addRow("Text1(%d)", i) << i;
    }
    void locationFieldOpensAndCommits()
    {
        QFETCH(int, index);
        QString Preferences::*key = locationPreference(index);
        prefs().*key = QStringLiteral("stored %1").arg(index);
        Preferences expected = prefs();
        auto dialog = open();
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(index))->text(), prefs().*key);
        QCOMPARE(dialog->browseButton(index) != nullptr, index != 5 && index != 8);

        dialog->locationField(index)->setText(QStringLiteral("new / \\ %1").arg(index));
        dialog->okButton()->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        expected.*key = QStringLiteral("new / \\ %1").arg(index);
        QCOMPARE(prefs(), expected);
    }

    void unsetViewerShowsEmptyAndOkStoresIt()
    {
        prefs().Viewer = kNoViewer;
        auto dialog = open();
        QCOMPARE(dialog->locationField(1)->text(), QString());
        dialog->okButton()->click();
        QCOMPARE(prefs().Viewer, QString());
    }

    void cancelTouchesNothing()
    {
        const Preferences before = prefs();
        auto dialog = open();
        dialog->locationField(0)->setText(QStringLiteral("x"));
        dialog->emailField()->setText(QStringLiteral("a@b.c"));
        dialog->enterOption(1)->setChecked(true);
        dialog->webServerBox()->click();
        platform().expectColorDialog(Qt::red);
        dialog->foreColorButton()->click();
        dialog->cancelButton()->click();
        QCOMPARE(prefs(), before);
    }

    void generalTabOpensAndCommits()
    {
        for (const char *name : {"b.htt", "A.htt", "c.txt"})
            QVERIFY(writeFile(m_folder->filePath(QLatin1String(name)), ""));
        prefs().MID = QStringLiteral("ann@example.org");
        prefs().Template = QStringLiteral("b.htt");
        prefs().EnterBR = 1;
        prefs().WebServerFileSystem = 2;
        auto dialog = open();
        QCOMPARE(dialog->emailField()->text(), QStringLiteral("ann@example.org"));
        QVERIFY(dialog->enterOption(1)->isChecked() && dialog->webServerBox()->isChecked());
        QStringList templates;
        for (int i = 0; i < dialog->templateList()->count(); ++i)
            templates << dialog->templateList()->itemText(i);
        QCOMPARE(templates, (QStringList{"Vornel Default", "A.htt", "b.htt"}));
        QCOMPARE(dialog->templateList()->currentText(), QStringLiteral("b.htt"));

        dialog->emailField()->clear();  // an emptied address keeps the old one
        dialog->templateList()->setCurrentIndex(0);
        dialog->enterOption(0)->setChecked(true);
        dialog->webServerBox()->click();
        dialog->okButton()->click();
        QCOMPARE(prefs().MID, QStringLiteral("ann@example.org"));
        QCOMPARE(prefs().Template, QStringLiteral("Vornel Default"));
        QCOMPARE(prefs().EnterBR, qint16(0));
        QCOMPARE(prefs().WebServerFileSystem, qint16(1));
    }

    void vanishedTemplateAndOddEnterKeyAreKept()
    {
        prefs().Template = QStringLiteral("gone.htt");
        prefs().EnterBR = 7;
        auto dialog = open();
        QCOMPARE(dialog->templateList()->currentIndex(), -1);
        QVERIFY(!dialog->enterOption(0)->isChecked() && !dialog->enterOption(1)->isChecked());
        dialog->okButton()->click();
        QCOMPARE(prefs().Template, QStringLiteral("gone.htt"));
        QCOMPARE(prefs().EnterBR, qint16(7));
    }

    void webServerBoxSwitchesServerBrowseButtons()
    {
        prefs().WebServerFileSystem = 1;
        auto dialog = open();
        const QList<int> browsing = {0, 1, 2, 3, 4, 6, 7};
        // Unticked at opening, every Browse still starts enabled; a click that unticks disables.
        for (int clicks : {0, 2, 1}) {
            for (int i = 0; i < clicks; ++i)
                dialog->webServerBox()->click();
            for (int i : browsing)
                QCOMPARE(dialog->browseButton(i)->isEnabled(), i < 2 || clicks != 2);
        }
    }

    void fontAndColoursKeptUntilPicked()
    {
        prefs().FColor = qint32(0x80000008u);
        prefs().BColor = 0x00FF0000;  // blue
        prefs().Font = QStringLiteral("No Such Font Family");
        prefs().Size = 12;
        prefs().Bold = -1;
        const Preferences before = prefs();
        auto dialog = open();
        QCOMPARE(dialog->sample()->palette().color(QPalette::Window), QColor(Qt::blue));
        QVERIFY(dialog->sample()->font().bold());
        platform().expectFontDialogCancel();
        dialog->fontButton()->click();
        platform().expectColorDialogCancel();
        dialog->backColorButton()->click();
        QCOMPARE(platform().calls().value(0).font.family(), before.Font);
        QCOMPARE(platform().calls().value(0).font.pointSizeF(), 12.0);
        QCOMPARE(platform().calls().value(1).color, QColor(Qt::blue));
        dialog->okButton()->click();
        QCOMPARE(prefs(), before);
    }

    void pickedFontAndColoursAreCommitted()
    {
        auto dialog = open();
        QFont picked(QStringLiteral("DejaVu Serif"));
        picked.setPointSizeF(9.75);
        picked.setItalic(true);
        platform().expectFontDialog(picked);
        dialog->fontButton()->click();
        QCOMPARE(dialog->sample()->font().pointSizeF(), 9.75);
        platform().expectColorDialog(QColor(0x11, 0x22, 0x33));
        dialog->foreColorButton()->click();
        platform().expectColorDialog(QColor(0xFE, 0xDC, 0xBA));
        dialog->backColorButton()->click();
        QCOMPARE(dialog->sample()->palette().color(QPalette::WindowText), QColor(0x11, 0x22, 0x33));
        dialog->okButton()->click();
        QCOMPARE(prefs().Font, QStringLiteral("DejaVu Serif"));
        QCOMPARE(prefs().Size, qint16(10));
        QCOMPARE(prefs().Italic, qint16(-1));
        QCOMPARE(prefs().Bold, qint16(0));
        QCOMPARE(prefs().FColor, 0x332211);
        QCOMPARE(prefs().BColor, 0xBADCFE);
        QCOMPARE(wholePoints(10.5), qint16(11));
        QCOMPARE(wholePoints(10.25), qint16(10));
    }

    void directoryBrowse_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("typed");   // "<dir>" stands for an existing folder with a blank
        QTest::addColumn<QString>("result");
        for (int i : {0, 2, 3, 4}) {
            QTest::addRow("OK %d", i) << i << true << "<dir>" << "<dir>";
            QTest::addRow("Cancel %d", i) << i << false << "\\www\\docs" << (i == 0 ? "\\www\\docs" : "/www/docs");
        }
    }
    void directoryBrowse()
    {
        QFETCH(int, index);
        QFETCH(bool, ok);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        const QString folder = m_folder->filePath(QStringLiteral("my www"));
        QVERIFY(QDir().mkpath(folder));
        auto dialog = open();
        dialog->locationField(index)->setText(typed.replace(QStringLiteral("<dir>"), folder));
        QString started;
        answer<DirectorySelector>([&](DirectorySelector &selector) {
            started = selector.directories()->path();
            (ok ? selector.okButton() : selector.cancelButton())->click();
        });
        dialog->browseButton(index)->click();
        QCOMPARE(m_shown, QStringList{"frmSelectDir"});
        QCOMPARE(started == folder, ok);
        QCOMPARE(dialog->locationField(index)->text(), result.replace(QStringLiteral("<dir>"), folder));
    }

    void viewerBrowse()
    {
        auto dialog = open();
        dialog->locationField(1)->clear();
        platform().expectOpenDialog(QStringLiteral("/usr/bin/my viewer"));
        platform().expectOpenDialogCancel();
        dialog->browseButton(1)->click();
        dialog->browseButton(1)->click();
        QCOMPARE(dialog->locationField(1)->text(), QStringLiteral("/usr/bin/my viewer"));
        const CommonDialog first = platform().calls().value(0).dialog;
        QCOMPARE(first.dialogTitle, QStringLiteral("Locate HTML Viewer"));
        QCOMPARE(first.filter, QStringLiteral("Program Files (*.exe)|*.exe|All Files (*.*)|*.*"));
        QCOMPARE(first.initDir, QStringLiteral("/usr/bin"));
        QCOMPARE(first.filterIndex, 2);
        QCOMPARE(platform().calls().value(1).dialog.fileName, QStringLiteral("/usr/bin/my viewer"));
    }

    void homePageBrowse()
    {
        auto dialog = open();
        dialog->locationField(6)->setText(QStringLiteral("old/home\\page"));
        QStringList seen;
        QString typed;
        answer<ListInputBox>([&](ListInputBox &box) {
            seen << box.windowTitle() << m_app->main()->commonDialog().dialogTitle;
            box.list()->setEditText(typed);
            (typed.isEmpty() ? box.cancelButton() : box.okButton())->click();
        });
        dialog->browseButton(6)->click();   // cancelled: only the slashes change
        QCOMPARE(dialog->locationField(6)->text(), QStringLiteral("old/home/page"));
        typed = QStringLiteral("C:\\web\\index.htm");
        dialog->browseButton(6)->click();
        QCOMPARE(dialog->locationField(6)->text(), QStringLiteral("C:/web/index.htm"));
        QCOMPARE(seen.mid(0, 2), (QStringList{"Configure Home Page Reference", "Locate Home Page"}));
        QCOMPARE(m_app->main()->commonDialog().dialogTitle, QString());
    }

    void homePictureBrowse()
    {
        auto dialog = open();
        dialog->locationField(7)->setText(QStringLiteral("<IMG SRC=\"home.gif\">"));
        answer<ImageDialog>([](ImageDialog &image) { image.cancelButton()->click(); });
        dialog->browseButton(7)->click();
        QCOMPARE(dialog->locationField(7)->text(), QStringLiteral("<IMG SRC=\"home.gif\">"));

        answer<ImageDialog>([](ImageDialog &image) {
            image.list()->setEditText(QStringLiteral("pics\\home.gif"));
            image.okButton()->click();
        });
        dialog->browseButton(7)->click();
        QCOMPARE(dialog->locationField(7)->text(), QStringLiteral("<IMG ALIGN=bottom  SRC=\"pics/home.gif\">"));
    }

    void statusHints()
    {
        auto dialog = open();
        const StatusHints &hints = dialog->hints();
        QCOMPARE(hints.hintOf(dialog.get()), QStringLiteral("Preference Configuration"));
        QCOMPARE(hints.hintOf(dialog->locationField(8)), QStringLiteral("Define your own \"Go To Homepage\" text"));
        QCOMPARE(hints.hintOf(dialog->findChild<QWidget *>(QStringLiteral("Frame1(1)"))),
                 QStringLiteral("Prefered template for new HMTL pages"));

        // A frame's hint gives way to those of the buttons inside it.
        dialog->tabs()->setCurrentIndex(1);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QWidget *frame = dialog->findChild<QWidget *>(QStringLiteral("Frame1(2)"));
        const auto moveOnFrame = [frame](QPoint at) { hover(frame, at); };
        moveOnFrame(dialog->fontButton()->geometry().center());
        QCOMPARE(m_app->main()->statusText(), QString());
        moveOnFrame(QPoint(2, frame->height() - 2));
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Prefered editor font and colors"));
    }

    void fieldsSelectTheirTextOnFocus()
    {
        auto dialog = open();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->activateWindow();
        const std::pair<QLineEdit *, int> fields[] = {{dialog->locationField(8), 0}, {dialog->emailField(), 1}};
        for (const auto &[field, tab] : fields) {
            dialog->tabs()->setCurrentIndex(tab);
            field->setFocus(Qt::MouseFocusReason);
            QTRY_COMPARE(field->selectedText(), field->text());
        }
    }

    void bothWindowMenusOpenTheDialog()
    {
        answer<PreferenceDialog>([](PreferenceDialog &dialog) { dialog.cancelButton()->click(); });
        m_app->main()->action(QStringLiteral("PrefMenu"))->trigger();
        DocumentWindow *document = m_app->newDocument();
        QAction *item = document->menu(QStringLiteral("mnuWindow"))->actions().first();
        QCOMPARE(item->objectName(), QStringLiteral("mnuPreferences(0)"));
        QCOMPARE(item->text(), QStringLiteral("&Preferences..."));
        item->trigger();
        QCOMPARE(m_shown, (QStringList{"ConfigWindow", "ConfigWindow"}));
    }
};

QTEST_MAIN(TestPreferenceDialog)
#include "tst_preference_dialog.moc"
