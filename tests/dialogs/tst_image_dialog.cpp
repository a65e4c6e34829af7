#include "app/main_window.h"
#include "dialogs/dialog_result.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/image_dialog.h"
#include "dialogs/server_path.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"
#include "support/hover.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace vornel;

Q_DECLARE_METATYPE(vornel::ImageAlignment)

namespace {

const QByteArray kHistory = "a.gif\r\nb.gif\r\n";

} // namespace

class TestImageDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_folder;

    QString historyPath() const { return m_folder->filePath(QStringLiteral("gif-list.qvl")); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_folder->isValid());
        QVERIFY(writeFile(historyPath(), kHistory));
        dialogResultText() = QStringLiteral("left over");
    }
    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
        m_folder.reset();
    }

    void tagBody_data()
    {
        QTest::addColumn<ImageAlignment>("alignment");
        QTest::addColumn<QString>("alt");
        QTest::addColumn<bool>("isMap");
        QTest::addColumn<QString>("body");
        QTest::newRow("top") << ImageAlignment::Top << "" << false << "IMG ALIGN=top  SRC=\"a.gif\"";
        QTest::newRow("map with alternate text")
            << ImageAlignment::Middle << "Logo" << true << "IMG ISMAP ALIGN=middle ALT=\"Logo\"  SRC=\"a.gif\"";
        QTest::newRow("bottom, map") << ImageAlignment::Bottom << "" << true << "IMG ISMAP ALIGN=bottom  SRC=\"a.gif\"";
        QTest::newRow("as typed") << ImageAlignment::Top << "a \"b\" & c" << false
                                  << "IMG ALIGN=top ALT=\"a \"b\" & c\"  SRC=\"a.gif\"";
    }
    void tagBody()
    {
        QFETCH(ImageAlignment, alignment);
        QFETCH(QString, alt);
        QFETCH(bool, isMap);
        QFETCH(QString, body);
        QCOMPARE(imageTagBody(alignment, alt, isMap, QStringLiteral("a.gif")), body);

        ImageDialog dialog(*m_app->main());
        QTest::keyClicks(dialog.list()->lineEdit(), QStringLiteral("a.gif"));
        dialog.alignButton(alignment)->click();
        dialog.altText()->setText(alt);
        dialog.isMap()->setChecked(isMap);
        dialog.okButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialogResultText(), body);
    }

    void opensWithBottomChosen()
    {
        ImageDialog dialog(*m_app->main());
        QCOMPARE(dialog.objectName(), QStringLiteral("frmGIF"));
        QCOMPARE(dialog.list()->count(), 2);
        QVERIFY(dialog.alignButton(ImageAlignment::Bottom)->isChecked());
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblFile"))->text(),
                 QStringLiteral("Select or enter the image file name, or click \"Browse\" to search the available file "
                                "systems:"));
        QVERIFY(dialog.okButton()->isDefault());
        const QPoint mainCentre = m_app->main()->frameGeometry().center();
        QVERIFY(qAbs(dialog.x() + dialog.width() / 2 - mainCentre.x()) <= 1);
        QVERIFY(qAbs(dialog.y() + dialog.height() / 2 - mainCentre.y()) <= 1);
        // What the dialog shows checked is what the tag says; Enter is OK.
        dialog.show();
        QTest::keyClicks(dialog.list()->lineEdit(), QStringLiteral("a.gif"));
        QTest::keyClick(dialog.list(), Qt::Key_Return);
        QCOMPARE(dialogResultText(), QStringLiteral("IMG ALIGN=bottom  SRC=\"a.gif\""));
    }

    void okNeedsAFileName()
    {
        ImageDialog dialog(*m_app->main());
        QVERIFY(!dialog.okButton()->isEnabled());
        QTest::keyClicks(dialog.list()->lineEdit(), QStringLiteral("x"));
        QVERIFY(dialog.okButton()->isEnabled());
        QTest::keyClick(dialog.list()->lineEdit(), Qt::Key_Backspace);
        QVERIFY(!dialog.okButton()->isEnabled());
        QTest::keyClick(dialog.list(), Qt::Key_Down);
        QVERIFY(dialog.okButton()->isEnabled());
        dialog.removeButton()->click();
        QVERIFY(!dialog.okButton()->isEnabled());
    }

    void historyIsWrittenHoweverTheDialogCloses_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("removeFirst");
        QTest::addColumn<QByteArray>("history");
        QTest::newRow("OK") << true << false << kHistory + "new.gif\r\n";
        QTest::newRow("Cancel") << false << false << kHistory + "new.gif\r\n";
        QTest::newRow("removal, OK") << true << true << QByteArray("b.gif\r\n");
        QTest::newRow("removal, Cancel") << false << true << QByteArray("b.gif\r\n");
    }
    void historyIsWrittenHoweverTheDialogCloses()
    {
        QFETCH(bool, ok);
        QFETCH(bool, removeFirst);
        QFETCH(QByteArray, history);
        ImageDialog dialog(*m_app->main());
        if (removeFirst) {
            QTest::keyClick(dialog.list(), Qt::Key_Down);
            dialog.removeButton()->click();
        }
        QTest::keyClicks(dialog.list()->lineEdit(), QStringLiteral("new.gif"));
        (ok ? dialog.okButton() : dialog.cancelButton())->click();
        QCOMPARE(dialogResultText().isEmpty(), !ok);
        QCOMPARE(readFile(historyPath()), history);
    }

    void altTextIsSelectedOnEntry()
    {
        ImageDialog dialog(*m_app->main());
        dialog.altText()->setText(QStringLiteral("old text"));
        dialog.altText()->deselect();
        QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(dialog.altText(), &in);
        QTRY_COMPARE(dialog.altText()->selectedText(), QStringLiteral("old text"));
    }

    void help()
    {
        m_app->platform().expectMessageBox(
            MsgResult::Ok, QStringLiteral("Define Image"),
            QStringLiteral("A few text based browsers cannot display images. Also, most browsers will take some time "
                           "to retrieve images over dial-up connections. Alternate text describes the graphic "
                           "referneced.\r\n\r\nUse alignment to adjust the location of text immediately following "
                           "an image.\r\n\r\nIf the image will be used to create an Image Map, check the box."));
        ImageDialog dialog(*m_app->main());
        dialog.helpButton()->click();
    }

    void controls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        const auto row = [](const char *control, const char *text, const char *hint) {
            QTest::newRow(control) << QString::fromLatin1(control) << QString::fromLatin1(text) << QString::fromLatin1(hint);
        };
        const char *alt = "Image description for text only browsers or during slow load of images";
        row("cmdOK", "OK", "Close this window and use selection");
        row("cmdCancel", "Cancel", "Close this window, aborting action");
        row("cmdRemove", "Remove From List", "Remove selected item from drop-down list");
        row("cmdBrowse", "Browse...", "Locate a new selection on the available file system");
        row("cmdHelp", "&Help", "Information about using alignment and alternate text");
        row("LIBListBox", "", "Select from list of previous selections");
        row("optTop", "Top", "Text after image will be aligned to the top of the image");
        row("optMiddle", "Middle", "Text after image will be aligned to the vertical center of the image");
        row("optBottom", "Bottom", "Text after image will be aligned to the bottom of the image");
        row("AltText", "", alt);
        row("lblAltText", "Alternate Text (while loading image or for text-only browsers)", alt);
        row("btnIsmap", "Image will be used to create an Image Map", "Image will be used for an image map");
        row("frmGIF", "Define Image", "Select from list or enter a new selection");
    }
    void controls()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        ImageDialog dialog(*m_app->main());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QWidget *target = dialog.findChild<QWidget *>(control);
        target = target ? target : &dialog;
        QCOMPARE(target == &dialog ? dialog.windowTitle() : target->property("text").toString(), text);
        if (auto *list = qobject_cast<HistoryComboBox *>(target))
            target = list->lineEdit();
        const QPoint at = target == &dialog ? QPoint(2, 2) : target->rect().center();
        hover(target, at);
        QCOMPARE(m_app->main()->statusText(), hint);
    }

    void openerBrowsesForImages_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void openerBrowsesForImages()
    {
        QFETCH(bool, ok);
        prefs().GifPath = QStringLiteral("images");
        m_app->platform().expectOpenDialog(QStringLiteral("/home/me/pictures/x.gif"));
        setModalDialogRunner([this, ok](QDialog &dialog) {
            auto *image = qobject_cast<ImageDialog *>(&dialog);
            if (image) {
                [this] { QCOMPARE(m_app->main()->commonDialog().filter, kGifBrowseFilter); }();
                image->browseButton()->click();
                (ok ? image->okButton() : image->cancelButton())->click();
            }
            return dialog.result();
        });
        const QString body = showImageDialog(*m_app->main());
        QCOMPARE(body, ok ? QStringLiteral("IMG ALIGN=bottom  SRC=\"images/x.gif\"") : QString());
        const PlatformCall shown = m_app->platform().calls().value(0);
        QCOMPARE(shown.title, QStringLiteral("Locate Image"));
        QCOMPARE(shown.dialog.filter, kImageBrowseFilter);
        QCOMPARE(shown.dialog.filterIndex, 2);
        QCOMPARE(m_app->main()->commonDialog().dialogTitle, QString());
        QCOMPARE(readFile(historyPath()), kHistory + "images/x.gif\r\n");
    }
};

QTEST_MAIN(TestImageDialog)
#include "tst_image_dialog.moc"
