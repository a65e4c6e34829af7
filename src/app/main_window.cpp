#include "app/main_window.h"

#include "app/about_dialog.h"
#include "app/file_drops.h"
#include "app/menus.h"
#include "app/status_bar.h"
#include "app/toolbars.h"
#include "app/toolbox_control.h"
#include "dialogs/extended_characters.h"
#include "documents/new_document.h"
#include "documents/recent_files.h"
#include "documents/recovery.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/insertion.h"
#include "editor/text_area.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "platform/version.h"
#include "prefs/preferences.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace vornel {

namespace {

DocumentWindow *documentOf(QMdiSubWindow *window)
{
    return window ? qobject_cast<DocumentWindow *>(window->widget()) : nullptr;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(kProductName);
    m_toolbox = new ToolboxControl(*this);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_mdi = new QMdiArea(central);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    layout->addWidget(m_mdi, 1);
    setCentralWidget(central);

    buildMainMenus(*this);
    updateMenuBar();
    createToolBars();
    m_toolbars = new Toolbars(*this, *m_mainToolbar, *m_picToolbar);
    m_toolbars->resetToolbarFaces();
    m_statusBar = new StatusBar(this);
    m_statusBar->layoutFor(width());
    layout->addWidget(m_statusBar);

    // Files dragged from a file manager open as documents.
    m_fileDrops = new FileDrops(*this, this);
    m_fileDrops->watch(this);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);
    setInsertionTargetResolver([this] {
        DocumentWindow *document = activeDocument();
        return document ? document->textArea() : nullptr;
    });
    platform().setDialogParent(this);
}

MainWindow::~MainWindow()
{
    // The document area announces activations while its children are destroyed.
    disconnect(m_mdi, nullptr, this, nullptr);
    // The toolbox clears its status hints as it goes, which needs this window whole.
    delete m_toolbox->toolbox();
    setInsertionTargetResolver({});
    if (platform().dialogParent() == this)
        platform().setDialogParent(nullptr);
}

// ---- menus ----

void MainWindow::addOwnMenu(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this] { setStatusText(QString()); });
    m_ownMenus.append(menu);
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

void MainWindow::setStatusText(const QString &text)
{
    m_statusBar->setText(text);
}

QString MainWindow::statusText() const
{
    return m_statusBar->text();
}

void MainWindow::repaintStatusText()
{
    m_statusBar->repaintText();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        m_statusBar->layoutFor(width());
    m_toolbox->followMainWindow(isMinimized());
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Sizes that changed while minimised were not laid out; the restored window may not get
    // another resize.
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        m_statusBar->layoutFor(width());
    if (event->type() == QEvent::WindowStateChange)
        m_toolbox->followMainWindow(isMinimized());
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

DocumentWindow *MainWindow::newDocumentFromTemplate(const QString &templateName)
{
    return vornel::newDocumentFromTemplate(*this, templateName);
}

DocumentWindow *MainWindow::createDocumentWindow(int slot)
{
    auto *document = new DocumentWindow(slot, *this);
    document->setCaption(QStringLiteral("Untitled:") + QString::number(slot));
    buildDocumentMenus(*this, *document);
    keepRecoveryCopies(*document);
    m_fileDrops->watch(document->textArea()->viewport());
    QMdiSubWindow *window = m_mdi->addSubWindow(document);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(document, &QObject::destroyed, this, [this] {
        // The closing window may still be listed now; look again once it is gone.
        QTimer::singleShot(0, this, [this] {
            updateMenuBar();
            showEncoding();
        });
    });
    connect(document->textArea(), &TextArea::encodingChanged, this, &MainWindow::showEncoding);
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
    showEncoding();
    if (document) {
        setStatusText(QStringLiteral("Edit ") + document->caption());
        if (document != m_shownMenusOf)
            updateMenuBar();
    } else if (m_mdi->subWindowList().isEmpty()) {
        updateMenuBar();
    }
}

void MainWindow::showEncoding()
{
    const DocumentWindow *document = activeDocument();
    m_statusBar->setEncodingText(document && isUtf8(document->encoding()) ? QStringLiteral("UTF-8") : QString());
}

void MainWindow::cascade()
{
    m_mdi->cascadeSubWindows();
}

void MainWindow::tile(Qt::Orientation orientation)
{
    const QList<QMdiSubWindow *> windows = m_mdi->subWindowList();
    const QRect area = m_mdi->viewport()->rect();
    if (windows.isEmpty())
        return;
    const int count = int(windows.size());
    const bool bands = orientation == Qt::Horizontal;
    const QSize size = bands ? QSize(area.width(), area.height() / count) : QSize(area.width() / count, area.height());
    QPoint at(0, 0);
    for (QMdiSubWindow *window : windows) {
        window->showNormal();
        window->setGeometry(QRect(at, size));
        at += bands ? QPoint(0, size.height()) : QPoint(size.width(), 0);
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
    return action(QStringLiteral("mnuOToolbar"))->isChecked();
}

void MainWindow::setExtendedToolbar(bool checked)
{
    action(QStringLiteral("mnuOToolbar"))->setChecked(checked);
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
        // Where it would be brought back to: a window left half off the screen is not stored so.
        const QRect placement = placementOnScreens(*this, kMinimumMainWindowSize);
        exit.geometry = QRect(pixelsToTwipsX(placement.x()), pixelsToTwipsY(placement.y()),
                              pixelsToTwipsX(placement.width()), pixelsToTwipsY(placement.height()));
        exit.minimised = isMinimized();
        exit.extendedToolbarChecked = extendedToolbarChecked();
        exit.closeToolbox = [this] { m_toolbox->close(); };
        savePreferences(exit);
    }
    event->accept();
}

} // namespace vornel
