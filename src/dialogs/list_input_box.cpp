#include "dialogs/list_input_box.h"

#include "dialogs/history_combo_box.h"
#include "dialogs/server_path.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/workspace.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornel {

ListInputBox::ListInputBox(Workspace &workspace)
    : QDialog(workspace.dialogParent())
    , m_workspace(workspace)
    , m_prompt(new QLabel(this))
    , m_list(new HistoryComboBox(this))
    , m_ok(newOkButton(this))
    , m_cancel(newCancelButton(this))
    , m_remove(new QPushButton(tr("Remove From List"), this))
    , m_browse(new QPushButton(tr("Browse..."), this))
    , m_hints(new StatusHints(this, workspace))
{
    setObjectName(QStringLiteral("frmListInputBox"));
    setWindowTitle(kDesignCaption);

    m_prompt->setObjectName(QStringLiteral("Label1"));
    m_prompt->setWordWrap(true);
    m_prompt->setBuddy(m_list);

    connect(m_ok, &QPushButton::clicked, this, [this] { accept(); });
    m_remove->setObjectName(QStringLiteral("cmdRemove"));
    connect(m_remove, &QPushButton::clicked, this, [this] { m_list->removePicked(); });
    m_browse->setObjectName(QStringLiteral("cmdBrowse"));
    connect(m_browse, &QPushButton::clicked, this, [this] { browse(); });
    for (QPushButton *button : {m_remove, m_browse})
        button->setAutoDefault(false);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {m_ok, m_cancel, m_remove, m_browse})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto *layout = new QGridLayout(this);
    layout->addWidget(m_prompt, 0, 0);
    layout->addWidget(m_list, 1, 0, Qt::AlignTop);
    layout->addLayout(buttons, 0, 1, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);

    const QString pick = QStringLiteral("Select from list of previous selections");
    m_hints->add(this, QStringLiteral("Select from list or enter a new selection"));
    m_hints->add(m_list, pick);
    m_hints->add(m_list->lineEdit(), pick);
    m_hints->add(m_ok, QStringLiteral("Close this window and use selection"));
    m_hints->add(m_cancel, QStringLiteral("Close this window, aborting action"));
    m_hints->add(m_remove, QStringLiteral("Remove selected item from drop-down list"));
    m_hints->add(m_browse, QStringLiteral("Locate a new selection on the available file system"));

    m_list->setFocus();
}

void ListInputBox::prepare(const QString &prompt, const QString &historyPath, const QString &caption)
{
    m_prompt->setText(prompt);
    setWindowTitle(caption);
    m_list->loadHistory(historyPath);

    setMinimumWidth(420);
    centreOnScreen(*this);
}

void ListInputBox::reject()
{
    m_list->enterText(QString());
    m_list->clearSaveAll();
    QDialog::reject();
}

QString ListInputBox::finish()
{
    const QString result = m_list->currentText();
    m_list->saveHistory();
    return result;
}

void ListInputBox::browse()
{
    if (const std::optional<QString> path = browseServerPath(m_workspace.commonDialog(), kListInputBrowse))
        m_list->enterText(*path);
}

QString listInputBox(Workspace &workspace, const QString &prompt, const QString &historyFile,
                     const QString &caption, bool browseEnabled)
{
    const QString path = QDir::isRelativePath(historyFile) ? historyFilePath(historyFile) : historyFile;
    ListInputBox box(workspace);
    box.prepare(prompt, path, caption);
    box.browseButton()->setEnabled(browseEnabled);
    // However the dialog was closed, only OK hands back a text.
    if (runModalDialog(box) != QDialog::Accepted)
        box.reject();
    return box.finish();
}

} // namespace vornel
