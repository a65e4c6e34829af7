#include "dialogs/list_assistant.h"

#include "dialogs/image_dialog.h"
#include "editor/insertion.h"
#include "editor/list_conversion.h"
#include "editor/markup_commands.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/text_area.h"
#include "editor/workspace.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace vornel {

namespace {

struct ListOption {
    const char *caption;
    const char *kind;  // empty: the image bullet
    const char *hint;
};

constexpr std::array<ListOption, 5> listOptions{{
    {"Directory List", "DIR", "Create a DIRECTORY list"},
    {"Menu List", "MENU", "Create a MENU list"},
    {"Ordered List", "OL", "Create an ORDERED list"},
    {"Unordered List", "UL", "Create an UNORDERED list"},
    {"A list that uses an image file for bullets", "", "Create a GIF list"},
}};

bool isImageBullet(const QString &kind)
{
    return kind.startsWith(QLatin1String("<BR><IMG"));
}

} // namespace

QString &currentListKind()
{
    static QString kind;
    return kind;
}

QString &lastImageBullet()
{
    static QString bullet;
    return bullet;
}

ListAssistant::ListAssistant(Workspace &workspace)
    : QDialog(workspace.dialogParent())
    , m_workspace(workspace)
    , m_image(new QLineEdit(this))
    , m_browse(new QPushButton(tr("Browse..."), this))
    , m_ok(newOkButton(this))
    , m_cancel(newCancelButton(this))
{
    setObjectName(QStringLiteral("frmListAssist"));
    setWindowTitle(kCaption);

    auto *question = new QLabel(tr("What kind of list do you want to create?"), this);
    auto *frame = new QGroupBox(this);
    auto *options = new QVBoxLayout(frame);
    auto *hints = new StatusHints(this, workspace);
    for (int i = 0; i < int(listOptions.size()); ++i) {
        const ListOption &row = listOptions[std::size_t(i)];
        m_options[i] = new QRadioButton(tr(row.caption), frame);
        m_options[i]->setObjectName(QStringLiteral("optList(%1)").arg(i));
        connect(m_options[i], &QRadioButton::clicked, this, [this, i] { choose(i); });
        options->addWidget(m_options[i]);
        hints->add(m_options[i], QString::fromLatin1(row.hint));
    }
    auto *imageRow = new QHBoxLayout;
    imageRow->addSpacing(20);
    imageRow->addWidget(m_image, 1);
    imageRow->addWidget(m_browse);
    options->addLayout(imageRow);

    m_image->setObjectName(QStringLiteral("txtImage"));
    m_image->installEventFilter(this);
    m_browse->setObjectName(QStringLiteral("cmdBrowse"));
    m_browse->setAutoDefault(false);
    connect(m_image, &QLineEdit::textChanged, this, [this] { imageEdited(); });
    connect(m_browse, &QPushButton::clicked, this, [this] { browse(); });
    connect(m_ok, &QPushButton::clicked, this, [this] { accept(); });

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto *fields = new QVBoxLayout;
    fields->addWidget(question);
    fields->addWidget(frame);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    hints->add(this, QStringLiteral("Create new list, or format selected text"));
    hints->add(m_image, QStringLiteral("Image to use for bullets"));
    hints->add(m_browse, QStringLiteral("Locate image to use for bullets"));
    hints->add(m_ok, QStringLiteral("Close this window, create list"));
    hints->add(m_cancel, QStringLiteral("Cancel new list"));

    // The last bullet counts as an edit of the box, which makes it the current kind; OK waits
    // for an option all the same.
    m_image->setText(lastImageBullet());
    imageEdited();
    m_image->setEnabled(false);
    m_browse->setEnabled(false);
    m_ok->setEnabled(false);

    adjustSize();
    if (const QWidget *main = parentWidget()) {
        const QRect area = main->frameGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

QRadioButton *ListAssistant::option(int index) const
{
    return index >= 0 && index < int(listOptions.size()) ? m_options[index] : nullptr;
}

bool ListAssistant::imageChosen() const
{
    return m_options[kImageOption]->isChecked();
}

void ListAssistant::choose(int index)
{
    const bool image = index == kImageOption;
    m_ok->setEnabled(true);
    m_image->setEnabled(image);
    m_browse->setEnabled(image);
    if (!image)
        currentListKind() = QString::fromLatin1(listOptions[std::size_t(index)].kind);
    else if (m_image->text().isEmpty())
        m_ok->setEnabled(false);
    else
        currentListKind() = m_image->text();
}

void ListAssistant::imageEdited()
{
    if (m_image->text().isEmpty()) {
        m_ok->setEnabled(false);
        return;
    }
    m_ok->setEnabled(imageChosen());
    currentListKind() = m_image->text();
}

void ListAssistant::browse()
{
    const QString tag = showImageDialog(m_workspace, ImageMapBox::Hidden);
    if (!tag.isEmpty())
        m_image->setText(QStringLiteral("<BR><") + tag + QLatin1Char('>'));
}

bool ListAssistant::eventFilter(QObject *watched, QEvent *event)
{
    // Entering the box selects all of it, by mouse as well as by Tab.
    if (watched == m_image && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_image, [image = m_image] { image->selectAll(); });
    return QDialog::eventFilter(watched, event);
}

void ListAssistant::done(int result)
{
    // Escape and the close box cancel too: a half-chosen kind must never convert anything.
    if (result != Accepted)
        currentListKind().clear();
    QDialog::done(result);
}

void listAssistCommand(Workspace &workspace, TextArea &area)
{
    const bool selected = area.selLength() > 0;
    {
        ListAssistant dialog(workspace);
        runModalDialog(dialog);
    }
    const QString kind = currentListKind();
    if (selected) {
        if (!kind.isEmpty())
            convertSelectionToList(area, kind);
        if (isImageBullet(kind))
            lastImageBullet() = kind;
    } else if (isListTagKind(kind)) {
        insertBlockTags(area, listSkeletonTags(kind));
    } else if (!kind.isEmpty()) {
        {
            EditGroup group(area);
            for (int line = 0; line < 4; ++line)
                insertBeforeSelection(area, QStringLiteral("\r\n") + kind);
        }
        lastImageBullet() = kind;
    }
    area.setFocus();
}

} // namespace vornel
