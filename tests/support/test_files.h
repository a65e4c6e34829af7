#pragma once

#include <QByteArray>
#include <QString>

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Writes the bytes to path, replacing what was there; true when all of them reached the file.
bool writeFile(const QString &path, const QByteArray &bytes);

// Writes a file called name into folder and returns its path. A test that cannot even write
// the files it starts from stops the program.
QString writeFileIn(const QString &folder, const QString &name, const QByteArray &bytes);
