#include "platform/program_folder.h"
#include "prefs/external_programs.h"
#include "prefs/settings_store.h"
#include "support/test_files.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

using namespace vornel;

namespace {

const QString kDesktopEntry = QStringLiteral("share/applications/com.teslund.Vornel.desktop");
const QString kMetainfo = QStringLiteral("share/metainfo/com.teslund.Vornel.metainfo.xml");

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace

// Installs the built program into a temporary prefix and checks the tree as a desktop, a
// package manager and the program itself see it.
class TestInstall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(kSettingsApplication);
        QCoreApplication::setApplicationName(kSettingsSection);
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_prefix.isValid());
        const Run install = run(QStringLiteral(VORNEL_CMAKE),
                                {"--install", QStringLiteral(VORNEL_BUILD_DIR), "--prefix", m_prefix.path()},
                                QProcessEnvironment::systemEnvironment());
        QVERIFY2(install.exitCode == 0, install.out + install.err);
    }

    void cleanup() { setProgramFolder(QString()); }

    void installsTheFiles_data()
    {
        QTest::addColumn<QString>("path");
        for (const char *path : {"bin/vornel", "share/vornel/MANUAL.html", "share/vornel/VORNL500.html",
                                 "share/vornel/Home Page.htt", "share/man/man1/vornel.1",
                                 "share/icons/hicolor/scalable/apps/vornel.svg",
                                 "share/icons/hicolor/48x48/apps/vornel.png"})
            QTest::newRow(path) << QString::fromLatin1(path);
        QTest::newRow("desktop entry") << kDesktopEntry;
        QTest::newRow("metainfo") << kMetainfo;
    }
    void installsTheFiles()
    {
        QFETCH(QString, path);
        const QFileInfo file(m_prefix.filePath(path));
        QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
        QCOMPARE(file.isExecutable(), path.startsWith(QStringLiteral("bin/")));
    }

    void iconsFitTheirThemeFolders()
    {
        const QString theme = m_prefix.filePath(QStringLiteral("share/icons/hicolor"));
        QVERIFY(QSvgRenderer(theme + QStringLiteral("/scalable/apps/vornel.svg")).isValid());
        int sizes = 0;
        QDirIterator it(theme, {QStringLiteral("vornel.png")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString folder = QFileInfo(path).dir().absolutePath().section(QLatin1Char('/'), -2, -2);
            const int side = folder.section(QLatin1Char('x'), 0, 0).toInt();
            QCOMPARE(folder, QStringLiteral("%1x%1").arg(side));
            QCOMPARE(QImage(path).size(), QSize(side, side));
            ++sizes;
        }
        QVERIFY(sizes >= 6);
    }

    void desktopEntryStartsTheInstalledProgram()
    {
        QSettings entry(m_prefix.filePath(kDesktopEntry), QSettings::IniFormat);
        entry.beginGroup(QStringLiteral("Desktop Entry"));
        const QString exec = entry.value(QStringLiteral("Exec")).toString();
        QCOMPARE(exec.section(QLatin1Char(' '), 1), QStringLiteral("%f"));
        QVERIFY(QFileInfo(m_prefix.filePath(QStringLiteral("bin/") + exec.section(QLatin1Char(' '), 0, 0))).isExecutable());
        const QString icon = entry.value(QStringLiteral("Icon")).toString();
        QVERIFY(QFileInfo::exists(m_prefix.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(icon))));
        const QString metainfo = QString::fromUtf8(readFile(m_prefix.filePath(kMetainfo)));
        QVERIFY(metainfo.contains(QStringLiteral(">%1</launchable>").arg(QFileInfo(kDesktopEntry).fileName())));
    }

    void validatorsAccept_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList{m_prefix.filePath(kDesktopEntry)};
        QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net", m_prefix.filePath(kMetainfo)};
    }
    void validatorsAccept()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
        const Run check = run(program, arguments, QProcessEnvironment::systemEnvironment());
        QVERIFY2(check.exitCode == 0, check.out + check.err);
    }

    void answersWithoutADisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("outStart");
        QTest::addColumn<bool>("complains");
        QTest::newRow("--help") << "--help" << 0 << QByteArray("Usage: vornel ") << false;
        QTest::newRow("--version") << "--version" << 0 << QByteArray("Vornel " VORNEL_PROJECT_VERSION "\n") << false;
        QTest::newRow("bad option") << "--bogus" << 2 << QByteArray() << true;
    }
    void answersWithoutADisplay()
    {
        QFETCH(QString, option);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, outStart);
        QFETCH(bool, complains);
        // No display to open: a window or Qt's platform would make the program fail.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QTemporaryDir ownTemp;
        environment.insert(QStringLiteral("TMPDIR"), ownTemp.path());

        const Run answer = run(m_prefix.filePath(QStringLiteral("bin/vornel")), {option}, environment);
        QCOMPARE(answer.exitCode, exitCode);
        QVERIFY2(answer.out.startsWith(outStart) && (outStart.isEmpty() == answer.out.isEmpty()), answer.out);
        QCOMPARE(answer.err.count('\n'), complains ? 1 : 0);
        QVERIFY(answer.err.endsWith(complains ? "\n" : ""));
        // Nothing was left behind, such as a single-instance socket.
        QVERIFY(QDir(ownTemp.path()).isEmpty());
    }

    void installedProgramFindsItsFiles()
    {
        setProgramFolder(m_prefix.filePath(QStringLiteral("bin")));
        QVERIFY(!programFolderIsOwn());
        const QStringList folders = templateFolders();
        QCOMPARE(folders.value(1), m_prefix.filePath(QStringLiteral("share/vornel")));
        QVERIFY(templateNames(folders).contains(QStringLiteral("Home Page.htt")));
        for (int index : {0, 1}) {
            QCOMPARE(findManual(manualFileName(index), manualFolders()),
                     m_prefix.filePath(QStringLiteral("share/vornel/") + manualFileName(index)));
        }
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
