#include "documents/recovery_copy.h"

#include "platform/file_io.h"
#include "platform/write_guard.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThreadPool>
#include <QUuid>

#include <algorithm>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornel {

namespace {

const QByteArray kMagic = QByteArrayLiteral("vornel-recovery 1");
const QString kLockName = QStringLiteral("owner.lock");
const QString kCopySuffix = QStringLiteral(".copy");

RecoverySession *g_session = nullptr;

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({QLatin1Char('*') + kCopySuffix}, QDir::Files);
}

// Removes the folder of an instance once no copy is left in it.
void removeIfNoCopies(const QString &folder)
{
    if (copiesIn(folder).isEmpty()) {
        QDir(folder).remove(kLockName);
        QDir().rmdir(folder);
    }
}

QByteArray field(const char *key, const QString &value)
{
    return QByteArray(key) + '=' + value.toUtf8().toPercentEncoding() + '\n';
}

QByteArray recoveryHeader(const RecoveryCopy &copy)
{
    return kMagic + '\n' + field("path", copy.path) + field("caption", copy.caption)
           + field("encoding", copy.encoding) + "size=" + QByteArray::number(copy.bytes.size()) + "\n\n";
}

} // namespace

// An exclusive lock on a file that the kernel lets go of when its process ends, however it
// ends: a folder whose lock can be taken belongs to no running instance.
class InstanceLock {
public:
    explicit InstanceLock(const QString &path)
    {
        const QByteArray name = QFile::encodeName(path);
        m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return;
        struct stat held {};
        struct stat named {};
        // A lock on a file that was removed meanwhile guards nothing.
        if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(m_fd, &held) != 0 || ::stat(name.constData(), &named) != 0
            || held.st_ino != named.st_ino || held.st_dev != named.st_dev) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~InstanceLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

QString writeRecoveryCopy(const QString &file, const RecoveryCopy &copy)
{
    if (const QString refused = notAPlainFileReason(file); !refused.isEmpty())
        return refused;
    QSaveFile out(file);
    // On the disk before it replaces the copy before it: a copy cut short by a crash or a full
    // disk would be no copy at all.
    if (out.open(QIODevice::WriteOnly) && writeAll(out, recoveryHeader(copy)) && writeAll(out, copy.bytes)
        && out.flush() && ::fsync(out.handle()) == 0 && out.commit())
        return QString();
    const QString reported = out.error() != QFileDevice::NoError ? out.errorString() : QString();
    out.cancelWriting();
    const QString found = folderWriteProblem(QFileInfo(file).absolutePath());
    if (!found.isEmpty() && (reported.isEmpty() || reported == QLatin1String("Unknown error")))
        return found;
    return reported.isEmpty() ? QStringLiteral("Unknown error") : reported;
}

std::optional<RecoveryCopy> readRecoveryCopy(const QString &file)
{
    const FileRead read = readWholeFile(file);
    if (!read.complete)
        return std::nullopt;
    const QByteArray &all = read.bytes;
    const qsizetype end = all.indexOf("\n\n");
    if (end < 0)
        return std::nullopt;
    const QList<QByteArray> lines = all.left(end).split('\n');
    if (lines.value(0) != kMagic)
        return std::nullopt;
    RecoveryCopy copy;
    qint64 size = -1;
    for (const QByteArray &line : lines.mid(1)) {
        const qsizetype eq = line.indexOf('=');
        const QByteArray key = line.left(eq);
        const QString value = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(eq + 1)));
        if (key == "path")
            copy.path = value;
        else if (key == "caption")
            copy.caption = value;
        else if (key == "encoding")
            copy.encoding = value;
        else if (key == "size")
            size = line.mid(eq + 1).toLongLong();
    }
    copy.bytes = all.mid(end + 2);
    // A copy cut short is not the text the user had.
    if (size != copy.bytes.size())
        return std::nullopt;
    return copy;
}

