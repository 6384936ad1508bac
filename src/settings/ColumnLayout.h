#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "settings/SettingsBackend.h"

namespace lh::settings {

// The item list's column layout of one category kind: up to 15 column entries and the order in
// which they are shown. Stored as two binary values per kind: the order (`Order...`, 30 bytes)
// and the entries (`Save...`, 60 bytes), all numbers little-endian.
struct ColumnLayout {
    enum class Kind { Url, File, Remind, Mixed };
    static constexpr std::size_t kEntries = 15;
    static constexpr std::size_t kOrderBytes = 30;
    static constexpr std::size_t kEntryBytes = 60;

    struct Entry {
        std::uint8_t position = 0;  // display position
        std::uint16_t width = 0;    // pixels
        std::uint8_t visible = 0;   // non-zero = shown
        bool operator==(const Entry&) const = default;
    };

    std::array<std::uint16_t, kEntries> order{};  // entry number for each display position
    std::array<Entry, kEntries> entries{};

    bool operator==(const ColumnLayout&) const = default;

    // The layout a kind starts with: its columns all visible, in entry order.
    static ColumnLayout defaults(Kind kind);
    // How many entries the kind uses (URL 6, File 7, Remind 7, mixed 9).
    static std::size_t usedEntries(Kind kind);
    // The field code each used entry shows (image 1, rate 2, title 3, address 4, ...).
    static std::span<const std::uint8_t> fieldCodes(Kind kind);

    // Usable for `kind`: every used order number is below the kind's entry count, no two are
    // equal, and at least one used entry is visible.
    bool isUsable(Kind kind) const;

    Bytes orderBytes() const;
    Bytes entryBytes() const;
    // Takes the stored values; false (nothing changed) when a size is not exactly right.
    bool setOrderBytes(const Bytes& bytes);
    bool setEntryBytes(const Bytes& bytes);
};

}  // namespace lh::settings
