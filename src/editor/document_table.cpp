#include "editor/document_table.h"

namespace vornel {

DocumentTable::DocumentTable()
{
    reset();
}

void DocumentTable::reset()
{
    m_slots.assign(2, Slot{});
}

int DocumentTable::findFreeSlot()
{
    for (int n = 1; n < int(m_slots.size()); ++n) {
        if (m_slots[std::size_t(n)].free) {
            m_slots[std::size_t(n)].free = 0;
            return n;
        }
    }
    m_slots.push_back(Slot{0});
    return int(m_slots.size()) - 1;
}

bool DocumentTable::isFree(int slot) const
{
    return slot < 1 || slot >= int(m_slots.size()) || m_slots[std::size_t(slot)].free != 0;
}

void DocumentTable::setFree(int slot, bool free)
{
    if (slot >= 1 && slot < int(m_slots.size()))
        m_slots[std::size_t(slot)].free = free ? -1 : 0;
}

bool DocumentTable::anyOpen() const
{
    for (std::size_t n = 1; n < m_slots.size(); ++n) {
        if (!m_slots[n].free)
            return true;
    }
    return false;
}

DocumentTable &documentTable()
{
    static DocumentTable table;
    return table;
}

} // namespace vornel
