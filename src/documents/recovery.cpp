#include "documents/recovery.h"

#include "documents/disk_watch.h"
#include "documents/recovery_copy.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "editor/text_encoding.h"
#include "editor/workspace.h"
#include "platform/platform.h"
#include "platform/version.h"
#include "platform/write_guard.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace vornel {

namespace {

// The window's text as the bytes its file would hold, with the encoding they are in; a
// recovered copy's text comes back through that encoding.
RecoveryCopy copyOf(const DocumentWindow &window)
{
    const TextArea &text = *window.textArea();
    return {window.realFileName(), window.caption(), encodingName(text.encoding()), text.toBytes()};
}

void loadRecoveredText(DocumentWindow &window, const RecoveryCopy &copy)
{
    window.textArea()->loadBytes(copy.bytes, encodingNamed(copy.encoding));
}

} // namespace

// Watches one window's edits and keeps its copy. The copy is taken on the user-interface
// thread only when it is due, never on a keystroke; the disk work happens on the session's
// worker.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    RecoveryKeeper(DocumentWindow &window, RecoverySession &session)
        : QObject(&window)
        , m_window(window)
        , m_session(session)
    {
        m_clock.start();
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::onTimer);
        connect(window.textArea(), &TextArea::textEdited, this, &RecoveryKeeper::onEdited);
        keepers().append(this);
    }
    ~RecoveryKeeper() override
    {
        keepers().removeOne(this);
        forget();
    }

    // Every keeper of the run, for the failures the session reports by file.
    static QList<RecoveryKeeper *> &keepers()
    {
        static QList<RecoveryKeeper *> all;
        return all;
    }

    // The copy could not be written: said once per run, tried again after the longest wait.
    void writeFailed(const QString &reason)
    {
        reportNotKept(QStringLiteral("Recovery copies of unsaved changes"), m_session.root(), reason,
                      QStringLiteral("Should Vornel end unexpectedly, the changes not saved would be lost. Save your "
                                     "documents to keep them; the copies are tried again."));
        if (!m_pending) {
            m_pending = true;
            m_firstEdit = m_lastEdit = m_clock.elapsed();
        }
        m_timer.start(m_session.maxWaitMs);
    }
    const QString &file() const { return m_file; }

    void forget()
    {
        m_timer.stop();
        m_pending = false;
        if (m_written)
            m_session.remove(m_file);
        m_written = false;
    }

    // quietly: the program is ending, and no question may hold it up.
    void writeNow(bool quietly = false)
    {
        m_timer.stop();
        m_pending = false;
        if (!m_window.isChanged()) {
            forget();
            return;
        }
        if (m_file.isEmpty()) {
            QString reason;
            if (!m_session.ensureFolder(&reason)) {
                if (!quietly)
                    writeFailed(reason);
                return;
            }
            m_file = m_session.newCopyFile();
        }
        m_session.write(m_file, copyOf(m_window));
        m_written = true;
    }

private:
    void onEdited()
    {
        // Only a clock reading on the typing path; the timer is armed once per quiet spell.
        m_lastEdit = m_clock.elapsed();
        if (!m_pending) {
            m_pending = true;
            m_firstEdit = m_lastEdit;
            m_timer.start(std::min(m_session.pauseMs, m_session.maxWaitMs));
        }
    }

    void onTimer()
    {
        // Once typing has paused, and never later than the longest wait after the first edit;
        // the first copy never later than the pause.
        const qint64 longest = m_written ? m_session.maxWaitMs : std::min(m_session.pauseMs, m_session.maxWaitMs);
        const qint64 due = std::min(m_lastEdit + m_session.pauseMs, m_firstEdit + longest);
        const qint64 now = m_clock.elapsed();
        if (now < due)
            m_timer.start(int(std::min<qint64>(due - now, m_session.maxWaitMs)));
        else
            writeNow();
    }

    DocumentWindow &m_window;
    RecoverySession &m_session;
    QString m_file;  // named once the session's folder is there
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_firstEdit = 0;
    qint64 m_lastEdit = 0;
    bool m_pending = false;
    bool m_written = false;
};

void keepRecoveryCopies(DocumentWindow &window)
{
    RecoverySession *session = recoverySession();
    if (!session || window.findChild<RecoveryKeeper *>())
        return;
    session->onWriteFailed = [](const QString &file, const QString &reason) {
        for (RecoveryKeeper *keeper : RecoveryKeeper::keepers()) {
            if (keeper->file() == file)
                keeper->writeFailed(reason);
        }
    };
    new RecoveryKeeper(window, *session);
}

void writeRecoveryCopiesNow()
{
    RecoverySession *session = recoverySession();
    if (!session)
        return;
    // What fails now is not told: the user is not there to read it.
    session->onWriteFailed = nullptr;
    for (RecoveryKeeper *keeper : RecoveryKeeper::keepers())
        keeper->writeNow(true);
    session->waitForWrites();
}

void forgetRecoveryCopy(DocumentWindow &window)
{
    if (auto *keeper = window.findChild<RecoveryKeeper *>())
        keeper->forget();
}

int offerRecoveredDocuments(Workspace &workspace, RecoverySession &session)
{
    int recovered = 0;
    const QList<RecoverySession::Orphan> orphans = session.claimOrphans();
    for (const RecoverySession::Orphan &orphan : orphans) {
        const RecoveryCopy &copy = orphan.copy;
        const QString which = copy.path.isEmpty()
                                  ? QStringLiteral("an untitled document")
                                  : copy.caption + QStringLiteral(" (") + copy.path + QLatin1Char(')');
        const MsgResult answer = platform().messageBox(
            kProductName,
            QStringLiteral("Vornel ended without saving the changes to ") + which
                + QStringLiteral(".\r\n\r\nDo you want to recover them?\r\n"
                                 "Yes opens them in a new window, No discards them, Cancel keeps them for the next start."),
            MsgButtons::YesNoCancel, MsgIcon::Question);
        if (answer == MsgResult::Cancel)
            continue;
        if (answer == MsgResult::Yes) {
            const int slot = documentTable().findFreeSlot();
            DocumentWindow *window = workspace.createDocumentWindow(slot);
            loadRecoveredText(*window, copy);
            // Never saved: it keeps the caption of its new slot.
            if (!copy.path.isEmpty()) {
                window->setRealFileName(copy.path);
                window->setCaption(copy.caption);
                // The unsaved edits were made to the file as it stands; later changes by
                // other programs are what gets noticed.
                diskWatch().track(*window, copy.path);
                // It was activated under its "Untitled:" caption.
                if (workspace.activeDocument() == window)
                    workspace.setStatusText(QStringLiteral("Edit ") + copy.caption);
            }
            window->textArea()->setSelStart(0);
            window->setChanged(true);
            // Its own copy is written before the old one goes.
            if (auto *keeper = window->findChild<RecoveryKeeper *>())
                keeper->writeNow();
            ++recovered;
        }
        session.remove(orphan.file);
    }
    session.releaseOrphans();
    return recovered;
}

} // namespace vornel

#include "recovery.moc"
