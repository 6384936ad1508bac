#include "settings/ColumnLayout.h"

namespace lh::settings {

namespace {

constexpr std::uint8_t kUrlFields[] = {1, 2, 3, 4, 5, 6};
constexpr std::uint8_t kFileFields[] = {1, 2, 3, 7, 8, 5, 6};
constexpr std::uint8_t kRemindFields[] = {1, 2, 3, 9, 5, 6, 8};
constexpr std::uint8_t kMixedFields[] = {1, 2, 3, 4, 5, 6, 9, 7, 8};

constexpr std::uint16_t kUrlWidths[] = {40, 49, 110, 110, 170, 90};
constexpr std::uint16_t kFileWidths[] = {40, 49, 110, 110, 90, 90, 90};
constexpr std::uint16_t kRemindWidths[] = {40, 49, 110, 90, 90, 90, 160};
constexpr std::uint16_t kMixedWidths[] = {40, 49, 110, 160, 90, 90, 90, 90, 90};

std::span<const std::uint16_t> defaultWidths(ColumnLayout::Kind kind) {
    switch (kind) {
        case ColumnLayout::Kind::Url:
            return kUrlWidths;
        case ColumnLayout::Kind::File:
            return kFileWidths;
        case ColumnLayout::Kind::Remind:
            return kRemindWidths;
        case ColumnLayout::Kind::Mixed:
            break;
    }
    return kMixedWidths;
}

}  // namespace

std::span<const std::uint8_t> ColumnLayout::fieldCodes(Kind kind) {
    switch (kind) {
        case Kind::Url:
            return kUrlFields;
        case Kind::File:
            return kFileFields;
        case Kind::Remind:
            return kRemindFields;
        case Kind::Mixed:
            break;
    }
    return kMixedFields;
}

std::size_t ColumnLayout::usedEntries(Kind kind) {
    return fieldCodes(kind).size();
}

ColumnLayout ColumnLayout::defaults(Kind kind) {
    ColumnLayout layout;
    for (std::size_t i = 0; i < kEntries; ++i) {
        layout.order[i] = static_cast<std::uint16_t>(i);
    }
    const auto widths = defaultWidths(kind);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        layout.entries[i] = Entry{static_cast<std::uint8_t>(i), widths[i], 1};
    }
    return layout;
}

bool ColumnLayout::isUsable(Kind kind) const {
    const std::size_t used = usedEntries(kind);
    std::array<bool, kEntries> seen{};
    bool anyVisible = false;
    for (std::size_t i = 0; i < used; ++i) {
        const std::uint16_t n = order[i];
        if (n >= used || seen[n]) {
            return false;
        }
        seen[n] = true;
        anyVisible = anyVisible || entries[i].visible != 0;
    }
    return anyVisible;
}

Bytes ColumnLayout::orderBytes() const {
    Bytes bytes;
    bytes.reserve(kOrderBytes);
    for (std::uint16_t n : order) {
        bytes.push_back(static_cast<std::uint8_t>(n & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(n >> 8));
    }
    return bytes;
}

Bytes ColumnLayout::entryBytes() const {
    Bytes bytes;
    bytes.reserve(kEntryBytes);
    for (const Entry& e : entries) {
        bytes.push_back(e.position);
        bytes.push_back(static_cast<std::uint8_t>(e.width & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(e.width >> 8));
        bytes.push_back(e.visible);
    }
    return bytes;
}

bool ColumnLayout::setOrderBytes(const Bytes& bytes) {
    if (bytes.size() != kOrderBytes) {
        return false;
    }
    for (std::size_t i = 0; i < kEntries; ++i) {
        order[i] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return true;
}

bool ColumnLayout::setEntryBytes(const Bytes& bytes) {
    if (bytes.size() != kEntryBytes) {
        return false;
    }
    for (std::size_t i = 0; i < kEntries; ++i) {
        const std::uint8_t* e = &bytes[4 * i];
        entries[i] = Entry{e[0], static_cast<std::uint16_t>(e[1] | (e[2] << 8)), e[3]};
    }
    return true;
}

}  // namespace lh::settings
