#include "gui/items/ItemDrag.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>

namespace lh::gui {

namespace {

constexpr quint32 kTag = 0x4C484952;  // "LHIR"
// Tag, process id, source category, row count.
constexpr qsizetype kHeaderSize = 4 + 8 + 2 + 4;

}  // namespace

QByteArray encodeItemRows(const ItemRows& rows) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kTag << static_cast<quint64>(QCoreApplication::applicationPid())
        << static_cast<quint16>(rows.sourceCategoryId)
        << static_cast<quint32>(rows.positions.size());
    for (std::uint32_t position : rows.positions) {
        out << static_cast<quint32>(position);
    }
    return bytes;
}

std::optional<ItemRows> decodeItemRows(const QByteArray& bytes) {
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
    ItemRows rows;
    rows.sourceCategoryId = source;
    rows.positions.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        quint32 position = 0;
        in >> position;
        rows.positions.push_back(position);
    }
    if (in.status() != QDataStream::Ok) {
        return std::nullopt;
    }
    return rows;
}

QMimeData* createItemRowsMimeData(const ItemRows& rows) {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kItemRowsMimeType), encodeItemRows(rows));
    return mime;
}

std::optional<ItemRows> itemRowsFrom(const QMimeData* mime) {
    const QString type = QString::fromLatin1(kItemRowsMimeType);
    if (mime == nullptr || !mime->hasFormat(type)) {
        return std::nullopt;
    }
    return decodeItemRows(mime->data(type));
}

}  // namespace lh::gui
