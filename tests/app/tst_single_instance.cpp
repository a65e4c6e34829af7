#include "app/single_instance.h"

#include <QFile>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace vornel;

namespace {

// The first start, running in a thread of its own as the other program would, so that it
// answers while a later start in the test's thread waits for it.
class FirstInstance {
public:
    explicit FirstInstance(const QString &name)
        : m_instance(new SingleInstance(name))
    {
        QObject::connect(m_instance, &SingleInstance::activationRequested, m_instance,
                         [this] { ++m_activations; }, Qt::DirectConnection);
        m_instance->moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(m_instance, [this] { m_outcome = m_instance->start(false); },
                                  Qt::BlockingQueuedConnection);
    }
    ~FirstInstance()
    {
        QMetaObject::invokeMethod(m_instance, [this] { delete m_instance; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    FirstInstance(const FirstInstance &) = delete;
    FirstInstance &operator=(const FirstInstance &) = delete;

    SingleInstance &instance() { return *m_instance; }
    SingleInstance::Outcome outcome() const { return m_outcome; }
    int activations() const { return m_activations; }

private:
    QThread m_thread;
    SingleInstance *m_instance;
    SingleInstance::Outcome m_outcome = SingleInstance::Outcome::Further;
    std::atomic<int> m_activations{0};
};

} // namespace

// Starts of the program, played by SingleInstance objects in one process that share a server
// name in a temporary folder.
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
        FirstInstance first(m_name);
        QCOMPARE(first.outcome(), SingleInstance::Outcome::First);

        SingleInstance second(m_name);
        QCOMPARE(second.start(false), SingleInstance::Outcome::EndThisInstance);
        QVERIFY(!second.isListening());
        QTRY_COMPARE(first.activations(), 1);
        QVERIFY(first.instance().isListening());
    }

    void secondStartWithAFileStartsWithoutAsking()
    {
        FirstInstance first(m_name);

        SingleInstance second(m_name);
        QCOMPARE(second.start(true), SingleInstance::Outcome::Further);
        QVERIFY(!second.isListening());
        QVERIFY(first.instance().isListening());

        // A later start without a file still reaches the first instance, and only its request
        // counts: the start with a file asked for nothing.
        SingleInstance third(m_name);
        QCOMPARE(third.start(false), SingleInstance::Outcome::EndThisInstance);
        QTRY_COMPARE(first.activations(), 1);
    }

    void everyLaterStartIsHeard()
    {
        FirstInstance first(m_name);
        for (int start = 1; start <= 3; ++start) {
            SingleInstance later(m_name);
            QCOMPARE(later.start(false), SingleInstance::Outcome::EndThisInstance);
            QTRY_COMPARE(first.activations(), start);
        }
    }

    // A stopped or hung first instance: its socket accepts the connection, but it never
    // reads the request. The later start waits a moment, then starts on its own.
    void firstInstanceThatDoesNotAnswer()
    {
        SingleInstance frozen(m_name);
        QCOMPARE(frozen.start(false), SingleInstance::Outcome::First);

        SingleInstance second(m_name, nullptr, 100);
        QElapsedTimer waited;
        waited.start();
        QCOMPARE(second.start(false), SingleInstance::Outcome::Unanswered);
        QVERIFY(waited.elapsed() >= 100);
        QVERIFY(!second.isListening());
        QVERIFY(frozen.isListening());
    }

    void socketLeftByACrashedInstanceIsTakenOver()
    {
        QFile stale(m_name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();

        FirstInstance first(m_name);
        QCOMPARE(first.outcome(), SingleInstance::Outcome::First);
        QVERIFY(first.instance().isListening());

        SingleInstance second(m_name);
        QCOMPARE(second.start(false), SingleInstance::Outcome::EndThisInstance);
        QTRY_COMPARE(first.activations(), 1);
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

        FirstInstance first(m_name);
        // Queued to the window's thread, as in the program.
        connect(&first.instance(), &SingleInstance::activationRequested, &window, [&window] { bringForward(window); });
        SingleInstance second(m_name);
        QCOMPARE(second.start(false), SingleInstance::Outcome::EndThisInstance);

        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
        QCOMPARE(window.isMaximized(), wasMaximised);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
