#pragma once

#include "platform/platform.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <source_location>

// One call the program made to the platform, with everything it passed.
struct PlatformCall {
    enum class Kind {
        MessageBox, InputBox, Beep, OpenDialog, SaveDialog, StartProgram,
        PrintDialog, PrintSetupDialog, PrintJob, OpenWithDesktop, ColorDialog, FontDialog
    };

    Kind kind = Kind::Beep;
    QString title;        // message box, input box or file dialog title
    QString text;         // message box text, input box prompt, the text of a print job or the
                          // file opened with the desktop
    QString defaultText;  // input box
    vornel::MsgButtons buttons = vornel::MsgButtons::Ok;
    vornel::MsgIcon icon = vornel::MsgIcon::None;
    vornel::CommonDialog dialog;  // file dialogs: the fields as they were when shown
    QString program;
    QStringList arguments;
    vornel::PrintDialogOptions print;  // print dialog: the options it was shown with
    QColor color;         // colour dialog: the colour it was preset with
    QFont font;           // font dialog: the font it was preset with
};

// A platform for tests: answers come from a script the test queues beforehand, and nothing
// ever waits for a user. Answers of one kind are used in the order queued; a call with no
// answer of its kind queued, or one that fails a check given with its answer, fails the
// running test and gets a harmless answer (Escape's answer, empty text, Cancel, not started).
class ScriptedPlatform : public vornel::Platform {
public:
    using Where = std::source_location;

    // title and text, when given, must equal what the box shows; the answer must be one of
    // its buttons.
    void expectMessageBox(vornel::MsgResult answer, std::optional<QString> title = {},
                          std::optional<QString> text = {}, Where where = Where::current());
    // The empty answer is Cancel.
    void expectInputBox(const QString &answer, std::optional<QString> title = {},
                        std::optional<QString> prompt = {}, Where where = Where::current());
    // The user chooses path (the default extension is added as the real dialog does) and,
    // when filterIndex > 0, that filter.
    void expectOpenDialog(const QString &path, int filterIndex = 0,
                          Where where = Where::current());
    void expectOpenDialogCancel(Where where = Where::current());
    void expectSaveDialog(const QString &path, int filterIndex = 0,
                          Where where = Where::current());
    void expectSaveDialogCancel(Where where = Where::current());
    void expectStartProgram(bool started, std::optional<QString> program = {},
                            std::optional<QStringList> arguments = {},
                            Where where = Where::current());

    // The desktop opens the file (or fails to); path, when given, must be the file asked for.
    void expectOpenWithDesktop(bool opened, std::optional<QString> path = {},
                               Where where = Where::current());
    // The user picks chosen in the colour or font dialog, or cancels it.
    void expectColorDialog(const QColor &chosen, Where where = Where::current());
    void expectColorDialogCancel(Where where = Where::current());
    void expectFontDialog(const QFont &chosen, Where where = Where::current());
    void expectFontDialogCancel(Where where = Where::current());

    // The user leaves copies and, of PrintDialogFlags, Selection and PrintToFile as in
    // chosenFlags, and presses OK.
    void expectPrintDialog(int copies = 1, int chosenFlags = 0, Where where = Where::current());
    void expectPrintDialogCancel(Where where = Where::current());
    void expectPrintSetupDialog(bool accepted, Where where = Where::current());
    // Print jobs need no answer: each is recorded as a PrintJob call and succeeds.
    QStringList printedTexts() const;

    void setKeyLockState(const vornel::KeyLockState &state) { m_keyLocks = state; }

    const QList<PlatformCall> &calls() const { return m_calls; }
    QList<PlatformCall> callsOf(PlatformCall::Kind kind) const;
    int beepCount() const { return int(callsOf(PlatformCall::Kind::Beep).size()); }
    // Every unexpected call and failed check so far, as reported to the test.
    QStringList problems() const { return m_problems; }
    // Answers queued but not asked for yet.
    QStringList unusedAnswers() const;
    // Fails the running test for each unused answer; true when all were used.
    bool verifyAllUsed();

    vornel::MsgResult messageBox(const QString &title, const QString &text,
                                 vornel::MsgButtons buttons, vornel::MsgIcon icon) override;
    QString inputBox(const QString &title, const QString &prompt,
                     const QString &defaultText) override;
    void beep() override;
    QString clipboardText() override { return m_clipboard; }
    void setClipboardText(const QString &text) override { m_clipboard = text; }
    bool showOpenDialog(vornel::CommonDialog &dialog) override;
    bool showSaveDialog(vornel::CommonDialog &dialog) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
    bool openWithDesktop(const QString &path) override;
    bool showColorDialog(QColor &color) override;
    bool showFontDialog(QFont &font) override;
    vornel::KeyLockState keyLockState() override { return m_keyLocks; }
    bool showPrintDialog(vornel::PrintDialogOptions &options) override;
    bool showPrintSetupDialog() override;
    bool printText(const QString &text) override;

private:
    struct Answer {
        PlatformCall::Kind kind = PlatformCall::Kind::Beep;
        vornel::MsgResult result = vornel::MsgResult::Ok;
        QString text;               // input box answer or chosen path
        bool accepted = true;       // file chosen, program started
        int filterIndex = 0;
        int copies = 1;             // print dialog
        int printFlags = 0;
        QColor color;               // colour chosen
        QFont font;                 // font chosen
        std::optional<QString> expectedTitle;
        std::optional<QString> expectedText;
        std::optional<QStringList> expectedArguments;
        Where where;
    };

    Answer &queue(PlatformCall::Kind kind, const Where &where);
    std::optional<Answer> take(const PlatformCall &call);
    bool showFileDialog(PlatformCall::Kind kind, vornel::CommonDialog &dialog);
    void check(const Answer &answer, const char *what, const QString &shown,
               const std::optional<QString> &expected);
    void report(const QString &problem, const Where &where);

    QList<Answer> m_answers;
    QList<PlatformCall> m_calls;
    QStringList m_problems;
    QString m_clipboard;
    vornel::KeyLockState m_keyLocks;
};

// Compares every field of two file dialogs, failing the running test at the first difference
// (e.g. to check that a Cancel left the fields alone).
void compareDialogFields(const vornel::CommonDialog &actual, const vornel::CommonDialog &expected);

// Installs a ScriptedPlatform for as long as it lives, then restores the real platform. At
// the end it fails the test for answers queued but never used (unless the test failed anyway).
class ScopedPlatform {
public:
    ScopedPlatform();
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform &) = delete;
    ScopedPlatform &operator=(const ScopedPlatform &) = delete;

    ScriptedPlatform &operator*() { return m_platform; }
    ScriptedPlatform *operator->() { return &m_platform; }

private:
    ScriptedPlatform m_platform;
};
