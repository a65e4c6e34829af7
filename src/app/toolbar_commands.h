#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace vornel {

class MainWindow;

enum class ToolbarRow { Main, Extended };

// One toolbar button: where it stands, what its tip and status hint say and what it runs.
struct ToolbarButtonRow {
    QString name;        // control name, "BtnFile(0)" for an array entry
    int left = 0;        // twips from the toolbar's left edge
    int width = 345;     // twips
    QString tip;         // the tool-tip text
    QString hint;        // the status-area hint
    // The menu command the button runs: the action of this name in the active document's
    // menus, or while none is open in the main window's (named mainAction where that differs).
    QString action = {};
    // What the button runs instead, where no menu entry does the same.
    std::function<void(MainWindow &)> run = {};
    // With no document open the button beeps instead.
    bool needsDocument = true;
    // The keyboard goes back to the active document afterwards.
    bool returnsFocus = true;
    QString mainAction = {};
    // Only with text selected, else nothing happens (Cut, Copy).
    bool needsSelection = false;

    // The faces' file name stem: the name without the array's brackets ("BtnFile0").
    QString faceName() const;
};

// The buttons of a row, left to right.
std::vector<ToolbarButtonRow> toolbarRows(ToolbarRow row);

} // namespace vornel
