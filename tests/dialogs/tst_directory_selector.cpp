#include "dialogs/directory_selector.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vornel;

class TestDirectorySelector : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_start;   // <root>/web site/docs, with subfolders b, A and a file
    QLineEdit m_field;

    static QStringList texts(const QListWidget *list)
    {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text().trimmed();
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        // A home folder of the test's own, wherever the test runs.
        QVERIFY(QDir().mkpath(m_root.filePath(QStringLiteral("home"))));
        qputenv("HOME", m_root.filePath(QStringLiteral("home")).toLocal8Bit());
        m_start = m_root.filePath(QStringLiteral("web site/docs"));
        QVERIFY(QDir().mkpath(m_start + QStringLiteral("/b")));
        QVERIFY(QDir().mkpath(m_start + QStringLiteral("/A")));
        QFile file(m_start + QStringLiteral("/index.htm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    void init() { m_field.setText(QStringLiteral("as it was")); }

    void selectedText_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("0 keeps its drive") << 0 << "C:\\www\\docs" << "C:\\www\\docs";
        QTest::newRow("2 drops the drive") << 2 << "C:\\www\\docs" << "\\www\\docs";
        QTest::newRow("3 root of a drive") << 3 << "C:\\" << "\\";
        QTest::newRow("4 lower-case drive") << 4 << "d:/pics" << "/pics";
        QTest::newRow("2 path stays whole") << 2 << "/www/docs" << "/www/docs";
        QTest::newRow("3 root stays whole") << 3 << "/" << "/";
        QTest::newRow("4 colon later on") << 4 << "/a:b" << "/a:b";
        QTest::newRow("2 digit and colon") << 2 << "1:x" << "1:x";
        QTest::newRow("0 plain path") << 0 << "/home/ann/www" << "/home/ann/www";
    }
    void selectedText()
    {
        QFETCH(int, index);
        QFETCH(QString, path);
        QFETCH(QString, text);
        QCOMPARE(selectedDirectoryText(index, path), text);
    }

    void placeOfPath()
    {
        const QList<DirectoryPlace> places = {{"/", "/"}, {"home", "/home/ann"}, {"usb", "/media/usb"}};
        QCOMPARE(placeOf(places, QStringLiteral("/home/ann/www")), 1);
        QCOMPARE(placeOf(places, QStringLiteral("/home/annex")), 0);
        QCOMPARE(placeOf(places, QStringLiteral("/media/usb")), 2);
        QCOMPARE(placeOf(places, QStringLiteral("/etc")), 0);
        const QList<DirectoryPlace> found = directoryPlaces();
        QCOMPARE(found.value(0).root, QDir::rootPath());
        QVERIFY(std::any_of(found.cbegin(), found.cend(), [](const DirectoryPlace &p) { return p.root == QDir::homePath(); }));
    }

    void okWritesTheOpenedDirectoryForEachField_data()
    {
        QTest::addColumn<int>("index");
        for (int i : {0, 2, 3, 4})
            QTest::addRow("field %d", i) << i;
    }
    void okWritesTheOpenedDirectoryForEachField()
    {
        QFETCH(int, index);
        DirectorySelector selector(&m_field, index, nullptr, nullptr);
        selector.start(m_start + QStringLiteral("/"));
        QCOMPARE(selector.windowTitle(), QStringLiteral("Select Directory"));
        QCOMPARE(selector.directoryLabel()->text(), m_start);
        selector.cancelButton()->click();
        QCOMPARE(m_field.text(), QStringLiteral("as it was"));
        selector.okButton()->click();
        QCOMPARE(m_field.text(), m_start);
    }

    void directoryListOpensEntries()
    {
        DirectorySelector selector(&m_field, 0, nullptr, nullptr);
        selector.start(m_start);
        DirectoryList *list = selector.directories();
        QStringList expected = QDir(m_start).absolutePath().split(u'/', Qt::SkipEmptyParts);
        expected.prepend(QStringLiteral("/"));
        expected << "A" << "b";
        QCOMPARE(texts(list), expected);
        QCOMPARE(DirectoryList::entryPath(list->currentItem()), m_start);
        QCOMPARE(texts(selector.files()), QStringList{"index.htm"});
        QVERIFY(!selector.files()->isEnabled());
        QVERIFY(!selector.findChild<QLineEdit *>(QStringLiteral("Text1"))->isEnabled());
        QCOMPARE(selector.findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral("Select Path Only"));
        QVERIFY(!selector.findChild<QComboBox *>(QStringLiteral("Combo1"))->isEnabled());

        // Opening the subfolder A, then going back up to "web site".
        Q_EMIT list->itemActivated(list->item(list->count() - 2));
        QCOMPARE(list->path(), m_start + QStringLiteral("/A"));
        QCOMPARE(selector.directoryLabel()->text(), list->path());
        QVERIFY(selector.files()->count() == 0);
        Q_EMIT list->itemActivated(list->item(list->count() - 3));
        QCOMPARE(list->path(), m_root.filePath(QStringLiteral("web site")));
        selector.okButton()->click();
        QCOMPARE(m_field.text(), m_root.filePath(QStringLiteral("web site")));
    }

    void driveListOpensItsPlace()
    {
        DirectorySelector selector(&m_field, 3, nullptr, nullptr);
        selector.start(m_start);
        const int home = placeOf(directoryPlaces(), QDir::homePath());
        selector.drives()->setCurrentIndex(home);
        QCOMPARE(selector.directories()->path(), QDir::homePath());
        selector.drives()->setCurrentIndex(0);
        QCOMPARE(selector.directories()->path(), QDir::rootPath());
        QCOMPARE(selector.directoryLabel()->text(), QDir::rootPath());
    }

    void unusableStartLeavesTheHomeFolder()
    {
        DirectorySelector selector(&m_field, 0, nullptr, nullptr);
        selector.start(QStringLiteral("\\www\\docs"));
        QCOMPARE(selector.directories()->path(), QDir::homePath());
        QVERIFY(!selector.directories()->setPath(m_start + QStringLiteral("/index.htm")));
        QCOMPARE(selector.directories()->path(), QDir::homePath());
    }
};

QTEST_MAIN(TestDirectorySelector)
#include "tst_directory_selector.moc"
