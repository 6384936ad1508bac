#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace lh::store {

class ItemRecord;

// The favourites menu: item by slot, in slot order. A load hands out the slots in a row, so
// the index is a vector by slot (8 bytes a link) from the first slot on; an erased slot leaves
// a hole. Used like a map from slot to item: find, insert anywhere, erase, ordered iteration.
class MenuIndex {
public:
    using value_type = std::pair<std::uint32_t, const ItemRecord*>;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = MenuIndex::value_type;
        using difference_type = std::ptrdiff_t;
        using reference = value_type;
        struct pointer {
            value_type entry;
            const value_type* operator->() const { return &entry; }
        };

        const_iterator() = default;
        reference operator*() const { return {m_index->m_first + offset(), *m_at}; }
        pointer operator->() const { return {**this}; }
        const_iterator& operator++() {
            ++m_at;
            skipHoles();
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_at == other.m_at; }

    private:
        friend class MenuIndex;
        using Slot = std::vector<const ItemRecord*>::const_iterator;
        const_iterator(const MenuIndex* index, Slot at) : m_index(index), m_at(at) { skipHoles(); }
        void skipHoles() {
            while (m_at != m_index->m_items.end() && *m_at == nullptr) {
                ++m_at;
            }
        }
        std::uint32_t offset() const {
            return static_cast<std::uint32_t>(m_at - m_index->m_items.begin());
        }

        const MenuIndex* m_index = nullptr;
        Slot m_at;
    };
    using iterator = const_iterator;

    const_iterator begin() const { return {this, m_items.begin()}; }
    const_iterator end() const { return {this, m_items.end()}; }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

    // The entry of `slot`, or end().
    const_iterator find(std::uint32_t slot) const;
    bool contains(std::uint32_t slot) const { return find(slot) != end(); }
    // Puts `item` in `slot` unless the slot is taken; true when it was put there.
    bool insert(std::uint32_t slot, const ItemRecord* item);
    // Empties `slot`; false when it was empty.
    bool erase(std::uint32_t slot);
    void erase(const_iterator at) { erase((*at).first); }
    void clear();

private:
    static constexpr std::size_t kFrontHoles = 4096;

    std::vector<const ItemRecord*> m_items;  // slot m_first + i at i; null for an empty slot
    std::uint32_t m_first = 0;
    std::size_t m_count = 0;
};

}  // namespace lh::store
