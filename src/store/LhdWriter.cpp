#include "store/LhdWriter.h"

#include <array>
#include <cstring>
#include <memory>

#include "store/Crc32.h"
#include "store/Database.h"
#include "store/LhdFormat.h"
#include "store/TreeWalk.h"

namespace lh::store::lhd {

namespace {

// A record's fixed fields between two texts (or before the first), encoded into one run of
// bytes that goes into the buffer at once.
class Run {
public:
    Run& u8(std::uint8_t v) {
        m_bytes[m_size++] = static_cast<char>(v);
        return *this;
    }
    Run& u16(std::uint16_t v) {
        return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8));
    }
    Run& u32(std::uint32_t v) {
        return u16(static_cast<std::uint16_t>(v)).u16(static_cast<std::uint16_t>(v >> 16));
    }
    Run& stamp(const DateTimeStamp& t) {
        return u16(t.year).u8(t.month).u8(t.day).u8(t.hour).u8(t.minute).u8(t.second).u8(
            t.reserved);
    }
    const char* data() const { return m_bytes.data(); }
    std::size_t size() const { return m_size; }

private:
    std::array<char, 32> m_bytes;
    std::size_t m_size = 0;
};

// Collects the body in a buffer, feeding the CRC and the sink a block at a time.
template <typename Sink>
class BodyWriter {
public:
    explicit BodyWriter(Sink& sink)
        : m_sink(sink), m_buffer(std::make_unique_for_overwrite<char[]>(kBlock)) {}

    void put(const Run& run) { append(run.data(), run.size()); }
    // `run`, the text's length and the text.
    void text(Run run, std::string_view s) {
        put(run.u32(static_cast<std::uint32_t>(s.size())));
        append(s.data(), s.size());
    }
    // Call after each record.
    bool endRecord() const { return m_ok; }
    bool finish() {
        flush();
        return m_ok;
    }
    std::uint32_t crc() const { return m_crc; }

private:
    static constexpr std::size_t kBlock = 1 << 20;

    void append(const char* data, std::size_t size) {
        if (size == 0) {
            return;  // an empty text's data() may be null
        }
        if (size > kBlock - m_used) {
            flush();
            if (size >= kBlock) {
                feed(data, size);  // a huge text goes straight through
                return;
            }
        }
        std::memcpy(m_buffer.get() + m_used, data, size);
        m_used += size;
    }
    void flush() {
        feed(m_buffer.get(), m_used);
        m_used = 0;
    }
    void feed(const char* data, std::size_t size) {
        if (size == 0 || !m_ok) {
            return;
        }
        m_crc = crc32(m_crc, data, size);
        m_ok = m_sink.write(data, size);
    }

    Sink& m_sink;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_used = 0;
    std::uint32_t m_crc = 0;
    bool m_ok = true;
};

// Records written between two progress reports.
constexpr std::size_t kRecordsPerReport = 4096;

template <typename Sink>
bool writeBody(const Database& db, BodyWriter<Sink>& out, const WriteProgress& progress = {}) {
    bool ok = true;
    std::size_t records = 0;
    const auto recordWritten = [&] {
        if (progress && ++records % kRecordsPerReport == 0) {
            progress(records);
        }
    };
    walkFileOrder(db.root(), [&](const CategoryRecord& c, const CategoryRecord* anchor,
                                 std::uint8_t relation) {
        if (!ok) {
            return;
        }
        out.text(Run().u8(kTagCategory).u8(relation), c.name());
        out.text(Run(), c.folderPath());
        out.text(Run()
                     .u16(anchor == nullptr ? 0 : anchor->id())
                     .u16(c.id())
                     .u16(c.depth())
                     .u8(c.flags()),
                 c.memo());
        ok = out.endRecord();
        recordWritten();
        for (const ItemRecord* item = c.firstItem(); item != nullptr && ok; item = item->next()) {
            out.text(Run().u8(kTagItem), item->address());
            out.text(Run(), item->location());
            out.text(Run(), item->title());
            out.text(Run().u8(item->rate()).u16(item->categoryId()).u32(item->flags()),
                     item->comment());
            out.put(Run()
                        .u32(static_cast<std::uint32_t>(item->fileSize()))
                        .u32(static_cast<std::uint32_t>(item->fileSize() >> 32))
                        .stamp(item->createTime())
                        .stamp(item->remindTime()));
            ok = out.endRecord();
            recordWritten();
        }
    });
    return out.finish() && ok;
}

struct StringSink {
    std::string& bytes;
    bool write(const char* data, std::size_t size) {
        bytes.append(data, size);
        return true;
    }
};

struct FileSink {
    platform::AtomicFile& file;
    bool write(const char* data, std::size_t size) { return file.write(data, size); }
};

}  // namespace

std::string serialize(const Database& db, std::uint16_t counterField) {
    std::string bytes(kHeaderSize, '\0');
    StringSink sink{bytes};
    BodyWriter<StringSink> body(sink);
    writeBody(db, body);
    const Header header = makeHeader(counterField, body.crc());
    std::copy(header.begin(), header.end(), bytes.begin());
    return bytes;
}

bool writeTo(const Database& db, std::uint16_t counterField, platform::AtomicFile& file,
             const WriteProgress& progress) {
    // The header goes first with a zero CRC and is completed once the body is written, so the
    // body is never read back.
    const Header blank = makeHeader(counterField, 0);
    if (!file.write(blank.data(), blank.size())) {
        return false;
    }
    FileSink sink{file};
    BodyWriter<FileSink> body(sink);
    if (!writeBody(db, body, progress)) {
        return false;
    }
    const Header header = makeHeader(counterField, body.crc());
    return file.writeAt(0, header.data(), header.size());
}

}  // namespace lh::store::lhd
