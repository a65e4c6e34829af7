#include "platform/program_folder.h"
#include "prefs/external_programs.h"
#include "support/test_files.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <tuple>

using namespace vornel;

namespace {

const QString kDesktopEntry = QStringLiteral("share/applications/com.teslund.Vornel.desktop");
const QString kMetainfo = QStringLiteral("share/metainfo/com.teslund.Vornel.metainfo.xml");

// The exit code (-1 when the program did not end normally), then standard output and error.
std::tuple<int, QByteArray, QByteArray> run(const QString &program, const QStringList &arguments,
                                            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

// Installs the built program into a temporary prefix and checks the tree as the desktop, a
// package manager and the program itself see it.
class TestInstall : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_prefix.isValid());
        const auto [code, out, err] = run(QStringLiteral(VORNEL_CMAKE), {"--install", VORNEL_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY2(code == 0, out + err);
    }

    void installsTheTree()
    {
        for (const QString &path : {QStringLiteral("share/vornel/MANUAL.html"), QStringLiteral("share/vornel/VORNL500.html"),
                                    QStringLiteral("share/vornel/Home Page.htt"), QStringLiteral("share/man/man1/vornel.1"),
                                    kDesktopEntry, kMetainfo})
            QVERIFY2(QFileInfo(m_prefix.filePath(path)).size() > 0, qPrintable(path));
        QVERIFY(QFileInfo(m_prefix.filePath(QStringLiteral("bin/vornel"))).isExecutable());
        // The desktop entry starts the installed program and names its icon.
        QSettings entry(m_prefix.filePath(kDesktopEntry), QSettings::IniFormat);
        QCOMPARE(entry.value(QStringLiteral("Desktop Entry/Exec")).toString(), QStringLiteral("vornel %f"));
        const QString theme = m_prefix.filePath(QStringLiteral("share/icons/hicolor/"));
        const QString icon = entry.value(QStringLiteral("Desktop Entry/Icon")).toString();
        QVERIFY(QSvgRenderer(theme + QStringLiteral("scalable/apps/%1.svg").arg(icon)).isValid());
        int sizes = 0;
        for (QDirIterator it(theme, {icon + QStringLiteral(".png")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++sizes) {
            const QString path = it.next();
            const int side = path.section(QLatin1Char('/'), -3, -3).section(QLatin1Char('x'), 0, 0).toInt();
            QCOMPARE(path.section(QLatin1Char('/'), -3, -3), QStringLiteral("%1x%1").arg(side));
            QCOMPARE(QImage(path).size(), QSize(side, side));
        }
        QVERIFY(sizes >= 6);
        QVERIFY(readFile(m_prefix.filePath(kMetainfo)).contains("desktop-id\">com.teslund.Vornel.desktop</launchable>"));
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
        const auto [code, out, err] = run(program, arguments);
        QVERIFY2(code == 0, out + err);
    }

    void answersWithoutADisplay_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("--help") << "--help" << 0 << QByteArray("Usage: vornel ");
        QTest::newRow("--version") << "--version" << 0 << QByteArray("Vornel " VORNEL_PROJECT_VERSION "\n");
        QTest::newRow("bad option") << "--bogus" << 2 << QByteArray();
    }
    void answersWithoutADisplay()
    {
        QFETCH(QString, option);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, output);
        // No display: opening a window would fail. Its own temporary folder stays empty: no socket.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QTemporaryDir temp;
        environment.insert(QStringLiteral("TMPDIR"), temp.path());
        const auto [code, out, err] = run(m_prefix.filePath(QStringLiteral("bin/vornel")), {option}, environment);
        QCOMPARE(code, exitCode);
        QVERIFY2(out.startsWith(output) && output.isEmpty() == out.isEmpty(), out);
        QCOMPARE(err.count('\n'), exitCode == 0 ? 0 : 1);
        QVERIFY(QDir(temp.path()).isEmpty());
    }

    void installedProgramFindsItsFiles()
    {
        setProgramFolder(m_prefix.filePath(QStringLiteral("bin")));
        QVERIFY(!programFolderIsOwn());
        QVERIFY(templateNames(templateFolders()).contains(QStringLiteral("Home Page.htt")));
        for (int index : {0, 1})
            QCOMPARE(findManual(manualFileName(index), manualFolders()),
                     m_prefix.filePath(QStringLiteral("share/vornel/") + manualFileName(index)));
        setProgramFolder(QString());
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
