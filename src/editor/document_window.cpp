#include "editor/document_window.h"

#include "editor/document_table.h"
#include "editor/insertion.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "platform/version.h"
#include "prefs/color_number.h"
#include "prefs/preferences.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

namespace vornel {

DocumentWindow::DocumentWindow(int slot, Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , m_slot(slot)
    , m_workspace(workspace)
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
    connect(m_text, &TextArea::enterPressed, this, [this] {
        if (prefs().EnterBR != 0)
            insertInlineTag(*m_text, QStringLiteral("BR"), false);
    });
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
    const QString oldHint = QStringLiteral("Edit ") + windowTitle();
    setWindowTitle(caption);
    // Save As renames the active document under its "Edit" hint.
    if (m_workspace.activeDocument() == this && m_workspace.statusText() == oldHint)
        m_workspace.setStatusText(QStringLiteral("Edit ") + caption);
}

Encoding DocumentWindow::encoding() const
{
    return m_text->encoding();
}

QMenu *DocumentWindow::menu(const QString &objectName) const
{
    return findChild<QMenu *>(objectName);
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
    // Opening any menu clears the hint line.
    connect(menu, &QMenu::aboutToShow, this, [this] { m_workspace.setStatusText(QString()); });
    Q_EMIT menusChanged();
}

QString DocumentWindow::realFileName() const
{
    return m_text->textDocument().filePath();
}

void DocumentWindow::setRealFileName(const QString &path)
{
    m_text->textDocument().setFilePath(path);
}

bool DocumentWindow::isUntitled() const
{
    return m_text->textDocument().isUntitled();
}

bool DocumentWindow::isChanged() const
{
    return m_text->textDocument().isChanged();
}

void DocumentWindow::setChanged(bool changed)
{
    m_text->textDocument().setChanged(changed);
}

void DocumentWindow::insertHeading(int level)
{
    insertBlockTag(*m_text, QStringLiteral("H") + QString::number(level), true);
}

void DocumentWindow::editDelete()
{
    deleteCommand(*m_text);
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
    const DocumentWindow *active = m_workspace.activeDocument();
    if (active && active->caption() == caption())
        m_workspace.setStatusText(QStringLiteral("Edit ") + caption());
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
    if (isChanged()) {
        const MsgResult answer = platform().messageBox(
            kProductName,
            QStringLiteral("Do you want to save changes to the file [") + caption() + QStringLiteral("]?"),
            MsgButtons::YesNoCancel, MsgIcon::Question);
        if (answer == MsgResult::Cancel || (answer == MsgResult::Yes && !(m_saveOnClose && m_saveOnClose(*this)))) {
            event->ignore();
            return;
        }
    }
    documentTable().setFree(m_slot, true);
    m_slotReleased = true;
    event->accept();
}

} // namespace vornel
