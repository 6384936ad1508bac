#pragma once

// A writer of .lhd files made for the tests straight from the format description, sharing no
// code with the program's own (only its plain date type; the CRC is zlib's): the program's loader
// must read what it writes, and the program's writer must give the same bytes.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include <zlib.h>

#include "store/DateTimeStamp.h"

namespace lh::test {

// The fields of the records in file order.
struct CategorySpec {
    std::uint8_t relation = 1;
    std::string name, folder;
    std::uint16_t anchor = 0, id = 0, depth = 0;
    std::uint8_t flags = 0x10;
    std::string memo;
};

struct ItemSpec {
    std::string address, location, title;
    std::uint8_t rate = 1;
    std::uint16_t categoryId = 0;
    std::uint32_t flags = 1;
    std::string comment;
    std::uint64_t fileSize = 0;
    store::DateTimeStamp created{2026, 12, 6, 9, 30, 15, 0};
    store::DateTimeStamp remind{};
};

// Builds a file record by record.
class LhdBuilder {
public:
    LhdBuilder& category(const CategorySpec& c) {
        put({{2, 1}, {c.relation, 1}});
        text({c.name, c.folder});
        put({{c.anchor, 2}, {c.id, 2}, {c.depth, 2}, {c.flags, 1}});
        text({c.memo});
        return *this;
    }
    LhdBuilder& item(const ItemSpec& i) {
        put({{1, 1}});
        text({i.address, i.location, i.title});
        put({{i.rate, 1}, {i.categoryId, 2}, {i.flags, 4}});
        text({i.comment});
        put({{i.fileSize, 8}});
        stamp(i.created);
        stamp(i.remind);
        return *this;
    }
    // The root, "WebFavorite" and "Recycle" as a loaded database writes them.
    LhdBuilder& fixedCategories() {
        category({1, "Linkhaven", "", 0, 0, 0, 0x01, ""});
        category({0, "WebFavorite", "", 0, 1, 1, 0x11, ""});
        return category({1, "Recycle", "", 1, 2, 1, 0x10, ""});
    }
    LhdBuilder& raw(const std::string& bytes) {
        m_body += bytes;
        return *this;
    }

    // Header (version, counter field, 1, 0, CRC-32 of the body as in IEEE 802.3, 0, 0) and body.
    std::string file(std::uint8_t version = 1, std::uint16_t counter = 8) const {
        LhdBuilder header;
        const auto crc = crc32_z(0, reinterpret_cast<const Bytef*>(m_body.data()), m_body.size());
        header.put({{version, 1}, {counter, 2}, {1, 2}, {crc, 4}, {0, 2}});
        return header.m_body + m_body;
    }

private:
    // Little-endian integers: each a value and its size in bytes.
    void put(std::initializer_list<std::pair<std::uint64_t, int>> fields) {
        for (const auto& [value, bytes] : fields) {
            for (int i = 0; i < bytes; ++i) {
                m_body += static_cast<char>((value >> (8 * i)) & 0xFF);
            }
        }
    }
    // Texts: each its length in 4 bytes, then its bytes.
    void text(std::initializer_list<std::string_view> texts) {
        for (const std::string_view s : texts) {
            put({{s.size(), 4}});
            m_body += s;
        }
    }
    // The reserved byte is written as zero whatever the stamp holds.
    void stamp(const store::DateTimeStamp& s) {
        put({{s.year, 2}, {s.month, 1}, {s.day, 1}, {s.hour, 1}});
        put({{s.minute, 1}, {s.second, 1}, {0, 1}});
    }
    std::string m_body;
};

}  // namespace lh::test
