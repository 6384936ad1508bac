// Feeds arbitrary bytes to the decoder of dragged item rows. Rows from another running copy of the
// program are refused by their process id, which no input can know, so each input is decoded as
// it is and once more with this process's id written over its bytes 4 to 11. Exactly the
// well-formed inputs decode, and what decodes encodes again to the same bytes and survives the
// trip through mime data.

#include <QByteArray>
#include <QMimeData>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "gui/items/ItemDrag.h"

namespace {

using lh::gui::DraggedItems;

constexpr qsizetype kHeaderSize = 4 + 8 + 2 + 4;  // tag, process id, category, item count

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

quint32 bigEndianAt(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (qsizetype i = at; i < at + 4; ++i) {
        value = (value << 8) | static_cast<quint8>(bytes[i]);
    }
    return value;
}

bool wellFormed(const QByteArray& bytes, const QByteArray& thisProcess) {
    if (bytes.size() < kHeaderSize || !bytes.startsWith("LHIR") || bytes.mid(4, 8) != thisProcess) {
        return false;
    }
    const qsizetype idBytes = bytes.size() - kHeaderSize;
    return idBytes % 4 == 0 && bigEndianAt(bytes, 14) == static_cast<quint32>(idBytes / 4);
}

void checkDecoding(const QByteArray& bytes, const QByteArray& thisProcess) {
    const std::optional<DraggedItems> items = lh::gui::decodeItemRows(bytes);
    check(items.has_value() == wellFormed(bytes, thisProcess));
    if (!items) {
        return;
    }
    check(lh::gui::encodeItemRows(*items) == bytes);
    const std::unique_ptr<QMimeData> mime(lh::gui::createItemRowsMimeData(*items));
    check(lh::gui::itemRowsFrom(mime.get()) == items);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The encoder writes this process's id right after the tag.
    static const QByteArray thisProcess = lh::gui::encodeItemRows({}).mid(4, 8);
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkDecoding(bytes, thisProcess);
    if (bytes.size() >= 12) {
        bytes.replace(4, 8, thisProcess);
        checkDecoding(bytes, thisProcess);
    }
    return 0;
}
