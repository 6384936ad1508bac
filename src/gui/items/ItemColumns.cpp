#include "gui/items/ItemColumns.h"

#include <array>
#include <limits>

namespace lh::gui {

namespace {

using items::FieldCode;

// The URL layout's entries in entry order.
constexpr std::array<FieldCode, 6> kUrlEntryFields = {FieldCode::RowImage, FieldCode::Rate,
                                                      FieldCode::Title,    FieldCode::Address,
                                                      FieldCode::Comment,  FieldCode::CreateTime};
constexpr std::size_t kSearchedEntries = 9;
constexpr std::uint16_t kNarrowestImage = 7;
constexpr std::uint16_t kImageWidthReset = 20;

}  // namespace

std::vector<ListColumn> applyUrlLayout(settings::ColumnLayout& layout) {
    std::vector<ListColumn> columns;
    std::array<bool, kUrlEntryFields.size()> taken{};
    for (std::size_t i = 0; i < kUrlEntryFields.size(); ++i) {
        const std::uint16_t entry = layout.order[i];
        if (entry >= kUrlEntryFields.size() || taken[entry]) {
            continue;
        }
        settings::ColumnLayout::Entry& e = layout.entries[entry];
        if (entry != 0 && e.visible == 0) {
            continue;
        }
        if (entry == 0 && e.width < kNarrowestImage) {
            e.width = kImageWidthReset;
        }
        taken[entry] = true;
        e.position = static_cast<std::uint8_t>(columns.size());
        columns.push_back({kUrlEntryFields[entry], e.width});
    }
    return columns;
}

bool storeColumnWidth(settings::ColumnLayout& layout, int column, int width) {
    settings::ColumnLayout::Entry* match = nullptr;
    for (std::size_t i = 0; i < kSearchedEntries; ++i) {
        settings::ColumnLayout::Entry& e = layout.entries[i];
        if (e.position == column && (match == nullptr || (match->visible == 0 && e.visible))) {
            match = &e;
        }
    }
    if (match == nullptr) {
        return false;
    }
    const int widest = std::numeric_limits<std::uint16_t>::max();
    match->width = static_cast<std::uint16_t>(width < 0 ? 0 : (width > widest ? widest : width));
    return true;
}

}  // namespace lh::gui
