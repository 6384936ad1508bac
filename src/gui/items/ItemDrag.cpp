#include "gui/items/ItemDrag.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>

namespace lh::gui {

namespace {

constexpr quint32 kTag = 0x4C484952;  // "LHIR"
// Tag, process id, source category, item count.
constexpr qsizetype kHeaderSize = 4 + 8 + 2 + 4;

}  // namespace

QByteArray encodeItemRows(const DraggedItems& items) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kTag << static_cast<quint64>(QCoreApplication::applicationPid())
        << static_cast<quint16>(items.sourceCategoryId)
        << static_cast<quint32>(items.itemIds.size());
    for (store::ItemId id : items.itemIds) {
        out << static_cast<quint32>(id);
    }
    return bytes;
}

std::optional<DraggedItems> decodeItemRows(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize) {
        return std::nullopt;
    }
    QDataStream in(bytes);
    quint32 tag = 0;
    quint64 pid = 0;
    quint16 source = 0;
    quint32 count = 0;
    in >> tag >> pid >> source >> count;
    if (tag != kTag || pid != static_cast<quint64>(QCoreApplication::applicationPid()) ||
        (bytes.size() - kHeaderSize) / 4 != static_cast<qsizetype>(count) ||
        (bytes.size() - kHeaderSize) % 4 != 0) {
        return std::nullopt;
    }
    DraggedItems items;
    items.sourceCategoryId = source;
    items.itemIds.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        quint32 id = 0;
        in >> id;
        items.itemIds.push_back(id);
    }
    if (in.status() != QDataStream::Ok) {
        return std::nullopt;
    }
    return items;
}

QMimeData* createItemRowsMimeData(const DraggedItems& items) {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kItemRowsMimeType), encodeItemRows(items));
    return mime;
}

std::optional<DraggedItems> itemRowsFrom(const QMimeData* mime) {
    const QString type = QString::fromLatin1(kItemRowsMimeType);
    if (mime == nullptr || !mime->hasFormat(type)) {
        return std::nullopt;
    }
    return decodeItemRows(mime->data(type));
}

}  // namespace lh::gui
