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
