#pragma once

#include "editor/command_table.h"

#include <QString>

#include <vector>

namespace vornel {

class Workspace;

// The eight most recently used files, kept in the settings store ("RecentFile1" is the most
// recent) and shown at the end of every File menu.
constexpr int kRecentFileCount = 8;

void addRecentFile(Workspace &workspace, const QString &path);
bool isRecentFile(const QString &path);
void pushRecentFile(const QString &path);
// Copies the stored list into the main window's and every open document window's File menu.
// Each shown entry carries its path as the action's data (the caption escapes "&").
void refreshRecentMenus(Workspace &workspace);
// Start-up: fills the main window's entries from the store.
void fillRecentMenusAtStartup(Workspace &workspace);
// Choosing entry i (1..8) of a File menu whose caption is path.
void openRecentFile(Workspace &workspace, const QString &path);

// The File menu's entries mnuRecentFile(0) (a separator) to mnuRecentFile(8), hidden until
// they hold a file.
std::vector<CommandRow> recentFileRows();
// A window's entries mnuRecentFile(0) to mnuRecentFile(8).
QList<QAction *> recentFileEntries(const ActionRegistry &actions);

} // namespace vornel
