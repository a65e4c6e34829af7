#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

namespace vornel {

class DocumentWindow;

// What the file system says about a file: enough to tell that another program replaced,
// rewrote, appended to or deleted it.
struct DiskStamp {
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedNs = 0;  // last modification, nanoseconds since the epoch
    quint64 device = 0;
    quint64 inode = 0;      // a file replaced by renaming another over it has a new one

    static DiskStamp of(const QString &path);
    bool operator==(const DiskStamp &) const = default;
};

enum class DiskChange { None, Changed, Deleted };

// Keeps track of the file each document window shows, as it was when the window last loaded
// or saved it, and speaks up when another program has changed or deleted it since: when the
// window's text area gets the focus (or has it when the file system reports a change), and
// before a save over the file. Changes the program makes itself are recorded by track() and
// never asked about.
class DiskWatch : public QObject {
public:
    DiskWatch();

    // The window's text is now what the file at path holds (just loaded or saved there).
    void track(DocumentWindow &window, const QString &path);
    // The program itself changed or deleted the file at path: windows that show it accept it
    // as it now is.
    void noteOwnChange(const QString &path);
    // How the window's file differs from what the window last loaded or saved.
    DiskChange changeOf(const DocumentWindow &window) const;

    // Asks about a change of the window's file, if there is one: reload the file (its text
    // replaces the window's) or keep the window's text; a deleted file can only be kept.
    void check(DocumentWindow &window);
    // Before writing the window's text to path: true when the save may go ahead; a file that
    // changed on disk since the window had it is overwritten only if the user says so, asked
    // at every save until they do (keeping the window's text in check() is no such answer).
    bool confirmSave(DocumentWindow &window, const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QString path;
        DiskStamp stamp;  // the file as the window last loaded or saved it
        // The file as it was when the user last chose to keep the window's text: not asked
        // about again, though a save over it still asks.
        std::optional<DiskStamp> kept;
    };

    void forget(QObject *window);
    void onFileChanged(const QString &path);
    void scheduleCheck(DocumentWindow &window);
    // Leaves the window's text as it is, and the file as it is now unasked about.
    void keepWindowText(DocumentWindow &window);
    void reload(DocumentWindow &window);

    QHash<const QObject *, Entry> m_entries;
    QFileSystemWatcher m_watcher;
    bool m_asking = false;
};

// The program's one watch.
DiskWatch &diskWatch();

} // namespace vornel
