#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lh::settings {

struct AppSettings;

// A colour as the settings keep it: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

// The colours and wallpaper of one pane; an empty wallpaper means none.
struct PaneLook {
    Colour text = 0x000000;
    Colour background = 0xFFFFFF;
    std::string wallpaper;
    bool operator==(const PaneLook&) const = default;
};

// What the three panes look like: the neutral "None" look or a skin's.
struct SkinLook {
    PaneLook tree;
    PaneLook list;
    PaneLook detail;  // text: the odd rows' colour
    Colour detailEvenText = 0x000000;
    bool operator==(const SkinLook&) const = default;
};

// The "None" look: black on white in the tree and the list, the detail pane's colour settings.
SkinLook noneLook(const AppSettings& settings);

// A skin file's look. Wallpapers are file names relative to `skinFolder` (which ends with '/');
// colours are "red,green,blue", each 0..255; anything else gives the default of its key.
SkinLook readSkinLook(std::string_view skinFileText, std::string_view skinFolder);

// "r,g,b" (blanks around the numbers allowed) as 0x00BBGGRR; nothing when it is not three
// decimal numbers 0..255.
std::optional<Colour> parseSkinColour(std::string_view text);

// An entry of the skin folder.
struct SkinFolderEntry {
    std::string name;
    bool regularFile = false;
};

// At most this many skins are offered (their commands end at 37102).
constexpr std::size_t kMaxSkins = 100;

// A skin: its name (the file's without ".ini") and its file's name.
struct SkinFile {
    std::string name;
    std::string fileName;
};

// The skins of a folder: the regular files whose extension is "ini" in any case, sorted by name in
// any letter case (folder order is arbitrary on Linux), at most kMaxSkins.
std::vector<SkinFile> skinFiles(std::span<const SkinFolderEntry> entries);
// Their names alone.
std::vector<std::string> skinNames(std::span<const SkinFolderEntry> entries);

// Which skin to show (1 = the first of `names`, 0 = "None"): the one named `storedName` while it
// is still in `names` (the list may have changed since), "None" when that name is gone; without
// a stored name (settings of older versions), number `storedIndex` when the list has it.
std::size_t chooseSkin(std::size_t storedIndex, std::string_view storedName,
                       std::span<const std::string> names);

}  // namespace lh::settings
