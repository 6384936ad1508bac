#include "store/ItemRecord.h"

#include "platform/Sanitizers.h"
#include "store/ItemArena.h"
#include "store/ItemFields.h"

#include <array>
#include <cassert>
#include <cstring>

namespace lh::store {

namespace {

constexpr std::size_t kHeaderBytes = 4 * sizeof(std::uint32_t);

std::uint32_t lengthAt(const char* block, std::size_t which) {
    std::uint32_t n;
    std::memcpy(&n, block + which * sizeof(std::uint32_t), sizeof n);
    return n;
}

using Texts = std::array<std::string_view, 4>;

// Bytes a block for `texts` takes; 0 when all are empty (no block).
std::size_t blockSize(const Texts& texts) {
    std::size_t total = 0;
    for (auto t : texts) {
        total += t.size();
    }
    return total == 0 ? 0 : kHeaderBytes + total;
}

void fillBlock(char* block, const Texts& texts) {
    char* out = block + kHeaderBytes;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto n = static_cast<std::uint32_t>(texts[i].size());
        std::memcpy(block + i * sizeof n, &n, sizeof n);
        if (n != 0) {
            std::memcpy(out, texts[i].data(), n);
        }
        out += n;
    }
}

char* makeHeapBlock(const Texts& texts) {
    const std::size_t size = blockSize(texts);
    if (size == 0) {
        return nullptr;
    }
    char* block = new char[size];
    fillBlock(block, texts);
    return block;
}

}  // namespace

ItemRecord::~ItemRecord() {
    releaseTexts();
}

void ItemRecord::operator delete(ItemRecord* p, std::destroying_delete_t) {
    const bool inArena = p->m_inArena;
    p->~ItemRecord();
    if (inArena) {
        platform::poisonMemory(p, sizeof(ItemRecord));  // stays in the arena, unusable
    } else {
        ::operator delete(p);
    }
}

void ItemRecord::releaseTexts() {
    if (!m_textsInline) {
        delete[] m_texts;
    }
    m_texts = nullptr;
    m_textsInline = false;
}

std::unique_ptr<ItemRecord> ItemRecord::create(std::string_view address, std::string_view location,
                                               std::string_view title, std::string_view comment,
                                               ItemArena* arena) {
    const Texts texts{address, location, title, comment};
    const std::size_t size = blockSize(texts);
    void* memory = arena != nullptr ? arena->allocate(sizeof(ItemRecord) + size)
                                    : ::operator new(sizeof(ItemRecord) + size);
    std::unique_ptr<ItemRecord> item(::new (memory) ItemRecord);
    item->m_inArena = arena != nullptr;
    if (size != 0) {
        item->m_texts = reinterpret_cast<char*>(item.get() + 1);
        item->m_textsInline = true;
        fillBlock(item->m_texts, texts);
    }
    return item;
}

std::string_view ItemRecord::text(Text which) const {
    if (!m_texts) {
        return {};
    }
    const char* block = m_texts;
    const auto index = static_cast<std::size_t>(which);
    std::size_t offset = kHeaderBytes;
    for (std::size_t i = 0; i < index; ++i) {
        offset += lengthAt(block, i);
    }
    return {block + offset, lengthAt(block, index)};
}

void ItemRecord::setText(Text which, std::string_view value) {
    Texts texts{address(), location(), title(), comment()};
    texts[which] = value;
    char* block = makeHeapBlock(texts);  // copies from the old block before it goes
    releaseTexts();
    m_texts = block;
}

ItemFieldSet ItemEdit::fields() const {
    ItemFieldSet set = 0;
    const auto mark = [&set](bool present, ItemField field) {
        if (present) {
            set |= static_cast<ItemFieldSet>(field);
        }
    };
    mark(address.has_value(), ItemField::Address);
    mark(location.has_value(), ItemField::Location);
    mark(title.has_value(), ItemField::Title);
    mark(comment.has_value(), ItemField::Comment);
    mark(rate.has_value(), ItemField::Rate);
    mark(flags.has_value(), ItemField::Flags);
    mark(fileSize.has_value(), ItemField::FileSize);
    mark(createTime.has_value(), ItemField::CreateTime);
    mark(remindTime.has_value(), ItemField::RemindTime);
    return set;
}

}  // namespace lh::store
