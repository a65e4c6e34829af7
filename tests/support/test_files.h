#pragma once

#include <QByteArray>
#include <QString>

#include <sys/resource.h>

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Writes the bytes to path, replacing what was there; true when all of them reached the file.
bool writeFile(const QString &path, const QByteArray &bytes);

// Writes a file called name into folder and returns its path. A test that cannot even write
// the files it starts from stops the program.
QString writeFileIn(const QString &folder, const QString &name, const QByteArray &bytes);

// While it lives, files may not grow beyond `bytes`: writing past it fails with "File too
// large", the way a full disk fails a write. Unlike permissions this stops root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
