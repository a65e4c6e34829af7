#include "app/main_window.h"
#include "dialogs/extended_characters.h"
#include "dialogs/latin1_entities.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/text_codec.h"
#include "platform/twips.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"
#include "support/hover.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include <memory>
#include <optional>

using namespace vornel;

namespace {

// The hint the status area shows once the mouse moves over the widget (its centre by default).
QString hintOver(MainWindow &main, QWidget *widget, std::optional<QPoint> at = {})
{
    main.setStatusText(QString());
    hover(widget, at);
    return main.statusText();
}

} // namespace

class TestExtendedCharacters : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;

    std::unique_ptr<ExtendedCharactersToolbox> openToolbox()
    {
        auto toolbox = std::make_unique<ExtendedCharactersToolbox>(*m_app->main());
        toolbox->show();
        return toolbox;
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

    void entityOfEveryLetter_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        const QStringList names = QStringLiteral(
            "Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml Igrave Iacute Icirc Iuml "
            "ETH Ntilde Ograve Oacute Ocirc Otilde Ouml Oslash Ugrave Uacute Ucirc Uuml Yacute THORN szlig agrave "
            "aacute acirc atilde auml aring aelig ccedil egrave eacute ecirc euml igrave iacute icirc iuml eth "
            "ntilde ograve oacute ocirc otilde ouml oslash ugrave uacute ucirc uuml yacute thorn yuml")
                                      .split(QLatin1Char(' '));
        int index = 0;
        for (int code = 192; code <= 255; ++code) {
            // The multiplication and division signs have no button and no entity.
            const QString name = code == 215 || code == 247 ? QString() : names.at(index++);
            QTest::addRow("%d %s", code, qPrintable(name)) << code << name;
        }
    }

    void entityOfEveryLetter()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(entityName(code), name);
        QCOMPARE(entityReference(code), name.isEmpty() ? QString() : QLatin1Char('&') + name + QLatin1Char(';'));
        QCOMPARE(extendedCharacterCodes().contains(code), !name.isEmpty());
    }

    void opensWhereItWasAndOnTheScreen()
    {
        QCOMPARE(toolboxStartPosition(QRect(1500, 1200, 10500, 7500)), QPoint(8600, 400));
        QCOMPARE(openToolbox()->pos(), QPoint(twipsToPixelsX(1500), twipsToPixelsY(400)));

        // A main window 45000 twips wide: past a 16-bit number, which must not wrap round.
        toolboxPosition() = toolboxStartPosition(QRect(300, 0, 45000, 9000));
        QCOMPARE(toolboxPosition(), QPoint(41900, 400));
        auto toolbox = openToolbox();
        const QRect screen = toolbox->screen()->availableGeometry();
        // Its frame against the screen's right edge once it has one; no further.
        QTRY_COMPARE(toolbox->frameGeometry().right(), screen.right());
        QCOMPARE(toolbox->pos().y(), twipsToPixelsY(400));
        // Moved no further than needed, and never past the screen's top left.
        QCOMPARE(keptOnScreen(QRect(-90, 0, 200, 300), QRect(0, 20, 1000, 800)), QPoint(0, 20));
        QCOMPARE(keptOnScreen(QRect(100, 100, 200, 300), QRect(0, 20, 1000, 800)), QPoint(100, 100));
        QCOMPARE(keptOnScreen(QRect(500, 500, 1200, 900), QRect(0, 20, 1000, 800)), QPoint(0, 20));
    }

    void aToolWindowWithButtonsInCodeOrder()
    {
        auto toolbox = openToolbox();
        QCOMPARE(toolbox->objectName(), QStringLiteral("Extended"));
        QVERIFY(!toolbox->isModal());
        const auto flags = Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
        QCOMPARE(toolbox->windowFlags() & flags, flags);
        QCOMPARE(prefs().ExtShow, qint16(-1));

        const QList<QToolButton *> buttons = toolbox->characterButtons();
        const QList<int> codes = extendedCharacterCodes();
        QCOMPARE(buttons.size(), codes.size());
        const auto hidden = toolbox->findChild<QToolButton *>(QStringLiteral("CharButton"));
        QVERIFY(hidden && hidden->isHidden());
        const QPoint step = buttons.at(ExtendedCharactersToolbox::kColumns + 1)->pos() - hidden->pos();
        QVERIFY(step.x() >= hidden->width() && step.y() >= hidden->height());
        for (int position = 0; position < buttons.size(); ++position) {
            const QToolButton *button = buttons.at(position);
            QCOMPARE(button->text(), QString(QChar(char16_t(codes.at(position)))));
            QCOMPARE(button->size(), hidden->size());
            // Row after row, each run going on where the one before ended.
            const QPoint cell(position % ExtendedCharactersToolbox::kColumns, position / ExtendedCharactersToolbox::kColumns);
            QCOMPARE(button->pos(), hidden->pos() + QPoint(cell.x() * step.x(), cell.y() * step.y()));
        }
    }

    void modesAndWhatClosingRecords_data()
    {
        QTest::addColumn<qint16>("storedHtml");
        QTest::newRow("opened in characters mode") << qint16(0);
        QTest::newRow("opened in HTML mode") << qint16(-1);
    }

    void modesAndWhatClosingRecords()
    {
        QFETCH(qint16, storedHtml);
        prefs().EInsHTML = storedHtml;
        auto toolbox = openToolbox();
        for (const bool html : {storedHtml != 0, storedHtml == 0, storedHtml != 0}) {
            QCOMPARE(toolbox->actionNote()->text(),
                     html ? QStringLiteral("Buttons will insert HTML codes into active document")
                          : QStringLiteral("Buttons will insert characters into active document"));
            QCOMPARE(toolbox->insertsCharacters(), !html);
            // Only the button to the other mode shows; it switches.
            QCOMPARE(toolbox->htmlButton()->isVisible(), !html);
            QCOMPARE(toolbox->charactersButton()->isVisible(), html);
            QTest::mouseClick(html ? toolbox->charactersButton() : toolbox->htmlButton(), Qt::LeftButton);
        }
        toolbox->move(toolbox->pos() + QPoint(30, 40));
        const QPoint at = toolbox->pos();
        QTest::mouseClick(toolbox->quitButton(), Qt::LeftButton);
        QVERIFY(!toolbox->isVisible());
        QCOMPARE(prefs().EInsHTML, qint16(storedHtml == 0 ? -1 : 0));
        QCOMPARE(prefs().ExtShow, qint16(0));
        QCOMPARE(toolboxPosition(), QPoint(pixelsToTwipsX(at.x()), pixelsToTwipsY(at.y())));
        QCOMPARE(openToolbox()->pos(), at);
    }

    void clickInserts_data()
    {
        QTest::addColumn<bool>("html");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("character at the caret") << false << 233 << "ab|c" << "ab\u00e9|c";
        QTest::newRow("character before a selection") << false << 223 << "a[bc]d" << "a\u00dfbc|d";
        QTest::newRow("entity at the caret") << true << 233 << "ab|c" << "ab&eacute;|c";
        QTest::newRow("entity before a selection") << true << 223 << "a[bc]d" << "a&szlig;bc|d";
    }

    void clickInserts()
    {
        QFETCH(bool, html);
        QFETCH(int, code);
        QFETCH(QString, before);
        QFETCH(QString, after);
        TextArea *area = m_app->newDocument()->textArea();
        setMarked(*area, parseMarked(before));
        prefs().EInsHTML = html ? -1 : 0;
        auto toolbox = openToolbox();
        QTest::mouseClick(toolbox->characterButton(code), Qt::LeftButton);
        QCOMPARE(markedText(*area), after);
        QCOMPARE(QApplication::focusWidget(), area);
        QVERIFY(!toolbox->isActiveWindow());
        QVERIFY(m_app->platform().calls().isEmpty());
    }

    void lastClickedIsHighlightedAndBeepsWithoutADocument()
    {
        auto toolbox = openToolbox();
        QCOMPARE(toolbox->lastClicked(), 0);
        QTest::mouseClick(toolbox->characterButton(200), Qt::LeftButton);
        QTest::mouseClick(toolbox->characterButton(241), Qt::LeftButton);
        QCOMPARE(m_app->platform().beepCount(), 2);
        QCOMPARE(toolbox->lastClicked(), 241);
        QCOMPARE(toolbox->preview()->text(), QStringLiteral("\u00f1"));
        QVERIFY(toolbox->isHighlighted(241));
        QVERIFY(!toolbox->isHighlighted(200));
        QVERIFY(toolbox->characterButton(241)->font().bold());
        QVERIFY(!toolbox->characterButton(200)->font().bold());
        // Highlighted or not, a letter is a push button to a screen reader.
        for (int code : {200, 241}) {
            QAccessibleInterface *letter = QAccessible::queryAccessibleInterface(toolbox->characterButton(code));
            QCOMPARE(letter->role(), QAccessible::PushButton);
            QVERIFY(!letter->state().checkable);
            QVERIFY(!letter->state().checked);
        }

        // With a document: no beep, and the letter is saved as its one byte.
        TextArea *area = m_app->newDocument()->textArea();
        QTest::mouseClick(toolbox->characterButton(233), Qt::LeftButton);
        QCOMPARE(codec::encode(area->text()), QByteArray("\xE9"));
        QCOMPARE(m_app->platform().beepCount(), 2);
    }

    void hints()
    {
        MainWindow &main = *m_app->main();
        auto toolbox = openToolbox();
        QCOMPARE(hintOver(main, toolbox->characterButton(192)), QStringLiteral("Extended characters"));
        QCOMPARE(toolbox->preview()->text(), QStringLiteral("\u00c0"));
        m_app->newDocument();
        const QString letters = QStringLiteral("Insert extended characters into Untitled:1");
        QCOMPARE(hintOver(main, toolbox->characterButton(192)), letters);
        QCOMPARE(hintOver(main, toolbox->htmlButton()),
                 QStringLiteral("Set toolbox behavior to insert HTML codes for extended characters"));
        QCOMPARE(hintOver(main, toolbox->quitButton()), QStringLiteral("Close this toolbox"));
        QCOMPARE(hintOver(main, toolbox->preview()), QStringLiteral("Preview of current extended character"));
        QTest::mouseClick(toolbox->htmlButton(), Qt::LeftButton);
        QCOMPARE(hintOver(main, toolbox->charactersButton()),
                 QStringLiteral("Set toolbox behavior to insert actual extended characters"));
        // The background: the letters' hint, and the preview is cleared.
        QCOMPARE(hintOver(main, toolbox.get(), QPoint(1, 1)), letters);
        QCOMPARE(toolbox->preview()->text(), QString());
    }
};

QTEST_MAIN(TestExtendedCharacters)
#include "tst_extended_characters.moc"
