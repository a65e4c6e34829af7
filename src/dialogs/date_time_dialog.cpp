#include "dialogs/date_time_dialog.h"

#include "editor/insertion.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/text_area.h"
#include "editor/workspace.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace vornel {

namespace {

// Captions by format index.
constexpr std::array<const char *, DateTimeDialog::kFormatCount> formatCaptions = {
    "Date and Time", "Long Date", "Medium Date", "Short Date", "Long Time", "Medium Time", "Short Time",
};
// The column from top to bottom: the dates first, the combined form between dates and times.
constexpr std::array<int, DateTimeDialog::kFormatCount> columnOrder = {1, 2, 3, 0, 4, 5, 6};

} // namespace

DateTimeDialog::DateTimeDialog(TextArea *area, Workspace &workspace, StampClock clock)
    : QDialog(workspace.dialogParent())
    , m_area(area)
    , m_workspace(workspace)
    , m_clock(std::move(clock))
    , m_comment(new QCheckBox(tr("Format as a Comment"), this))
    , m_lastUpdated(new QCheckBox(tr("Include \"Last Updated\" Text"), this))
    , m_ok(newOkButton(this))
    , m_cancel(newCancelButton(this))
{
    setObjectName(QStringLiteral("frmTimeFormat"));
    setWindowTitle(kCaption);

    auto *column = new QVBoxLayout;
    for (const int index : columnOrder) {
        auto *option = new QRadioButton(tr(formatCaptions[std::size_t(index)]), this);
        option->setObjectName(QStringLiteral("FormatOption(%1)").arg(index));
        option->setMouseTracking(true);
        option->installEventFilter(this);
        connect(option, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                m_ok->setEnabled(true);
        });
        column->addWidget(option);
        m_formats[index] = option;
    }
    m_comment->setObjectName(QStringLiteral("chkComment"));
    m_lastUpdated->setObjectName(QStringLiteral("chkLastUp"));
    column->addSpacing(8);
    column->addWidget(m_comment);
    column->addWidget(m_lastUpdated);

    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, [this] { insertStamp(); });
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(column, 1);
    layout->addLayout(buttons);

    auto *hints = new StatusHints(this, workspace);
    hints->add(this, QStringLiteral("Select ") + kCaption);
    hints->add(m_comment, QStringLiteral("Time/date information comment, not visible to browsers"));
    hints->add(m_lastUpdated, QStringLiteral("Time/date represents last update time for this document"));
    hints->add(m_ok, QStringLiteral("Close this window and insert specified time/date information"));
    hints->add(m_cancel, QStringLiteral("Close this window without inserting time/date information"));

    // Centred on the screen, not over the main window.
    centreOnScreen(*this);
}

QRadioButton *DateTimeDialog::formatOption(int index) const
{
    return index >= 0 && index < kFormatCount ? m_formats[index] : nullptr;
}

bool DateTimeDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        for (int index = 0; index < kFormatCount; ++index) {
            if (watched == m_formats[index])
                m_workspace.setStatusText(formatStamp(index, m_clock(), locale()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

int DateTimeDialog::chosenFormat() const
{
    for (int index = 0; index < kFormatCount; ++index) {
        if (m_formats[index]->isChecked())
            return index;
    }
    return -1;
}

void DateTimeDialog::insertStamp()
{
    const int index = chosenFormat();
    if (index < 0)
        return;
    const QString lead = m_lastUpdated->isChecked() ? QStringLiteral("Last Updated ") : QString();
    const QString text = lead + formatStamp(index, m_clock(), locale());
    if (m_area) {
        if (m_comment->isChecked())
            insertBlockTag(*m_area, QStringLiteral("!-- ") + text + QStringLiteral(" --"), false);
        else
            m_area->setSelText(text);
    }
    accept();
}

void dateTimeCommand(Workspace &workspace, TextArea &area)
{
    DateTimeDialog dialog(&area, workspace);
    runModalDialog(dialog);
}

} // namespace vornel
