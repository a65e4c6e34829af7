#include "editor/undo_history.h"

#include <utility>

namespace vornel {

namespace {

// Older steps are dropped beyond this; a long session should not keep every keystroke.
constexpr std::size_t kMaxUndoSteps = 1000;

} // namespace

void UndoHistory::record(Edit edit, bool typing)
{
    m_redo.clear();
    if (m_groupDepth > 0 && m_groupStarted && !m_undo.empty()) {
        m_undo.back().edits.push_back(std::move(edit));
        return;
    }
    const int caretAfter = edit.insertedEnd();
    if (typing && m_groupDepth == 0 && !m_undo.empty() && m_undo.back().typing
        && m_undo.back().typingCaret == edit.removedEnd()) {
        Step &step = m_undo.back();
        Edit &last = step.edits.back();
        if (edit.removed.doc.isEmpty() && !edit.widened() && !last.widened()
            && last.pos + int(last.inserted.doc.size()) == edit.pos) {
            last.inserted.append(edit.inserted);
        } else {
            step.edits.push_back(std::move(edit));
        }
        step.typingCaret = caretAfter;
        return;
    }
    Step step;
    step.edits.push_back(std::move(edit));
    step.typing = typing && m_groupDepth == 0;
    step.typingCaret = caretAfter;
    m_undo.push_back(std::move(step));
    if (m_undo.size() > kMaxUndoSteps)
        m_undo.erase(m_undo.begin());
    if (m_groupDepth > 0)
        m_groupStarted = true;
}

const std::vector<UndoHistory::Edit> *UndoHistory::undo()
{
    if (m_undo.empty())
        return nullptr;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    return &m_redo.back().edits;
}

const std::vector<UndoHistory::Edit> *UndoHistory::redo()
{
    if (m_redo.empty())
        return nullptr;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    // A redone step is never extended by typing.
    m_undo.back().typing = false;
    return &m_undo.back().edits;
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

void UndoHistory::beginGroup()
{
    if (m_groupDepth++ == 0)
        m_groupStarted = false;
}

void UndoHistory::endGroup()
{
    if (m_groupDepth > 0)
        --m_groupDepth;
}

} // namespace vornel
