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

// One URL, File or Remind item. The Database owns every ItemRecord it holds.
//
// The four texts share one block of memory (a database may hold a million items): right behind
// the record when it was made by create(), otherwise on the heap. They are read as string_views
// that stay valid until the next change of any text of the same item.
class ItemRecord {
public:
    ItemRecord() = default;
    ItemRecord(const ItemRecord& other);
    ItemRecord& operator=(const ItemRecord& other);
    ~ItemRecord();

    // A record with these texts, made with a single allocation: from `arena` when one is given
    // (the arena must outlive the record), otherwise from the heap.
    static std::unique_ptr<ItemRecord> create(std::string_view address, std::string_view location,
                                              std::string_view title, std::string_view comment,
                                              ItemArena* arena = nullptr);
    // Records may carry their texts behind them, or live in an arena; these keep `new` and
    // `delete` paired (a record from an arena is destroyed but its memory stays in the arena).
    static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(ItemRecord* p, std::destroying_delete_t);

    std::string_view address() const { return text(kAddress); }
    std::string_view location() const { return text(kLocation); }
    std::string_view title() const { return text(kTitle); }
    std::string_view comment() const { return text(kComment); }

    // The address keys the Database's duplicate index: once the item is in a Database, change
    // it through Database::setItemAddress.
    void setAddress(std::string_view value);
    void setLocation(std::string_view value) { setText(kLocation, value); }
    void setTitle(std::string_view value) { setText(kTitle, value); }
    void setComment(std::string_view value) { setText(kComment, value); }
    // Sets all four texts with one allocation.
    void setTexts(std::string_view address, std::string_view location, std::string_view title,
                  std::string_view comment);

    std::uint32_t kind() const { return flags & kKindMask; }
    bool inDatabase() const { return m_inDatabase; }

    std::uint32_t flags = 0;     // kind in the low nibble; reminder schedule bits above
    std::uint32_t position = 0;  // 0-based place in the category's chain
    std::uint32_t menuId = kNoMenuId;
    std::int32_t viewTag = -1;
    std::uint64_t fileSize = 0;
    DateTimeStamp createTime;
    DateTimeStamp remindTime;
    ItemRecord* next = nullptr;
    ItemRecord* prev = nullptr;
    std::uint16_t categoryId = 0;
    std::uint8_t rate = 1;

private:
    friend class Database;
    enum Text { kAddress, kLocation, kTitle, kComment, kTextCount };

    std::string_view text(Text which) const;
    void setText(Text which, std::string_view value);

    void releaseTexts();

    // [u32 length of each text][the texts' bytes]; null when all four are empty.
    char* m_texts = nullptr;
    bool m_textsInline = false;  // the block lies right behind this record, not on the heap
    bool m_inArena = false;      // the record's memory belongs to an ItemArena
    bool m_inDatabase = false;
    bool m_inRemindIndex = false;
};

}  // namespace lh::store
