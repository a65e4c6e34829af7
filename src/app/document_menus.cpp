#include "app/main_window.h"
#include "app/menus.h"
#include "app/toolbox_control.h"

#include "dialogs/date_time_dialog.h"
#include "dialogs/form_commands.h"
#include "dialogs/link_commands.h"
#include "dialogs/list_assistant.h"
#include "dialogs/preference_dialog.h"
#include "documents/document_files.h"
#include "documents/preview.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/insert_commands.h"
#include "editor/insertion.h"
#include "editor/markup_commands.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "prefs/preferences.h"
#include "search/search_commands.h"

#include <QAction>
#include <QMenu>

namespace vornel {

namespace {

std::vector<CommandRow> editRows()
{
    const auto onText = [](void (TextArea::*command)()) {
        return textCommand([command](TextArea &area) { (area.*command)(); });
    };
    const auto onWindow = [](void (DocumentWindow::*command)()) {
        return documentCommand([command](Workspace &, DocumentWindow &window) { (window.*command)(); });
    };
    std::vector<CommandRow> rows = {
        // Hidden: the text area answers Ctrl+Z itself.
        {QStringLiteral("mnuUndo"), QObject::tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), onText(&TextArea::undo), false},
        {QStringLiteral("mnuESep0"), QString(), {}, {}, false},
        {QStringLiteral("mnuECut"), QObject::tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X), onText(&TextArea::cutToClipboard)},
        {QStringLiteral("mnuECopy"), QObject::tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
         onText(&TextArea::copyToClipboard)},
        {QStringLiteral("mnuEPaste"), QObject::tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
         onText(&TextArea::pasteFromClipboard)},
        {QStringLiteral("mnuEDelete"), QObject::tr("De&lete"), QKeySequence(Qt::Key_Delete),
         onWindow(&DocumentWindow::editDelete)},
        {QStringLiteral("mnuESep1"), QString()},
        {QStringLiteral("mnuESelectAll"), QObject::tr("Select &All"), {}, onWindow(&DocumentWindow::editSelectAll)},
        {QStringLiteral("mnuESep2"), QString()},
    };
    for (CommandRow &row : searchRows())
        rows.push_back(std::move(row));
    return rows;
}

std::vector<CommandRow> windowRows(MainWindow &main)
{
    const auto arrange = [&main](void (*command)(MainWindow &)) {
        return workspaceCommand([&main, command](Workspace &) { command(main); });
    };
    return {
        {arrayName(QStringLiteral("mnuPreferences"), 0), QObject::tr("&Preferences..."), {},
         workspaceCommand(preferencesCommand)},
        {.name = QStringLiteral("mnuExtend"),
         .caption = QObject::tr("&Extended Characters"),
         .run = toolboxCommand(main),
         .checkable = true},
        {.name = QStringLiteral("mnuOToolbar"),
         .caption = QObject::tr("Extended &Toolbar"),
         .run = {[&main](const CommandTarget &target) { main.setExtendedToolbar(target.action->isChecked()); }},
         .checkable = true},
        {QString(), QString()},
        {arrayName(QStringLiteral("mnuArrange"), 0), QObject::tr("&Cascade"), {},
         arrange([](MainWindow &m) { m.cascade(); })},
        {arrayName(QStringLiteral("mnuArrange"), 1), QObject::tr("Tile &Horizontally"), {},
         arrange([](MainWindow &m) { m.tile(Qt::Horizontal); })},
        {arrayName(QStringLiteral("mnuArrange"), 2), QObject::tr("Tile &Vertically"), {},
         arrange([](MainWindow &m) { m.tile(Qt::Vertical); })},
        {arrayName(QStringLiteral("mnuArrange"), 3), QObject::tr("&Arrange Icons"), {},
         arrange([](MainWindow &m) { m.arrangeIcons(); })},
    };
}

// The document tags, then Preview.
std::vector<CommandRow> documentRows()
{
    std::vector<CommandRow> rows = documentTagRows();
    rows.push_back({QStringLiteral("mnuDocSep"), QString()});
    rows.push_back({QStringLiteral("mnuDocPreview"), QObject::tr("&Preview"), {}, documentCommand(previewCommand)});
    return rows;
}

} // namespace

void buildDocumentMenus(MainWindow &main, DocumentWindow &document)
{
    const CommandContext context{main, document.actions(), &document, &document};
    const CommandRow menus[] = {
        topMenu(QStringLiteral("mnuFile"), QObject::tr("&File"), fileRows(main)),
        topMenu(QStringLiteral("mnuEdit"), QObject::tr("&Edit"), editRows()),
        topMenu(QStringLiteral("mnuDocument"), QObject::tr("&Document"), documentRows()),
        topMenu(QStringLiteral("mnuStyles"), QObject::tr("&Styles"), styleRows()),
        topMenu(QStringLiteral("mnuInsert"), QObject::tr("&Insert"),
                insertRows(workspaceTextCommand(listAssistCommand), workspaceTextCommand(insertImageCommand),
                           workspaceTextCommand(documentLinkCommand))),
        topMenu(QStringLiteral("mnuForms"), QObject::tr("F&orms"), formRows()),
        topMenu(QStringLiteral("mnuSpecial"), QObject::tr("S&pecial"), specialRows(workspaceTextCommand(dateTimeCommand))),
        topMenu(QStringLiteral("mnuWindow"), QObject::tr("&Window"), windowRows(main)),
        topMenu(QStringLiteral("mnuHelp"), QObject::tr("&Help"), helpRows(main)),
    };
    for (const CommandRow &menu : menus)
        document.insertMenu(buildMenu(menu, context));

    TextArea *text = document.textArea();
    QAction *print = document.action(QStringLiteral("mnuPrint"));
    // Print only when there is something to print.
    QObject::connect(document.menu(QStringLiteral("mnuFile")), &QMenu::aboutToShow, &document,
                     [print, text] { print->setEnabled(text->length() > 0); });
    QAction *undo = document.action(QStringLiteral("mnuUndo"));
    QObject::connect(document.menu(QStringLiteral("mnuEdit")), &QMenu::aboutToShow, &document,
                     [undo, &document] { undo->setEnabled(document.isChanged()); });
    QMenu *window = document.menu(QStringLiteral("mnuWindow"));
    QAction *toolbox = document.action(QStringLiteral("mnuExtend"));
    QAction *toolbar = document.action(QStringLiteral("mnuOToolbar"));
    QObject::connect(window, &QMenu::aboutToShow, &document, [&main, window, toolbox, toolbar] {
        toolbox->setChecked(prefs().ExtShow != 0);
        toolbar->setChecked(main.extendedToolbarChecked());
        main.fillWindowList(window);
    });

    document.setSaveOnClose([&main](DocumentWindow &closing) { return saveOnClose(main, closing); });
    QObject::connect(&document, &DocumentWindow::menusChanged, &main, &MainWindow::updateMenuBar);
}

} // namespace vornel
