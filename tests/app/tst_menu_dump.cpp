#include "app/main_window.h"
#include "app/toolbar_commands.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace vornel;

namespace {

// The checked-in picture of every menu and toolbar row, as a user meets them.
const QString kDumpFile = QStringLiteral(VORNEL_MENU_DUMP);
// Set to write the dump afresh from the program as it is built, after a deliberate change.
const char *const kWriteDump = "VORNEL_WRITE_MENU_DUMP";

void dumpMenu(const QMenu &menu, int depth, QStringList &lines)
{
    for (const QAction *action : menu.actions()) {
        QString line = QString(2 * depth, u' ');
        if (action->isSeparator()) {
            line += QStringLiteral("---- %1").arg(action->objectName());
        } else {
            line += QStringLiteral("%1 | %2").arg(action->objectName(), action->text());
            if (!action->shortcut().isEmpty())
                line += QStringLiteral(" | ") + action->shortcut().toString();
            if (action->isCheckable())
                line += QStringLiteral(" | checkable");
            if (action->menu())
                line += QStringLiteral(" | menu ") + action->menu()->objectName();
        }
        if (!action->isVisible())
            line += QStringLiteral(" | hidden");
        lines << line;
        if (action->menu())
            dumpMenu(*action->menu(), depth + 1, lines);
    }
}

void dumpMenuBar(const QString &title, const QMenuBar &bar, QStringList &lines)
{
    lines << QStringLiteral("# ") + title;
    for (const QAction *top : bar.actions()) {
        if (!top->menu())
            continue;
        lines << QStringLiteral("%1 | %2").arg(top->menu()->objectName(), top->text());
        dumpMenu(*top->menu(), 1, lines);
    }
}

void dumpToolbar(const QString &title, ToolbarRow row, QStringList &lines)
{
    lines << QStringLiteral("# ") + title;
    for (const ToolbarButtonRow &button : toolbarRows(row)) {
        lines << QStringLiteral("%1 | %2 %3 | tip \"%4\" | hint \"%5\" | %6").arg(button.name).arg(button.left)
                     .arg(button.width).arg(button.tip, button.hint,
                          button.action.isEmpty() ? QStringLiteral("own command") : QStringLiteral("runs ") + button.action);
    }
}

} // namespace

// The menus of both menu bars and the toolbar rows, entry by entry (names, captions with their
// accelerators, shortcuts, separators, what is hidden or checkable), held against one
// checked-in dump rather than against tables copied into the tests.
class TestMenuDump : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void menusAndToolbarsAsDumped()
    {
        AppFixture app;
        QStringList lines;
        dumpMenuBar(QStringLiteral("main window, no document open"), *app.main()->menuBar(), lines);
        app.newDocument();
        dumpMenuBar(QStringLiteral("document window"), *app.main()->menuBar(), lines);
        dumpToolbar(QStringLiteral("main toolbar"), ToolbarRow::Main, lines);
        dumpToolbar(QStringLiteral("extended toolbar"), ToolbarRow::Extended, lines);
        const QString built = lines.join(u'\n') + u'\n';

        QFile file(kDumpFile);
        if (qEnvironmentVariableIsSet(kWriteDump)) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(built.toUtf8());
            QSKIP("dump written afresh");
        }
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(kDumpFile));
        const QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n');
        const QStringList actual = built.split(u'\n');
        for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
            QVERIFY2(expected.value(i) == actual.value(i),
                     qPrintable(QStringLiteral("line %1:\n  dump:  %2\n  built: %3").arg(i + 1).arg(expected.value(i),
                                                                                        actual.value(i))));
        }
    }
};

QTEST_MAIN(TestMenuDump)
#include "tst_menu_dump.moc"
