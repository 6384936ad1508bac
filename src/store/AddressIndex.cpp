#include "store/AddressIndex.h"

#include <algorithm>

#include "platform/LargeMemory.h"
#include "store/ItemRecord.h"
#include "text/CaseFold.h"

namespace lh::store {

std::uint64_t addressHash(std::string_view address) {
    return text::hashIgnoringCase(address);
}

bool addressMatches(const ItemRecord& item, std::string_view address) {
    return text::equalsIgnoringCase(item.address(), address);
}

namespace {

// Tables of this many bytes or more come straight from the system.
constexpr std::size_t kLargeTable = std::size_t(1) << 20;

__extension__ using Wide = unsigned __int128;

// The slot where `hash` belongs in a table of `capacity` slots (any size, not only powers of
// two): the high half of the mixed hash times the capacity, which needs no division.
std::size_t home(std::uint64_t hash, std::size_t capacity) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdULL;
    hash ^= hash >> 33;
    return static_cast<std::size_t>((Wide(hash) * capacity) >> 64);
}

}  // namespace

AddressIndex::~AddressIndex() {
    clear();
}

void AddressIndex::release(Slot& slot) {
    if (isShared(slot.entry)) {
        delete shared(slot.entry);
    }
    slot = Slot{};
}

void AddressIndex::clear() {
    for (std::size_t i = 0; i < m_capacity; ++i) {
        release(m_slots[i]);
    }
    freeSlots(m_slots, m_capacity);
    m_slots = nullptr;
    m_capacity = 0;
    m_used = 0;
    m_items = 0;
}

std::size_t AddressIndex::next(std::size_t i) const {
    return i + 1 == m_capacity ? 0 : i + 1;
}

std::size_t AddressIndex::probe(std::uint64_t hash) const {
    std::size_t i = home(hash, m_capacity);
    while (m_slots[i].entry != 0 && m_slots[i].hash != hash) {
        i = next(i);
    }
    return i;
}

AddressIndex::Slot* AddressIndex::allocateSlots(std::size_t count) {
    const std::size_t bytes = count * sizeof(Slot);
    if (bytes >= kLargeTable) {
        return static_cast<Slot*>(platform::allocateLarge(bytes));  // zeroed: all slots empty
    }
    return new Slot[count]();
}

void AddressIndex::freeSlots(Slot* slots, std::size_t count) {
    if (count * sizeof(Slot) >= kLargeTable) {
        platform::releaseLarge(slots, count * sizeof(Slot));
    } else {
        delete[] slots;
    }
}

void AddressIndex::reserve(std::size_t items) {
    const std::size_t wanted = std::max<std::size_t>(16, items + items / 3 + 1);
    if (wanted <= m_capacity) {
        return;
    }
    Slot* old = m_slots;
    const std::size_t oldCapacity = m_capacity;
    m_slots = allocateSlots(wanted);
    m_capacity = wanted;
    for (std::size_t i = 0; i < oldCapacity; ++i) {
        if (old[i].entry != 0) {
            m_slots[probe(old[i].hash)] = old[i];
        }
    }
    freeSlots(old, oldCapacity);
}

void AddressIndex::grow() {
    reserve(m_used + m_used / 2);
}

void AddressIndex::insert(const ItemRecord& item) {
    if (!item.address().empty()) {
        insert(item, addressHash(item.address()));
    }
}

void AddressIndex::insert(const ItemRecord& item, std::uint64_t hash) {
    if ((m_used + 1) * 4 > m_capacity * 3) {
        grow();
    }
    Slot& slot = m_slots[probe(hash)];
    const auto entry = reinterpret_cast<std::uintptr_t>(&item);
    if (slot.entry == 0) {
        slot = Slot{hash, entry};
        ++m_used;
    } else if (isShared(slot.entry)) {
        shared(slot.entry)->push_back(&item);
    } else {
        auto* list = new Shared{reinterpret_cast<const ItemRecord*>(slot.entry), &item};
        slot.entry = reinterpret_cast<std::uintptr_t>(list) | 1;
    }
    ++m_items;
}

void AddressIndex::erase(const ItemRecord& item) {
    if (item.address().empty() || m_capacity == 0) {
        return;
    }
    const std::size_t index = probe(addressHash(item.address()));
    Slot& slot = m_slots[index];
    if (slot.entry == 0) {
        return;
    }
    if (!isShared(slot.entry)) {
        if (slot.entry == reinterpret_cast<std::uintptr_t>(&item)) {
            removeSlot(index);
            --m_items;
        }
        return;
    }
    Shared& list = *shared(slot.entry);
    const auto it = std::find(list.begin(), list.end(), &item);
    if (it == list.end()) {
        return;
    }
    list.erase(it);
    --m_items;
    if (list.size() == 1) {
        const ItemRecord* last = list.front();
        delete &list;
        slot.entry = reinterpret_cast<std::uintptr_t>(last);
    }
}

void AddressIndex::removeSlot(std::size_t index) {
    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    release(m_slots[index]);
    --m_used;
    std::size_t hole = index;
    for (std::size_t i = next(index); m_slots[i].entry != 0; i = next(i)) {
        const std::size_t want = home(m_slots[i].hash, m_capacity);
        // Move the entry into the hole unless its home lies cyclically in (hole, i].
        const bool homeBetween =
            hole <= i ? (hole < want && want <= i) : (hole < want || want <= i);
        if (!homeBetween) {
            m_slots[hole] = m_slots[i];
            m_slots[i] = Slot{};
            hole = i;
        }
    }
}

}  // namespace lh::store
