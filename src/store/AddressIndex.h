#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace lh::store {

class ItemRecord;

// Every stored item with a non-empty address, keyed by a hash of the case-folded address, so that
// "is this address already stored?" costs O(1) on average however big the database grows.
class AddressIndex {
public:
    void insert(ItemRecord& item);
    // Takes `item` out; it must be filed under its current address.
    void erase(ItemRecord& item);
    void clear();
    void reserve(std::size_t items);
    std::size_t size() const { return m_items.size(); }

    // Calls `fn(item)` for each stored item whose address equals `address` ignoring case, until
    // `fn` returns true. Returns whether it did.
    template <typename Fn>
    bool anyMatch(std::string_view address, Fn&& fn) const;

private:
    std::unordered_multimap<std::uint64_t, ItemRecord*> m_items;
};

bool addressMatches(const ItemRecord& item, std::string_view address);
std::uint64_t addressHash(std::string_view address);

template <typename Fn>
bool AddressIndex::anyMatch(std::string_view address, Fn&& fn) const {
    const auto [first, last] = m_items.equal_range(addressHash(address));
    for (auto it = first; it != last; ++it) {
        if (addressMatches(*it->second, address) && fn(*it->second)) {
            return true;
        }
    }
    return false;
}

}  // namespace lh::store
