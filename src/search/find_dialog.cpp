#include "search/find_dialog.h"

#include "editor/status_hints.h"
#include "editor/text_area.h"
#include "editor/workspace.h"
#include "search/search_state.h"
#include "search/text_search.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vornel {

FindDialog::FindDialog(TextArea *area, Workspace &workspace)
    : QDialog(workspace.dialogParent())
    , m_area(area)
    , m_text(new QLineEdit(this))
    , m_case(new QCheckBox(tr("Match &Case"), this))
    , m_find(new QPushButton(tr("Fi&nd"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_hints(new StatusHints(this, workspace))
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(kCaption);

    auto *label = new QLabel(tr("&Find What:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("Text1"));

    auto *frame = new QGroupBox(tr("Direction"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto *frameLayout = new QHBoxLayout(frame);
    const char *directions[2] = {"&Up", "&Down"};
    for (int i = 0; i < 2; ++i) {
        m_direction[i] = new QRadioButton(tr(directions[i]), frame);
        m_direction[i]->setObjectName(QStringLiteral("optDirection(%1)").arg(i));
        connect(m_direction[i], &QRadioButton::clicked, this, [i] { searchState().SearchDirection = i; });
        frameLayout->addWidget(m_direction[i]);
    }
    m_direction[1]->setChecked(true);

    m_case->setObjectName(QStringLiteral("chkCase"));
    // The box shows the case rule the next search follows, whatever dialog set it last.
    m_case->setChecked(searchState().MatchCase != 0);
    connect(m_case, &QCheckBox::clicked, this, [this] { searchState().MatchCase = m_case->isChecked() ? 1 : 0; });

    m_find->setObjectName(QStringLiteral("cmdFind"));
    m_find->setDefault(true);
    m_find->setEnabled(false);
    connect(m_find, &QPushButton::clicked, this, [this] { findClicked(); });
    m_cancel->setObjectName(QStringLiteral("cmdcancel"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_text, &QLineEdit::textChanged, this, [this](const QString &text) { m_find->setEnabled(!text.isEmpty()); });

    auto *fields = new QGridLayout;
    fields->addWidget(label, 0, 0);
    fields->addWidget(m_text, 0, 1, 1, 2);
    fields->addWidget(m_case, 1, 0, Qt::AlignBottom);
    fields->addWidget(frame, 1, 1, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_find);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    m_hints->add(this, QStringLiteral("Find text sequence in current document"));
    m_hints->add(m_text, QStringLiteral("Search Text"));
    m_hints->add(m_case, QStringLiteral("Case sensitive search"));
    m_hints->add(m_direction[0], QStringLiteral("Search up to the start to the file"));
    m_hints->add(m_direction[1], QStringLiteral("Search toward the end of the file"));
    m_hints->add(m_find, QStringLiteral("Find next occurance of requested text sequence"));
    m_hints->add(m_cancel, QStringLiteral("Close this window, aborting search"));

    // Typing goes straight into the text to find; Tab walks the dialog top to bottom.
    QWidget::setTabOrder(m_text, m_direction[0]);
    QWidget::setTabOrder(m_direction[0], m_direction[1]);
    QWidget::setTabOrder(m_direction[1], m_case);
    QWidget::setTabOrder(m_case, m_find);
    QWidget::setTabOrder(m_find, m_cancel);
    m_text->setFocus();

    searchState().SearchDirection = 1;
    adjustSize();
    resize(std::max(width(), 380), height());
    // Centred over the main window.
    if (const QWidget *main = parentWidget()) {
        const QRect frame = main->frameGeometry();
        move(frame.left() + frame.width() / 2 - width() / 2, frame.top() + frame.height() / 2 - height() / 2);
    }
}

QRadioButton *FindDialog::optDirection(int index) const
{
    return index >= 0 && index < 2 ? m_direction[index] : nullptr;
}

void FindDialog::findClicked()
{
    if (!m_area)
        return;
    searchState().SearchText = m_text->text();
    findStep(*m_area, searchState());
    m_find->setText(tr("&Next"));
}

void FindDialog::reject()
{
    searchState().SearchText = m_text->text();
    searchState().MatchCase = m_case->isChecked() ? 1 : 0;
    QDialog::reject();
}

} // namespace vornel
