#include "dialogs/template_chooser.h"

#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "platform/program_folder.h"
#include "prefs/preferences.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornel {

TemplateChooser::TemplateChooser(const QStringList &folders, Workspace &workspace)
    : QDialog(workspace.dialogParent())
    , m_workspace(workspace)
    , m_list(new QListWidget(this))
    , m_message(new QLabel(this))
{
    setObjectName(QStringLiteral("frmTemplate"));
    setWindowTitle(kCaption);

    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { command1Click(3); });

    auto *frame = new QGroupBox(tr("Current Default"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_message->setObjectName(QStringLiteral("Message"));
    m_message->setText(prefs().Template);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_message);

    const char *captions[4] = {"Set As Default", "Cancel", "Help", "OK"};
    auto *buttons = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto *button = new QPushButton(tr(captions[i]), this);
        button->setObjectName(QStringLiteral("Command1(%1)").arg(i));
        // Enter picks no button by itself; Escape still cancels.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { command1Click(i); });
        buttons->addWidget(button);
        m_buttons[i] = button;
    }
    buttons->addStretch(1);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0);
    layout->addLayout(buttons, 0, 1, 2, 1);
    layout->addWidget(frame, 1, 0);

    auto *hints = new StatusHints(this, workspace);
    hints->add(this, kCaption);
    hints->add(m_list->viewport(), QStringLiteral("Availible templates"));
    hints->add(m_buttons[0], QStringLiteral("Define default template for \"New\" button on main toolbar"));
    hints->add(m_buttons[1], QStringLiteral("Close this window, aborting action"));
    hints->add(m_buttons[2], QStringLiteral("Information about using templates"));
    hints->add(m_buttons[3], QStringLiteral("Close this window and use selected template"));

    fillList(folders);

    adjustSize();
    // Centred within the main window's extent, measured from the screen's corner.
    if (const QWidget *main = parentWidget())
        move((main->width() - width()) / 2, (main->height() - height()) / 2);
}

QPushButton *TemplateChooser::command1(int index) const
{
    return index >= 0 && index < 4 ? m_buttons[index] : nullptr;
}

void TemplateChooser::fillList(const QStringList &folders)
{
    m_list->addItem(kDefaultTemplateName);
    // A folder that cannot be read lists nothing; the built-in template is always there.
    m_list->addItems(templateNames(folders));
}

void TemplateChooser::command1Click(int index)
{
    switch (index) {
    case 0: setAsDefault(); break;
    case 1: reject(); break;
    case 2: showHelp(); break;
    case 3: useTemplate(); break;
    default: break;
    }
}

QString TemplateChooser::selectedTemplate() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void TemplateChooser::setAsDefault()
{
    const QString chosen = selectedTemplate();
    if (chosen.isEmpty())
        return;
    // Kept in the preference record, so Cancel does not undo it; stored when the program ends.
    prefs().Template = chosen;
    m_message->setText(chosen);
}

void TemplateChooser::showHelp()
{
    // The paragraphs are separated by LF CR LF CR, as the help text always was.
    const QString separator = QStringLiteral("\n\r\n\r");
    platform().messageBox(QStringLiteral("Document Templates"),
                          QStringLiteral("Your new document can be based on any of the templates you have saved in "
                                         "the program directory as .HTT files.  If no default template is "
                                         "configured, the Vornel default will be used.")
                              + separator
                              + QStringLiteral("You can define your default template by selecting the filename and "
                                               "clicking \"Set As Default\""),
                          MsgButtons::Ok, MsgIcon::None);
}

void TemplateChooser::useTemplate()
{
    QString name = selectedTemplate();
    if (name.isEmpty())
        name = prefs().Template;
    hide();
    m_workspace.newDocumentFromTemplate(name);
    accept();
}

void newCommand(Workspace &workspace)
{
    TemplateChooser chooser(templateFolders(), workspace);
    runModalDialog(chooser);
}

} // namespace vornel
