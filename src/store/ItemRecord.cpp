#include "store/ItemRecord.h"

#include <array>
#include <cassert>
#include <cstring>

namespace lh::store {

namespace {

constexpr std::size_t kHeaderBytes = 4 * sizeof(std::uint32_t);

std::uint32_t lengthAt(const char* block, int which) {
    std::uint32_t n;
    std::memcpy(&n, block + which * sizeof(std::uint32_t), sizeof n);
    return n;
}

std::unique_ptr<char[]> makeBlock(const std::array<std::string_view, 4>& texts) {
    std::size_t total = 0;
    for (auto t : texts) {
        total += t.size();
    }
    if (total == 0) {
        return nullptr;
    }
    auto block = std::make_unique_for_overwrite<char[]>(kHeaderBytes + total);
    char* out = block.get() + kHeaderBytes;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto n = static_cast<std::uint32_t>(texts[i].size());
        std::memcpy(block.get() + i * sizeof n, &n, sizeof n);
        if (n != 0) {
            std::memcpy(out, texts[i].data(), n);
        }
        out += n;
    }
    return block;
}

}  // namespace

ItemRecord::ItemRecord(const ItemRecord& other) {
    *this = other;
}

ItemRecord& ItemRecord::operator=(const ItemRecord& other) {
    if (this == &other) {
        return *this;
    }
    // A copy is a detached record: same values, no links, no index membership.
    setTexts(other.address(), other.location(), other.title(), other.comment());
    flags = other.flags;
    position = other.position;
    menuId = kNoMenuId;
    viewTag = other.viewTag;
    fileSize = other.fileSize;
    createTime = other.createTime;
    remindTime = other.remindTime;
    next = prev = nullptr;
    categoryId = other.categoryId;
    rate = other.rate;
    m_inDatabase = false;
    m_inRemindIndex = false;
    return *this;
}

std::string_view ItemRecord::text(Text which) const {
    if (!m_texts) {
        return {};
    }
    const char* block = m_texts.get();
    std::size_t offset = kHeaderBytes;
    for (int i = 0; i < which; ++i) {
        offset += lengthAt(block, i);
    }
    return {block + offset, lengthAt(block, which)};
}

void ItemRecord::setText(Text which, std::string_view value) {
    std::array<std::string_view, 4> texts{address(), location(), title(), comment()};
    texts[which] = value;
    m_texts = makeBlock(texts);  // the views above point into the old block until this returns
}

void ItemRecord::setAddress(std::string_view value) {
    assert(!m_inDatabase && "change the address of a stored item through the Database");
    setText(kAddress, value);
}

void ItemRecord::setTexts(std::string_view address, std::string_view location,
                          std::string_view title, std::string_view comment) {
    m_texts = makeBlock({address, location, title, comment});
}

}  // namespace lh::store
