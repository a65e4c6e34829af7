#pragma once

#include <QString>

namespace vornel {

// The eight most recently used files, kept in the settings store ("RecentFile1" is the most
// recent) and shown at the end of every File menu.
constexpr int kRecentFileCount = 8;

void addRecentFile(const QString &path);
bool isRecentFile(const QString &path);
void pushRecentFile(const QString &path);
// Copies the stored list into the main window's and every open document window's File menu.
// Each shown entry carries its path as the action's data (the caption escapes "&").
void refreshRecentMenus();
// Start-up: fills the main window's entries from the store.
void fillRecentMenusAtStartup();
// Choosing entry i (1..8) of a File menu whose caption is path.
void openRecentFile(const QString &path);

} // namespace vornel
