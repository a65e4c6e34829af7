#pragma once

#include "editor/command_table.h"

#include <QObject>
#include <QPointer>

namespace vornel {

class ExtendedCharactersToolbox;
class MainWindow;

// The main window's hold on the one extended-characters toolbox: opens and closes it, and
// hides it while the main window is minimised. The toolbox exists exactly while it counts as
// shown (ExtShow); it is destroyed when it closes.
class ToolboxControl : public QObject {
public:
    explicit ToolboxControl(MainWindow &main);

    // The open toolbox, or nullptr.
    ExtendedCharactersToolbox *toolbox() const;
    bool isOpen() const;

    // Opens the toolbox, not modal, where it last stood; an open one stays as it is.
    void open();
    void close();
    // "&Extended Characters": closes an open toolbox, opens it otherwise.
    void toggle();
    // Hidden while the main window is minimised, shown again once it is not.
    void followMainWindow(bool minimised);

private:
    MainWindow &m_main;
    QPointer<ExtendedCharactersToolbox> m_toolbox;
};

// The "&Extended Characters" entry of either menu bar: toggles the toolbox and leaves the
// entry's check mark telling whether it is shown.
CommandOperation toolboxCommand(MainWindow &main);

} // namespace vornel
