#include <gtest/gtest.h>

#include "store/Database.h"
#include "store/LhdLoader.h"
#include "store/LhdSource.h"
#include "store/LhdWriter.h"
#include "support/LhdBytes.h"

namespace lh::store {
namespace {

using test::LhdBuilder;

constexpr RemindKey kNow = 2612060930;

// Bytes in memory whose reads fail from `failAt` on, as a file that breaks while it is read.
class FailingSource final : public LhdSource {
public:
    FailingSource(std::string_view bytes, std::uint64_t failAt)
        : m_bytes(bytes), m_failAt(failAt) {}
    std::uint64_t size() const override { return m_bytes.size(); }
    bool readAt(std::uint64_t offset, char* out, std::size_t size) override {
        return offset + size <= m_failAt && LhdBytes(m_bytes).readAt(offset, out, size);
    }

private:
    std::string_view m_bytes;
    std::uint64_t m_failAt;
};

// The loader's verdict on `bytes` read in chunks of `chunk` bytes, and what it says.
std::string verdict(const std::string& bytes, std::size_t chunk) {
    Database db;
    LhdLoader loader(db, kNow, chunk);
    if (loader.run(bytes) == LhdLoader::Result::Loaded) {
        return "loaded " + lhd::serialize(db, 8);
    }
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.itemCount() + db.categoryCount() + db.menuIndex().size(), 0u);
    return loader.reason();
}

TEST(LhdLoaderTest, AnyChunkSizeReadsTheSameRecordsAsOneBigChunk) {
    // Texts longer than most chunks, and one longer than the writer's block.
    const std::string longText(70'000, 'x'), hugeText(1'500'000, 'y');
    const std::string file = LhdBuilder()
                                 .fixedCategories()
                                 .item({"http://a/" + longText, "", "A", 3, 2, 1, "c", 0, {}, {}})
                                 .category({0, "Below" + longText, "", 2, 3, 2, 0x10, "memo"})
                                 .item({"http://b/", "/x", "B", 1, 3, 1, hugeText, 7, {}, {}})
                                 .item({"", "", "", 1, 3, 4, "", 0, {}, {}})
                                 .file();
    const std::string whole = verdict(file, file.size());
    ASSERT_EQ(whole, "loaded " + file);  // written back byte for byte
    for (std::size_t chunk : {1, 2, 3, 7, 64, 4096, 65'536}) {
        EXPECT_EQ(verdict(file, chunk), whole) << chunk;
    }
}

TEST(LhdLoaderTest, DamageIsRefusedWithTheSameReasonWhateverTheChunks) {
    const auto fixed = [] { return LhdBuilder().fixedCategories(); };
    const test::ItemSpec link{"http://a/", "", "A", 1, 1, 1, "", 0, {}, {}};
    std::string badCrc = fixed().item(link).file();
    badCrc[5] = static_cast<char>(badCrc[5] ^ 1);
    // A fault in the records of a file whose checksum is wrong too: refused as damaged.
    std::string badBoth = fixed().raw("\x03").item(link).file();
    badBoth.back() = static_cast<char>(badBoth.back() ^ 1);
    const std::pair<std::string, const char*> cases[] = {
        {fixed().item(link).file(7), "the file was written by a newer version"},
        {badCrc, "the checksum does not match (the file is damaged)"},
        {badBoth, "the checksum does not match (the file is damaged)"},
        {fixed().raw("\x03").item(link).file(), "a record has an unknown tag"},
        {fixed().raw(std::string("\x01\x10\0\0\0", 5) + "abc").file(),
         "an item record runs past the end of the file"},
        {fixed().raw(std::string("\x02\x00\x05\0\0\0", 6) + "ab").file(),
         "a category record runs past the end of the file"},
        {LhdBuilder().item(link).fixedCategories().file(), "an item comes before any category"},
        {fixed().category({1, "x", "", 0, 3, 0, 0x10, ""}).file(),
         "a category is placed beside the root"},
    };
    for (const auto& [bytes, reason] : cases) {
        for (std::size_t chunk : {1, 5, 1 << 20}) {
            EXPECT_EQ(verdict(bytes, chunk), reason) << chunk;
        }
    }
}

TEST(LhdLoaderTest, RecordsReadBeforeAFailureAreGone) {
    const std::string file = LhdBuilder()
                                 .fixedCategories()
                                 .item({"http://a/", "", "A", 1, 1, 1, "", 0, {}, {}})
                                 .item({"http://b/", "", "B", 1, 1, 1, "", 0, {}, {}})
                                 .file();
    Database db;
    db.createDefault();
    db.addItem(kFavoritesId, {"http://old/", "", "", "", 1, 1, 0, {}, {}});
    db.clear();
    const std::uint32_t menuIds = db.nextMenuId();
    std::string damaged = file;
    damaged.back() = static_cast<char>(damaged.back() ^ 1);  // noticed only after every record
    EXPECT_EQ(LhdLoader(db, kNow, 8).run(damaged), LhdLoader::Result::Refused);
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.itemCount() + db.menuIndex().size(), 0u);
    EXPECT_EQ(db.nextMenuId(), menuIds);  // as though nothing had been read
    FailingSource breaking(file, file.size() - 3);
    EXPECT_EQ(LhdLoader(db, kNow, 16).run(breaking), LhdLoader::Result::Unreadable);
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.itemCount(), 0u);
}

}  // namespace
}  // namespace lh::store
