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
    std::function<void(MainWindow &)> run;
    // With no document open the button beeps instead.
    bool needsDocument = true;
    // The keyboard goes back to the active document afterwards.
    bool returnsFocus = true;

    // The faces' file name stem: the name without the array's brackets ("BtnFile0").
    QString faceName() const;
};

// The buttons of a row, left to right.
std::vector<ToolbarButtonRow> toolbarRows(ToolbarRow row);

} // namespace vornel