RecoverySession::RecoverySession(const QString &root)
    : m_root(root)
    , m_relay(std::make_unique<QObject>())
    , m_worker(std::make_unique<QThreadPool>())
{
    m_worker->setMaxThreadCount(1);
    ensureFolder();
}

bool RecoverySession::ensureFolder(QString *reason)
{
    // Another instance cleaning up may take a folder that is not locked yet; then try another.
    for (int attempt = 0; attempt < 3 && m_folder.isEmpty(); ++attempt) {
        const QString folder = QDir(m_root).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
        // Unsaved text is for its writer's eyes only.
        if (!QDir().mkpath(folder) || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            continue;
        auto lock = std::make_unique<InstanceLock>(QDir(folder).filePath(kLockName));
        if (!lock->held())
            continue;
        m_lock = std::move(lock);
        m_folder = folder;
    }
    if (m_folder.isEmpty() && reason) {
        *reason = folderWriteProblem(m_root);
        if (reason->isEmpty())
            *reason = QStringLiteral("The folder cannot be made or locked");
    }
    return !m_folder.isEmpty();
}

RecoverySession::~RecoverySession()
{
    if (g_session == this)
        g_session = nullptr;
    waitForWrites();
    releaseOrphans();
    if (isValid())
        removeIfNoCopies(m_folder);
}

QString RecoverySession::newCopyFile()
{
    return QDir(m_folder).filePath(QStringLiteral("document-%1%2").arg(m_nextCopy++).arg(kCopySuffix));
}

void RecoverySession::write(const QString &file, const RecoveryCopy &copy)
{
    m_worker->start([this, file, copy] {
        const QString reason = writeRecoveryCopy(file, copy);
        if (!reason.isEmpty()) {
            QMetaObject::invokeMethod(m_relay.get(), [this, file, reason] {
                if (onWriteFailed)
                    onWriteFailed(file, reason);
            }, Qt::QueuedConnection);
        }
    });
}

void RecoverySession::remove(const QString &file)
{
    m_worker->start([file] { QFile::remove(file); });
}

void RecoverySession::waitForWrites()
{
    m_worker->waitForDone();
}

QList<RecoverySession::Orphan> RecoverySession::claimOrphans()
{
    QList<std::pair<QDateTime, Orphan>> found;
    const QFileInfoList folders = QDir(m_root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : folders) {
        const QString folder = info.absoluteFilePath();
        if (QDir::cleanPath(folder) == QDir::cleanPath(m_folder) || m_claimedFolders.contains(folder))
            continue;
        auto lock = std::make_unique<InstanceLock>(QDir(folder).filePath(kLockName));
        if (!lock->held())
            continue;
        m_claimed.push_back(std::move(lock));
        m_claimedFolders.append(folder);
        // What is not a whole copy (a write cut short by the end of its instance) goes.
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
        for (const QFileInfo &file : files) {
            std::optional<RecoveryCopy> copy;
            if (file.fileName().endsWith(kCopySuffix))
                copy = readRecoveryCopy(file.absoluteFilePath());
            if (copy)
                found.append({file.lastModified(), {file.absoluteFilePath(), *copy}});
            else if (file.fileName() != kLockName)
                QFile::remove(file.absoluteFilePath());
        }
    }
    // The oldest first, as the user wrote them.
    std::stable_sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<Orphan> orphans;
    for (auto &entry : found)
        orphans.append(std::move(entry.second));
    return orphans;
}

void RecoverySession::releaseOrphans()
{
    waitForWrites();
    for (const QString &folder : std::as_const(m_claimedFolders))
        removeIfNoCopies(folder);
    m_claimed.clear();
    m_claimedFolders.clear();
}

QString defaultRecoveryRoot()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath(QStringLiteral("recovery"));
}

RecoverySession *recoverySession()
{
    return g_session;
}

void setRecoverySession(RecoverySession *session)
{
    g_session = session;
}

} // namespace vornel
