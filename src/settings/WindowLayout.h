#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/SettingsBackend.h"

namespace lh::settings {

// A pane's rectangle as stored in `FormEx` (tree pane) and `ThdFormEx` (detail pane) of key
// `Main`: "%04d%04d%04d%04d" of top, bottom, left, right.
struct PaneRect {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
    bool operator==(const PaneRect&) const = default;

    // The 16-character text; nothing when a value does not fit its four characters (-999..9999).
    std::optional<std::string> format() const;
    // Four fields of exactly four characters, each a decimal number with an optional leading
    // '-'; nothing for anything else.
    static std::optional<PaneRect> parse(std::string_view text);
};

// The main window's placement as stored in `winlayout` of key `Main`: the 44-byte window
// placement record (length, flags, show state, minimised and maximised positions, normal
// rectangle), every field a little-endian 32-bit number.
struct WindowPlacement {
    static constexpr std::size_t kBytes = 44;
    static constexpr std::uint32_t kShowHide = 0;
    static constexpr std::uint32_t kShowMinimized = 2;
    static constexpr std::uint32_t kShowMaximized = 3;
    static constexpr std::uint32_t kShowNormal = 5;  // "show"

    std::uint32_t flags = 0;
    std::uint32_t showState = kShowNormal;
    std::int32_t minX = 0, minY = 0;
    std::int32_t maxX = 0, maxY = 0;
    std::int32_t left = 20, top = 17, right = 600, bottom = 400;  // normal rectangle
    bool operator==(const WindowPlacement&) const = default;

    Bytes encode() const;
    // The record of a stored value; nothing unless it is exactly 44 bytes.
    static std::optional<WindowPlacement> decode(const Bytes& bytes);
};

// Everything stored under `Main`.
struct MainLayout {
    std::optional<PaneRect> treePane;          // FormEx; nothing when missing or unusable
    std::optional<PaneRect> detailPane;        // ThdFormEx; nothing when missing or unusable
    std::optional<WindowPlacement> placement;  // winlayout; nothing: centre a 590 x 400 window
};

}  // namespace lh::settings

namespace lh::settings {

// The sizes the main window asks its splitters for: the tree pane on the left, the item pane
// above the detail pane on the right.
struct PaneSizes {
    int treeWidth = 0, treeHeight = 0;
    int itemWidth = 0, itemHeight = 0;
    int detailWidth = 0, detailHeight = 0;
    bool operator==(const PaneSizes&) const = default;
};

// The default window size and where it stands when nothing usable is stored.
inline constexpr int kDefaultWindowWidth = 590;
inline constexpr int kDefaultWindowHeight = 400;

// The pane sizes for `layout`. With both pane rectangles stored (and no negative size among the
// results) the tree pane keeps its stored size and the item pane takes the rest of the window's
// width and the tree's height less the detail pane and 7 pixels; otherwise the defaults of a
// 590 x 400 window.
PaneSizes paneSizes(const MainLayout& layout);

}  // namespace lh::settings
