#include "app/main_window.h"

#include "app/about_dialog.h"
#include "dialogs/template_chooser.h"
#include "documents/document_files.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/insertion.h"
#include "editor/menu_table.h"
#include "editor/text_area.h"
#include "platform/twips.h"
#include "prefs/preferences.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace vornel {

namespace {

MainWindow *g_mainWindow = nullptr;

DocumentWindow *documentOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<DocumentWindow *>(window->widget()) : nullptr;
}

} // namespace

MainWindow *mainWindow()
{
    return g_mainWindow;
}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    g_mainWindow = this;
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(kCaption);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_mdi = new QMdiArea(central);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    layout->addWidget(m_mdi, 1);
    setCentralWidget(central);

    createMenus();
    createToolBars();
    createStatusBar();
    layout->addWidget(m_statusBar);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);
    setInsertionTargetResolver([] {
        DocumentWindow *document = g_mainWindow ? g_mainWindow->activeDocument() : nullptr;
        return document ? document->textArea() : nullptr;
    });
    platform().setDialogParent(this);
}

MainWindow::~MainWindow()
{
    // The document area announces activations while its children are destroyed.
    disconnect(m_mdi, nullptr, this, nullptr);
    setInsertionTargetResolver({});
    if (platform().dialogParent() == this)
        platform().setDialogParent(nullptr);
    g_mainWindow = nullptr;
}

// ---- menus ----

QMenu *MainWindow::addOwnMenu(const QString &objectName, const QString &caption)
{
    auto *menu = new QMenu(caption, this);
    menu->setObjectName(objectName);
    connect(menu, &QMenu::aboutToShow, this, [this] { setStatusText(QString()); });
    m_ownMenus.append(menu);
    return menu;
}

void MainWindow::createMenus()
{
    QMenu *file = addOwnMenu(QStringLiteral("mnuFile"), tr("&File"));
    const QList<MenuEntry> fileEntries = {
        {QStringLiteral("mnuFNew"), tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), [] { newCommand(); }},
        {QStringLiteral("mnuFOpen"), tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O), [] { openCommand(); }},
        {QStringLiteral("mnuClose"), tr("&Close"), {}, {}, true, false},
        {QStringLiteral("mnuSave"), tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), {}, true, false},
        {QStringLiteral("mnuSaveAs"), tr("Save &As..."), QKeySequence(Qt::CTRL | Qt::Key_A), {}, true, false},
        {QStringLiteral("mnuFSep1"), QString(), {}, {}},
        {QStringLiteral("mnuGetFile"), tr("&Get File"), QKeySequence(Qt::CTRL | Qt::Key_G), {}, true, false},
        {QStringLiteral("mnuDeleteFile"), tr("&Delete File"), QKeySequence(Qt::CTRL | Qt::Key_D), [] { deleteFileCommand(); }},
        {QStringLiteral("mnuFSep2"), QString(), {}, {}},
        {QStringLiteral("mnuPrint"), tr("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P), {}, true, false},
        {QStringLiteral("mnuPrintSetup"), tr("P&rint Setup..."), QKeySequence(Qt::CTRL | Qt::Key_R), [] { printSetupCommand(); }},
        {QStringLiteral("mnuFSep3"), QString(), {}, {}},
        {QStringLiteral("mnuFExit"), tr("E&xit"), {}, [this] { close(); }},
    };
    for (const MenuEntry &entry : fileEntries)
        addMenuEntry(file, entry, this);
    for (int i = 0; i <= 8; ++i) {
        QAction *recent = addMenuEntry(file,
                                       {arrayName(QStringLiteral("mnuRecentFile"), i),
                                        i == 0 ? QString() : QStringLiteral("RecentFile%1").arg(i), {}, {}, false},
                                       this);
        if (i > 0)
            connect(recent, &QAction::triggered, this, [recent] { openRecentFile(recent->data().toString()); });
        m_recent.append(recent);
    }

    // The preference dialog, the extended-characters toolbox and the manual hook their
    // commands onto PrefMenu, ToolBoxMenu and mnuManual(0..1).
    QMenu *window = addOwnMenu(QStringLiteral("mnuOptions"), tr("&Window"));
    addMenuEntry(window, {QStringLiteral("PrefMenu"), tr("&Preferences..."), {}, {}}, this);
    QAction *toolbox = addMenuEntry(window, {QStringLiteral("ToolBoxMenu"), tr("&Extended Characters"), {}, {}}, this);
    toolbox->setCheckable(true);
    connect(window, &QMenu::aboutToShow, this, [toolbox] { toolbox->setChecked(prefs().ExtShow != 0); });
    m_extendedToolbar = addMenuEntry(window, {QStringLiteral("mnuOToolbar"), tr("Extended &Toolbar"), {}, {}}, this);
    m_extendedToolbar->setCheckable(true);
    m_extendedToolbar->setChecked(true);
    connect(m_extendedToolbar, &QAction::triggered, this, [this] {
        // Invert the toolbar's visibility as the check mark was inverted.
        m_picToolbar->setVisible(m_picToolbar->isHidden());
    });

    QMenu *help = addOwnMenu(QStringLiteral("mnuHelp"), tr("&Help"));
    addMenuEntry(help, {arrayName(QStringLiteral("mnuManual"), 0), tr("&Using Vornel"), {}, {}, false}, this);
    addMenuEntry(help, {arrayName(QStringLiteral("mnuManual"), 1), tr("Vornel &Manual"), {}, {}}, this);
    addMenuEntry(help, {QStringLiteral("mnuHSep1"), QString(), {}, {}}, this);
    addMenuEntry(help, {QStringLiteral("mnuTechSupport"), tr("&Getting Help from Teslund"), {}, [this] { showSupport(); }}, this);
    addMenuEntry(help, {QStringLiteral("mnuAbout"), tr("&About Vornel"), {}, [this] { showAbout(); }}, this);

    updateMenuBar();
}

