#include "app/main_window.h"
#include "app/menus.h"
#include "app/toolbox_control.h"

#include "dialogs/preference_dialog.h"
#include "dialogs/template_chooser.h"
#include "documents/document_files.h"
#include "documents/recent_files.h"
#include "editor/document_window.h"
#include "prefs/external_programs.h"
#include "prefs/preferences.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

namespace vornel {

std::vector<CommandRow> fileRows(MainWindow &main)
{
    const auto onActive = [](void (*command)(Workspace &)) {
        return documentCommand([command](Workspace &workspace, DocumentWindow &) { command(workspace); });
    };
    std::vector<CommandRow> rows = {
        {QStringLiteral("mnuFNew"), QObject::tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), workspaceCommand(newCommand)},
        {QStringLiteral("mnuFOpen"), QObject::tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
         workspaceCommand(openCommand)},
        {.name = QStringLiteral("mnuFClose"),
         .caption = QObject::tr("&Close"),
         .run = documentCommand([](Workspace &, DocumentWindow &window) {
             window.parentWidget() ? window.parentWidget()->close() : window.close();
         }),
         .mainMenuName = QStringLiteral("mnuClose")},
        {.name = QStringLiteral("mnuFSave"),
         .caption = QObject::tr("&Save"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_S),
         .run = documentCommand(saveCommand),
         .mainMenuName = QStringLiteral("mnuSave")},
        {.name = QStringLiteral("mnuFSaveAs"),
         .caption = QObject::tr("Save &As..."),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_A),
         .run = documentCommand(saveAsCommand),
         .mainMenuName = QStringLiteral("mnuSaveAs")},
        {QStringLiteral("mnuFSep1"), QString()},
        {.name = QStringLiteral("mnuFileGet"),
         .caption = QObject::tr("&Get File"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_G),
         .run = onActive(insertFileCommand),
         .mainMenuName = QStringLiteral("mnuGetFile")},
        {.name = QStringLiteral("mnuFileDel"),
         .caption = QObject::tr("&Delete File"),
         .shortcut = QKeySequence(Qt::CTRL | Qt::Key_D),
         .run = workspaceCommand(deleteFileCommand),
         .mainMenuName = QStringLiteral("mnuDeleteFile")},
        {QStringLiteral("mnuFSep2"), QString()},
        {QStringLiteral("mnuPrint"), QObject::tr("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P), onActive(printCommand)},
        {QStringLiteral("mnuPrintSetup"), QObject::tr("P&rint Setup..."), QKeySequence(Qt::CTRL | Qt::Key_R),
         workspaceCommand([](Workspace &) { printSetupCommand(); })},
        {QStringLiteral("mnuFSep3"), QString()},
        {QStringLiteral("mnuFExit"), QObject::tr("E&xit"), {}, workspaceCommand([&main](Workspace &) { main.close(); })},
    };
    for (CommandRow &row : recentFileRows())
        rows.push_back(std::move(row));
    return rows;
}

std::vector<CommandRow> helpRows(MainWindow &main)
{
    const auto manual = [](int index) { return workspaceCommand([index](Workspace &) { openManual(index); }); };
    return {
        {arrayName(QStringLiteral("mnuManual"), 0), QObject::tr("&Using Vornel"), {}, manual(0), false},
        {arrayName(QStringLiteral("mnuManual"), 1), QObject::tr("Vornel &Manual"), {}, manual(1)},
        {QStringLiteral("mnuHSep1"), QString()},
        {.name = QStringLiteral("mnuSupport"),
         .caption = QObject::tr("&Getting Help from Teslund"),
         .run = workspaceCommand([&main](Workspace &) { main.showSupport(); }),
         .mainMenuName = QStringLiteral("mnuTechSupport")},
        {QStringLiteral("mnuAbout"), QObject::tr("&About Vornel"), {},
         workspaceCommand([&main](Workspace &) { main.showAbout(); })},
    };
}

CommandRow topMenu(const QString &objectName, const QString &caption, std::vector<CommandRow> rows)
{
    return {.caption = caption, .submenuName = objectName, .submenu = std::move(rows)};
}

void buildMainMenus(MainWindow &main)
{
    const std::vector<CommandRow> windowRows = {
        {QStringLiteral("PrefMenu"), QObject::tr("&Preferences..."), {}, workspaceCommand(preferencesCommand)},
        {.name = QStringLiteral("ToolBoxMenu"),
         .caption = QObject::tr("&Extended Characters"),
         .run = toolboxCommand(main),
         .checkable = true},
        {.name = QStringLiteral("mnuOToolbar"),
         .caption = QObject::tr("Extended &Toolbar"),
         .run = workspaceCommand([&main](Workspace &) {
             // Invert the toolbar's visibility as the check mark was inverted.
             main.extendedToolbar()->setVisible(main.extendedToolbar()->isHidden());
         }),
         .checkable = true},
    };
    const CommandContext context{main, main.ownActions(), nullptr, &main};
    main.addOwnMenu(buildMenu(topMenu(QStringLiteral("mnuFile"), QObject::tr("&File"), fileRows(main)), context));
    QMenu *window = buildMenu(topMenu(QStringLiteral("mnuOptions"), QObject::tr("&Window"), windowRows), context);
    main.addOwnMenu(window);
    main.addOwnMenu(buildMenu(topMenu(QStringLiteral("mnuHelp"), QObject::tr("&Help"), helpRows(main)), context));

    main.action(QStringLiteral("mnuOToolbar"))->setChecked(true);
    QAction *toolbox = main.action(QStringLiteral("ToolBoxMenu"));
    QObject::connect(window, &QMenu::aboutToShow, &main, [toolbox] { toolbox->setChecked(prefs().ExtShow != 0); });
}

} // namespace vornel
