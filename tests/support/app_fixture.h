#pragma once

#include "support/scripted_platform.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QMdiSubWindow;

namespace vornel {
class MainWindow;
class DocumentWindow;
}

// Points the program's settings store at a fresh temporary folder for as long as it lives, so
// that no test reads or writes the user's settings.
class TemporarySettings {
public:
    TemporarySettings();
    TemporarySettings(const TemporarySettings &) = delete;
    TemporarySettings &operator=(const TemporarySettings &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// Points the program folder (templates, history files) at a fresh temporary folder for as
// long as it lives.
class TemporaryProgramFolder {
public:
    TemporaryProgramFolder();
    ~TemporaryProgramFolder();
    TemporaryProgramFolder(const TemporaryProgramFolder &) = delete;
    TemporaryProgramFolder &operator=(const TemporaryProgramFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// Marks every document slot unchanged, so that closing down a test's windows asks nothing.
void forgetDocumentChanges();

// A new, empty document window of main in the first free slot.
vornel::DocumentWindow *newDocumentWindow(vornel::MainWindow &main);
// A new document window of main holding text, as an untitled document that was typed in.
vornel::DocumentWindow *newUntitled(vornel::MainWindow &main, const QString &text);
// The MDI child that holds the document window.
QMdiSubWindow *subWindowOf(vornel::DocumentWindow *window);
// Shows main at 800 x 600 pixels.
void showMain(vornel::MainWindow &main);
// The stored recent-files entry (1 to 8), "Not Used" when there is none.
QString recentFileEntry(int entry);

// One pixel expressed in twips: the most a twips → pixels → twips round trip can be off by.
int onePixelInTwips();

// The program as a window test starts it: temporary settings and the preferences read from
// them, an empty document table, a scripted platform and a real main window of 800 x 600
// pixels, not yet shown. At the end it forgets every change, so closing down asks nothing, and
// destroys the main window before the platform it talks to.
class AppFixture {
public:
    AppFixture();
    ~AppFixture();
    AppFixture(const AppFixture &) = delete;
    AppFixture &operator=(const AppFixture &) = delete;

    // The settings folder could be made.
    bool isValid() const { return m_settings.isValid(); }
    // Shows the main window; true once it is exposed.
    bool showMain();

    vornel::MainWindow *main() const { return m_main.get(); }
    ScriptedPlatform &platform() { return **m_platform; }
    QString settingsDir() const { return m_settings.path(); }
    vornel::DocumentWindow *newDocument() { return newDocumentWindow(*m_main); }

private:
    TemporarySettings m_settings;
    std::unique_ptr<ScopedPlatform> m_platform;
    std::unique_ptr<vornel::MainWindow> m_main;
};

// Where a test of the extended-characters toolbox starts: the main window shown, and the
// toolbox closed, in its character mode, at a place on the screen (as a first run has it).
std::unique_ptr<AppFixture> toolboxFixture();

// Where a test of the document files starts when it makes its own windows: temporary settings,
// the preferences at their defaults with a fresh temporary folder as the document folder, and
// an empty document table. At the end it forgets every change, so that windows left behind
// close without asking.
class DocumentFolderFixture {
public:
    DocumentFolderFixture();
    ~DocumentFolderFixture();
    DocumentFolderFixture(const DocumentFolderFixture &) = delete;
    DocumentFolderFixture &operator=(const DocumentFolderFixture &) = delete;

    bool isValid() const { return m_settings.isValid() && m_folder.isValid(); }
    // The document folder.
    QString path() const { return m_folder.path(); }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    // A file of the document folder with the given bytes; its path.
    QString file(const QString &name, const QByteArray &bytes) const;

private:
    TemporarySettings m_settings;
    QTemporaryDir m_folder;
};

// The base of a test whose every case starts with a fresh document folder and settings.
class DocumentFolderTest : public QObject {
    Q_OBJECT

protected:
    // A path in the document folder.
    QString path(const QString &name) const { return m_folder->filePath(name); }
    // A file of the document folder with the given bytes; its path.
    QString file(const QString &name, const QByteArray &bytes) const { return m_folder->file(name, bytes); }
    static QString recent(int entry) { return recentFileEntry(entry); }
    const DocumentFolderFixture &folder() const { return *m_folder; }

private Q_SLOTS:
    void init();
    void cleanup();

private:
    std::unique_ptr<DocumentFolderFixture> m_folder;
};

