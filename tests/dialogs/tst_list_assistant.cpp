#include "app/main_window.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/list_assistant.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QString kDot = QStringLiteral("<BR><IMG ALIGN=bottom  SRC=\"dot.gif\">");

} // namespace

class TestListAssistant : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_folder;

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->showMain());
        currentListKind().clear();
        lastImageBullet().clear();
    }
    void cleanup()
    {
        setModalDialogRunner({});
        QVERIFY(m_app->platform().verifyAllUsed());
        m_app.reset();
        m_folder.reset();
    }

    // Each step is a click on an option ("0".."4") or a text typed into the cleared image box
    // ("=text"); after the steps OK's state, the image box's state and the current kind.
    void dialogRules_data()
    {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("imageBox");
        QTest::addColumn<QString>("kind");
        QTest::newRow("opens waiting") << "" << QStringList{} << false << false << "";
        QTest::newRow("opens with the last bullet, not yet chosen") << kDot << QStringList{} << false << false << kDot;
        QTest::newRow("ordered") << "" << QStringList{"2"} << true << false << "OL";
        QTest::newRow("each option sets its kind") << "" << QStringList{"2", "0", "1", "3"} << true << false << "UL";
        QTest::newRow("image option with an empty box") << "" << QStringList{"2", "4"} << false << true << "OL";
        QTest::newRow("image typed") << "" << QStringList{"4", "=<BR><IMG SRC=\"a.gif\">"} << true << true
                                     << "<BR><IMG SRC=\"a.gif\">";
        QTest::newRow("last bullet enables OK at once") << kDot << QStringList{"4"} << true << true << kDot;
        QTest::newRow("emptied box") << kDot << QStringList{"4", "="} << false << true << kDot;
        QTest::newRow("back to a tag kind") << kDot << QStringList{"4", "2"} << true << false << "OL";
    }
    void dialogRules()
    {
        QFETCH(QString, last);
        QFETCH(QStringList, steps);
        QFETCH(bool, ok);
        QFETCH(bool, imageBox);
        QFETCH(QString, kind);
        lastImageBullet() = last;
        ListAssistant dialog(*m_app->main());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("List Assist"));
        QCOMPARE(dialog.imageBullet()->text(), last);
        for (const QString &step : steps) {
            if (step.startsWith(u'=')) {
                dialog.imageBullet()->clear();
                QTest::keyClicks(dialog.imageBullet(), step.mid(1));
            } else {
                dialog.option(step.toInt())->click();
            }
        }
        QCOMPARE(dialog.okButton()->isEnabled(), ok);
        QCOMPARE(dialog.imageBullet()->isEnabled(), imageBox);
        QCOMPARE(dialog.browseButton()->isEnabled(), imageBox);
        QCOMPARE(currentListKind(), kind);
    }

    void everyCloseButOkEmptiesTheKind()
    {
        for (int way = 0; way < 3; ++way) {
            ListAssistant dialog(*m_app->main());
            dialog.show();
            dialog.option(2)->click();
            QCOMPARE(currentListKind(), QStringLiteral("OL"));
            if (way == 0)
                dialog.cancelButton()->click();
            else if (way == 1)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                dialog.close();
            QCOMPARE(currentListKind(), QString());
        }
    }

    // The whole command through the Lists menu: the assistant is answered with an option (and
    // a typed bullet) and OK, or with Cancel.
    void command_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("option");  // -1: Cancel
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("remembered");
        const QString dot = kDot;
        QTest::newRow("selection to an ordered list") << "x~[a~b]" << "" << 2 << "" << "x~~<OL>~<LI>a~<LI>b~</OL>~|" << "";
        QTest::newRow("selection, cancelled") << "[a~b]" << dot << -1 << "" << "[a~b]" << dot;
        QTest::newRow("skeleton in mid-line") << "ab|" << "" << 0 << "" << "ab~<DIR>~<LI>~<LI>~</DIR>|" << "";
        QTest::newRow("skeleton at a line start") << "a~|" << "" << 1 << "" << "a~<MENU>~<LI>~<LI>~</MENU>|" << "";
        QTest::newRow("nothing selected, cancelled") << "ab|" << "" << -1 << "" << "ab|" << "";
        QTest::newRow("selection with the last bullet")
            << "[a~b]" << dot << 4 << "" << "~" + dot + "a~" + dot + "b|" << dot;
        QTest::newRow("typed bullet is remembered")
            << "[a]" << "" << 4 << "<BR><IMG SRC=\"s.gif\">" << "~<BR><IMG SRC=\"s.gif\">a|" << "<BR><IMG SRC=\"s.gif\">";
        QTest::newRow("other marker is used once, not remembered") << "[a]" << dot << 4 << "* " << "~* a|" << dot;
        QTest::newRow("image lines with nothing selected")
            << "x|y" << "" << 4 << "<BR><IMG SRC=\"s.gif\">"
            << "x~<BR><IMG SRC=\"s.gif\">~<BR><IMG SRC=\"s.gif\">~<BR><IMG SRC=\"s.gif\">~<BR><IMG SRC=\"s.gif\">|y"
            << "<BR><IMG SRC=\"s.gif\">";
    }
    void command()
    {
        QFETCH(QString, before);
        QFETCH(QString, last);
        QFETCH(int, option);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(QString, remembered);
        lastImageBullet() = last;
        DocumentWindow *document = m_app->newDocument();
        setMarked(*document->textArea(), parseMarked(before));
        setModalDialogRunner([&](QDialog &dialog) {
            auto &assistant = static_cast<ListAssistant &>(dialog);
            if (option < 0) {
                assistant.cancelButton()->click();
                return dialog.result();
            }
            assistant.option(option)->click();
            if (!typed.isEmpty()) {
                assistant.imageBullet()->selectAll();
                QTest::keyClicks(assistant.imageBullet(), typed);
            }
            assistant.okButton()->click();
            return dialog.result();
        });
        document->action(QStringLiteral("mnuListAssist"))->trigger();
        QCOMPARE(markedText(*document->textArea()), after);
        QCOMPARE(lastImageBullet(), remembered);
        document->textArea()->undo();
        QCOMPARE(markedText(*document->textArea()).remove(u'[').remove(u']').remove(u'|'),
                 QString(before).remove(u'[').remove(u']').remove(u'|'));
    }

    void browseAsksTheImageDialogWithoutImageMap()
    {
        bool mapBoxShown = true;
        setModalDialogRunner([&](QDialog &dialog) {
            if (dialog.objectName() == QLatin1String("frmGIF")) {
                mapBoxShown = dialog.findChild<QCheckBox *>(QStringLiteral("btnIsmap"))->isVisibleTo(&dialog);
                QTest::keyClicks(dialog.findChild<HistoryComboBox *>()->lineEdit(), QStringLiteral("dot.gif"));
                dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
                return dialog.result();
            }
            return 0;
        });
        ListAssistant dialog(*m_app->main());
        dialog.option(4)->click();
        dialog.browseButton()->click();
        QVERIFY(!mapBoxShown);
        QCOMPARE(dialog.imageBullet()->text(), kDot);
        QCOMPARE(currentListKind(), kDot);
        QVERIFY(dialog.okButton()->isEnabled());
        QCOMPARE(m_app->main()->commonDialog().dialogTitle, QString());
    }
};

QTEST_MAIN(TestListAssistant)
#include "tst_list_assistant.moc"
