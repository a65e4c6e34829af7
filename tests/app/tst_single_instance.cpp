#include "app/single_instance.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

using namespace vornel;

// Two starts of the program, played by two SingleInstance objects in one process that share a
// server name in a temporary folder.
class TestSingleInstance : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_name;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_name = m_dir->filePath(QStringLiteral("instance"));
    }

    void cleanup() { m_dir.reset(); }

    void firstStartListens_data()
    {
        QTest::addColumn<bool>("fileNamed");
        QTest::newRow("without a file") << false;
        QTest::newRow("with a file") << true;
    }

    void firstStartListens()
    {
        QFETCH(bool, fileNamed);
        SingleInstance first(m_name);
        QCOMPARE(first.start(fileNamed), SingleInstance::Outcome::First);
        QVERIFY(first.isListening());
    }

    void secondStartWithoutAFileEndsAndTheFirstComesForward()
    {
        SingleInstance first(m_name);
        QCOMPARE(first.start(false), SingleInstance::Outcome::First);
        QSignalSpy activations(&first, &SingleInstance::activationRequested);

        SingleInstance second(m_name);
        QCOMPARE(second.start(false), SingleInstance::Outcome::EndThisInstance);
        QVERIFY(!second.isListening());
        QTRY_COMPARE(activations.count(), 1);
        QVERIFY(first.isListening());
    }

    void secondStartWithAFileStartsWithoutAsking()
    {
        SingleInstance first(m_name);
        QCOMPARE(first.start(false), SingleInstance::Outcome::First);
        QSignalSpy activations(&first, &SingleInstance::activationRequested);

        SingleInstance second(m_name);
        QCOMPARE(second.start(true), SingleInstance::Outcome::Further);
        QVERIFY(!second.isListening());
        QVERIFY(first.isListening());

        // A later start without a file still reaches the first instance, and only its request
        // counts: the start with a file asked for nothing.
        SingleInstance third(m_name);
        QCOMPARE(third.start(false), SingleInstance::Outcome::EndThisInstance);
        QTRY_COMPARE(activations.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(activations.count(), 1);
    }

    void everyLaterStartIsHeard()
    {
        SingleInstance first(m_name);
        QCOMPARE(first.start(false), SingleInstance::Outcome::First);
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        for (int start = 1; start <= 3; ++start) {
            SingleInstance later(m_name);
            QCOMPARE(later.start(false), SingleInstance::Outcome::EndThisInstance);
            QTRY_COMPARE(activations.count(), start);
        }
    }

    void socketLeftByACrashedInstanceIsTakenOver()
    {
        QFile stale(m_name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();

        SingleInstance first(m_name);
        QCOMPARE(first.start(false), SingleInstance::Outcome::First);
        QVERIFY(first.isListening());
        QSignalSpy activations(&first, &SingleInstance::activationRequested);

        SingleInstance second(m_name);
        QCOMPARE(second.start(false), SingleInstance::Outcome::EndThisInstance);
        QTRY_COMPARE(activations.count(), 1);
    }

    void startAfterTheFirstInstanceEndedIsFirstAgain()
    {
        {
            SingleInstance first(m_name);
            QCOMPARE(first.start(false), SingleInstance::Outcome::First);
        }
        SingleInstance next(m_name);
        QCOMPARE(next.start(false), SingleInstance::Outcome::First);
        QVERIFY(next.isListening());
    }

    void minimisedWindowIsRestoredAndRaised_data()
    {
        QTest::addColumn<bool>("wasMaximised");
        QTest::newRow("normal") << false;
        QTest::newRow("maximised") << true;
    }

    void minimisedWindowIsRestoredAndRaised()
    {
        QFETCH(bool, wasMaximised);
        QWidget window;
        window.resize(300, 200);
        if (wasMaximised)
            window.showMaximized();
        else
            window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showMinimized();
        QTRY_VERIFY(window.isMinimized());

        SingleInstance first(m_name);
        QCOMPARE(first.start(false), SingleInstance::Outcome::First);
        connect(&first, &SingleInstance::activationRequested, &window, [&window] { bringForward(window); });
        SingleInstance second(m_name);
        QCOMPARE(second.start(false), SingleInstance::Outcome::EndThisInstance);

        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
        QCOMPARE(window.isMaximized(), wasMaximised);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
