#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QWidget;

namespace vornel {

class Workspace;

// A dialog's status hints: while the mouse moves over one of its parts, the main window's
// status area shows that part's fixed text. The dialog's own hint shows only over its bare
// background, not over a child that has no hint of its own; a part with a hint that holds
// other parts with hints (a frame round its buttons) shows its own only outside them. When the
// dialog closes (is hidden), a hint of its own still in the status area is cleared; a dialog
// that outlives its use (the toolbox) must therefore go before the workspace does.
class StatusHints : public QObject {
public:
    StatusHints(QWidget *dialog, Workspace &workspace);

    void add(QWidget *widget, const QString &hint);
    QString hintOf(const QWidget *widget) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_dialog;
    Workspace &m_workspace;
    QHash<const QObject *, QString> m_hints;
};

} // namespace vornel
