#pragma once

#include <vector>

namespace vornel {

// The application-wide document table: one slot per document window, numbered from 1.
// Flags are -1 (true) and 0 (false), as the rest of the program keeps them.
class DocumentTable {
public:
    DocumentTable();

    // The lowest free slot, marked not free; or a new slot at the end (both flags false).
    int findFreeSlot();

    int size() const { return int(m_slots.size()) - 1; }
    bool isFree(int slot) const;
    bool isChanged(int slot) const;
    void setFree(int slot, bool free);
    void setChanged(int slot, bool changed);
    // True while at least one slot is in use, that is while a document window is open.
    bool anyOpen() const;
    // Back to one free slot (start-up and tests).
    void reset();

private:
    struct Slot {
        short free = -1;
        short changed = 0;
    };
    std::vector<Slot> m_slots; // index 0 unused
};

DocumentTable &documentTable();

} // namespace vornel
