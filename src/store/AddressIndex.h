#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace lh::store {

class ItemRecord;

// Every stored item with a non-empty address, keyed by a 64-bit hash of the case-folded address,
// so that "is this address already stored?" costs O(1) on average however big the database is.
//
// An open-addressing table with linear probing: one 16-byte slot per distinct hash, holding the
// item itself or, when several items share the hash, a list of them. A million items load without
// a node allocation each.
class AddressIndex {
public:
    AddressIndex() = default;
    ~AddressIndex();
    AddressIndex(const AddressIndex&) = delete;
    AddressIndex& operator=(const AddressIndex&) = delete;

    void insert(const ItemRecord& item);
    // Takes `item` out; it must be filed under its current address.
    void erase(const ItemRecord& item);
    void clear();
    // Makes room for `items` entries without growing.
    void reserve(std::size_t items);
    std::size_t size() const { return m_items; }

    // Calls `fn(item)` for each stored item whose address equals `address` ignoring case, until
    // `fn` returns true. Returns whether it did.
    template <typename Fn>
    bool anyMatch(std::string_view address, Fn&& fn) const;

private:
    using Shared = std::vector<const ItemRecord*>;
    struct Slot {
        std::uint64_t hash = 0;
        std::uintptr_t entry = 0;  // 0 empty; an ItemRecord*, or a Shared* with the low bit set
    };

    static bool isShared(std::uintptr_t entry) { return (entry & 1) != 0; }
    static Shared* shared(std::uintptr_t entry) {
        return reinterpret_cast<Shared*>(entry & ~std::uintptr_t(1));
    }
    std::size_t next(std::size_t i) const;
    // The slot holding `hash`, or the empty slot where it would go.
    std::size_t probe(std::uint64_t hash) const;
    void grow();
    void insert(const ItemRecord& item, std::uint64_t hash);
    void removeSlot(std::size_t index);
    static void release(Slot& slot);
    static Slot* allocateSlots(std::size_t count);
    static void freeSlots(Slot* slots, std::size_t count);

    // The table, at most 3/4 full; big tables come from platform::allocateLarge, already zeroed.
    Slot* m_slots = nullptr;
    std::size_t m_capacity = 0;
    std::size_t m_used = 0;   // slots in use
    std::size_t m_items = 0;  // items filed
};

bool addressMatches(const ItemRecord& item, std::string_view address);
std::uint64_t addressHash(std::string_view address);

template <typename Fn>
bool AddressIndex::anyMatch(std::string_view address, Fn&& fn) const {
    if (m_capacity == 0) {
        return false;
    }
    const Slot& slot = m_slots[probe(addressHash(address))];
    if (slot.entry == 0) {
        return false;
    }
    const auto check = [&](const ItemRecord* item) {
        return addressMatches(*item, address) && fn(*item);
    };
    if (!isShared(slot.entry)) {
        return check(reinterpret_cast<const ItemRecord*>(slot.entry));
    }
    for (const ItemRecord* item : *shared(slot.entry)) {
        if (check(item)) {
            return true;
        }
    }
    return false;
}

}  // namespace lh::store
