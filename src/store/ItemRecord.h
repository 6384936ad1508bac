#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string_view>

#include "store/DateTimeStamp.h"
#include "store/Kinds.h"

namespace lh::store {

class ItemArena;

// One URL, File or Remind item. The Database owns every ItemRecord and is the only one that
// changes it; everybody else reads it through these accessors and refers to it by its id.
//
// The four texts share one block of memory (a database may hold a million items): right behind
// the record when it was made in one piece, otherwise on the heap. They are read as string_views
// that stay valid until the next change of any text of the same item.
class ItemRecord {
public:
    ItemRecord(const ItemRecord&) = delete;
    ItemRecord& operator=(const ItemRecord&) = delete;
    ~ItemRecord();

    // Records may carry their texts behind them, or live in an arena; these keep `new` and
    // `delete` paired (a record from an arena is destroyed but its memory stays in the arena).
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(ItemRecord* p, std::destroying_delete_t);

    // The runtime id: never reused within one run, never stored.
    ItemId id() const { return m_id; }
    std::string_view address() const { return text(kAddress); }
    // File items: the file's folder. Remind items: the sound to play.
    std::string_view location() const { return text(kLocation); }
    // URL and Remind items: the title; File items: the file name.
    std::string_view title() const { return text(kTitle); }
    std::string_view comment() const { return text(kComment); }
    // 1 to 5 stars.
    std::uint8_t rate() const { return m_rate; }
    // Kind in the low nibble; reminder schedule bits above.
    std::uint32_t flags() const { return m_flags; }
    std::uint32_t kind() const { return m_flags & kKindMask; }
    std::uint64_t fileSize() const { return m_fileSize; }
    const DateTimeStamp& createTime() const { return m_createTime; }
    const DateTimeStamp& remindTime() const { return m_remindTime; }

    // The category whose chain holds the item, and the item's 0-based place in it.
    CategoryId categoryId() const { return m_categoryId; }
    std::uint32_t position() const { return m_position; }
    const ItemRecord* next() const { return m_next; }
    const ItemRecord* prev() const { return m_prev; }
    // The favourites-menu slot (kNoMenuId for none).
    std::uint32_t menuId() const { return m_menuId; }

private:
    friend class Database;
    friend class LhdLoader;
    enum Text { kAddress, kLocation, kTitle, kComment, kTextCount };

    ItemRecord() = default;
    // A record with these texts, made with a single allocation: from `arena` when one is given
    // (the arena must outlive the record), otherwise from the heap.
    static std::unique_ptr<ItemRecord> create(std::string_view address, std::string_view location,
                                              std::string_view title, std::string_view comment,
                                              ItemArena* arena = nullptr);

    std::string_view text(Text which) const;
    // True when destroying the record frees memory of the heap (the record itself, or its texts
    // after a change).
    bool ownsHeapMemory() const { return !m_inArena || (m_texts != nullptr && !m_textsInline); }
    void setText(Text which, std::string_view value);
    void releaseTexts();

    // [u32 length of each text][the texts' bytes]; null when all four are empty.
    char* m_texts = nullptr;
    ItemRecord* m_next = nullptr;
    ItemRecord* m_prev = nullptr;
    std::uint64_t m_fileSize = 0;
    DateTimeStamp m_createTime;
    DateTimeStamp m_remindTime;
    ItemId m_id = kNoItemId;
    std::uint32_t m_flags = 0;
    std::uint32_t m_position = 0;
    std::uint32_t m_menuId = kNoMenuId;
    CategoryId m_categoryId = 0;
    std::uint8_t m_rate = 1;
    bool m_textsInline : 1 = false;  // the block lies right behind this record, not on the heap
    bool m_inArena : 1 = false;      // the record's memory belongs to an ItemArena
    bool m_inRemindIndex : 1 = false;
};

}  // namespace lh::store
