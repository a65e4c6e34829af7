#pragma once

#include <QString>

#include <map>
#include <memory>

class QSettings;

namespace vornel {

// The per-user settings store: flat string values addressed by application, section and key.
//
// Layout: one INI file per application, named after it, in the storage root, with one
// [section] group per section. The program's own settings therefore live in
//     <user config folder>/Teslund Applications.ini, group [Vornel]
// (on Linux ~/.config/Teslund Applications.ini).

inline const QString kSettingsApplication = QStringLiteral("Teslund Applications");
inline const QString kSettingsSection = QStringLiteral("Vornel");

class SettingsStore {
public:
    // rootDir is the folder that holds the INI files; it is created on the first save.
    explicit SettingsStore(QString rootDir);
    virtual ~SettingsStore();

    const QString &rootDir() const { return m_rootDir; }
    QString filePath(const QString &application) const;

    // The stored text, or defaultValue when the key is absent or the file cannot be read (or is
    // not a plain file: a link to a device or a pipe is not read).
    virtual QString get(const QString &application, const QString &section, const QString &key,
                        const QString &defaultValue) const;
    // Writes the value and flushes it to disk at once. Returns false if it could not be written;
    // a file that is not a plain file is never written. The first failure of a run is told to
    // the user, with the file and the reason.
    virtual bool save(const QString &application, const QString &section, const QString &key,
                      const QString &value);

    // Saves between beginBatch and endBatch reach the disk once, at endBatch: closing down
    // writes some thirty keys, and a flush per key made exiting slow. Batches nest.
    void beginBatch();
    // Returns false if a file could not be written.
    bool endBatch();

private:
    QSettings *batchFile(const QString &application) const;

    QString m_rootDir;
    int m_batchDepth = 0;
    mutable std::map<QString, std::unique_ptr<QSettings>> m_batchFiles;
};

// Holds a batch of saves open for its lifetime.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore &store) : m_store(store) { m_store.beginBatch(); }
    ~SettingsBatch() { m_store.endBatch(); }
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;

private:
    SettingsStore &m_store;
};

// The program's store, rooted in the user's configuration folder.
SettingsStore &settingsStore();
// Points settingsStore() at another folder, so that tests never touch the user's settings.
void setSettingsStoreRootForTesting(const QString &rootDir);

// get/save on the program's own application and section.
QString getSetting(const QString &key, const QString &defaultValue);
bool saveSetting(const QString &key, const QString &value);

} // namespace vornel
