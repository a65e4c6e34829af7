#include "dialogs/extended_characters.h"

#include "dialogs/latin1_entities.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/insertion.h"
#include "editor/status_hints.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "platform/screen_fit.h"
#include "platform/twips.h"
#include "prefs/preferences.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vornel {

namespace {

constexpr qint16 kTrue = -1;
constexpr qint16 kFalse = 0;
constexpr int kButtonGap = 2;
constexpr char kHighlighted[] = "highlighted";

QString characterOf(int code)
{
    return QString(QChar(char16_t(code)));
}

} // namespace

QPoint &toolboxPosition()
{
    static QPoint position;
    return position;
}

QPoint toolboxStartPosition(const QRect &mainTwips)
{
    return QPoint(mainTwips.x() + mainTwips.width() - 3400, 400);
}

QPoint keptOnScreen(const QRect &window, const QRect &area)
{
    return fittedIntoArea(window, area, window.size()).topLeft();
}

ExtendedCharactersToolbox::ExtendedCharactersToolbox(Workspace &workspace)
    : QWidget(workspace.dialogParent(), Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , m_workspace(workspace)
    , m_note(new QLabel(this))
    , m_preview(new QLabel(this))
    , m_characters(new QPushButton(tr("Insert &Characters"), this))
    , m_html(new QPushButton(tr("Insert &HTML"), this))
    , m_quit(new QPushButton(tr("Quit"), this))
    , m_hints(new StatusHints(this, workspace))
{
    setObjectName(QStringLiteral("Extended"));
    setWindowTitle(kCaption);
    // Appearing must not take the focus from the document either.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    prefs().ExtShow = kTrue;

    m_note->setObjectName(QStringLiteral("ActionNote"));
    m_note->setWordWrap(true);
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::Box);
    QFont large = m_preview->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    m_preview->setFont(large);
    m_preview->setFixedSize(m_preview->fontMetrics().height() * 3 / 2, m_preview->fontMetrics().height() * 3 / 2);

    m_characters->setObjectName(QStringLiteral("cmdCharacters"));
    m_html->setObjectName(QStringLiteral("cmdHTML"));
    m_quit->setObjectName(QStringLiteral("cmdQuit"));
    for (QPushButton *button : {m_characters, m_html, m_quit}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
    }
    connect(m_characters, &QPushButton::clicked, this, [this] { setHtmlMode(false); });
    connect(m_html, &QPushButton::clicked, this, [this] { setHtmlMode(true); });
    connect(m_quit, &QPushButton::clicked, this, &QWidget::close);

    auto *noteRow = new QHBoxLayout;
    noteRow->addWidget(m_preview);
    noteRow->addWidget(m_note, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(m_characters);
    buttonRow->addWidget(m_html);
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_quit);
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QWidget *characters = createCharacterButtons();
    layout->addWidget(characters);
    layout->addLayout(noteRow);
    // As wide in either mode: the window keeps its size when the note changes.
    m_note->setFixedWidth(characters->width() - m_preview->width() - std::max(noteRow->spacing(), 0));
    layout->addLayout(buttonRow);

    setHtmlMode(prefs().EInsHTML != 0);

    m_hints->add(m_characters, QStringLiteral("Set toolbox behavior to insert actual extended characters"));
    m_hints->add(m_html, QStringLiteral("Set toolbox behavior to insert HTML codes for extended characters"));
    m_hints->add(m_quit, QStringLiteral("Close this toolbox"));
    m_hints->add(m_preview, QStringLiteral("Preview of current extended character"));

    placeOnScreen();
}

