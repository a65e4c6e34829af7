#include "dialogs/image_dialog.h"

#include "dialogs/dialog_result.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/server_path.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "platform/program_folder.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vornel {

namespace {

constexpr ImageAlignment kAlignments[3] = {ImageAlignment::Top, ImageAlignment::Middle, ImageAlignment::Bottom};

int indexOf(ImageAlignment alignment)
{
    return int(alignment);
}

} // namespace

QString alignmentText(ImageAlignment alignment)
{
    switch (alignment) {
    case ImageAlignment::Top: return QStringLiteral(" ALIGN=top ");
    case ImageAlignment::Middle: return QStringLiteral(" ALIGN=middle ");
    case ImageAlignment::Bottom: break;
    }
    return QStringLiteral(" ALIGN=bottom ");
}

QString imageTagBody(ImageAlignment alignment, const QString &altText, bool isMap, const QString &source)
{
    QString built = alignmentText(alignment);
    if (!altText.isEmpty())
        built += QStringLiteral("ALT=\"") + altText + QStringLiteral("\" ");
    if (isMap)
        built.prepend(QStringLiteral(" ISMAP"));
    return QStringLiteral("IMG") + built + QStringLiteral(" SRC=\"") + source + u'"';
}

ImageDialog::ImageDialog(Workspace &workspace)
    : QDialog(workspace.dialogParent())
    , m_workspace(workspace)
    , m_list(new HistoryComboBox(this))
    , m_remove(new QPushButton(tr("Remove From List"), this))
    , m_browse(new QPushButton(tr("Browse..."), this))
    , m_ok(newOkButton(this))
    , m_cancel(newCancelButton(this))
    , m_help(new QPushButton(tr("&Help"), this))
    , m_altLabel(new QLabel(tr("Alternate Text (while loading image or for text-only browsers)"), this))
    , m_altText(new QLineEdit(this))
    , m_isMap(new QCheckBox(tr("Image will be used to create an Image Map"), this))
    , m_hints(new StatusHints(this, workspace))
{
    setObjectName(QStringLiteral("frmGIF"));
    setWindowTitle(kCaption);

    auto *fileLabel = new QLabel(QStringLiteral("Select or enter the image file name, or click \"Browse\" to search "
                                                "the available file systems:"),
                                 this);
    fileLabel->setObjectName(QStringLiteral("lblFile"));
    fileLabel->setBuddy(m_list);
    fileLabel->setWordWrap(true);

    m_remove->setObjectName(QStringLiteral("cmdRemove"));
    m_browse->setObjectName(QStringLiteral("cmdBrowse"));
    m_help->setObjectName(QStringLiteral("cmdHelp"));
    for (QPushButton *button : {m_remove, m_browse, m_help})
        button->setAutoDefault(false);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        m_list->removePicked();
        updateOk();
    });
    connect(m_browse, &QPushButton::clicked, this, [this] { browse(); });
    connect(m_ok, &QPushButton::clicked, this, [this] {
        dialogResultText() = tagBody();
        accept();
    });
    connect(m_help, &QPushButton::clicked, this, [this] { showHelp(); });
    connect(m_list, &QComboBox::editTextChanged, this, [this] { updateOk(); });

    auto *alignLabel = new QLabel(tr("Alignment:"), this);
    const char *alignCaptions[3] = {"Top", "Middle", "Bottom"};
    const char *alignNames[3] = {"optTop", "optMiddle", "optBottom"};
    auto *alignRow = new QHBoxLayout;
    alignRow->addWidget(alignLabel);
    for (int i = 0; i < 3; ++i) {
        m_align[i] = new QRadioButton(tr(alignCaptions[i]), this);
        m_align[i]->setObjectName(QLatin1StringView(alignNames[i]));
        alignRow->addWidget(m_align[i]);
    }
    alignRow->addStretch(1);
    m_align[indexOf(ImageAlignment::Bottom)]->setChecked(true);

    m_altLabel->setObjectName(QStringLiteral("lblAltText"));
    m_altLabel->setBuddy(m_altText);
    m_altText->setObjectName(QStringLiteral("AltText"));
    m_altText->installEventFilter(this);
    m_isMap->setObjectName(QStringLiteral("btnIsmap"));

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_list, 1);
    fileRow->addWidget(m_remove);
    fileRow->addWidget(m_browse);
    auto *fields = new QVBoxLayout;
    fields->addWidget(fileLabel);
    fields->addLayout(fileRow);
    fields->addLayout(alignRow);
    fields->addWidget(m_altLabel);
    fields->addWidget(m_altText);
    fields->addWidget(m_isMap);
    fields->addStretch(1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {m_ok, m_cancel, m_help})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    const QString altHint = QStringLiteral("Image description for text only browsers or during slow load of images");
    const QString pickHint = QStringLiteral("Select from list of previous selections");
    m_hints->add(this, QStringLiteral("Select from list or enter a new selection"));
    m_hints->add(m_ok, QStringLiteral("Close this window and use selection"));
    m_hints->add(m_cancel, QStringLiteral("Close this window, aborting action"));
    m_hints->add(m_remove, QStringLiteral("Remove selected item from drop-down list"));
    m_hints->add(m_browse, QStringLiteral("Locate a new selection on the available file system"));
    m_hints->add(m_help, QStringLiteral("Information about using alignment and alternate text"));
    m_hints->add(m_list, pickHint);
    m_hints->add(m_list->lineEdit(), pickHint);
    m_hints->add(m_align[0], QStringLiteral("Text after image will be aligned to the top of the image"));
    m_hints->add(m_align[1], QStringLiteral("Text after image will be aligned to the vertical center of the image"));
    m_hints->add(m_align[2], QStringLiteral("Text after image will be aligned to the bottom of the image"));
    m_hints->add(m_altText, altHint);
    m_hints->add(m_altLabel, altHint);
    m_hints->add(m_isMap, QStringLiteral("Image will be used for an image map"));

    m_list->loadHistory(historyFilePath(QStringLiteral("gif-list.qvl")));
    updateOk();
    m_list->setFocus();

    adjustSize();
    // Centred over the main window.
    if (const QWidget *main = parentWidget()) {
        const QRect frame = main->frameGeometry();
        move(frame.left() + frame.width() / 2 - width() / 2, frame.top() + frame.height() / 2 - height() / 2);
    }
}

