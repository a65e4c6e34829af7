#include "app/main_window.h"
#include "app/toolbar_commands.h"
#include "dialogs/preference_dialog.h"
#include "editor/status_hints.h"
#include "support/app_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
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

// Every named label, field and button of a dialog, with its text and its status hint, in the
// order they were made.
void dumpDialog(const QString &title, const QWidget &dialog, const StatusHints &hints, QStringList &lines)
{
    lines << QStringLiteral("# ") + title;
    for (const QWidget *widget : dialog.findChildren<QWidget *>()) {
        // The tab widget's own parts are Qt's, not the dialog's.
        if (widget->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<const QTabBar *>(widget->parentWidget()))
            continue;
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            text = button->text();
        else if (!qobject_cast<const QLineEdit *>(widget) && hints.hintOf(widget).isEmpty())
            continue;
        if (widget->objectName().isEmpty() && text.isEmpty())
            continue;
        QString line = QStringLiteral("%1 | %2").arg(widget->objectName(), text);
        if (const QString hint = hints.hintOf(widget); !hint.isEmpty())
            line += QStringLiteral(" | hint \"%1\"").arg(hint);
        lines << line;
    }
    if (const auto *tabs = dialog.findChild<const QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i)
            lines << QStringLiteral("tab %1 | %2").arg(i).arg(tabs->tabText(i));
    }
}

} // namespace

// The menus of both menu bars, the toolbar rows and the preference dialog, entry by entry (names, captions with their
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
        {
            PreferenceDialog preferences(*app.main());
            dumpDialog(QStringLiteral("preferences"), preferences, preferences.hints(), lines);
        }
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
