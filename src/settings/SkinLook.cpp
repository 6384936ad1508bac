#include "settings/SkinLook.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "settings/AppSettings.h"
#include "settings/IniText.h"
#include "text/Ascii.h"
#include "text/Trim.h"

namespace lh::settings {

namespace {

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

Colour colourOr(const IniText& ini, std::string_view section, std::string_view key,
                Colour fallback) {
    const auto value = ini.value(section, key);
    return value ? parseSkinColour(*value).value_or(fallback) : fallback;
}

std::string wallpaper(const IniText& ini, std::string_view section, std::string_view folder) {
    const auto name = ini.value(section, "WallPaper");
    return name && !name->empty() ? std::string(folder) + std::string(*name) : std::string();
}

PaneLook paneLook(const IniText& ini, std::string_view section, std::string_view folder) {
    return {colourOr(ini, section, "TextColor", kBlack),
            colourOr(ini, section, "BackColor", kWhite), wallpaper(ini, section, folder)};
}

}  // namespace

SkinLook noneLook(const AppSettings& settings) {
    SkinLook look;
    look.detail = {settings.OddText, settings.DetailBK, {}};
    look.detailEvenText = settings.EvenText;
    return look;
}

SkinLook readSkinLook(std::string_view skinFileText, std::string_view skinFolder) {
    const IniText ini(skinFileText);
    SkinLook look;
    look.tree = paneLook(ini, "Category", skinFolder);
    look.list = paneLook(ini, "List", skinFolder);
    look.detail = {colourOr(ini, "DetailInfo", "OddLine", kBlack),
                   colourOr(ini, "DetailInfo", "BackColor", kWhite),
                   wallpaper(ini, "DetailInfo", skinFolder)};
    look.detailEvenText = colourOr(ini, "DetailInfo", "evenLine", kBlack);
    return look;
}

std::optional<Colour> parseSkinColour(std::string_view text) {
    Colour colour = 0;
    for (int part = 0; part < 3; ++part) {
        const std::size_t comma = text.find(',');
        if ((part < 2) == (comma == std::string_view::npos)) {
            return std::nullopt;  // not three parts
        }
        const std::string_view number =
            text::trimTrailingBlanks(text::trimLeadingBlanks(text.substr(0, comma)));
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
            value > 255) {
            return std::nullopt;
        }
        colour |= static_cast<Colour>(value) << (8 * part);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    return colour;
}

std::vector<SkinFile> skinFiles(std::span<const SkinFolderEntry> entries) {
    std::vector<SkinFile> files;
    for (const SkinFolderEntry& entry : entries) {
        const std::size_t dot = entry.name.rfind('.');
        if (!entry.regularFile || dot == std::string::npos || dot == 0 ||
            !text::equalsIgnoringAsciiCase(std::string_view(entry.name).substr(dot + 1), "ini")) {
            continue;
        }
        files.push_back({entry.name.substr(0, dot), entry.name});
    }
    // As people read a list: letter case aside, then by bytes so that the order is total.
    std::sort(files.begin(), files.end(), [](const SkinFile& a, const SkinFile& b) {
        const std::string la = text::toLowerAscii(a.name);
        const std::string lb = text::toLowerAscii(b.name);
        return la != lb ? la < lb : a.name < b.name;
    });
    files.resize(std::min(files.size(), kMaxSkins));
    return files;
}

std::vector<std::string> skinNames(std::span<const SkinFolderEntry> entries) {
    std::vector<std::string> names;
    for (SkinFile& file : skinFiles(entries)) {
        names.push_back(std::move(file.name));
    }
    return names;
}

std::size_t chooseSkin(std::size_t storedIndex, std::string_view storedName,
                       std::span<const std::string> names) {
    if (!storedName.empty()) {
        // The number may point at another skin by now; a skin that went is no choice at all.
        const auto it = std::find(names.begin(), names.end(), storedName);
        return it == names.end() ? 0 : static_cast<std::size_t>(it - names.begin()) + 1;
    }
    return storedIndex <= names.size() ? storedIndex : 0;
}

}  // namespace lh::settings
