#include "platform/file_errors.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace vornel;

class TestFileErrors : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void reasonWhenTheSystemSaysNothing_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("expected");
        const QString longName(300, QLatin1Char('n'));
        QTest::newRow("name too long") << longName << "Unknown error" << "File name too long";
        QTest::newRow("path too long")
            << (QStringLiteral("d/").repeated(2100) + QStringLiteral("x.htm")) << "" << "File name too long";
        QTest::newRow("folder missing") << "gone/x.htm" << "Unknown error" << "No such file or directory";
        QTest::newRow("under a plain file") << "plain.txt/x.htm" << "" << "Not a directory";
        QTest::newRow("the system's own words are kept") << "x.htm" << "No space left on device"
                                                         << "No space left on device";
        QTest::newRow("nothing wrong to be found") << "x.htm" << "Unknown error" << "Unknown error";
    }
    void reasonWhenTheSystemSaysNothing()
    {
        QFETCH(QString, relative);
        QFETCH(QString, reported);
        QFETCH(QString, expected);
        QVERIFY(m_dir.isValid());
        writeFileIn(m_dir.path(), QStringLiteral("plain.txt"), "x");
        QCOMPARE(failureReason(m_dir.filePath(relative), reported), expected);
    }

    // A file whose name holds bytes that are no character in the system's encoding (a
    // Latin-1 name in a UTF-8 locale) reaches the program with them replaced: it is there, but
    // cannot be named, and the user is told so rather than that it is missing.
    void unreadableNameInAnotherEncoding()
    {
        QVERIFY(m_dir.isValid());
        const QByteArray raw = QFile::encodeName(m_dir.path()) + "/caf\xE9.htm";
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
        const QString asReceived = QFile::decodeName(raw);
        QVERIFY(asReceived.contains(QChar::ReplacementCharacter));
        const QString reason = unreadableReason(asReceived, QStringLiteral("No such file or directory"));
        // Qt could not remove it with its folder either.
        ::unlink(raw.constData());
        QCOMPARE(reason, QStringLiteral("The name is not valid in the system's character encoding"));
        QCOMPARE(unreadableReason(m_dir.filePath(QStringLiteral("gone.htm")), QString()),
                 QStringLiteral("No such file or directory"));
    }

    void messageWithReason()
    {
        QCOMPARE(withReason(QStringLiteral("Can't open file: /a"), QStringLiteral("Is a directory")),
                 QStringLiteral("Can't open file: /a\n\nIs a directory"));
        QCOMPARE(withReason(QStringLiteral("Can't open file: /a"), QString()), QStringLiteral("Can't open file: /a"));
    }
};

QTEST_GUILESS_MAIN(TestFileErrors)
#include "tst_file_errors.moc"
