#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QObject;
class QThreadPool;

namespace vornel {

class InstanceLock;

// The encoding a document's bytes are in, by name, until documents carry their own.
inline const QString kDefaultEncodingName = QStringLiteral("Windows-1252");

// What a recovery copy keeps of a document with unsaved changes: enough to show it again as
// it was, never to write its file.
struct RecoveryCopy {
    QString path;                             // its file; empty for a never-saved document
    QString caption;
    QString encoding = kDefaultEncodingName;  // what bytes are in
    QByteArray bytes;                         // the text as its file would hold it
};

// Writes the copy to file atomically: a reader sees the old copy or the new one, whole. The
// file holds a few "key=value" lines (values percent-encoded), one empty line, then the bytes.
// Returns why it could not be written (a file that is not a plain file never is), or the
// empty text.
QString writeRecoveryCopy(const QString &file, const RecoveryCopy &copy);
// The copy in file, or nothing when it is missing or not a whole recovery copy.
std::optional<RecoveryCopy> readRecoveryCopy(const QString &file);

// The recovery copies of one running instance: a folder of its own under the recovery folder,
// locked for as long as the instance lives. Copies are written and removed on one worker
// thread, in the order asked, so that typing never waits for the disk.
class RecoverySession {
public:
    struct Orphan {
        QString file;
        RecoveryCopy copy;
    };

    // Makes and locks the instance's folder; where that fails, ensureFolder() tries again.
    explicit RecoverySession(const QString &root);
    // Waits for the writes in flight; removes the folder when no copy is left in it.
    ~RecoverySession();
    RecoverySession(const RecoverySession &) = delete;
    RecoverySession &operator=(const RecoverySession &) = delete;

    bool isValid() const { return !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }
    QString root() const { return m_root; }
    // The folder made and locked by now, or once more tried; false with why in reason.
    bool ensureFolder(QString *reason = nullptr);
    // A new file name in this instance's folder for one document's copy.
    QString newCopyFile();

    // Writes the copy on the worker; a copy that cannot be written is told to onWriteFailed,
    // on the thread that made the session.
    void write(const QString &file, const RecoveryCopy &copy);
    std::function<void(const QString &file, const QString &reason)> onWriteFailed;
    void remove(const QString &file);
    void waitForWrites();

    // The copies left by instances that are no longer running, taken over by this one: no
    // other instance sees them while this one lives. Copies of running instances are left
    // alone.
    QList<Orphan> claimOrphans();
    // Done with the orphans claimed: their copies still present stay for the next start.
    void releaseOrphans();

    // Typing pause before a copy is written, and the longest wait while typing goes on (ms). A
    // document's first copy waits no longer than the pause after its first change.
    int pauseMs = 3000;
    int maxWaitMs = 10000;

private:
    QString m_root;
    QString m_folder;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<QObject> m_relay;  // carries failures from the worker back
    std::unique_ptr<QThreadPool> m_worker;
    std::vector<std::unique_ptr<InstanceLock>> m_claimed;
    QStringList m_claimedFolders;
    int m_nextCopy = 1;
};

// The recovery folder in the per-user state folder.
QString defaultRecoveryRoot();

// The session documents keep their copies in; none (nullptr) keeps no copies, as in tests.
RecoverySession *recoverySession();
void setRecoverySession(RecoverySession *session);

} // namespace vornel
