#include "editor/document_window.h"

#include "app/main_window.h"
#include "documents/document_files.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/insertion.h"
#include "editor/markup_menus.h"
#include "editor/menu_table.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "prefs/color_number.h"
#include "prefs/preferences.h"
#include "search/search_commands.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

namespace vornel {

DocumentWindow::DocumentWindow(int slot, QWidget *parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_text(new TextArea(this))
{
    setObjectName(QStringLiteral("frmNotePad"));
    setWindowTitle(QStringLiteral("Untitled:1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    setFocusProxy(m_text);

    m_text->installEventFilter(this);
    m_text->viewport()->setMouseTracking(true);
    m_text->viewport()->installEventFilter(this);
    connect(m_text, &TextArea::textEdited, this, [this] { documentTable().setChanged(m_slot, true); });
    connect(m_text, &TextArea::enterPressed, this, [this] {
        if (prefs().EnterBR != 0)
            insertInlineTag(*m_text, QStringLiteral("BR"), false);
    });
    buildMenus();
    // Shown with the preferred font and colours from the start, not only after a first focus.
    applyPreferences();
}

DocumentWindow::~DocumentWindow()
{
    // A window closed by its close box gave its slot back already; by the time it is deleted
    // a new window may have taken that slot.
    if (!m_slotReleased)
        documentTable().setFree(m_slot, true);
}

void DocumentWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

QMenu *DocumentWindow::menu(const QString &objectName) const
{
    return findChild<QMenu *>(objectName);
}

QAction *DocumentWindow::action(const QString &objectName) const
{
    for (QMenu *top : m_menus) {
        if (auto *found = top->findChild<QAction *>(objectName))
            return found;
        for (QAction *a : top->actions()) {
            if (a->objectName() == objectName)
                return a;
            if (a->menu()) {
                for (QAction *sub : a->menu()->actions()) {
                    if (sub->objectName() == objectName)
                        return sub;
                }
            }
        }
    }
    return nullptr;
}

QMenu *DocumentWindow::addTopMenu(const QString &objectName, const QString &caption)
{
    auto *top = new QMenu(caption, this);
    top->setObjectName(objectName);
    // Opening any menu clears the hint line.
    connect(top, &QMenu::aboutToShow, this, [] {
        if (MainWindow *main = mainWindow())
            main->setStatusText(QString());
    });
    m_menus.append(top);
    return top;
}

void DocumentWindow::insertMenu(QMenu *menu)
{
    // The menu bar keeps this order whichever menus a later part of the program adds.
    static const QStringList order = {
        QStringLiteral("mnuFile"),   QStringLiteral("mnuEdit"),    QStringLiteral("mnuDocument"),
        QStringLiteral("mnuStyles"), QStringLiteral("mnuInsert"),  QStringLiteral("mnuForms"),
        QStringLiteral("mnuSpecial"), QStringLiteral("mnuWindow"), QStringLiteral("mnuHelp"),
    };
    const auto rank = [](const QMenu *m) {
        const auto i = order.indexOf(m->objectName());
        return i < 0 ? order.size() : i;
    };
    qsizetype at = 0;
    while (at < m_menus.size() && rank(m_menus[at]) <= rank(menu))
        ++at;
    m_menus.insert(at, menu);
    connect(menu, &QMenu::aboutToShow, this, [] {
        if (MainWindow *main = mainWindow())
            main->setStatusText(QString());
    });
    if (MainWindow *main = mainWindow())
        main->updateMenuBar();
}

void DocumentWindow::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildDocumentMenu();
    buildStylesMenu();
    buildWindowMenu();
    buildHelpMenu();
    addMarkupMenus(*this);
}

void DocumentWindow::buildFileMenu()
{
    QMenu *file = addTopMenu(QStringLiteral("mnuFile"), tr("&File"));
    const QList<MenuEntry> entries = {
        {QStringLiteral("mnuFNew"), tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), [] {
             if (MainWindow *main = mainWindow())
                 main->action(QStringLiteral("mnuFNew"))->trigger();
         }},
        {QStringLiteral("mnuFOpen"), tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O), [] { openCommand(); }},
        {QStringLiteral("mnuFClose"), tr("&Close"), {}, [this] { parentWidget() ? parentWidget()->close() : close(); }},
        {QStringLiteral("mnuFSave"), tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveCommand(*this); }},
        {QStringLiteral("mnuFSaveAs"), tr("Save &As..."), QKeySequence(Qt::CTRL | Qt::Key_A), [this] { saveAsCommand(*this); }},
        {QStringLiteral("mnuFSep1"), QString(), {}, {}},
        {QStringLiteral("mnuFileGet"), tr("&Get File"), QKeySequence(Qt::CTRL | Qt::Key_G), [] { insertFileCommand(); }},
        {QStringLiteral("mnuFileDel"), tr("&Delete File"), QKeySequence(Qt::CTRL | Qt::Key_D), [] { deleteFileCommand(); }},
        {QStringLiteral("mnuFSep2"), QString(), {}, {}},
        {QStringLiteral("mnuPrint"), tr("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P), [] { printCommand(); }},
        {QStringLiteral("mnuPrintSetup"), tr("P&rint Setup..."), QKeySequence(Qt::CTRL | Qt::Key_R), [] { printSetupCommand(); }},
        {QStringLiteral("mnuFSep3"), QString(), {}, {}},
        {QStringLiteral("mnuFExit"), tr("E&xit"), {}, [] {
             if (MainWindow *main = mainWindow())
                 main->close();
         }},
    };
    for (const MenuEntry &entry : entries)
        addMenuEntry(file, entry, this, this);
    for (int i = 0; i <= 8; ++i) {
        MenuEntry entry{arrayName(QStringLiteral("mnuRecentFile"), i),
                        i == 0 ? QString() : QStringLiteral("RecentFile%1").arg(i), {}, {}, false};
        QAction *recent = addMenuEntry(file, entry, this);
        if (i > 0) {
            connect(recent, &QAction::triggered, this, [recent] { openRecentFile(recent->data().toString()); });
        }
        m_recent.append(recent);
    }
    // Print only when there is something to print.
    connect(file, &QMenu::aboutToShow, this, [this] { action(QStringLiteral("mnuPrint"))->setEnabled(m_text->length() > 0); });
}

void DocumentWindow::buildEditMenu()
{
    QMenu *edit = addTopMenu(QStringLiteral("mnuEdit"), tr("&Edit"));
    const QList<MenuEntry> entries = {
        // Hidden: the text area answers Ctrl+Z itself.
        {QStringLiteral("mnuUndo"), tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { m_text->undo(); }, false},
        {QStringLiteral("mnuESep0"), QString(), {}, {}, false},
        {QStringLiteral("mnuECut"), tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X), [this] { m_text->cutToClipboard(); }},
        {QStringLiteral("mnuECopy"), tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), [this] { m_text->copyToClipboard(); }},
        {QStringLiteral("mnuEPaste"), tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), [this] { m_text->pasteFromClipboard(); }},
        {QStringLiteral("mnuEDelete"), tr("De&lete"), QKeySequence(Qt::Key_Delete), [this] { editDelete(); }},
        {QStringLiteral("mnuESep1"), QString(), {}, {}},
        {QStringLiteral("mnuESelectAll"), tr("Select &All"), {}, [this] { editSelectAll(); }},
        {QStringLiteral("mnuESep2"), QString(), {}, {}},
        {QStringLiteral("mnuSFind"), tr("&Find..."), {}, [this] { openFindDialog(*m_text); }},
        {arrayName(QStringLiteral("mnuSFindNext"), 0), tr("Find &Next"), QKeySequence(Qt::Key_F3),
         [this] { findNextCommand(*m_text, 0); }},
        {arrayName(QStringLiteral("mnuSFindNext"), 1), tr("Find Pre&vious"), QKeySequence(Qt::SHIFT | Qt::Key_F3),
         [this] { findNextCommand(*m_text, 1); }},
        {QStringLiteral("mnuSReplace"), tr("&Replace..."), {}, [this] { openReplaceDialog(*m_text); }},
    };
    for (const MenuEntry &entry : entries)
        addMenuEntry(edit, entry, this, this);
    connect(edit, &QMenu::aboutToShow, this,
            [this] { action(QStringLiteral("mnuUndo"))->setEnabled(documentTable().isChanged(m_slot)); });
}