QWidget *ExtendedCharactersToolbox::createCharacterButtons()
{
    auto *panel = new QWidget(this);
    // The hidden template fixes every button's size and the step from one to the next.
    m_template = new QToolButton(panel);
    m_template->setObjectName(QStringLiteral("CharButton"));
    const int side = fontMetrics().height() + 10;
    m_template->setGeometry(0, 0, side + 2, side);
    m_template->hide();
    const QSize size = m_template->size();
    const QPoint step(size.width() + kButtonGap, size.height() + kButtonGap);

    const QList<int> codes = extendedCharacterCodes();
    // Code order, each run going on where the one before ended: no gap for the two signs.
    for (int position = 0; position < codes.size(); ++position) {
        const int code = codes.at(position);
        auto *button = new QToolButton(panel);
        button->setObjectName(QStringLiteral("CharButton(%1)").arg(code));
        button->setText(characterOf(code));
        button->setFocusPolicy(Qt::NoFocus);
        button->setMouseTracking(true);
        button->installEventFilter(this);
        button->setGeometry(QRect(m_template->pos() + QPoint(position % kColumns * step.x(), position / kColumns * step.y()),
                                  size));
        connect(button, &QToolButton::clicked, this, [this, code] { characterClicked(code); });
        m_buttons.append(button);
        m_codes.insert(button, code);
    }
    // The last clicked letter stands out by a property, not a checked state: to a screen
    // reader the letters are push buttons, not check boxes.
    panel->setStyleSheet(QStringLiteral("QToolButton[%1=\"true\"] { font-weight: bold; }").arg(kHighlighted));
    const int rows = int((codes.size() + kColumns - 1) / kColumns);
    panel->setFixedSize(kColumns * step.x() - kButtonGap, rows * step.y() - kButtonGap);
    return panel;
}

QToolButton *ExtendedCharactersToolbox::characterButton(int code) const
{
    for (QToolButton *button : m_buttons) {
        if (m_codes.value(button) == code)
            return button;
    }
    return nullptr;
}

bool ExtendedCharactersToolbox::isHighlighted(int code) const
{
    const QToolButton *button = characterButton(code);
    return button && button->property(kHighlighted).toBool();
}

void ExtendedCharactersToolbox::setHighlighted(int code, bool highlighted)
{
    QToolButton *button = characterButton(code);
    if (!button)
        return;
    button->setProperty(kHighlighted, highlighted);
    // A style sheet reads properties only when it polishes the widget.
    button->style()->unpolish(button);
    button->style()->polish(button);
}

bool ExtendedCharactersToolbox::insertsCharacters() const
{
    return m_note->text().contains(QStringLiteral("character"));
}

void ExtendedCharactersToolbox::setHtmlMode(bool html)
{
    // Only the button that switches to the other mode is shown.
    m_note->setText(html ? kHtmlNote : kCharactersNote);
    m_html->setVisible(!html);
    m_characters->setVisible(html);
}

QString ExtendedCharactersToolbox::characterHint() const
{
    const DocumentWindow *document = m_workspace.activeDocument();
    return document ? QStringLiteral("Insert extended characters into ") + document->caption()
                    : QStringLiteral("Extended characters");
}

void ExtendedCharactersToolbox::characterClicked(int code)
{
    setHighlighted(m_lastClicked, false);
    m_lastClicked = code;
    setHighlighted(code, true);
    m_preview->setText(characterOf(code));
    if (!documentTable().anyOpen()) {
        platform().beep();
        return;
    }
    DocumentWindow *document = m_workspace.activeDocument();
    if (!document)
        return;
    TextArea &area = *document->textArea();
    insertBeforeSelection(area, insertsCharacters() ? characterOf(code) : entityReference(code));
    m_workspace.activateDocument(document);
    if (!area.isActiveWindow())
        area.window()->activateWindow();
}

bool ExtendedCharactersToolbox::eventFilter(QObject *watched, QEvent *event)
{
    const auto code = m_codes.constFind(watched);
    if (code != m_codes.constEnd() && event->type() == QEvent::MouseMove) {
        m_preview->setText(characterOf(*code));
        m_workspace.setStatusText(characterHint());
    }
    return QWidget::eventFilter(watched, event);
}

void ExtendedCharactersToolbox::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over the buttons and the preview pass on to here as well; they keep their own hints.
    const QWidget *child = childAt(event->position().toPoint());
    if (child && (m_codes.contains(child) || !m_hints->hintOf(child).isEmpty()))
        return;
    m_preview->clear();
    m_workspace.setStatusText(characterHint());
}

void ExtendedCharactersToolbox::closeEvent(QCloseEvent *event)
{
    toolboxPosition() = QPoint(pixelsToTwipsX(x()), pixelsToTwipsY(y()));
    prefs().EInsHTML = m_note->text().contains(QStringLiteral("HTML")) ? kTrue : kFalse;
    prefs().ExtShow = kFalse;
    event->accept();
    Q_EMIT closed();
}

void ExtendedCharactersToolbox::placeOnScreen()
{
    adjustSize();
    const QPoint at(twipsToPixelsX(toolboxPosition().x()), twipsToPixelsY(toolboxPosition().y()));
    // The screen it overlaps most, or the nearest one, with its title bar.
    move(at);
    keepFrameOnScreens(*this, size());
}

} // namespace vornel
