#pragma once

#include <QString>
#include <QStringList>

class QColor;
class QFont;
class QWidget;

namespace vornel {

// Buttons and icons of the platform's message box, as the program asks for them.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

// Option bits of the shared file dialog, numbered as the program's dialog settings name them.
namespace FileDialogFlags {
constexpr int ReadOnly = 0x1;
constexpr int OverwritePrompt = 0x2;
constexpr int HideReadOnly = 0x4;
constexpr int PathMustExist = 0x800;
constexpr int FileMustExist = 0x1000;
}

// The main window's one shared file dialog (CMDialog1). Its fields persist between uses:
// callers set what they need, and whatever they leave keeps the value of the previous use.
struct CommonDialog {
    QString dialogTitle;   // empty: the platform's default title
    QString filter;        // "Shown text|patterns|Shown text|patterns..." with ';' between patterns
    int filterIndex = 1;   // 1-based, as chosen or to preselect
    int flags = 0;         // FileDialogFlags bits
    QString initDir;
    QString defaultExt;    // without the dot; added when the user types a name without extension
    QString fileName;      // full path chosen (or preset name)
    QString fileTitle;     // the chosen file's name without its folder
};

// Option bits of the print dialog, numbered as the program's print settings name them. Shown
// with Selection set, the selection option is offered and preselected; on return Selection and
// PrintToFile tell what the user chose.
namespace PrintDialogFlags {
constexpr int Selection = 0x1;
constexpr int NoSelection = 0x4;
constexpr int NoPageNums = 0x8;
constexpr int PrintToFile = 0x20;
constexpr int DisablePrintToFile = 0x80000;
}

struct PrintDialogOptions {
    int flags = 0;    // PrintDialogFlags bits
    int copies = 1;   // copies to preset; on return the copies asked for
};

struct KeyLockState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
    bool known = false;    // false where the platform cannot tell
};

// Everything modal or external goes through here, so that a test can script the answers.
class Platform {
public:
    virtual ~Platform() = default;

    virtual MsgResult messageBox(const QString &title, const QString &text, MsgButtons buttons,
                                 MsgIcon icon) = 0;
    // The simple input box: the typed text, or the empty text on Cancel.
    virtual QString inputBox(const QString &title, const QString &prompt,
                             const QString &defaultText) = 0;
    virtual void beep() = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString &text) = 0;

    // Shows the shared file dialog for opening or for saving. Returns false on Cancel
    // (the dialog then keeps its fields); on a choice fills fileName, fileTitle and filterIndex.
    virtual bool showOpenDialog(CommonDialog &dialog) = 0;
    virtual bool showSaveDialog(CommonDialog &dialog) = 0;

    // Starts another program detached; false when it could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;

    // Opens a file in the desktop's default application for its kind; false when nothing
    // could open it.
    virtual bool openWithDesktop(const QString &path) = 0;

    // The colour dialog, preset with color; on OK color is the choice. False on Cancel.
    virtual bool showColorDialog(QColor &color) = 0;
    // The font dialog, preset with font's family, point size, bold and italic; on OK font is
    // the choice (those four as picked). False on Cancel.
    virtual bool showFontDialog(QFont &font) = 0;

    virtual KeyLockState keyLockState() = 0;

    // The print dialog: false on Cancel or when there is no printer; otherwise fills the
    // options the user left. The printer chosen there is the one printText() uses.
    virtual bool showPrintDialog(PrintDialogOptions &options) = 0;
    // The printer set-up dialog; false on Cancel.
    virtual bool showPrintSetupDialog() = 0;
    // Prints text as one job, unchanged in the printer's font: line ends start new lines,
    // long lines are not wrapped. False when the job could not be printed.
    virtual bool printText(const QString &text) = 0;

    // Parent for the platform's dialogs (the main window once it exists).
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }
    QWidget *dialogParent() const { return m_dialogParent; }

private:
    QWidget *m_dialogParent = nullptr;
};

// The platform in use. Until one is installed this is the real Qt platform.
Platform &platform();
// Installs another platform (tests install a scripted double); nullptr restores the real one.
// The caller keeps ownership.
void setPlatform(Platform *replacement);

} // namespace vornel