QAction *MainWindow::action(const QString &objectName) const
{
    for (QMenu *menu : m_ownMenus) {
        for (QAction *a : menu->actions()) {
            if (a->objectName() == objectName)
                return a;
        }
    }
    return nullptr;
}

void MainWindow::updateMenuBar()
{
    DocumentWindow *document = activeDocument();
    QMenuBar *bar = menuBar();
    bar->clear();
    const QList<QMenu *> &menus = document ? document->menus() : m_ownMenus;
    for (QMenu *menu : menus)
        bar->addMenu(menu);
    m_shownMenusOf = document;
}

// ---- toolbars and status bar ----

void MainWindow::createToolBars()
{
    m_mainToolbar = addToolBar(tr("Main Toolbar"));
    m_mainToolbar->setObjectName(QStringLiteral("MainToolbar"));
    m_mainToolbar->setMovable(false);
    m_mainToolbar->setMinimumHeight(twipsToPixelsY(455));
    addToolBarBreak();
    m_picToolbar = addToolBar(tr("Extended Toolbar"));
    m_picToolbar->setObjectName(QStringLiteral("picToolbar"));
    m_picToolbar->setMovable(false);
    m_picToolbar->setMinimumHeight(twipsToPixelsY(455));
}

void MainWindow::createStatusBar()
{
    m_statusBar = new QWidget(this);
    m_statusBar->setObjectName(QStringLiteral("Picture1"));
    m_statusBar->setFixedHeight(twipsToPixelsY(360));
    auto label = [this](const char *name) {
        auto *l = new QLabel(m_statusBar);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    m_statusArea = label("StatusArea");
    m_numLock = label("txtNumLock");
    m_capsLock = label("txtCapsLock");
    m_scrLock = label("txtScrLock");
    m_insert = label("txtInsert");
    m_nothing = label("txtNothing");
    for (QLabel *l : {m_numLock, m_capsLock, m_scrLock, m_insert, m_nothing}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
    }
    // Pointing at the hint line or clicking the status bar clears the hint.
    m_statusArea->setMouseTracking(true);
    m_statusArea->installEventFilter(this);
    m_statusBar->installEventFilter(this);

    m_keyTimer = new QTimer(this);
    m_keyTimer->setObjectName(QStringLiteral("timerKeys"));
    connect(m_keyTimer, &QTimer::timeout, this, &MainWindow::pollKeyLocks);
    m_keyTimer->start(250);
    pollKeyLocks();
    layoutStatusBar();
}

void MainWindow::layoutStatusBar()
{
    const int widthTwips = pixelsToTwipsX(width());
    const int labelTop = twipsToPixelsY(30);
    const int labelWidth = twipsToPixelsX(495);
    const int labelHeight = twipsToPixelsY(255);
    const int areaWidthTwips = widthTwips - 3240;
    m_statusArea->setGeometry(0, 0, std::max(twipsToPixelsX(areaWidthTwips), 0), m_statusBar->height());
    int left = areaWidthTwips + 120;
    for (QLabel *l : {m_numLock, m_capsLock, m_scrLock, m_insert, m_nothing}) {
        l->setGeometry(twipsToPixelsX(left), labelTop, labelWidth, labelHeight);
        left += 600;
    }
}

void MainWindow::pollKeyLocks()
{
    const KeyLockState state = platform().keyLockState();
    if (!state.known)
        return;
    m_capsLock->setText(state.capsLock ? QStringLiteral("CAPS") : QString());
    m_numLock->setText(state.numLock ? QStringLiteral("NUM") : QString());
    m_scrLock->setText(state.scrollLock ? QStringLiteral("SCRL") : QString());
}

void MainWindow::setStatusText(const QString &text)
{
    m_statusArea->setText(text);
}

QString MainWindow::statusText() const
{
    return m_statusArea->text();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        layoutStatusBar();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Sizes that changed while minimised were not laid out; the restored window may not get
    // another resize.
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        layoutStatusBar();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_statusArea && event->type() == QEvent::MouseMove)
        || (watched == m_statusBar && event->type() == QEvent::MouseButtonPress)) {
        setStatusText(QString());
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- document windows ----

DocumentWindow *MainWindow::activeDocument() const
{
    return documentOf(m_mdi->currentSubWindow());
}

QList<DocumentWindow *> MainWindow::documents() const
{
    QList<DocumentWindow *> list;
    for (QMdiSubWindow *window : m_mdi->subWindowList()) {
        if (DocumentWindow *document = documentOf(window))
            list.append(document);
    }
    return list;
}

DocumentWindow *MainWindow::documentInSlot(int slot) const
{
    for (DocumentWindow *document : documents()) {
        if (document->slot() == slot)
            return document;
    }
    return nullptr;
}

DocumentWindow *MainWindow::createDocumentWindow(int slot)
{
    auto *document = new DocumentWindow(slot);
    document->setCaption(QStringLiteral("Untitled:") + QString::number(slot));
    QMdiSubWindow *window = m_mdi->addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(document, &QObject::destroyed, this, [this] {
        // The closing window may still be listed now; look again once it is gone.
        QTimer::singleShot(0, this, &MainWindow::updateMenuBar);
    });
    // New windows take three quarters of the document area, each a step below and to the
    // right of the one before, as a cascade would place them.
    const QSize area = m_mdi->viewport()->size();
    const int step = twipsToPixelsY(360);
    const int index = int(m_mdi->subWindowList().size()) - 1;
    const QSize size(std::max(area.width() * 3 / 4, 200), std::max(area.height() * 3 / 4, 150));
    const int room = std::max(std::min(area.width() - size.width(), area.height() - size.height()), step);
    const int offset = (index * step) % room;
    window->setGeometry(offset, offset, size.width(), size.height());
    window->show();
    activateDocument(document);
    return document;
}

void MainWindow::activateDocument(DocumentWindow *document)
{
    for (QMdiSubWindow *window : m_mdi->subWindowList()) {
        if (window->widget() == document) {
            m_mdi->setActiveSubWindow(window);
            document->textArea()->setFocus();
        }
    }
    updateMenuBar();
}

void MainWindow::onSubWindowActivated(QMdiSubWindow *window)
{
    // Losing the program's focus also "activates" nothing; the menus stay as they are then.
    DocumentWindow *document = documentOf(window);
    if (document) {
        setStatusText(QStringLiteral("Edit ") + document->caption());
        if (document != m_shownMenusOf)
            updateMenuBar();
    } else if (m_mdi->subWindowList().isEmpty()) {
        updateMenuBar();
    }
}

void MainWindow::cascade()
{
    m_mdi->cascadeSubWindows();
}

void MainWindow::tileHorizontally()
{
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    const QRect area = m_mdi->viewport()->rect();
    if (windows.isEmpty())
        return;
    const int height = area.height() / int(windows.size());
    int top = 0;
    for (QMdiSubWindow *window : windows) {
        window->showNormal();
        window->setGeometry(0, top, area.width(), height);
        top += height;
    }
}

void MainWindow::tileVertically()
{
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    const QRect area = m_mdi->viewport()->rect();
    if (windows.isEmpty())
        return;
    const int width = area.width() / int(windows.size());
    int left = 0;
    for (QMdiSubWindow *window : windows) {
        window->showNormal();
        window->setGeometry(left, 0, width, area.height());
        left += width;
    }
}

void MainWindow::arrangeIcons()
{
    // Minimised windows line up along the bottom edge, left to right.
    const QRect area = m_mdi->viewport()->rect();
    int left = 0;
    for (QMdiSubWindow *window : m_mdi->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (left + size.width() > area.width() && left > 0)
            left = 0;
        window->move(left, area.height() - size.height());
        left += size.width();
    }
}

void MainWindow::fillWindowList(QMenu *menu)
{
    for (QAction *a : menu->actions()) {
        if (a->property("windowListEntry").toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
    const QList<DocumentWindow *> list = documents();
    if (list.isEmpty())
        return;
    DocumentWindow *active = activeDocument();
    int number = 1;
    for (DocumentWindow *document : list) {
        QString caption = document->caption();
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *entry = menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(caption));
        entry->setProperty("windowListEntry", true);
        entry->setCheckable(true);
        entry->setChecked(document == active);
        connect(entry, &QAction::triggered, this, [this, document] { activateDocument(document); });
    }
}

bool MainWindow::extendedToolbarChecked() const
{
    return m_extendedToolbar->isChecked();
}

void MainWindow::setExtendedToolbar(bool checked)
{
    m_extendedToolbar->setChecked(checked);
    m_picToolbar->setVisible(checked);
}

void MainWindow::showAbout()
{
    showAboutBox(this);
}

void MainWindow::showSupport()
{
    platform().messageBox(QStringLiteral("Technical Support"),
                          tr("Teslund Applications answers questions about Vornel by mail:\n"
                             "support@teslund.example\n\nPlease give the version number from "
                             "Help > About Vornel and describe what you did and what you saw."),
                          MsgButtons::Ok, MsgIcon::Information);
}

// ---- closing down ----

void MainWindow::closeEvent(QCloseEvent *event)
{
    for (QMdiSubWindow *window : m_mdi->subWindowList()) {
        if (!window->close()) {
            event->ignore();
            return;
        }
    }
    if (!documentTable().anyOpen()) {
        ExitState exit;
        exit.geometry = QRect(pixelsToTwipsX(x()), pixelsToTwipsY(y()), pixelsToTwipsX(width()),
                              pixelsToTwipsY(height()));
        exit.minimised = isMinimized();
        exit.extendedToolbarChecked = extendedToolbarChecked();
        savePreferences(exit);
    }
    event->accept();
}

} // namespace vornel
