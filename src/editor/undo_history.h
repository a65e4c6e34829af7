#pragma once

#include "editor/text_slice.h"

#include <vector>

namespace vornel {

// The text area's undo and redo stacks. Each command's change is one step; a run of typing is
// one step; everything between beginGroup() and the matching endGroup() is one step. The
// history only keeps the edits: applying them to the document is the caller's part.
class UndoHistory {
public:
    // The document stretch removed at pos and the one put in its place (display positions).
    struct Edit {
        int pos;
        TextSlice removed;
        TextSlice inserted;
        // An edit widened to move soft breaks around the change proper, which starts at
        // pos + from and ends at pos + removedTo before the edit and pos + insertedTo after
        // it (-1: at the end of removed or inserted).
        int from = 0;
        int removedTo = -1;
        int insertedTo = -1;

        int changeStart() const { return pos + from; }
        int removedEnd() const { return pos + (removedTo < 0 ? int(removed.doc.size()) : removedTo); }
        int insertedEnd() const { return pos + (insertedTo < 0 ? int(inserted.doc.size()) : insertedTo); }
        bool widened() const { return from != 0 || removedTo >= 0 || insertedTo >= 0; }
    };

    // Records an edit that has just been made, and forgets whatever could be redone.
    void record(Edit edit, bool typing);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // Moves the latest step to the redo stack and gives its edits in the order they were made,
    // to be taken back last first; nullptr when there is nothing to undo. The edits stay valid
    // until the history changes again.
    const std::vector<Edit> *undo();
    // Moves the latest undone step back to the undo stack and gives its edits, to be made
    // again in order; nullptr when there is nothing to redo.
    const std::vector<Edit> *redo();
    void clear();

    // Groups every edit until the matching end into one step (nests).
    void beginGroup();
    void endGroup();

private:
    struct Step {
        std::vector<Edit> edits;
        bool typing = false;   // a run of typing, which further typing at its end extends
        int typingCaret = 0;   // where the caret stood after the step
    };

    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    int m_groupDepth = 0;
    bool m_groupStarted = false;
};

} // namespace vornel
