#include "app/main_window.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/image_dialog.h"
#include "dialogs/list_input_box.h"
#include "dialogs/modal_dialog.h"
#include "dialogs/preference_dialog.h"
#include "dialogs/status_hints.h"
#include "editor/document_window.h"
#include "prefs/color_number.h"
#include "prefs/directory_selector.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
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

    // Answers the dialog of type D that the next command opens with answer.
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
        QTest::addColumn<QString>("label");
        const char *labels[] = {"Local Document Directory", "Local HTML Viewer", "Web Server Documents",
                                "Web Server GIF Files (relative)", "Web Server Multimedia Files (relative)",
                                "Default File Service (e.g.,  ftp: path)", "Hompage", "Homepage Picture Button",
                                "\"Go To Homepage\" Text"};
        for (int i = 0; i < kLocationFieldCount; ++i)
            QTest::addRow("Text1(%d)", i) << i << QString::fromLatin1(labels[i]);
    }
    void locationFieldOpensAndCommits()
    {
        QFETCH(int, index);
        QFETCH(QString, label);
        QString Preferences::*key = locationPreference(index);
        prefs().*key = QStringLiteral("stored %1").arg(index);
        const Preferences before = prefs();
        auto dialog = open();
        QCOMPARE(dialog->locationField(index)->objectName(), QStringLiteral("Text1(%1)").arg(index));
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Label1(%1)").arg(index))->text(), label);
        QCOMPARE(dialog->locationField(index)->text(), prefs().*key);
        QCOMPARE(dialog->browseButton(index) != nullptr, index != 5 && index != 8);

        dialog->locationField(index)->setText(QStringLiteral("new / \\ %1").arg(index));
        dialog->okButton()->click();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        Preferences expected = before;
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
        for (int i = 0; i < kLocationFieldCount; ++i)
            dialog->locationField(i)->setText(QStringLiteral("x"));
        dialog->emailField()->setText(QStringLiteral("a@b.c"));
        dialog->enterOption(1)->setChecked(true);
        dialog->webServerBox()->click();
        m_app->platform().expectColorDialog(Qt::red);
        dialog->foreColorButton()->click();
        dialog->cancelButton()->click();
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCOMPARE(prefs(), before);
    }

    void generalTabOpensAndCommits()
    {
        QVERIFY(writeFile(m_folder->filePath(QStringLiteral("b.htt")), ""));
        QVERIFY(writeFile(m_folder->filePath(QStringLiteral("A.htt")), ""));
        QVERIFY(writeFile(m_folder->filePath(QStringLiteral("c.txt")), ""));
        prefs().MID = QStringLiteral("ann@example.org");
        prefs().Template = QStringLiteral("b.htt");
        prefs().EnterBR = 1;
        prefs().WebServerFileSystem = 2;
        auto dialog = open();
        QCOMPARE(dialog->tabs()->tabText(0), QStringLiteral("Location of Files"));
        QCOMPARE(dialog->tabs()->tabText(1), QStringLiteral("General"));
        QCOMPARE(dialog->emailField()->text(), QStringLiteral("ann@example.org"));
        QVERIFY(dialog->enterOption(1)->isChecked() && !dialog->enterOption(0)->isChecked());
        QVERIFY(dialog->webServerBox()->isChecked());
        QStringList templates;
        for (int i = 0; i < dialog->templateList()->count(); ++i)
            templates << dialog->templateList()->itemText(i);
        QCOMPARE(templates, (QStringList{"Vornel Default", "A.htt", "b.htt"}));
        QCOMPARE(dialog->templateList()->currentText(), QStringLiteral("b.htt"));

        dialog->emailField()->clear();            // an emptied address keeps the old one
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
        prefs().WebServerFileSystem = 1;
        auto dialog = open();
        QCOMPARE(dialog->templateList()->itemText(0), QStringLiteral("Vornel Default"));
        QCOMPARE(dialog->templateList()->currentIndex(), -1);
        QVERIFY(!dialog->enterOption(0)->isChecked() && !dialog->enterOption(1)->isChecked());
        QVERIFY(!dialog->webServerBox()->isChecked());
        dialog->okButton()->click();
        QCOMPARE(prefs().Template, QStringLiteral("gone.htt"));
        QCOMPARE(prefs().EnterBR, qint16(7));
        QCOMPARE(prefs().WebServerFileSystem, qint16(1));
    }

    void webServerBoxSwitchesServerBrowseButtons()
    {
        prefs().WebServerFileSystem = 1;
        auto dialog = open();
        // Unticked at opening, every Browse still starts enabled.
        for (int i : {0, 1, 2, 3, 4, 6, 7})
            QVERIFY(dialog->browseButton(i)->isEnabled());
        dialog->webServerBox()->click();
        dialog->webServerBox()->click();
        for (int i : {0, 1, 2, 3, 4, 6, 7})
            QCOMPARE(dialog->browseButton(i)->isEnabled(), i < 2);
        dialog->webServerBox()->click();
        for (int i : {2, 3, 4, 6, 7})
            QVERIFY(dialog->browseButton(i)->isEnabled());
    }

    void sampleKeepsStoredLookUntilPicked()
    {
        prefs().FColor = qint32(0x80000008u);
        prefs().BColor = 0x00FF0000;  // blue
        prefs().Font = QStringLiteral("No Such Font Family");
        prefs().Size = 12;
        prefs().Bold = -1;
        prefs().Italic = 0;
        const Preferences before = prefs();
        auto dialog = open();
        QCOMPARE(dialog->sample()->text(), QStringLiteral("Aa Bb Yy Zz"));
        QCOMPARE(dialog->sample()->palette().color(QPalette::Window), QColor(Qt::blue));
        QVERIFY(dialog->sample()->font().bold());
        QCOMPARE(dialog->sample()->font().pointSizeF(), 12.0);
        m_app->platform().expectFontDialogCancel();
        dialog->fontButton()->click();
        m_app->platform().expectColorDialogCancel();
        dialog->backColorButton()->click();
        QCOMPARE(m_app->platform().calls().value(1).color, QColor(Qt::blue));
        dialog->okButton()->click();
        QCOMPARE(prefs(), before);
    }

    void pickedFontAndColoursAreCommitted()
    {
        auto dialog = open();
        QFont picked(QStringLiteral("DejaVu Serif"));
        picked.setPointSizeF(9.75);
        picked.setItalic(true);
        picked.setBold(false);
        m_app->platform().expectFontDialog(picked);
        dialog->fontButton()->click();
        // Preset with the stored font.
        QCOMPARE(m_app->platform().calls().value(0).font.family(), prefs().Font);
        QCOMPARE(m_app->platform().calls().value(0).font.pointSizeF(), double(prefs().Size));
        QCOMPARE(dialog->sample()->font().pointSizeF(), 9.75);
        m_app->platform().expectColorDialog(QColor(0x11, 0x22, 0x33));
        dialog->foreColorButton()->click();
        m_app->platform().expectColorDialog(QColor(0xFE, 0xDC, 0xBA));
        dialog->backColorButton()->click();
        QCOMPARE(dialog->sample()->palette().color(QPalette::WindowText), QColor(0x11, 0x22, 0x33));
        dialog->okButton()->click();
        QCOMPARE(prefs().Font, QStringLiteral("DejaVu Serif"));
        QCOMPARE(prefs().Size, qint16(10));
        QCOMPARE(prefs().Italic, qint16(-1));
        QCOMPARE(prefs().Bold, qint16(0));
        QCOMPARE(prefs().FColor, 0x332211);
        QCOMPARE(prefs().BColor, 0xBADCFE);
    }

    void wholePoints_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("points");
        QTest::newRow("9.75") << 9.75 << 10;
        QTest::newRow("10.25") << 10.25 << 10;
        QTest::newRow("half") << 10.5 << 11;
        QTest::newRow("whole") << 8.0 << 8;
    }
    void wholePoints()
    {
        QFETCH(double, size);
        QFETCH(int, points);
        QCOMPARE(int(vornel::wholePoints(size)), points);
    }

    void directoryBrowse_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");  // "<dir>" stands for the chosen folder
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
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("my www"));
        QVERIFY(QDir().mkpath(folder));
        typed.replace(QStringLiteral("<dir>"), folder);
        result.replace(QStringLiteral("<dir>"), folder);
        auto dialog = open();
        dialog->locationField(index)->setText(typed);
        QString started;
        answer<DirectorySelector>([&](DirectorySelector &selector) {
            started = selector.directories()->path();
            (ok ? selector.okButton() : selector.cancelButton())->click();
        });
        dialog->browseButton(index)->click();
        QCOMPARE(m_shown, QStringList{"frmSelectDir"});
        if (ok)
            QCOMPARE(started, folder);
        QCOMPARE(dialog->locationField(index)->text(), result);
    }

    void viewerBrowse()
    {
        auto dialog = open();
        dialog->locationField(1)->clear();
        m_app->platform().expectOpenDialog(QStringLiteral("/usr/bin/my viewer"));
        dialog->browseButton(1)->click();
        QCOMPARE(dialog->locationField(1)->text(), QStringLiteral("/usr/bin/my viewer"));
        const CommonDialog shown = m_app->platform().calls().value(0).dialog;
        QCOMPARE(shown.dialogTitle, QStringLiteral("Locate HTML Viewer"));
        QCOMPARE(shown.filter, QStringLiteral("Program Files (*.exe)|*.exe|All Files (*.*)|*.*"));
        QCOMPARE(shown.initDir, QStringLiteral("/usr/bin"));
        QCOMPARE(shown.fileName, QString());
        QCOMPARE(shown.filterIndex, 2);

        m_app->platform().expectOpenDialogCancel();
        dialog->browseButton(1)->click();
        QCOMPARE(m_app->platform().calls().value(1).dialog.fileName, QStringLiteral("/usr/bin/my viewer"));
        QCOMPARE(dialog->locationField(1)->text(), QStringLiteral("/usr/bin/my viewer"));
        QCOMPARE(m_app->main()->commonDialog().dialogTitle, QString());
    }

    void homePageBrowse_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("chosen") << "C:\\web\\index.htm" << "C:/web/index.htm";
        QTest::newRow("cancelled") << "" << "old/home\\page";
    }
    void homePageBrowse()
    {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        prefs().HomePage = QStringLiteral("old\\home\\page");
        auto dialog = open();
        dialog->locationField(6)->setText(QStringLiteral("old/home\\page"));
        QString caption;
        QString title;
        answer<ListInputBox>([&](ListInputBox &box) {
            caption = box.windowTitle();
            title = m_app->main()->commonDialog().dialogTitle;
            box.list()->setEditText(typed);
            (typed.isEmpty() ? box.cancelButton() : box.okButton())->click();
        });
        dialog->browseButton(6)->click();
        QCOMPARE(caption, QStringLiteral("Configure Home Page Reference"));
        QCOMPARE(title, QStringLiteral("Locate Home Page"));
        QCOMPARE(dialog->locationField(6)->text(), typed.isEmpty() ? QStringLiteral("old/home/page") : result);
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
        QCOMPARE(m_shown, (QStringList{"frmGIF", "frmGIF"}));
    }

    void helpMessages()
    {
        auto dialog = open();
        m_app->platform().expectMessageBox(
            MsgResult::Ok, QStringLiteral("Vornel Internet Home Page Creator"),
            QStringLiteral("If the WEB server file system is available, selecting this check box enables searching "
                           "of the Web Server file system for applicable files, images, and documents."));
        dialog->webServerHelpButton()->click();
        m_app->platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Configuring the Enter key"),
                                           QStringLiteral("Most HTML viewers will ignore blank spaces (except in "
                                                          "<PRE>formatted text). Select <BR> to create an HTML "
                                                          "newline whenever the Enter key is pressed."));
        dialog->enterHelpButton()->click();
    }

    void statusHints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("background") << "ConfigWindow" << "Preference Configuration";
        QTest::newRow("Text1(2)") << "Text1(2)" << "Define path to documnents on server";
        QTest::newRow("Text1(8)") << "Text1(8)" << "Define your own \"Go To Homepage\" text";
        QTest::newRow("Browse(7)") << "Browse(7)"
                                   << "If this workstation is the Web server, locate image for \"Go To Homepage\" "
                                      "references";
        QTest::newRow("chkDOSFS") << "chkDOSFS" << "Enables searching of Web Server file system, if available.";
        QTest::newRow("e-mail frame") << "Frame1(0)" << "Prefered Email address for MAILTO references";
        QTest::newRow("template frame") << "Frame1(1)" << "Prefered template for new HMTL pages";
        QTest::newRow("Label5") << "Label5" << "Edit window sample text";
        QTest::newRow("Command1") << "Command1" << "Select prefered <Enter> key behavior";
        QTest::newRow("EnterSelect(1)") << "EnterSelect(1)" << "<Enter> key also sends HTML newline <BR>";
        QTest::newRow("Command2") << "Command2" << "Close this window, aborting changes";
    }
    void statusHints()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        auto dialog = open();
        QWidget *widget = name == dialog->objectName() ? dialog.get() : dialog->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(dialog->hints().hintOf(widget), hint);
        QCOMPARE(dialog->hints().hintOf(dialog->tabs()->tabBar()), QStringLiteral("Preference Configuration"));
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
            QVERIFY(!field->text().isEmpty());
            field->setFocus(Qt::MouseFocusReason);
            QTRY_COMPARE(field->selectedText(), field->text());
        }
    }

    void frameHintGivesWayToItsButtons()
    {
        auto dialog = open();
        dialog->resize(700, 700);
        dialog->tabs()->setCurrentIndex(1);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QWidget *frame = dialog->findChild<QWidget *>(QStringLiteral("Frame1(2)"));
        QMouseEvent overButton(QEvent::MouseMove, dialog->fontButton()->geometry().center(), QPointF(), Qt::NoButton,
                               Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(frame, &overButton);
        QCOMPARE(m_app->main()->statusText(), QString());
        QTest::mouseMove(dialog->fontButton());
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Select editor window font"));
        QMouseEvent overFrame(QEvent::MouseMove, QPointF(2, frame->height() - 2), QPointF(), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(frame, &overFrame);
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Prefered editor font and colors"));
    }

    void bothWindowMenusOpenTheDialog()
    {
        answer<PreferenceDialog>([](PreferenceDialog &dialog) { dialog.cancelButton()->click(); });
        m_app->main()->action(QStringLiteral("PrefMenu"))->trigger();
        DocumentWindow *document = m_app->newDocument();
        QAction *item = document->action(QStringLiteral("mnuPreferences(0)"));
        QCOMPARE(item->text(), QStringLiteral("&Preferences..."));
        QCOMPARE(document->menu(QStringLiteral("mnuWindow"))->actions().first(), item);
        item->trigger();
        QCOMPARE(m_shown, (QStringList{"ConfigWindow", "ConfigWindow"}));
    }
};

QTEST_MAIN(TestPreferenceDialog)
#include "tst_preference_dialog.moc"
