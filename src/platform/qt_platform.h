#pragma once

#include "platform/platform.h"

namespace vornel {

// The real platform: Qt's message box, input dialog, file dialog, clipboard and processes.
class QtPlatform : public Platform {
public:
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

    KeyLockState keyLockState() override;

private:
    enum class FileDialogUse { Open, Save };
    bool showFileDialog(CommonDialog &dialog, FileDialogUse use);
};

} // namespace vornel
