#pragma once

// A writer and a reader of .lhd files made for the tests straight from the format description,
// sharing no code with the program's own, so that each checks the other.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lh::test {

// CRC-32 as in IEEE 802.3, bit by bit.
inline std::uint32_t crc32Bitwise(const std::string& bytes, std::size_t from = 0) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

struct Stamp {
    std::uint16_t year = 0;
    std::uint8_t month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

struct CategorySpec {
    std::uint8_t relation = 1;
    std::string name;
    std::string folder;
    std::uint16_t anchor = 0;
    std::uint16_t id = 0;
    std::uint16_t depth = 0;
    std::uint8_t flags = 0x10;
    std::string memo;
};

struct ItemSpec {
    std::string address;
    std::string location;
    std::string title;
    std::uint8_t rate = 1;
    std::uint16_t categoryId = 0;
    std::uint32_t flags = 1;
    std::string comment;
    std::uint64_t fileSize = 0;
    Stamp created{2026, 12, 6, 9, 30, 15};
    Stamp remind{};
};

// Builds a file record by record.
class LhdBuilder {
public:
    LhdBuilder& category(const CategorySpec& c) {
        u8(2);
        u8(c.relation);
        text(c.name);
        text(c.folder);
        u16(c.anchor);
        u16(c.id);
        u16(c.depth);
        u8(c.flags);
        text(c.memo);
        return *this;
    }
    LhdBuilder& item(const ItemSpec& i) {
        u8(1);
        text(i.address);
        text(i.location);
        text(i.title);
        u8(i.rate);
        u16(i.categoryId);
        u32(i.flags);
        text(i.comment);
        u32(static_cast<std::uint32_t>(i.fileSize));
        u32(static_cast<std::uint32_t>(i.fileSize >> 32));
        stamp(i.created);
        stamp(i.remind);
        return *this;
    }
    // The root, "Webfavorite" and "Recycle" as the program writes them.
    LhdBuilder& fixedCategories() {
        category({1, "Linkhaven", "", 0, 0, 0, 0x01, ""});
        category({0, "Webfavorite", "", 0, 1, 1, 0x11, ""});
        return category({1, "Recycle", "", 1, 2, 1, 0x10, ""});
    }
    LhdBuilder& raw(const std::string& bytes) {
        m_body += bytes;
        return *this;
    }
    const std::string& body() const { return m_body; }

    // Header (version, counter field, CRC of the body) and body.
    std::string file(std::uint8_t version = 1, std::uint16_t counter = 8) const {
        std::string out;
        out += static_cast<char>(version);
        out += static_cast<char>(counter & 0xFF);
        out += static_cast<char>(counter >> 8);
        out += '\x01';
        out += '\x00';
        const std::uint32_t crc = crc32Bitwise(m_body);
        for (int i = 0; i < 4; ++i) {
            out += static_cast<char>((crc >> (8 * i)) & 0xFF);
        }
        out += std::string(2, '\0');
        return out + m_body;
    }

private:
    void u8(std::uint8_t v) { m_body += static_cast<char>(v); }
    void u16(std::uint16_t v) {
        u8(v & 0xFF);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void text(const std::string& s) {
        u32(static_cast<std::uint32_t>(s.size()));
        m_body += s;
    }
    void stamp(const Stamp& s) {
        u16(s.year);
        u8(s.month);
        u8(s.day);
        u8(s.hour);
        u8(s.minute);
        u8(s.second);
        u8(0);
    }
    std::string m_body;
};

// The records of a file, as read by the description. Throws on anything malformed.
struct ParsedFile {
    std::uint8_t version = 0;
    std::uint16_t counter = 0;
    std::uint32_t storedCrc = 0;
    std::vector<CategorySpec> categories;
    std::vector<std::pair<std::size_t, ItemSpec>> items;  // index of the category they follow
};

inline ParsedFile parseLhd(const std::string& bytes) {
    std::size_t pos = 0;
    auto need = [&](std::size_t n) {
        if (bytes.size() - pos < n) {
            throw std::runtime_error("record runs past the end");
        }
    };
    auto u8 = [&]() -> std::uint8_t {
        need(1);
        return static_cast<std::uint8_t>(bytes[pos++]);
    };
    auto u16 = [&]() -> std::uint16_t {
        const std::uint16_t lo = u8();
        return static_cast<std::uint16_t>(lo | (u8() << 8));
    };
    auto u32 = [&]() -> std::uint32_t {
        const std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    };
    auto text = [&]() {
        const std::uint32_t n = u32();
        need(n);
        std::string s = bytes.substr(pos, n);
        pos += n;
        return s;
    };
    auto stamp = [&]() {
        Stamp s;
        s.year = u16();
        s.month = u8();
        s.day = u8();
        s.hour = u8();
        s.minute = u8();
        s.second = u8();
        if (u8() != 0) {
            throw std::runtime_error("stamp padding not zero");
        }
        return s;
    };
    ParsedFile f;
    need(11);
    f.version = u8();
    f.counter = u16();
    if (u8() != 1 || u8() != 0) {
        throw std::runtime_error("header bytes 3-4");
    }
    f.storedCrc = u32();
    if (u16() != 0) {
        throw std::runtime_error("header bytes 9-10");
    }
    if (crc32Bitwise(bytes, 11) != f.storedCrc) {
        throw std::runtime_error("CRC");
    }
    while (pos < bytes.size()) {
        const std::uint8_t tag = u8();
        if (tag == 2) {
            CategorySpec c;
            c.relation = u8();
            c.name = text();
            c.folder = text();
            c.anchor = u16();
            c.id = u16();
            c.depth = u16();
            c.flags = u8();
            c.memo = text();
            f.categories.push_back(c);
        } else if (tag == 1) {
            ItemSpec i;
            i.address = text();
            i.location = text();
            i.title = text();
            i.rate = u8();
            i.categoryId = u16();
            i.flags = u32();
            i.comment = text();
            i.fileSize = u32();
            i.fileSize |= static_cast<std::uint64_t>(u32()) << 32;
            i.created = stamp();
            i.remind = stamp();
            if (f.categories.empty()) {
                throw std::runtime_error("item before category");
            }
            f.items.emplace_back(f.categories.size() - 1, i);
        } else {
            throw std::runtime_error("unknown tag");
        }
    }
    return f;
}

}  // namespace lh::test
