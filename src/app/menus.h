#pragma once

#include "editor/command_table.h"

#include <vector>

namespace vornel {

class DocumentWindow;
class MainWindow;

// The File and Help menus, the same in the main window's own menu bar and in every document
// window's (a few entries go by other names in the main window's).
std::vector<CommandRow> fileRows(MainWindow &main);
std::vector<CommandRow> helpRows(MainWindow &main);
// A menu bar's top-level menu holding rows.
CommandRow topMenu(const QString &objectName, const QString &caption, std::vector<CommandRow> rows);

// The main window's own menus, shown while no document is open: File, Window and Help.
void buildMainMenus(MainWindow &main);
// A new document window's menus: File, Edit, Document, Styles, Insert, Forms, Special, Window,
// Help.
void buildDocumentMenus(MainWindow &main, DocumentWindow &document);

} // namespace vornel
