#include "app/toolbars.h"

#include "app/main_window.h"
#include "app/toolbar_button.h"
#include "app/toolbar_tip.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/platform.h"
#include "platform/twips.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QToolBar>

// The faces live in the static library; nothing would pull them in otherwise. Outside any
// namespace, as the generated initialiser is.
static void initFaces()
{
    Q_INIT_RESOURCE(faces);
}

namespace vornel {

namespace {

int index(ToolbarRow row)
{
    return row == ToolbarRow::Main ? 0 : 1;
}

// Moving over a row outside its buttons clears the hint and the tips.
class ButtonRow : public QWidget {
public:
    ButtonRow(const QString &name, std::function<void()> pointedAt)
        : m_pointedAt(std::move(pointedAt))
    {
        setObjectName(name);
        setMouseTracking(true);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    void setContentSize(QSize size)
    {
        m_size = size;
        setFixedHeight(size.height());
        updateGeometry();
    }
    QSize sizeHint() const override { return m_size; }
    // A narrow window cuts the row off at its right edge; it never holds the window wide.
    QSize minimumSizeHint() const override { return {0, m_size.height()}; }

protected:
    void mouseMoveEvent(QMouseEvent *) override { m_pointedAt(); }

private:
    std::function<void()> m_pointedAt;
    QSize m_size;
};

} // namespace

Toolbars::Toolbars(MainWindow &main, QToolBar &mainBar, QToolBar &extendedBar)
    : QObject(&main)
    , m_main(main)
{
    initFaces();
    // The design's toolbar fonts: a bold 8.25-point face; the tips are measured in them.
    QFont font = mainBar.font();
    font.setPointSizeF(8.25);
    font.setBold(true);
    mainBar.setFont(font);
    extendedBar.setFont(font);

    m_tips[0] = new ToolbarTip(QStringLiteral("txtMainToolTip"), QStringLiteral("Timer1"), mainBar, main);
    m_tips[1] = new ToolbarTip(QStringLiteral("txtAuxToolTip"), QStringLiteral("Timer2"), extendedBar, main);
    // One tip at a time.
    connect(m_tips[0], &ToolbarTip::textChanged, this, [this] { m_tips[1]->hide(); });
    connect(m_tips[1], &ToolbarTip::textChanged, this, [this] { m_tips[0]->hide(); });

    m_rows[0] = buildRow(ToolbarRow::Main, mainBar);
    m_rows[1] = buildRow(ToolbarRow::Extended, extendedBar);
    qApp->installEventFilter(this);
}

QWidget *Toolbars::buildRow(ToolbarRow row, QToolBar &bar)
{
    auto *widget = new ButtonRow(bar.objectName() + QStringLiteral("Buttons"), [this] {
        m_main.setStatusText(QString());
        hideToolTips();
    });
    int right = 0;
    for (const ToolbarButtonRow &entry : toolbarRows(row)) {
        auto *button = new ToolbarButton(entry, widget);
        button->move(twipsToPixelsX(entry.left), twipsToPixelsY(55));
        right = std::max(right, button->geometry().right() + 1);
        connect(button, &ToolbarButton::pressedDown, this, &Toolbars::hideToolTips);
        connect(button, &ToolbarButton::hovered, this, &Toolbars::hover);
        connect(button, &ToolbarButton::clicked, this, [this, button] { run(button->row()); });
        m_buttons[index(row)].append(button);
    }
    widget->setContentSize({right + twipsToPixelsX(120), twipsToPixelsY(455) - 2});
    bar.addWidget(widget);
    return widget;
}

ToolbarButton *Toolbars::button(const QString &name) const
{
    for (const QList<ToolbarButton *> &row : m_buttons) {
        for (ToolbarButton *button : row) {
            if (button->objectName() == name)
                return button;
        }
    }
    return nullptr;
}

QList<ToolbarButton *> Toolbars::buttons(ToolbarRow row) const
{
    return m_buttons[index(row)];
}

ToolbarTip &Toolbars::tip(ToolbarRow row) const
{
    return *m_tips[index(row)];
}

void Toolbars::resetToolbarFaces()
{
    for (const QList<ToolbarButton *> &row : m_buttons) {
        for (ToolbarButton *button : row)
            button->resetFaces();
    }
}

void Toolbars::hideToolTips()
{
    m_tips[0]->hide();
    m_tips[1]->hide();
}

void Toolbars::hover(ToolbarButton *button)
{
    const bool onMain = m_buttons[0].contains(button);
    m_tips[onMain ? 1 : 0]->hide();
    m_main.setStatusText(button->row().hint);
    const QPoint centre = button->mapTo(&m_main, QPoint(button->width() / 2, 0));
    m_tips[onMain ? 0 : 1]->arm(button->row().tip, centre.x());
}

void Toolbars::run(const ToolbarButtonRow &row)
{
    // Let the released face paint before the command runs.
    QCoreApplication::processEvents();
    if (row.needsDocument && !m_main.activeDocument()) {
        platform().beep();
        return;
    }
    if (row.action.isEmpty())
        row.run(m_main);
    else
        runMenuCommand(row);
    if (row.returnsFocus) {
        if (DocumentWindow *document = m_main.activeDocument())
            m_main.activateDocument(document);
    }
}

QAction *Toolbars::menuAction(const ToolbarButtonRow &row) const
{
    if (row.action.isEmpty())
        return nullptr;
    // The menu bar shown is the active document's, or the main window's while none is open.
    if (const DocumentWindow *document = m_main.activeDocument())
        return document->action(row.action);
    return m_main.action(row.mainAction.isEmpty() ? row.action : row.mainAction);
}

void Toolbars::runMenuCommand(const ToolbarButtonRow &row)
{
    const DocumentWindow *document = m_main.activeDocument();
    if (row.needsSelection && (!document || document->textArea()->selLength() == 0))
        return;
    if (QAction *action = menuAction(row))
        action->trigger();
}

bool Toolbars::eventFilter(QObject *watched, QEvent *event)
{
    // Pointing into the document area takes the tips away.
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && (widget == m_main.mdiArea() || m_main.mdiArea()->isAncestorOf(widget)))
            hideToolTips();
    }
    return false;
}

} // namespace vornel
