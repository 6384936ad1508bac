#include "store/LhdWriter.h"

#include <zlib.h>

#include "store/Database.h"
#include "store/LhdFormat.h"
#include "store/TreeWalk.h"

namespace lh::store::lhd {

namespace {

// Collects the body in a buffer, feeding the CRC and the sink a block at a time.
template <typename Sink>
class BodyWriter {
public:
    explicit BodyWriter(Sink& sink) : m_sink(sink) { m_buffer.reserve(kBlock); }

    void u8(std::uint8_t v) { m_buffer.push_back(static_cast<char>(v)); }
    void u16(std::uint16_t v) {
        u8(static_cast<std::uint8_t>(v));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void text(std::string_view s) {
        u32(static_cast<std::uint32_t>(s.size()));
        if (m_buffer.size() + s.size() > kBlock) {
            flush();
        }
        if (s.size() >= kBlock) {
            feed(s.data(), s.size());  // a huge text goes straight through
        } else {
            m_buffer.append(s);
        }
    }
    void stamp(const DateTimeStamp& t) {
        u16(t.year);
        u8(t.month);
        u8(t.day);
        u8(t.hour);
        u8(t.minute);
        u8(t.second);
        u8(t.reserved);
    }
    // Call after each record: keeps the buffer near one block.
    bool endRecord() {
        if (m_buffer.size() >= kBlock) {
            flush();
        }
        return m_ok;
    }
    bool finish() {
        flush();
        return m_ok;
    }
    std::uint32_t crc() const { return static_cast<std::uint32_t>(m_crc); }

private:
    static constexpr std::size_t kBlock = 1 << 20;

    void flush() {
        feed(m_buffer.data(), m_buffer.size());
        m_buffer.clear();
    }
    void feed(const char* data, std::size_t size) {
        if (size == 0 || !m_ok) {
            return;
        }
        m_crc = crc32_z(m_crc, reinterpret_cast<const Bytef*>(data), size);
        m_ok = m_sink.write(data, size);
    }

    Sink& m_sink;
    std::string m_buffer;
    uLong m_crc = crc32_z(0, nullptr, 0);
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
        out.u8(kTagCategory);
        out.u8(relation);
        out.text(c.name());
        out.text(c.folderPath());
        out.u16(anchor == nullptr ? 0 : anchor->id());
        out.u16(c.id());
        out.u16(c.depth());
        out.u8(c.flags());
        out.text(c.memo());
        ok = out.endRecord();
        recordWritten();
        for (const ItemRecord* item = c.firstItem(); item != nullptr && ok; item = item->next()) {
            out.u8(kTagItem);
            out.text(item->address());
            out.text(item->location());
            out.text(item->title());
            out.u8(item->rate());
            out.u16(item->categoryId());
            out.u32(item->flags());
            out.text(item->comment());
            out.u32(static_cast<std::uint32_t>(item->fileSize()));
            out.u32(static_cast<std::uint32_t>(item->fileSize() >> 32));
            out.stamp(item->createTime());
            out.stamp(item->remindTime());
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
