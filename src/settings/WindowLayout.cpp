#include "settings/WindowLayout.h"

#include <cstdio>

namespace lh::settings {

namespace {

bool fitsField(int v) {
    return v >= -999 && v <= 9999;
}

std::optional<int> parseField(std::string_view field) {
    std::size_t at = 0;
    const bool negative = field[0] == '-';
    if (negative) {
        at = 1;
    }
    int value = 0;
    for (; at < field.size(); ++at) {
        if (field[at] < '0' || field[at] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (field[at] - '0');
    }
    if (negative && field.size() == 1) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

std::uint32_t get32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

std::optional<std::string> PaneRect::format() const {
    if (!fitsField(top) || !fitsField(bottom) || !fitsField(left) || !fitsField(right)) {
        return std::nullopt;
    }
    char text[20];
    std::snprintf(text, sizeof text, "%04d%04d%04d%04d", top, bottom, left, right);
    return std::string(text);
}

std::optional<PaneRect> PaneRect::parse(std::string_view text) {
    if (text.size() != 16) {
        return std::nullopt;
    }
    int values[4];
    for (int i = 0; i < 4; ++i) {
        const auto v = parseField(text.substr(static_cast<std::size_t>(i) * 4, 4));
        if (!v) {
            return std::nullopt;
        }
        values[i] = *v;
    }
    return PaneRect{values[0], values[1], values[2], values[3]};
}

Bytes WindowPlacement::encode() const {
    Bytes bytes;
    bytes.reserve(kBytes);
    put32(bytes, static_cast<std::uint32_t>(kBytes));
    put32(bytes, flags);
    put32(bytes, showState);
    for (std::int32_t v : {minX, minY, maxX, maxY, left, top, right, bottom}) {
        put32(bytes, static_cast<std::uint32_t>(v));
    }
    return bytes;
}

std::optional<WindowPlacement> WindowPlacement::decode(const Bytes& bytes) {
    if (bytes.size() != kBytes) {
        return std::nullopt;
    }
    WindowPlacement p;
    p.flags = get32(bytes, 4);
    p.showState = get32(bytes, 8);
    std::int32_t* fields[] = {&p.minX, &p.minY, &p.maxX,  &p.maxY,
                              &p.left, &p.top,  &p.right, &p.bottom};
    std::size_t at = 12;
    for (std::int32_t* field : fields) {
        *field = static_cast<std::int32_t>(get32(bytes, at));
        at += 4;
    }
    return p;
}

}  // namespace lh::settings

namespace lh::settings {

PaneSizes paneSizes(const MainLayout& layout) {
    if (layout.treePane && layout.detailPane) {
        const PaneRect& tree = *layout.treePane;
        const PaneRect& detail = *layout.detailPane;
        const WindowPlacement placement = layout.placement.value_or(WindowPlacement{});
        PaneSizes s;
        s.treeWidth = tree.right - tree.left;
        s.treeHeight = tree.bottom - tree.top;
        s.itemWidth = (placement.right - placement.left) - s.treeWidth;
        s.detailHeight = detail.bottom - detail.top;
        s.itemHeight = s.treeHeight - s.detailHeight - 7;
        s.detailWidth = 200;
        if (s.treeWidth >= 0 && s.treeHeight >= 0 && s.itemWidth >= 0 && s.itemHeight >= 0 &&
            s.detailHeight >= 0) {
            return s;
        }
    }
    constexpr int w = kDefaultWindowWidth, h = kDefaultWindowHeight;
    return PaneSizes{w / 4, h, (w * 3) / 4, (h - 40) / 2, (w * 6) / 7, h / 2};
}

}  // namespace lh::settings
