#pragma once

#include <vector>

namespace vornel {

// The application-wide document table: one slot per document window, numbered from 1, each
// free or in use (-1 true, 0 false, as the rest of the program keeps flags). Whether a
// document has unsaved changes is the document's own (TextDocument::isChanged).
class DocumentTable {
public:
    DocumentTable();

    // The lowest free slot, marked not free; or a new slot at the end.
    int findFreeSlot();

    int size() const { return int(m_slots.size()) - 1; }
    bool isFree(int slot) const;
    void setFree(int slot, bool free);
    // True while at least one slot is in use, that is while a document window is open.
    bool anyOpen() const;
    // Back to one free slot (start-up and tests).
    void reset();

private:
    struct Slot {
        short free = -1;
    };
    std::vector<Slot> m_slots; // index 0 unused
};

DocumentTable &documentTable();

} // namespace vornel