QRadioButton *ImageDialog::alignButton(ImageAlignment alignment) const
{
    return m_align[indexOf(alignment)];
}

ImageAlignment ImageDialog::alignment() const
{
    for (ImageAlignment alignment : kAlignments) {
        if (alignButton(alignment)->isChecked())
            return alignment;
    }
    return ImageAlignment::Bottom;
}

QString ImageDialog::tagBody() const
{
    return imageTagBody(alignment(), m_altText->text(), m_isMap->isChecked(), m_list->currentText());
}

void ImageDialog::done(int result)
{
    if (result != QDialog::Accepted)
        dialogResultText().clear();
    m_list->saveHistory();
    QDialog::done(result);
}

bool ImageDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Selected once the click that brought the focus has placed the cursor, so typing
    // replaces the whole text however the box was entered.
    if (watched == m_altText && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_altText, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void ImageDialog::showHelp()
{
    const QString paragraphBreak = QStringLiteral("\r\n\r\n");
    platform().messageBox(kCaption,
                          QStringLiteral("A few text based browsers cannot display images. Also, most browsers will "
                                         "take some time to retrieve images over dial-up connections. Alternate "
                                         "text describes the graphic referneced.")
                              + paragraphBreak
                              + QStringLiteral("Use alignment to adjust the location of text immediately following "
                                               "an image.")
                              + paragraphBreak
                              + QStringLiteral("If the image will be used to create an Image Map, check the box."),
                          MsgButtons::Ok, MsgIcon::Information);
}

void ImageDialog::browse()
{
    if (const std::optional<QString> path = browseServerPath(m_workspace.commonDialog(), kImageDialogBrowse))
        m_list->enterText(*path);
}

void ImageDialog::updateOk()
{
    m_ok->setEnabled(!m_list->currentText().isEmpty());
}

QString showImageDialog(Workspace &workspace, ImageMapBox mapBox)
{
    CommonDialog &files = workspace.commonDialog();
    files.dialogTitle = QStringLiteral("Locate Image");
    files.filter = kGifBrowseFilter;
    // Only closing the dialog sets a result; a stale one must not be inserted again.
    dialogResultText().clear();
    {
        ImageDialog dialog(workspace);
        dialog.isMap()->setVisible(mapBox == ImageMapBox::Shown);
        runModalDialog(dialog);
    }
    files.dialogTitle.clear();
    return dialogResultText();
}

} // namespace vornel
