#include "documents/disk_watch.h"

#include "documents/read_report.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/file_io.h"
#include "platform/platform.h"
#include "platform/version.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace vornel {

DiskStamp DiskStamp::of(const QString &path)
{
    DiskStamp stamp;
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = qint64(info.st_size);
    stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + qint64(info.st_mtim.tv_nsec);
    stamp.device = quint64(info.st_dev);
    stamp.inode = quint64(info.st_ino);
#else
    const QFileInfo file(path);
    if (!file.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = file.size();
    stamp.modifiedNs = file.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

DiskWatch::DiskWatch()
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::onFileChanged);
}

void DiskWatch::track(DocumentWindow &window, const QString &path)
{
    if (!m_entries.contains(&window)) {
        window.textArea()->installEventFilter(this);
        connect(&window, &QObject::destroyed, this, &DiskWatch::forget);
    }
    Entry &entry = m_entries[&window];
    if (!entry.path.isEmpty() && entry.path != path)
        m_watcher.removePath(entry.path);
    entry.path = path;
    entry.stamp = DiskStamp::of(path);
    entry.kept.reset();
    // A save renames a new file over the old one, which ends the old file's watch.
    if (entry.stamp.exists)
        m_watcher.addPath(path);
}

void DiskWatch::forget(QObject *window)
{
    const auto found = m_entries.constFind(window);
    if (found == m_entries.constEnd())
        return;
    const QString path = found->path;
    m_entries.erase(found);
    for (const Entry &other : std::as_const(m_entries)) {
        if (other.path == path)
            return;
    }
    m_watcher.removePath(path);
}

void DiskWatch::noteOwnChange(const QString &path)
{
    for (Entry &entry : m_entries) {
        if (isSameFile(entry.path, path)) {
            entry.stamp = DiskStamp::of(entry.path);
            entry.kept.reset();
        }
    }
}

DiskChange DiskWatch::changeOf(const DocumentWindow &window) const
{
    const auto found = m_entries.constFind(&window);
    if (found == m_entries.constEnd() || found->path != window.realFileName())
        return DiskChange::None;
    const DiskStamp now = DiskStamp::of(found->path);
    if (now == found->stamp)
        return DiskChange::None;
    return now.exists ? DiskChange::Changed : DiskChange::Deleted;
}

void DiskWatch::check(DocumentWindow &window)
{
    const DiskChange change = changeOf(window);
    if (change == DiskChange::None || m_asking)
        return;
    const Entry &entry = m_entries[&window];
    if (entry.kept && *entry.kept == DiskStamp::of(entry.path))
        return;
    m_asking = true;
    const QString path = window.realFileName();
    if (change == DiskChange::Deleted) {
        platform().messageBox(kProductName,
                              QStringLiteral("The file ") + path + QStringLiteral(" was deleted on disk.\n\n"
                                                                                  "The window keeps its text; save it "
                                                                                  "to write the file again."),
                              MsgButtons::Ok, MsgIcon::Exclamation);
        keepWindowText(window);
    } else {
        const bool unsaved = window.isChanged();
        const QString question =
            QStringLiteral("The file ") + path + QStringLiteral(" changed on disk.\n\n") +
            (unsaved ? QStringLiteral("Reload it and lose the changes made in this window?")
                     : QStringLiteral("Reload it? No keeps the window's text."));
        const MsgResult answer = platform().messageBox(kProductName, question, MsgButtons::YesNo,
                                                       unsaved ? MsgIcon::Exclamation : MsgIcon::Question);
        if (answer == MsgResult::Yes)
            reload(window);
        else
            keepWindowText(window);
    }
    m_asking = false;
}

bool DiskWatch::confirmSave(DocumentWindow &window, const QString &path)
{
    const auto found = m_entries.constFind(&window);
    if (found == m_entries.constEnd() || !isSameFile(found->path, path))
        return true;
    const DiskChange change = changeOf(window);
    if (change == DiskChange::None)
        return true;
    const QString what = change == DiskChange::Deleted ? QStringLiteral(" was deleted on disk")
                                                       : QStringLiteral(" changed on disk");
    const MsgResult answer = platform().messageBox(
        kProductName,
        QStringLiteral("The file ") + path + what + QStringLiteral(" since it was loaded.\n\n") +
            (change == DiskChange::Deleted ? QStringLiteral("Save the window's text to it again?")
                                           : QStringLiteral("Overwrite it with the window's text?")),
        MsgButtons::YesNo, MsgIcon::Exclamation);
    return answer == MsgResult::Yes;
}

void DiskWatch::keepWindowText(DocumentWindow &window)
{
    Entry &entry = m_entries[&window];
    entry.kept = DiskStamp::of(entry.path);
    if (entry.kept->exists)
        m_watcher.addPath(entry.path);
    // The window no longer matches the file: closing it asks to save.
    window.setChanged(true);
}

void DiskWatch::reload(DocumentWindow &window)
{
    const QString path = m_entries.value(&window).path;
    const FileRead file = readWholeFile(path);
    if (!reportRead(file, cantOpenFile(path), window.caption())) {
        keepWindowText(window);
        return;
    }
    TextArea &text = *window.textArea();
    const int caret = text.selStart();
    text.loadBytes(file.bytes);
    text.setSelStart(std::min(caret, text.length()));
    window.setChanged(false);
    track(window, path);
}

void DiskWatch::onFileChanged(const QString &path)
{
    // A file replaced by renaming (as every save does) loses its watch with the old file.
    if (QFileInfo::exists(path))
        m_watcher.addPath(path);
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->path != path)
            continue;
        auto *window = static_cast<DocumentWindow *>(const_cast<QObject *>(it.key()));
        // A window in use is asked at once; the others when they get the focus.
        if (window->textArea()->hasFocus())
            scheduleCheck(*window);
    }
}

void DiskWatch::scheduleCheck(DocumentWindow &window)
{
    // Not from within the focus change or the watcher's signal: the question is modal.
    QTimer::singleShot(0, &window, [this, target = QPointer<DocumentWindow>(&window)] {
        if (target)
            check(*target);
    });
}

bool DiskWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *window = qobject_cast<DocumentWindow *>(watched->parent()); window && m_entries.contains(window))
            scheduleCheck(*window);
    }
    return QObject::eventFilter(watched, event);
}

DiskWatch &diskWatch()
{
    static DiskWatch *watch = new DiskWatch;
    return *watch;
}

} // namespace vornel
