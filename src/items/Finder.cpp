#include "items/Finder.h"

#include "store/Database.h"
#include "store/TreeWalk.h"
#include "text/CaseFold.h"

namespace lh::items {

namespace {

// The category whose items Find searches last.
constexpr store::CategoryId kLastSearchedId = 4;

// The settings bit of each field box, by type.
struct FieldBits {
    std::uint16_t title;
    std::uint16_t address;
    std::uint16_t comment;
};
FieldBits fieldBits(FindType type) {
    switch (type) {
        case FindType::Url:
            return {0x0004, 0x0008, 0x0010};
        case FindType::File:
            return {0x0020, 0, 0x0080};
        case FindType::Remind:
            break;
    }
    return {0x0100, 0, 0x0400};
}

}  // namespace

FindType openingFindType(std::uint16_t findTypeBits) {
    switch (findTypeBits & 3u) {
        case 0:
            return FindType::Url;
        case 1:
            return FindType::File;
        default:
            return FindType::Remind;
    }
}

unsigned findFields(std::uint16_t findTypeBits, FindType type) {
    const FieldBits bits = fieldBits(type);
    unsigned fields = 0;
    fields |= (findTypeBits & bits.title) != 0 ? kFindTitle : 0;
    fields |= (findTypeBits & bits.address) != 0 ? kFindAddress : 0;
    fields |= (findTypeBits & bits.comment) != 0 ? kFindComment : 0;
    return fields;
}

std::uint16_t withFindFields(std::uint16_t findTypeBits, FindType type, unsigned fields) {
    const FieldBits bits = fieldBits(type);
    const auto put = [&](std::uint16_t bit, unsigned field) {
        findTypeBits = static_cast<std::uint16_t>((fields & field) != 0 ? findTypeBits | bit
                                                                        : findTypeBits & ~bit);
    };
    put(bits.title, kFindTitle);
    put(bits.address, kFindAddress);
    put(bits.comment, kFindComment);
    return findTypeBits;
}

// One pass over items: skips everything up to and including the resume item, then tests each
// item's fields for the folded text.
class Finder::Search {
public:
    Search(std::string_view text, FindType type, unsigned fields, store::ItemId resumeAfter)
        : m_text(text::foldCase(text)),
          m_type(type),
          m_fields(fields),
          m_resumeAfter(resumeAfter) {}

    // The first hit in `category`'s chain. With `urlAddressesOnly` (the last category, searched
    // on its own) only URL items are looked at by address.
    const store::ItemRecord* scan(const store::CategoryRecord& category, bool urlAddressesOnly) {
        const store::ItemRecord* hit = nullptr;
        store::walkItems(category, [&](const store::ItemRecord& item) {
            if (m_resumeAfter != store::kNoItemId) {
                if (item.id() == m_resumeAfter) {
                    m_resumeAfter = store::kNoItemId;
                }
                return false;
            }
            const bool byAddress =
                m_type == FindType::Url && (!urlAddressesOnly || item.kind() == store::kKindUrl);
            if (matches(item, byAddress)) {
                hit = &item;
            }
            return hit != nullptr;
        });
        return hit;
    }

private:
    // The chosen fields are folded into one buffer, each ended by a zero byte (which no search
    // text holds), and searched at once.
    bool matches(const store::ItemRecord& item, bool byAddress) {
        m_folded.clear();
        const auto append = [this](std::string_view field) {
            text::appendFoldedCase(field, m_folded);
            m_folded.push_back('\0');
        };
        if ((m_fields & kFindTitle) != 0) {
            append(item.title());
        }
        if ((m_fields & kFindAddress) != 0 && byAddress) {
            append(item.address());
        }
        if ((m_fields & kFindComment) != 0) {
            append(item.comment());
        }
        return m_folded.find(m_text) != std::string::npos;
    }

    std::string m_text;
    FindType m_type;
    unsigned m_fields;
    store::ItemId m_resumeAfter;
    std::string m_folded;  // one buffer for every field folded
};

std::optional<FindHit> Finder::find(std::string_view text, FindType type, unsigned fields) {
    m_cursor = store::kNoItemId;
    if (text.empty()) {
        return std::nullopt;
    }
    m_lastText = text;
    m_lastType = type;
    const store::CategoryRecord* start = m_db.findCategory(static_cast<store::CategoryId>(type));
    if (start == nullptr) {
        return std::nullopt;
    }
    return run(*start, false, fields);
}

std::optional<FindHit> Finder::findNext(unsigned fields) {
    if (m_cursor == store::kNoItemId || m_lastText.empty()) {
        return std::nullopt;
    }
    const store::CategoryRecord* start =
        m_db.findCategory(static_cast<store::CategoryId>(m_lastType));
    if (start == nullptr || m_db.findItem(m_cursor) == nullptr) {
        m_cursor = store::kNoItemId;  // the last hit is gone: nothing to go on from
        return std::nullopt;
    }
    return run(*start, true, fields);
}

std::optional<FindHit> Finder::run(const store::CategoryRecord& start, bool withLaterSiblings,
                                   unsigned fields) {
    Search search(m_lastText, m_lastType, fields, m_cursor);
    m_cursor = store::kNoItemId;
    const store::CategoryRecord* hit = nullptr;
    const store::ItemRecord* item = nullptr;
    bool coveredLast = false;
    const auto visit = [&](const store::CategoryRecord& category, bool urlAddressesOnly = false) {
        coveredLast = coveredLast || category.id() == kLastSearchedId;
        item = search.scan(category, urlAddressesOnly);
        hit = item != nullptr ? &category : nullptr;
        return item != nullptr;
    };
    // Find: the start's own items, then everything below it. Find Next: the same, then on through
    // the start's later siblings with everything below them.
    if (withLaterSiblings) {
        (void)store::walkSearchOrder(&start, visit);
    } else if (!visit(start)) {
        (void)store::walkSearchOrder(start.firstChild(), visit);
    }
    // Category 4 last, unless the walk went through it (it would be found a second time).
    if (item == nullptr && !coveredLast) {
        if (const store::CategoryRecord* last = m_db.findCategory(kLastSearchedId)) {
            (void)visit(*last, true);
        }
    }
    if (item == nullptr) {
        return std::nullopt;
    }
    m_cursor = item->id();
    return FindHit{hit->id(), item->id()};
}

}  // namespace lh::items
