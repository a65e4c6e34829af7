#include "editor/insertion.h"
#include "editor/text_area.h"
#include "support/marked_text.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace vornel;

namespace {

// The three operations written directly on a string and a selection, as a reference.
void referenceInline(Marked &m, const QString &tag, bool closeTag)
{
    const QString start = QLatin1Char('<') + tag + QLatin1Char('>');
    QString text = start + m.text.mid(m.start, m.length);
    if (closeTag)
        text += QStringLiteral("</") + tag + QLatin1Char('>');
    m.text.replace(m.start, m.length, text);
    m.start += int(start.size());
}

void referenceBlock(Marked &m, const QString &tag, bool closeTag)
{
    const QString lb = (m.start <= 1 || m.text[m.start - 2] == QLatin1Char('\r')) ? QString() : QStringLiteral("\r\n");
    QString text = lb + QLatin1Char('<') + tag + QLatin1Char('>') + m.text.mid(m.start, m.length);
    if (closeTag)
        text += QStringLiteral("</") + tag + QLatin1Char('>') + lb;
    m.text.replace(m.start, m.length, text);
    m.start += int(text.size());
    m.length = 0;
}

void referenceBefore(Marked &m, const QString &inserted)
{
    const QString text = inserted + m.text.mid(m.start, m.length);
    m.text.replace(m.start, m.length, text);
    m.start += int(text.size());
    m.length = 0;
}

} // namespace

class TestInsertion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_area = new TextArea;
        setInsertionTargetResolver([this] { return m_area; });
    }
    void cleanup()
    {
        setInsertionTargetResolver({});
        delete m_area;
        m_area = nullptr;
    }

    void operations_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<bool>("closeTag");
        QTest::addColumn<QString>("after");

        QTest::newRow("bold at a caret") << "ab|cd" << "inline" << "B" << true << "ab<B>|</B>cd";
        QTest::newRow("bold keeps the selection") << "x[abc]y" << "inline" << "B" << true << "x<B>[abc]</B>y";
        QTest::newRow("bold twice nests") << "<B>[abc]</B>" << "inline" << "B" << true << "<B><B>[abc]</B></B>";
        QTest::newRow("start tag only") << "[abc]" << "inline" << "P" << false << "<P>[abc]";
        QTest::newRow("selection across lines") << "[a~b]" << "inline" << "I" << true << "<I>[a~b]</I>";

        QTest::newRow("block at the very start") << "|abc" << "block" << "HR" << false << "<HR>|abc";
        QTest::newRow("block at position 1") << "a|bc" << "block" << "HR" << false << "a<HR>|bc";
        QTest::newRow("block after CR LF") << "abc~|def" << "block" << "HR" << false << "abc~<HR>|def";
        QTest::newRow("block after lone LF") << "abc^|def" << "block" << "HR" << false << "abc^~<HR>|def";
        // Only a CR two characters back counts as a line start, so a lone CR gets a CR LF too.
        QTest::newRow("block after lone CR") << "abc%|def" << "block" << "HR" << false << "abc%~<HR>|def";
        QTest::newRow("block at end of a line") << "abc|" << "block" << "HR" << false << "abc~<HR>|";
        QTest::newRow("block closed mid-line") << "ab[x]cd" << "block" << "HEAD" << true << "ab~<HEAD>x</HEAD>~|cd";
        QTest::newRow("block closed at line start") << "a~[My page]" << "block" << "TITLE" << true << "a~<TITLE>My page</TITLE>|";
        QTest::newRow("plaintext mid-line") << "zz[abc]" << "block" << "PLAINTEXT" << false << "zz~<PLAINTEXT>abc|";

        QTest::newRow("entity before selection") << "[abc]d" << "before" << "&amp;" << false << "&amp;abc|d";
        QTest::newRow("entity at a caret") << "a|b" << "before" << "&lt;" << false << "a&lt;|b";
        QTest::newRow("fixed text with line break") << "a[b]" << "before" << "<BR>~" << false << "a<BR>\r\nb|";
    }
    void operations()
    {
        QFETCH(QString, before);
        QFETCH(QString, op);
        QFETCH(QString, arg);
        QFETCH(bool, closeTag);
        QFETCH(QString, after);

        const Marked start = parseMarked(before);
        setMarked(*m_area, start);
        const QString argText = parseMarked(arg).text;
        if (op == QLatin1String("inline"))
            insertInlineTag(argText, closeTag);
        else if (op == QLatin1String("block"))
            insertBlockTag(argText, closeTag);
        else
            insertBeforeSelection(argText);

        const Marked expected = parseMarked(after);
        QCOMPARE(m_area->text(), expected.text);
        QCOMPARE(m_area->selStart(), expected.start);
        QCOMPARE(m_area->selLength(), expected.length);

        // Each command is one undo step.
        m_area->undo();
        QCOMPARE(m_area->text(), start.text);
    }

    void nothingHappensWithoutADocument()
    {
        m_area->setText(QStringLiteral("abc"));
        setInsertionTargetResolver([] { return nullptr; });
        insertInlineTag(QStringLiteral("B"), true);
        insertBlockTag(QStringLiteral("HR"), false);
        insertBeforeSelection(QStringLiteral("&amp;"));
        QCOMPARE(m_area->text(), QStringLiteral("abc"));
        setInsertionTargetResolver({});
        insertInlineTag(QStringLiteral("B"), true);
        QCOMPARE(m_area->text(), QStringLiteral("abc"));
    }

    // Random selections in random texts: the text area agrees with the string reference.
    void randomInsertionsAgreeWithReference()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        const QStringList pieces = {QStringLiteral("ab"), QStringLiteral("\r\n"), QStringLiteral("\n"),
                                    QStringLiteral("\r"), QStringLiteral("c"), QStringLiteral("<P>")};
        Marked model;
        for (int i = 0; i < 10; ++i)
            model.text += pieces[rng.bounded(int(pieces.size()))];
        m_area->setText(model.text);
        for (int step = 0; step < 400; ++step) {
            m_area->setSelStart(int(rng.bounded(model.text.size() + 1)));
            m_area->setSelLength(int(rng.bounded(6)));
            model.start = m_area->selStart();
            model.length = m_area->selLength();
            const int op = int(rng.bounded(3));
            const bool closeTag = rng.bounded(2) == 0;
            if (op == 0) {
                insertInlineTag(QStringLiteral("B"), closeTag);
                referenceInline(model, QStringLiteral("B"), closeTag);
            } else if (op == 1) {
                insertBlockTag(QStringLiteral("H1"), closeTag);
                referenceBlock(model, QStringLiteral("H1"), closeTag);
            } else {
                const QString piece = pieces[rng.bounded(int(pieces.size()))];
                insertBeforeSelection(piece);
                referenceBefore(model, piece);
            }
            const QString where = QStringLiteral("seed %1 step %2").arg(seed).arg(step);
            QVERIFY2(m_area->text() == model.text, qPrintable(where));
            QVERIFY2(m_area->selStart() == model.start && m_area->selLength() == model.length, qPrintable(where));
        }
    }

private:
    TextArea *m_area = nullptr;
};

QTEST_MAIN(TestInsertion)
#include "tst_insertion.moc"
