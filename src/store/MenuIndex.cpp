#include "store/MenuIndex.h"

namespace lh::store {

MenuIndex::const_iterator MenuIndex::find(std::uint32_t slot) const {
    if (slot < m_first || slot - m_first >= m_items.size() || m_items[slot - m_first] == nullptr) {
        return end();
    }
    return {this, m_items.begin() + static_cast<std::ptrdiff_t>(slot - m_first)};
}

bool MenuIndex::insert(std::uint32_t slot, const ItemRecord* item) {
    if (m_items.empty()) {
        m_first = slot;
    } else if (slot < m_first) {
        // Below the first slot (rare: slots are handed out upwards): holes in front.
        m_items.insert(m_items.begin(), m_first - slot, nullptr);
        m_first = slot;
    }
    const std::size_t at = slot - m_first;
    if (at >= m_items.size()) {
        m_items.resize(at + 1, nullptr);
    } else if (m_items[at] != nullptr) {
        return false;
    }
    m_items[at] = item;
    ++m_count;
    return true;
}

bool MenuIndex::erase(std::uint32_t slot) {
    if (find(slot) == end()) {
        return false;
    }
    m_items[slot - m_first] = nullptr;
    --m_count;
    // Holes at the end go at once; holes in front once there are many of them (a move of the
    // whole vector), so that the vector spans about the slots in use.
    while (!m_items.empty() && m_items.back() == nullptr) {
        m_items.pop_back();
    }
    std::size_t leading = 0;
    while (leading < m_items.size() && leading < kFrontHoles && m_items[leading] == nullptr) {
        ++leading;
    }
    if (leading == kFrontHoles) {
        m_items.erase(m_items.begin(), m_items.begin() + static_cast<std::ptrdiff_t>(leading));
        m_first += static_cast<std::uint32_t>(leading);
    }
    return true;
}

void MenuIndex::clear() {
    m_items = {};
    m_first = 0;
    m_count = 0;
}

}  // namespace lh::store
