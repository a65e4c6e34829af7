#include "platform/dialog_rules.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QtTest>

using namespace vornel;

class TestLongTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void elided_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxChars");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short enough") << "/home/a.htm" << 20 << "/home/a.htm";
        QTest::newRow("exactly the limit") << "0123456789" << 10 << "0123456789";
        QTest::newRow("keeps more of the end") << "/home/user/sites/web/index.htm" << 16 << "/hom...index.htm";
        QTest::newRow("no room for dots") << "abcdef" << 3 << "abc";
    }
    void elided()
    {
        QFETCH(QString, text);
        QFETCH(int, maxChars);
        QFETCH(QString, expected);
        QCOMPARE(elidedMiddle(text, maxChars), expected);
    }

    void wrapped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short lines stay") << "Can't open: /a.htm\n\nIs a directory"
                                          << "Can't open: /a.htm\n\nIs a directory";
        QTest::newRow("broken after a slash") << "/aaaa/bbbbbbbbbb/cccccccccc" << "/aaaa/bbbbbbbbbb/\ncccccccccc";
        QTest::newRow("broken after a blank") << "word word word word xx" << "word word word word \nxx";
        QTest::newRow("hard break without separators") << QString(45, QLatin1Char('x'))
                                                       << QString(20, QLatin1Char('x')) + QLatin1Char('\n')
                + QString(20, QLatin1Char('x')) + QLatin1Char('\n') + QString(5, QLatin1Char('x'));
    }
    void wrapped()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(wrappedMessageText(text, 20, 1000), expected);
    }

    // A 100 KB recent-file path in the "already open" message: the box, buttons and all, fits
    // on the screen.
    void hugePathFitsInAMessageBox()
    {
        const QString path = QStringLiteral("/home/user/") + QStringLiteral("folder/").repeated(100 * 1024 / 7);
        const QString text = wrappedMessageText(QStringLiteral("The file ") + path + QStringLiteral(" is already open"));
        for (const QString &line : text.split(QLatin1Char('\n')))
            QVERIFY(line.size() <= 80);
        const QString joined = QString(text).remove(QLatin1Char('\n'));
        QVERIFY(joined.endsWith(QStringLiteral("folder/ is already open")));
        QVERIFY(joined.startsWith(QStringLiteral("The file /home/user/")));
        QVERIFY(joined.contains(QStringLiteral("...")));

        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("File Open"), text, QMessageBox::Ok);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize size = box.sizeHint();
        QVERIFY2(size.width() <= screen.width() && size.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
    }
};

QTEST_MAIN(TestLongTexts)
#include "tst_long_texts.moc"
