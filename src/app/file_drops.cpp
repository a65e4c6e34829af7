#include "app/file_drops.h"

#include "documents/document_files.h"
#include "documents/recent_files.h"
#include "editor/workspace.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace vornel {

QStringList droppedLocalFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

void openDroppedFiles(Workspace &workspace, const QStringList &paths)
{
    for (const QString &path : paths) {
        if (activateIfOpen(workspace, path))
            continue;
        if (loadDocument(workspace, path, fileNameOf(path)))
            addRecentFile(workspace, path);
    }
}

FileDrops::FileDrops(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , m_workspace(workspace)
{
}

void FileDrops::watch(QWidget *widget)
{
    widget->setAcceptDrops(true);
    widget->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedLocalFiles(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = droppedLocalFiles(drop->mimeData());
        if (paths.isEmpty())
            break;
        drop->acceptProposedAction();
        // Opened once the drag is over: the file manager waits for the drop to finish, and a
        // message about a file must not hold it up.
        QTimer::singleShot(0, this, [this, paths] { openDroppedFiles(m_workspace, paths); });
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vornel
