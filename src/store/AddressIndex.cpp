#include "store/AddressIndex.h"

#include "store/ItemRecord.h"
#include "text/CaseFold.h"

namespace lh::store {

std::uint64_t addressHash(std::string_view address) {
    return text::hashIgnoringCase(address);
}

bool addressMatches(const ItemRecord& item, std::string_view address) {
    return text::equalsIgnoringCase(item.address(), address);
}

void AddressIndex::insert(ItemRecord& item) {
    if (!item.address().empty()) {
        m_items.emplace(addressHash(item.address()), &item);
    }
}

void AddressIndex::erase(ItemRecord& item) {
    if (item.address().empty()) {
        return;
    }
    const auto [first, last] = m_items.equal_range(addressHash(item.address()));
    for (auto it = first; it != last; ++it) {
        if (it->second == &item) {
            m_items.erase(it);
            return;
        }
    }
}

void AddressIndex::clear() {
    m_items.clear();
}

void AddressIndex::reserve(std::size_t items) {
    m_items.reserve(items);
}

}  // namespace lh::store
