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

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace vornel;

namespace {

void hover(QWidget *widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void hover(QWidget *widget)
{
    hover(widget, widget->rect().center());
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
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->showMain());
        prefs().EInsHTML = 0;
        prefs().ExtShow = 0;
        toolboxPosition() = QPoint(1500, 400);
    }

    void cleanup()
    {
        m_app.reset();
    }

    // ---- the entity table ----

    void entityOfEveryLetter_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        const char *const names[] = {
            "Agrave", "Aacute", "Acirc", "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave", "Eacute", "Ecirc",
            "Euml", "Igrave", "Iacute", "Icirc", "Iuml", "ETH", "Ntilde", "Ograve", "Oacute", "Ocirc", "Otilde",
            "Ouml", "Oslash", "Ugrave", "Uacute", "Ucirc", "Uuml", "Yacute", "THORN", "szlig", "agrave", "aacute",
            "acirc", "atilde", "auml", "aring", "aelig", "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave",
            "iacute", "icirc", "iuml", "eth", "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "oslash",
            "ugrave", "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml"};
        int index = 0;
        for (int code = 192; code <= 255; ++code) {
            if (code == 215 || code == 247)
                continue;
            QTest::addRow("%d %s", code, names[index]) << code << QString::fromLatin1(names[index]);
            ++index;
        }
    }

    void entityOfEveryLetter()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(entityName(code), name);
        QCOMPARE(entityReference(code), QLatin1Char('&') + name + QLatin1Char(';'));
        // The name spells the letter: its first character is the letter's base (thorn, eth and
        // the sharp s aside).
        const QString base = QString(QChar(char16_t(code))).normalized(QString::NormalizationForm_D).left(1);
        if (!QStringList{"ETH", "THORN", "szlig", "eth", "thorn", "AElig", "aelig", "Oslash", "oslash"}.contains(name))
            QCOMPARE(name.left(1), base);
    }

    void theOfferedCodes()
    {
        const QList<int> codes = extendedCharacterCodes();
        QCOMPARE(codes.size(), 62);
        QVERIFY(std::is_sorted(codes.begin(), codes.end()));
        QCOMPARE(codes.first(), 192);
        QCOMPARE(codes.last(), 255);
        for (const int sign : {215, 247}) {
            QVERIFY(!codes.contains(sign));
            QCOMPARE(entityReference(sign), QString());
        }
        QCOMPARE(entityName(191), QString());
        QCOMPARE(entityName(256), QString());
    }

    // ---- position ----

    void startPosition_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("ordinary") << QRect(1500, 1200, 10500, 7500) << QPoint(8600, 400);
        // 45000 twips is past a 16-bit number: the left edge must not wrap round.
        QTest::newRow("very wide") << QRect(300, 0, 45000, 9000) << QPoint(41900, 400);
        QTest::newRow("narrower than the toolbox") << QRect(0, 0, 2000, 3000) << QPoint(-1400, 400);
    }

    void startPosition()
    {
        QFETCH(QRect, main);
        QFETCH(QPoint, position);
        QCOMPARE(toolboxStartPosition(main), position);
    }

    void keptOnScreen_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QPoint>("corner");
        // The area is 1000 x 800 pixels at (0, 20).
        QTest::newRow("inside") << QRect(100, 100, 200, 300) << QPoint(100, 100);
        QTest::newRow("past the right") << QRect(2900, 27, 200, 300) << QPoint(800, 27);
        QTest::newRow("past the bottom") << QRect(100, 700, 200, 300) << QPoint(100, 520);
        QTest::newRow("above and left") << QRect(-90, 0, 200, 300) << QPoint(0, 20);
        QTest::newRow("larger than the area") << QRect(500, 500, 1200, 900) << QPoint(0, 20);
    }

    void keptOnScreen()
    {
        QFETCH(QRect, window);
        QFETCH(QPoint, corner);
        QCOMPARE(vornel::keptOnScreen(window, QRect(0, 20, 1000, 800)), corner);
    }

    void opensWhereItWasAndOnTheScreen()
    {
        auto toolbox = openToolbox();
        QCOMPARE(toolbox->pos(), QPoint(twipsToPixelsX(1500), twipsToPixelsY(400)));
        toolbox.reset();

        // The right edge of a main window wider than the screen.
        toolboxPosition() = toolboxStartPosition(QRect(0, 0, 45000, 9000));
        toolbox = openToolbox();
        const QRect screen = toolbox->screen()->availableGeometry();
        QVERIFY(screen.contains(QRect(toolbox->pos(), toolbox->size())));
        QCOMPARE(toolbox->x() + toolbox->width(), screen.right() + 1);
    }

    // ---- the window ----

    void aToolWindowAboveTheOthers()
    {
        DocumentWindow *document = m_app->newDocument();
        document->textArea()->setFocus();
        auto toolbox = openToolbox();
        QCOMPARE(toolbox->objectName(), QStringLiteral("Extended"));
        QVERIFY(!toolbox->isModal());
        QVERIFY(toolbox->windowFlags().testFlag(Qt::Tool));
        QVERIFY(toolbox->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(toolbox->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(toolbox->parentWidget(), m_app->main());
        QCOMPARE(QApplication::focusWidget(), document->textArea());
        QCOMPARE(prefs().ExtShow, qint16(-1));
    }

    void buttonsInCodeOrderFromTheTemplate()
    {
        auto toolbox = openToolbox();
        const QList<QToolButton *> buttons = toolbox->characterButtons();
        const QList<int> codes = extendedCharacterCodes();
        QCOMPARE(buttons.size(), codes.size());
        const QToolButton *first = buttons.first();
        const QPoint step = buttons.at(ExtendedCharactersToolbox::kColumns + 1)->pos() - first->pos();
        QVERIFY(step.x() >= first->width() && step.y() >= first->height());
        for (int position = 0; position < buttons.size(); ++position) {
            const QToolButton *button = buttons.at(position);
            const int code = codes.at(position);
            QCOMPARE(button->text(), QString(QChar(char16_t(code))));
            QCOMPARE(toolbox->characterButton(code), button);
            QCOMPARE(button->size(), first->size());
            // Row after row, each run going on where the one before ended.
            const int row = position / ExtendedCharactersToolbox::kColumns;
            const int column = position % ExtendedCharactersToolbox::kColumns;
            QCOMPARE(button->pos(), first->pos() + QPoint(column * step.x(), row * step.y()));
            QVERIFY(button->isVisible());
        }
        QVERIFY(!toolbox->characterButton(215) && !toolbox->characterButton(247));
        const auto hidden = toolbox->findChild<QToolButton *>(QStringLiteral("CharButton"));
        QVERIFY(hidden && hidden->isHidden());
        QCOMPARE(hidden->size(), first->size());
    }

    void opensInTheStoredMode_data()
    {
        QTest::addColumn<qint16>("insertsHtml");
        QTest::addColumn<QString>("note");
        QTest::newRow("characters") << qint16(0) << ExtendedCharactersToolbox::kCharactersNote;
        QTest::newRow("HTML") << qint16(-1) << ExtendedCharactersToolbox::kHtmlNote;
    }

    void opensInTheStoredMode()
    {
        QFETCH(qint16, insertsHtml);
        QFETCH(QString, note);
        prefs().EInsHTML = insertsHtml;
        auto toolbox = openToolbox();
        QCOMPARE(toolbox->actionNote()->text(), note);
        // Only the button to the other mode shows.
        QCOMPARE(toolbox->htmlButton()->isVisible(), insertsHtml == 0);
        QCOMPARE(toolbox->charactersButton()->isVisible(), insertsHtml != 0);
        QCOMPARE(toolbox->htmlButton()->text(), QStringLiteral("Insert &HTML"));
        QCOMPARE(toolbox->charactersButton()->text(), QStringLiteral("Insert &Characters"));
        QCOMPARE(toolbox->quitButton()->text(), QStringLiteral("Quit"));
    }

    void modeButtonsSwitchAndClosingRecordsTheMode()
    {
        auto toolbox = openToolbox();
        QTest::mouseClick(toolbox->htmlButton(), Qt::LeftButton);
        QCOMPARE(toolbox->actionNote()->text(), QStringLiteral("Buttons will insert HTML codes into active document"));
        QVERIFY(toolbox->charactersButton()->isVisible() && !toolbox->htmlButton()->isVisible());
        QVERIFY(!toolbox->insertsCharacters());

        toolbox->move(toolbox->pos() + QPoint(30, 40));
        const QPoint at = toolbox->pos();
        QTest::mouseClick(toolbox->quitButton(), Qt::LeftButton);
        QVERIFY(!toolbox->isVisible());
        QCOMPARE(prefs().EInsHTML, qint16(-1));
        QCOMPARE(prefs().ExtShow, qint16(0));
        QCOMPARE(toolboxPosition(), QPoint(pixelsToTwipsX(at.x()), pixelsToTwipsY(at.y())));

        toolbox = openToolbox();
        QCOMPARE(toolbox->pos(), at);
        QTest::mouseClick(toolbox->charactersButton(), Qt::LeftButton);
        QCOMPARE(toolbox->actionNote()->text(),
                 QStringLiteral("Buttons will insert characters into active document"));
        QVERIFY(toolbox->htmlButton()->isVisible() && !toolbox->charactersButton()->isVisible());
        toolbox->close();
        QCOMPARE(prefs().EInsHTML, qint16(0));
    }

    void modeIsReadFromTheNote()
    {
        // A click asks for "character", closing for "HTML": a note with both counts both ways.
        auto toolbox = openToolbox();
        toolbox->actionNote()->setText(QStringLiteral("HTML character"));
        QVERIFY(toolbox->insertsCharacters());
        toolbox->close();
        QCOMPARE(prefs().EInsHTML, qint16(-1));
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
        QTest::newRow("first") << true << 192 << "|" << "&Agrave;|";
        QTest::newRow("last") << true << 255 << "|" << "&yuml;|";
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

    void aLetterIsSavedAsItsByte()
    {
        TextArea *area = m_app->newDocument()->textArea();
        auto toolbox = openToolbox();
        QTest::mouseClick(toolbox->characterButton(233), Qt::LeftButton);
        QCOMPARE(codec::encode(area->text()), QByteArray("\xE9"));
    }

    void lastClickedIsHighlighted()
    {
        auto toolbox = openToolbox();
        m_app->newDocument();
        QCOMPARE(toolbox->lastClicked(), 0);
        QTest::mouseClick(toolbox->characterButton(200), Qt::LeftButton);
        QTest::mouseClick(toolbox->characterButton(241), Qt::LeftButton);
        QCOMPARE(toolbox->lastClicked(), 241);
        QVERIFY(toolbox->characterButton(241)->isChecked());
        QVERIFY(!toolbox->characterButton(200)->isChecked());
        QCOMPARE(toolbox->preview()->text(), QStringLiteral("\u00f1"));
    }

    void withoutADocumentAClickBeeps()
    {
        auto toolbox = openToolbox();
        QTest::mouseClick(toolbox->characterButton(200), Qt::LeftButton);
        QCOMPARE(m_app->platform().beepCount(), 1);
        QCOMPARE(toolbox->preview()->text(), QStringLiteral("\u00c8"));
        QCOMPARE(toolbox->lastClicked(), 200);
        QVERIFY(toolbox->characterButton(200)->isChecked());
    }

    void hints()
    {
        auto toolbox = openToolbox();
        const auto hintOver = [this](QWidget *widget) {
            m_app->main()->setStatusText(QString());
            hover(widget);
            return m_app->main()->statusText();
        };
        QCOMPARE(hintOver(toolbox->characterButton(192)), QStringLiteral("Extended characters"));
        QCOMPARE(toolbox->preview()->text(), QStringLiteral("\u00c0"));
        m_app->newDocument();
        QCOMPARE(hintOver(toolbox->characterButton(192)), QStringLiteral("Insert extended characters into Untitled:1"));
        QCOMPARE(hintOver(toolbox->htmlButton()),
                 QStringLiteral("Set toolbox behavior to insert HTML codes for extended characters"));
        QCOMPARE(hintOver(toolbox->quitButton()), QStringLiteral("Close this toolbox"));
        QCOMPARE(hintOver(toolbox->preview()), QStringLiteral("Preview of current extended character"));
        QCOMPARE(toolbox->preview()->text(), QStringLiteral("\u00c0"));
        QTest::mouseClick(toolbox->htmlButton(), Qt::LeftButton);
        QCOMPARE(hintOver(toolbox->charactersButton()),
                 QStringLiteral("Set toolbox behavior to insert actual extended characters"));

        // The background: the character buttons' hint, and the preview is cleared.
        m_app->main()->setStatusText(QString());
        hover(toolbox.get(), QPoint(1, 1));
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Insert extended characters into Untitled:1"));
        QCOMPARE(toolbox->preview()->text(), QString());
    }
};

QTEST_MAIN(TestExtendedCharacters)
#include "tst_extended_characters.moc"