void DocumentWindow::buildDocumentMenu()
{
    QMenu *document = addTopMenu(QStringLiteral("mnuDocument"), tr("&Document"));
    struct DocTag {
        const char *caption;
        const char *tag;
        bool closeTag;
    };
    static const DocTag tags[] = {
        {"HT&ML", "HTML", true}, {"&Head", "HEAD", true}, {"&Isindex", "ISINDEX", false},
        {"&Title", "TITLE", true}, {"&Body", "BODY", true},
    };
    for (int i = 0; i < 5; ++i) {
        const DocTag &t = tags[i];
        addMenuEntry(document,
                     {arrayName(QStringLiteral("mnuDoc"), i), QString::fromLatin1(t.caption), {},
                      [t] { insertBlockTag(QString::fromLatin1(t.tag), t.closeTag); }},
                     this);
    }
}

void DocumentWindow::buildStylesMenu()
{
    QMenu *styles = addTopMenu(QStringLiteral("mnuStyles"), tr("&Styles"));
    QMenu *headings = styles->addMenu(tr("&Headings"));
    headings->setObjectName(QStringLiteral("mnuHeadings"));
    for (int level = 1; level <= 6; ++level) {
        // The keys are shown as text: Ctrl+1..6 reach the command through eventFilter.
        addMenuEntry(headings,
                     {arrayName(QStringLiteral("mnuHead"), level),
                      QStringLiteral("Heading &%1    Ctrl+%1").arg(level), {}, [this, level] { insertHeading(level); }},
                     this);
    }
}

