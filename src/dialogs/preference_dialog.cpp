#include "dialogs/preference_dialog.h"

#include "dialogs/directory_selector.h"
#include "dialogs/image_dialog.h"
#include "dialogs/list_input_box.h"
#include "editor/command_table.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/workspace.h"
#include "platform/program_folder.h"
#include "platform/version.h"
#include "prefs/color_number.h"
#include "prefs/external_programs.h"
#include "prefs/preferences.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace vornel {

namespace {

const QString kGoToHomepage = QStringLiteral("\"Go To Homepage\"");

// What a location field's Browse button opens.
enum class Browse { None, Directory, Viewer, HomePage, HomePicture };

// One field of the "Location of Files" tab (Text1(i), its label Label1(i), Browse(i)).
struct LocationField {
    QString label;
    QString hint;
    Browse browse;
    QString browseHint;
    // Its Browse button is enabled only with the web-server box checked.
    bool onWebServer;
};

const std::array<LocationField, kLocationFieldCount> &locationFields()
{
    static const std::array<LocationField, kLocationFieldCount> fields = {{
        {QStringLiteral("Local Document Directory"), QStringLiteral("Define directory for opening/saving HTML documents"),
         Browse::Directory, QStringLiteral("Locate HTML document directory on this workstation"), false},
        {QStringLiteral("Local HTML Viewer"), QStringLiteral("Define local HTML viewer for previewing HTML documents"),
         Browse::Viewer, QStringLiteral("Locate HTML document viewer"), false},
        {QStringLiteral("Web Server Documents"), QStringLiteral("Define path to documnents on server"), Browse::Directory,
         QStringLiteral("If this workstation is the Web server, locate document directory"), true},
        {QStringLiteral("Web Server GIF Files (relative)"), QStringLiteral("Path to Image files on server, relative to documents"),
         Browse::Directory, QStringLiteral("If this workstation is the Web Server, locate image directory"), true},
        {QStringLiteral("Web Server Multimedia Files (relative)"),
         QStringLiteral("Path to Multimedia Files on server, relative to documents"), Browse::Directory,
         QStringLiteral("If this workstation is the Web server, locate Multimedia directory"), true},
        {QStringLiteral("Default File Service (e.g.,  ftp: path)"),
         QStringLiteral("File service and path for sending all other file types"), Browse::None, QString(), false},
        {QStringLiteral("Hompage"), QStringLiteral("Define Homepage for ") + kGoToHomepage + QStringLiteral(" references"),
         Browse::HomePage, QStringLiteral("If this workstation is the Web server, locate Homepage"), true},
        {QStringLiteral("Homepage Picture Button"),
         QStringLiteral("Define Image for ") + kGoToHomepage + QStringLiteral(" references"), Browse::HomePicture,
         QStringLiteral("If this workstation is the Web server, locate image for ") + kGoToHomepage
             + QStringLiteral(" references"),
         true},
        {kGoToHomepage + QStringLiteral(" Text"), QStringLiteral("Define your own ") + kGoToHomepage + QStringLiteral(" text"),
         Browse::None, QString(), false},
    }};
    return fields;
}

QPushButton *newButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

PreferenceDialog::PreferenceDialog(Workspace &workspace)
    : QDialog(workspace.dialogParent())
    , m_workspace(workspace)
    , m_tabs(new QTabWidget(this))
    , m_ok(newOkButton(this, QStringLiteral("Command3")))
    , m_cancel(newCancelButton(this, QStringLiteral("Command2")))
    , m_hints(new StatusHints(this, workspace))
{
    setObjectName(QStringLiteral("ConfigWindow"));
    setWindowTitle(kCaption);

    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->addTab(buildLocationTab(), tr("Location of Files"));
    m_tabs->addTab(buildGeneralTab(), tr("General"));

    connect(m_ok, &QPushButton::clicked, this, [this] { commit(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    addHints();

    adjustSize();
    // Centred over the main window.
    if (const QWidget *main = parentWidget()) {
        const QRect frame = main->frameGeometry();
        move(frame.left() + frame.width() / 2 - width() / 2, frame.top() + frame.height() / 2 - height() / 2);
    }
    fill(editsFrom(prefs()));
}

QWidget *PreferenceDialog::buildLocationTab()
{
    auto *tab = new QWidget(m_tabs);
    auto *grid = new QGridLayout(tab);
    for (int i = 0; i < kLocationFieldCount; ++i) {
        const LocationField &location = locationFields()[std::size_t(i)];
        m_labels[i] = new QLabel(location.label, tab);
        m_labels[i]->setObjectName(arrayName(QStringLiteral("Label1"), i));
        m_fields[i] = new QLineEdit(tab);
        m_fields[i]->setObjectName(arrayName(QStringLiteral("Text1"), i));
        m_fields[i]->installEventFilter(this);
        m_labels[i]->setBuddy(m_fields[i]);
        grid->addWidget(m_labels[i], 2 * i, 0, 1, 2);
        grid->addWidget(m_fields[i], 2 * i + 1, 0);
        if (location.browse != Browse::None) {
            m_browse[i] = newButton(tr("Browse..."), arrayName(QStringLiteral("Browse"), i), tab);
            connect(m_browse[i], &QPushButton::clicked, this, [this, i] { browse(i); });
            grid->addWidget(m_browse[i], 2 * i + 1, 1);
        }
    }
    m_webServer = new QCheckBox(tr("Web Server File System Attached?"), tab);
    m_webServer->setObjectName(QStringLiteral("chkDOSFS"));
    // A click, not a change made while the dialog opens, switches the Browse buttons.
    connect(m_webServer, &QCheckBox::clicked, this, [this] { updateBrowseButtons(); });
    m_webServerHelp = newButton(tr("Help"), QStringLiteral("Command5"), tab);
    connect(m_webServerHelp, &QPushButton::clicked, this, [] {
        platform().messageBox(kProductName,
                              QStringLiteral("If the WEB server file system is available, selecting this check box "
                                             "enables searching of the Web Server file system for applicable "
                                             "files, images, and documents."),
                              MsgButtons::Ok, MsgIcon::None);
    });
    auto *serverRow = new QHBoxLayout;
    serverRow->addWidget(m_webServer);
    serverRow->addStretch(1);
    serverRow->addWidget(m_webServerHelp);
    grid->addLayout(serverRow, 2 * kLocationFieldCount, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 360);
    return tab;
}

QWidget *PreferenceDialog::buildGeneralTab()
{
    auto *tab = new QWidget(m_tabs);
    const auto frame = [tab](const QString &caption, const QString &name) {
        auto *box = new QGroupBox(caption, tab);
        box->setObjectName(name);
        return box;
    };

    m_frames[2] = frame(tr("Font and Colors"), arrayName(QStringLiteral("Frame1"), 2));
    m_foreColor = newButton(tr("Foreground Color"), QStringLiteral("btnForeColor"), m_frames[2]);
    m_font = newButton(tr("Font Style and Size"), QStringLiteral("btnFont"), m_frames[2]);
    m_backColor = newButton(tr("Background Color"), QStringLiteral("btnBackColor"), m_frames[2]);
    m_sampleLabel = new QLabel(tr("Sample:"), m_frames[2]);
    m_sampleLabel->setObjectName(QStringLiteral("Label5"));
    m_sample = new QLabel(QStringLiteral("Aa Bb Yy Zz"), m_frames[2]);
    m_sample->setObjectName(QStringLiteral("Sample"));
    m_sample->setAutoFillBackground(true);
    m_sample->setMinimumHeight(48);
    connect(m_foreColor, &QPushButton::clicked, this, [this] { chooseColor(&EditorLook::foreColor); });
    connect(m_backColor, &QPushButton::clicked, this, [this] { chooseColor(&EditorLook::backColor); });
    connect(m_font, &QPushButton::clicked, this, [this] { chooseFont(); });
    auto *lookLayout = new QGridLayout(m_frames[2]);
    lookLayout->addWidget(m_foreColor, 0, 0);
    lookLayout->addWidget(m_font, 0, 1);
    lookLayout->addWidget(m_backColor, 0, 2);
    lookLayout->addWidget(m_sampleLabel, 1, 0);
    lookLayout->addWidget(m_sample, 1, 1, 1, 2);

    m_enterFrame = frame(tr("Enter key sends:"), QStringLiteral("Frame2"));
    auto *enterGroup = new QButtonGroup(m_enterFrame);
    const char *enterCaptions[2] = {"&CRLF Only (Default)", "<&BR> (Suggested)"};
    auto *enterLayout = new QVBoxLayout(m_enterFrame);
    for (int i = 0; i < 2; ++i) {
        m_enter[i] = new QRadioButton(tr(enterCaptions[i]), m_enterFrame);
        m_enter[i]->setObjectName(arrayName(QStringLiteral("EnterSelect"), i));
        enterGroup->addButton(m_enter[i], i);
        enterLayout->addWidget(m_enter[i]);
    }
    m_enterHelp = newButton(tr("Enter Key &Help"), QStringLiteral("Command1"), m_enterFrame);
    connect(m_enterHelp, &QPushButton::clicked, this, [] {
        platform().messageBox(QStringLiteral("Configuring the Enter key"),
                              QStringLiteral("Most HTML viewers will ignore blank spaces (except in <PRE>formatted "
                                             "text). Select <BR> to create an HTML newline whenever the Enter key "
                                             "is pressed."),
                              MsgButtons::Ok, MsgIcon::None);
    });
    enterLayout->addWidget(m_enterHelp);

    m_frames[1] = frame(tr("Default Template for new Documents"), arrayName(QStringLiteral("Frame1"), 1));
    m_templates = new QComboBox(m_frames[1]);
    m_templates->setObjectName(QStringLiteral("List1"));
    (new QVBoxLayout(m_frames[1]))->addWidget(m_templates);

    m_frames[0] = frame(tr("Email Address"), arrayName(QStringLiteral("Frame1"), 0));
    m_email = new QLineEdit(m_frames[0]);
    m_email->setObjectName(QStringLiteral("txtEmailAddr"));
    m_email->installEventFilter(this);
    (new QVBoxLayout(m_frames[0]))->addWidget(m_email);

    auto *layout = new QGridLayout(tab);
    layout->addWidget(m_frames[2], 0, 0, 1, 2);
    layout->addWidget(m_enterFrame, 1, 0, 2, 1);
    layout->addWidget(m_frames[1], 1, 1);
    layout->addWidget(m_frames[0], 2, 1);
    layout->setRowStretch(3, 1);
    return tab;
}

void PreferenceDialog::addHints()
{
    StatusHints &hints = *m_hints;
    hints.add(this, kCaption);
    hints.add(m_tabs->tabBar(), kCaption);
    for (int i = 0; i < kLocationFieldCount; ++i) {
        const LocationField &location = locationFields()[std::size_t(i)];
        hints.add(m_fields[i], location.hint);
        if (m_browse[i])
            hints.add(m_browse[i], location.browseHint);
    }
    hints.add(m_webServer, QStringLiteral("Enables searching of Web Server file system, if available."));
    const QString emailHint = QStringLiteral("Prefered Email address for MAILTO references");
    hints.add(m_frames[0], emailHint);
    hints.add(m_email, emailHint);
    hints.add(m_frames[1], QStringLiteral("Prefered template for new HMTL pages"));
    hints.add(m_frames[2], QStringLiteral("Prefered editor font and colors"));
    hints.add(m_font, QStringLiteral("Select editor window font"));
    hints.add(m_foreColor, QStringLiteral("Select edit window font color"));
    hints.add(m_backColor, QStringLiteral("Select edit window background color"));
    const QString sampleHint = QStringLiteral("Edit window sample text");
    hints.add(m_sample, sampleHint);
    hints.add(m_sampleLabel, sampleHint);
    const QString enterHint = QStringLiteral("Select prefered <Enter> key behavior");
    hints.add(m_enterFrame, enterHint);
    hints.add(m_enterHelp, enterHint);
    hints.add(m_enter[0], QStringLiteral("<Enter> key sends invisible line feed only"));
    hints.add(m_enter[1], QStringLiteral("<Enter> key also sends HTML newline <BR>"));
    hints.add(m_ok, QStringLiteral("Close this window and save changes"));
    hints.add(m_cancel, QStringLiteral("Close this window, aborting changes"));
}

QLineEdit *PreferenceDialog::locationField(int index) const
{
    return index >= 0 && index < kLocationFieldCount ? m_fields[index] : nullptr;
}

QPushButton *PreferenceDialog::browseButton(int index) const
{
    return index >= 0 && index < kLocationFieldCount ? m_browse[index] : nullptr;
}

QRadioButton *PreferenceDialog::enterOption(int index) const
{
    return index == 0 || index == 1 ? m_enter[index] : nullptr;
}

void PreferenceDialog::fill(const PreferenceEdits &edits)
{
    m_look = edits.look;
    showLook();
    m_email->setText(edits.email);
    if (QRadioButton *option = enterOption(edits.enterOption))
        option->setChecked(true);

    m_templates->addItem(kDefaultTemplateName);
    m_templates->addItems(templateNames(templateFolders()));
    // A template that is gone leaves nothing chosen, so OK keeps the stored one.
    m_templates->setCurrentIndex(m_templates->findText(edits.templateName));

    m_webServer->setChecked(edits.webServerAttached);
    for (int i = 0; i < kLocationFieldCount; ++i)
        m_fields[i]->setText(edits.locations.value(i));
}

PreferenceEdits PreferenceDialog::edits() const
{
    PreferenceEdits edits;
    edits.look = m_look;
    edits.email = m_email->text();
    edits.templateName = m_templates->currentText();
    edits.enterOption = m_enter[0]->isChecked() ? 0 : m_enter[1]->isChecked() ? 1 : -1;
    edits.webServerAttached = m_webServer->isChecked();
    for (QLineEdit *field : m_fields)
        edits.locations << field->text();
    return edits;
}

void PreferenceDialog::showLook()
{
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, colorFromNumber(m_look.foreColor));
    palette.setColor(QPalette::Window, colorFromNumber(m_look.backColor));
    m_sample->setPalette(palette);
    QFont font = m_sample->font();
    font.setBold(m_look.bold);
    font.setItalic(m_look.italic);
    if (!m_look.fontName.isEmpty())
        font.setFamily(m_look.fontName);
    if (m_look.pointSize > 0)
        font.setPointSizeF(m_look.pointSize);
    m_sample->setFont(font);
}

void PreferenceDialog::updateBrowseButtons()
{
    for (int i = 0; i < kLocationFieldCount; ++i) {
        if (locationFields()[std::size_t(i)].onWebServer)
            m_browse[i]->setEnabled(m_webServer->isChecked());
    }
}

void PreferenceDialog::chooseColor(qint32 EditorLook::*color)
{
    QColor chosen = colorFromNumber(m_look.*color);
    if (!platform().showColorDialog(chosen))
        return;
    m_look.*color = numberFromColor(chosen);
    showLook();
}

void PreferenceDialog::chooseFont()
{
    QFont font = m_sample->font();
    if (!platform().showFontDialog(font))
        return;
    m_look.bold = font.bold();
    m_look.italic = font.italic();
    m_look.fontName = font.family();
    m_look.pointSize = font.pointSizeF();
    showLook();
}

void PreferenceDialog::browse(int index)
{
    switch (locationFields()[std::size_t(index)].browse) {
    case Browse::Directory: browseDirectory(index); break;
    case Browse::Viewer: browseViewer(); break;
    case Browse::HomePage: browseHomePage(); break;
    case Browse::HomePicture: browseHomePicture(); break;
    case Browse::None: return;
    }
    m_configDialog.dialogTitle.clear();
    m_workspace.commonDialog().dialogTitle.clear();
}

void PreferenceDialog::browseDirectory(int index)
{
    QLineEdit *field = m_fields[index];
    // The field's path as it stands: turning '/' into '\' here would spoil every path.
    DirectorySelector selector(field, index, this, parentWidget());
    selector.start(field->text());
    runModalDialog(selector);
    if (index != 0)
        field->setText(withForwardSlashes(field->text()));
}

void PreferenceDialog::browseViewer()
{
    prepareViewerDialog(m_configDialog, m_fields[1]->text());
    if (platform().showOpenDialog(m_configDialog))
        m_fields[1]->setText(m_configDialog.fileName);
}

void PreferenceDialog::browseHomePage()
{
    CommonDialog &files = m_workspace.commonDialog();
    files.dialogTitle = QStringLiteral("Locate Home Page");
    files.filter = QStringLiteral("HTML Files (*.htm, *.html)|*.htm; *.html|All Files (*.*)|*.*");
    const QString page = listInputBox(m_workspace,
                                      QStringLiteral("Select or enter Home Page URL, or browse the local filesystem."),
                                      QStringLiteral("url-list.qvl"), QStringLiteral("Configure Home Page Reference"));
    if (!page.isEmpty())
        m_fields[6]->setText(page);
    m_fields[6]->setText(withForwardSlashes(m_fields[6]->text()));
}

void PreferenceDialog::browseHomePicture()
{
    // Cancel leaves the field as it was: an empty tag would spoil every later home-page link.
    const QString body = showImageDialog(m_workspace);
    if (body.isEmpty())
        return;
    m_fields[7]->setText(withForwardSlashes(QLatin1Char('<') + body + QLatin1Char('>')));
}

void PreferenceDialog::commit()
{
    commitEdits(edits(), prefs());
    accept();
}

bool PreferenceDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Selected once the click that brought the focus has placed the cursor, so typing
    // replaces the whole text however the field was entered.
    if (event->type() == QEvent::FocusIn) {
        if (auto *field = qobject_cast<QLineEdit *>(watched))
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void preferencesCommand(Workspace &workspace)
{
    PreferenceDialog dialog(workspace);
    runModalDialog(dialog);
}

} // namespace vornel
