#include "documents/recent_files.h"

#include "documents/document_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/workspace.h"
#include "platform/dialog_rules.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "prefs/settings_store.h"

#include <QAction>

#include <array>

namespace vornel {

namespace {

// What an absent key reads as: an entry that holds no file.
const QString kNotUsed = QStringLiteral("Not Used");

QString keyOf(int entry)
{
    return QStringLiteral("RecentFile") + QString::number(entry);
}

QString storedEntry(int entry)
{
    return getSetting(keyOf(entry), kNotUsed);
}

bool holdsFile(const QString &value)
{
    return value.left(8) != kNotUsed;
}

// Index 0 unused, like the menu entries: entry i is element i.
using StoredList = std::array<QString, kRecentFileCount + 1>;

StoredList storedList()
{
    StoredList list;
    for (int i = 1; i <= kRecentFileCount; ++i)
        list[std::size_t(i)] = storedEntry(i);
    return list;
}

// Longer paths are shortened in the menu, which would otherwise stretch across the screen;
// the status area shows the whole path while the entry is under the mouse.
constexpr int kMenuEntryChars = 64;

void showEntry(Workspace &workspace, const QList<QAction *> &entries, int i, const QString &path)
{
    if (entries.size() <= i || !entries[0] || !entries[i])
        return;
    QAction *entry = entries[i];
    QString caption = elidedMiddle(path, kMenuEntryChars);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    entries[0]->setVisible(true);
    entry->setText(caption);
    entry->setData(path);
    entry->setVisible(true);
    if (!entry->property("pathHint").toBool()) {
        entry->setProperty("pathHint", true);
        QObject::connect(entry, &QAction::hovered, entry,
                         [&workspace, entry] { workspace.setStatusText(entry->data().toString()); });
    }
}

} // namespace

void addRecentFile(Workspace &workspace, const QString &path)
{
    if (!isRecentFile(path))
        pushRecentFile(path);
    refreshRecentMenus(workspace);
}

bool isRecentFile(const QString &path)
{
    const StoredList list = storedList();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString &value = list[std::size_t(i)];
        if (holdsFile(value) && isSameFile(value, path))
            return true;
    }
    return false;
}

void pushRecentFile(const QString &path)
{
    SettingsBatch batch(settingsStore());
    // An entry reading "Not Used" is not copied down, so the entry below keeps its value.
    for (int i = kRecentFileCount - 1; i >= 1; --i) {
        const QString value = storedEntry(i);
        if (holdsFile(value))
            saveSetting(keyOf(i + 1), value);
    }
    saveSetting(keyOf(1), path);
}

void refreshRecentMenus(Workspace &workspace)
{
    QList<QList<QAction *>> menus{recentFileEntries(workspace.ownActions())};
    const DocumentTable &table = documentTable();
    for (int slot = 1; slot <= table.size(); ++slot) {
        if (table.isFree(slot))
            continue;
        if (DocumentWindow *window = workspace.documentInSlot(slot))
            menus << recentFileEntries(window->actions());
    }
    const StoredList list = storedList();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString &value = list[std::size_t(i)];
        if (!holdsFile(value))
            continue;
        for (const QList<QAction *> &entries : menus)
            showEntry(workspace, entries, i, value);
    }
}

void fillRecentMenusAtStartup(Workspace &workspace)
{
    const QList<QAction *> entries = recentFileEntries(workspace.ownActions());
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString value = storedEntry(i);
        if (!value.isEmpty() && value != kNotUsed)
            showEntry(workspace, entries, i, value);
    }
}

void openRecentFile(Workspace &workspace, const QString &path)
{
    if (activateIfOpen(workspace, path)) {
        platform().messageBox(QStringLiteral("File Open"), QStringLiteral("The file ") + path + QStringLiteral(" is already open"),
                              MsgButtons::Ok, MsgIcon::None);
        return;
    }
    loadDocument(workspace, path, fileNameOf(path));
    refreshRecentMenus(workspace);
}

QList<QAction *> recentFileEntries(const ActionRegistry &actions)
{
    return actions.array(QStringLiteral("mnuRecentFile"), 0, kRecentFileCount);
}

std::vector<CommandRow> recentFileRows()
{
    std::vector<CommandRow> rows;
    for (int i = 0; i <= kRecentFileCount; ++i) {
        CommandRow row{arrayName(QStringLiteral("mnuRecentFile"), i),
                       i == 0 ? QString() : QStringLiteral("RecentFile%1").arg(i), {}, {}, false};
        if (i > 0) {
            row.run.run = [](const CommandTarget &target) {
                openRecentFile(target.workspace, target.action->data().toString());
            };
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace vornel
