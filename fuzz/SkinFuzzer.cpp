// Feeds arbitrary bytes to the skin reader as a skin file: it never fails, every wallpaper is a
// name inside the skin folder, every value it keeps is at most 590 bytes without blanks at
// either end, and each colour it read is one the colour parser gives for the stored text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/IniText.h"
#include "settings/SkinLook.h"
#include "text/Trim.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkValue(const lh::settings::IniText& ini, std::string_view section, std::string_view key) {
    const auto value = ini.value(section, key);
    if (value) {
        check(value->size() <= 590);
        check(lh::text::trimLeadingBlanks(*value).size() == value->size());
        check(lh::text::trimTrailingBlanks(*value).size() == value->size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const lh::settings::IniText ini(text);
    for (std::string_view section : {"Category", "List", "DetailInfo"}) {
        for (std::string_view key : {"TextColor", "BackColor", "WallPaper", "OddLine"}) {
            checkValue(ini, section, key);
        }
    }
    const auto look = lh::settings::readSkinLook(text, "/skin/");
    for (const auto* pane : {&look.tree, &look.list, &look.detail}) {
        check(pane->wallpaper.empty() || pane->wallpaper.rfind("/skin/", 0) == 0);
        check(pane->text <= 0xFFFFFF && pane->background <= 0xFFFFFF);
    }
    const auto colour = ini.value("List", "BackColor");
    check(look.list.background ==
          (colour ? lh::settings::parseSkinColour(*colour).value_or(0xFFFFFF) : 0xFFFFFF));
    return 0;
}