void DocumentWindow::buildWindowMenu()
{
    m_windowMenu = addTopMenu(QStringLiteral("mnuWindow"), tr("&Window"));
    // The extended-characters toolbox hooks its command onto mnuExtend.
    QAction *toolbox = addMenuEntry(m_windowMenu, {QStringLiteral("mnuExtend"), tr("&Extended Characters"), {}, {}}, this);
    toolbox->setCheckable(true);
    QAction *toolbar = addMenuEntry(m_windowMenu,
                                    {QStringLiteral("mnuOToolbar"), tr("Extended &Toolbar"), {}, {}}, this);
    toolbar->setCheckable(true);
    connect(toolbar, &QAction::triggered, this, [toolbar] {
        if (MainWindow *main = mainWindow())
            main->setExtendedToolbar(toolbar->isChecked());
    });
    m_windowMenu->addSeparator();
    const char *arrange[] = {"&Cascade", "Tile &Horizontally", "Tile &Vertically", "&Arrange Icons"};
    for (int i = 0; i < 4; ++i) {
        addMenuEntry(m_windowMenu, {arrayName(QStringLiteral("mnuArrange"), i), tr(arrange[i]), {}, [i] {
                                        MainWindow *main = mainWindow();
                                        if (!main)
                                            return;
                                        switch (i) {
                                        case 0: main->cascade(); break;
                                        case 1: main->tileHorizontally(); break;
                                        case 2: main->tileVertically(); break;
                                        default: main->arrangeIcons(); break;
                                        }
                                    }},
                     this);
    }
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this, toolbar, toolbox] {
        toolbox->setChecked(prefs().ExtShow != 0);
        if (MainWindow *main = mainWindow()) {
            toolbar->setChecked(main->extendedToolbarChecked());
            main->fillWindowList(m_windowMenu);
        }
    });
}

