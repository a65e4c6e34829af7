#include "search/replace_dialog.h"

#include "editor/status_hints.h"
#include "editor/workspace.h"
#include "search/search_state.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornel {

ReplaceDialog::ReplaceDialog(Workspace &workspace)
    : QDialog(workspace.dialogParent())
    , m_case(new QCheckBox(tr("Match &Case"), this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_hints(new StatusHints(this, workspace))
{
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(kCaption);

    const char *labels[2] = {"&Find What:", "&Replace with:"};
    const char *labelNames[2] = {"Label1", "Label2"};
    auto *fields = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        m_texts[i] = new QLineEdit(this);
        m_texts[i]->setObjectName(QStringLiteral("Text1(%1)").arg(i));
        connect(m_texts[i], &QLineEdit::textChanged, this, [this] { updateButtons(); });
        auto *label = new QLabel(tr(labels[i]), this);
        label->setObjectName(QString::fromLatin1(labelNames[i]));
        label->setBuddy(m_texts[i]);
        fields->addWidget(label, i, 0);
        fields->addWidget(m_texts[i], i, 1);
    }
    m_case->setObjectName(QStringLiteral("chkCase"));
    // The box shows the case rule the run will follow, whatever dialog set it last.
    m_case->setChecked(searchState().MatchCase != 0);
    connect(m_case, &QCheckBox::clicked, this, [this] { searchState().MatchCase = m_case->isChecked() ? 1 : 0; });
    fields->addWidget(m_case, 2, 1);

    auto *buttons = new QVBoxLayout;
    const char *captions[2] = {"&Verify", "Replace &All"};
    for (int i = 0; i < 2; ++i) {
        m_replace[i] = new QPushButton(tr(captions[i]), this);
        m_replace[i]->setObjectName(QStringLiteral("cmdReplace(%1)").arg(i));
        // Enter alone never starts a replacement.
        m_replace[i]->setAutoDefault(false);
        m_replace[i]->setEnabled(false);
        connect(m_replace[i], &QPushButton::clicked, this, [this, i] { replaceClicked(i); });
        buttons->addWidget(m_replace[i]);
    }
    m_cancel->setObjectName(QStringLiteral("cmdcancel"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    m_hints->add(this, QStringLiteral("Find and replace text sequence in current document"));
    m_hints->add(m_texts[0], QStringLiteral("Search text"));
    m_hints->add(m_texts[1], QStringLiteral("Replacement text"));
    m_hints->add(m_case, QStringLiteral("Case sensitive search"));
    m_hints->add(m_replace[1], QStringLiteral("Replace all occurances found, without stopping"));
    m_hints->add(m_replace[0], QStringLiteral("Ask for confirmation before replacing each occurance"));
    m_hints->add(m_cancel, QStringLiteral("Close this window, aborting search"));

    // Typing goes straight into the text to find; Tab walks the dialog top to bottom.
    QWidget::setTabOrder(m_texts[0], m_texts[1]);
    QWidget::setTabOrder(m_texts[1], m_case);
    QWidget::setTabOrder(m_case, m_replace[0]);
    QWidget::setTabOrder(m_replace[0], m_replace[1]);
    QWidget::setTabOrder(m_replace[1], m_cancel);
    m_texts[0]->setFocus();

    adjustSize();
    resize(std::max(width(), 380), height());
    // Centred within the main window's extent, measured from the screen's corner.
    if (const QWidget *main = parentWidget())
        move((main->width() - width()) / 2, (main->height() - height()) / 2);
}

QLineEdit *ReplaceDialog::text1(int index) const
{
    return index >= 0 && index < 2 ? m_texts[index] : nullptr;
}

QPushButton *ReplaceDialog::cmdReplace(int index) const
{
    return index >= 0 && index < 2 ? m_replace[index] : nullptr;
}

void ReplaceDialog::updateButtons()
{
    const bool any = !m_texts[0]->text().isEmpty();
    m_replace[0]->setEnabled(any);
    m_replace[1]->setEnabled(any);
}

void ReplaceDialog::replaceClicked(int index)
{
    searchState().SearchText = m_texts[0]->text();
    searchState().ReplaceText = m_texts[1]->text();
    m_mode = index;
    accept();
}

void ReplaceDialog::reject()
{
    searchState().SearchText = m_texts[0]->text();
    searchState().MatchCase = m_case->isChecked() ? 1 : 0;
    m_mode = -1;
    QDialog::reject();
}

} // namespace vornel
