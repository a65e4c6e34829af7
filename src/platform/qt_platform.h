#pragma once

#include "platform/platform.h"

#include <memory>

class QPrinter;

namespace vornel {

// The real platform: Qt's message box, input dialog, file dialog, clipboard, processes and
// printer.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    MsgResult messageBox(const QString &title, const QString &text, MsgButtons buttons,
                         MsgIcon icon) override;
    QString inputBox(const QString &title, const QString &prompt,
                     const QString &defaultText) override;
    void beep() override;

    QString clipboardText() override;
    void setClipboardText(const QString &text) override;

    bool showOpenDialog(CommonDialog &dialog) override;
    bool showSaveDialog(CommonDialog &dialog) override;

    bool startProgram(const QString &program, const QStringList &arguments) override;

    bool openWithDesktop(const QString &path) override;
    bool showColorDialog(QColor &color) override;
    bool showFontDialog(QFont &font) override;

    KeyLockState keyLockState() override;

    bool showPrintDialog(PrintDialogOptions &options) override;
    bool showPrintSetupDialog() override;
    bool printText(const QString &text) override;

private:
    enum class FileDialogUse { Open, Save };
    bool showFileDialog(CommonDialog &dialog, FileDialogUse use);
    QPrinter &printer();

    // Created on first use; keeps the printer and its settings between print commands.
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace vornel