void DocumentWindow::buildHelpMenu()
{
    QMenu *help = addTopMenu(QStringLiteral("mnuHelp"), tr("&Help"));
    // The manual's commands hook onto mnuManual(0..1).
    addMenuEntry(help, {arrayName(QStringLiteral("mnuManual"), 0), tr("&Using Vornel"), {}, {}, false}, this);
    addMenuEntry(help, {arrayName(QStringLiteral("mnuManual"), 1), tr("Vornel &Manual"), {}, {}}, this);
    addMenuEntry(help, {QStringLiteral("mnuHSep1"), QString(), {}, {}}, this);
    addMenuEntry(help, {QStringLiteral("mnuSupport"), tr("&Getting Help from Teslund"), {}, [] {
                            if (MainWindow *main = mainWindow())
                                main->showSupport();
                        }},
                 this);
    addMenuEntry(help, {QStringLiteral("mnuAbout"), tr("&About Vornel"), {}, [] {
                            if (MainWindow *main = mainWindow())
                                main->showAbout();
                        }},
                 this);
}

void DocumentWindow::insertHeading(int level)
{
    insertBlockTag(*m_text, QStringLiteral("H") + QString::number(level), true);
}

void DocumentWindow::editDelete()
{
    TextArea &text = *m_text;
    if (text.selStart() >= text.length())
        return;
    if (text.selLength() == 0) {
        // A CR LF pair goes as one; a lone CR is a line end of its own.
        const int at = text.selStart();
        const bool pair = text.charAt(at) == QLatin1Char('\r') && text.charAt(at + 1) == QLatin1Char('\n');
        text.setSelLength(pair ? 2 : 1);
    }
    text.setSelText(QString());
}

void DocumentWindow::editSelectAll()
{
    m_text->setSelStart(0);
    m_text->setSelLength(m_text->length());
}

void DocumentWindow::applyPreferences()
{
    const Preferences &p = prefs();
    QPalette palette = m_text->palette();
    const QColor fore = colorFromNumber(p.FColor);
    const QColor back = colorFromNumber(p.BColor);
    if (palette.color(QPalette::Text) != fore)
        palette.setColor(QPalette::Text, fore);
    if (palette.color(QPalette::Base) != back)
        palette.setColor(QPalette::Base, back);
    if (palette != m_text->palette())
        m_text->setPalette(palette);
    QFont font = m_text->font();
    if (font.bold() != (p.Bold != 0))
        font.setBold(p.Bold != 0);
    if (font.italic() != (p.Italic != 0))
        font.setItalic(p.Italic != 0);
    if (!p.Font.isEmpty() && font.family() != p.Font)
        font.setFamily(p.Font);
    if (p.Size > 0 && font.pointSize() != p.Size)
        font.setPointSize(p.Size);
    if (font != m_text->font())
        m_text->setFont(font);
}

void DocumentWindow::showStatus()
{
    MainWindow *main = mainWindow();
    if (main && main->activeDocument() && main->activeDocument()->caption() == caption())
        main->setStatusText(QStringLiteral("Edit ") + caption());
}

bool DocumentWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::ControlModifier && key->key() >= Qt::Key_1 && key->key() <= Qt::Key_6) {
            insertHeading(key->key() - Qt::Key_0);
            return true;
        }
    } else if (watched == m_text && event->type() == QEvent::FocusIn) {
        applyPreferences();
    } else if (watched == m_text->viewport() && event->type() == QEvent::MouseMove) {
        showStatus();
    }
    return QWidget::eventFilter(watched, event);
}

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    if (documentTable().isChanged(m_slot)) {
        const MsgResult answer = platform().messageBox(
            MainWindow::kCaption,
            QStringLiteral("Do you want to save changes to the file [") + caption() + QStringLiteral("]?"),
            MsgButtons::YesNoCancel, MsgIcon::Question);
        if (answer == MsgResult::Cancel || (answer == MsgResult::Yes && !saveOnClose(*this))) {
            event->ignore();
            return;
        }
    }
    documentTable().setFree(m_slot, true);
    m_slotReleased = true;
    event->accept();
}

} // namespace vornel
