#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

namespace vornel {

class Workspace;

// The local files a drag carries, when it carries nothing else: a list dragged from a file
// manager. Empty for text, for links to the web and for a mixture.
QStringList droppedLocalFiles(const QMimeData *data);

// Opens each dropped file as a document, as Open does (a file already open comes to the
// front instead), and adds it to the recent files.
void openDroppedFiles(Workspace &workspace, const QStringList &paths);

// Takes drops of local files on the widgets it watches (the main window, each text area's
// viewport) and opens them; every other drag passes on, so text dropped on a text area is
// inserted there as before.
class FileDrops : public QObject {
public:
    FileDrops(Workspace &workspace, QObject *parent);

    // Lets widget take file drops; its own drops of anything else are unchanged.
    void watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Workspace &m_workspace;
};

} // namespace vornel
