#include "prefs/settings_store.h"

#include "platform/write_guard.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <memory>

namespace vornel {

namespace {

// A settings file that is not a plain file (a link to a device or a pipe) is neither read,
// which could wait forever, nor written, which would replace what is there.
bool isUsable(const QString &file, QString *reason = nullptr)
{
    const QString refused = notAPlainFileReason(file);
    if (reason)
        *reason = refused;
    return refused.isEmpty();
}

// Why the settings file could not be written, in the system's words.
QString writeProblemOf(const QString &file, QSettings::Status status)
{
    // Qt does not write over a file it could not make sense of, which keeps what is in it.
    if (status == QSettings::FormatError)
        return QStringLiteral("The file is damaged; it is left as it is");
    QString reason = folderWriteProblem(QFileInfo(file).absolutePath());
    if (reason.isEmpty() && QFileInfo::exists(file) && !QFileInfo(file).isWritable())
        reason = QStringLiteral("Permission denied");
    return reason;
}

void reportUnwritten(const QString &file, const QString &reason)
{
    reportNotKept(QStringLiteral("The settings"), file, reason,
                  QStringLiteral("The recent files and preferences are kept for this session only; they are written "
                                 "again whenever they change."));
}

} // namespace

SettingsStore::SettingsStore(QString rootDir)
    : m_rootDir(std::move(rootDir))
{
}

SettingsStore::~SettingsStore()
{
    while (m_batchDepth > 0)
        endBatch();
}

QSettings *SettingsStore::batchFile(const QString &application) const
{
    if (m_batchDepth == 0)
        return nullptr;
    if (!isUsable(filePath(application)))
        return nullptr;
    auto &file = m_batchFiles[application];
    if (!file)
        file = std::make_unique<QSettings>(filePath(application), QSettings::IniFormat);
    return file.get();
}

void SettingsStore::beginBatch()
{
    ++m_batchDepth;
}

bool SettingsStore::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return true;
    bool ok = true;
    for (auto &[application, file] : m_batchFiles) {
        file->sync();
        if (file->status() != QSettings::NoError) {
            ok = false;
            reportUnwritten(filePath(application), writeProblemOf(filePath(application), file->status()));
        }
    }
    m_batchFiles.clear();
    return ok;
}

QString SettingsStore::filePath(const QString &application) const
{
    return QDir(m_rootDir).filePath(application + QStringLiteral(".ini"));
}

QString SettingsStore::get(const QString &application, const QString &section,
                           const QString &key, const QString &defaultValue) const
{
    if (!isUsable(filePath(application)))
        return defaultValue;
    std::unique_ptr<QSettings> own;
    QSettings *settings = batchFile(application);
    if (!settings) {
        own = std::make_unique<QSettings>(filePath(application), QSettings::IniFormat);
        settings = own.get();
    }
    // A garbled or unreadable file counts as empty: every key reads as its default.
    if (settings->status() != QSettings::NoError)
        return defaultValue;
    const QVariant value = settings->value(section + QLatin1Char('/') + key);
    if (!value.isValid())
        return defaultValue;
    // An unquoted comma in a hand-edited file makes QSettings split the value into a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool SettingsStore::save(const QString &application, const QString &section, const QString &key,
                         const QString &value)
{
    const QString file = filePath(application);
    if (QString refused; !isUsable(file, &refused)) {
        reportUnwritten(file, refused);
        return false;
    }
    if (QSettings *batch = batchFile(application)) {
        batch->setValue(section + QLatin1Char('/') + key, value);
        return batch->status() == QSettings::NoError;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    // Flush here rather than in the destructor: the recent-files list must be on disk after
    // every change, and only an explicit sync tells whether the write succeeded.
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        reportUnwritten(file, writeProblemOf(file, settings.status()));
        return false;
    }
    return true;
}

namespace {

std::unique_ptr<SettingsStore> &programStore()
{
    static std::unique_ptr<SettingsStore> store;
    return store;
}

} // namespace

SettingsStore &settingsStore()
{
    std::unique_ptr<SettingsStore> &store = programStore();
    if (!store) {
        store = std::make_unique<SettingsStore>(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    return *store;
}

void setSettingsStoreRootForTesting(const QString &rootDir)
{
    programStore() = std::make_unique<SettingsStore>(rootDir);
}

QString getSetting(const QString &key, const QString &defaultValue)
{
    return settingsStore().get(kSettingsApplication, kSettingsSection, key, defaultValue);
}

bool saveSetting(const QString &key, const QString &value)
{
    return settingsStore().save(kSettingsApplication, kSettingsSection, key, value);
}

} // namespace vornel
