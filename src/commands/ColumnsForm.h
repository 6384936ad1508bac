#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ColumnLayout.h"

namespace lh::commands {

// The "Columns..." dialog's rules over a copy of one kind's column layout: one row per used
// entry in display order, checked when shown. The first row is the picture column: always shown,
// never moved. Nothing reaches the settings before OK takes result().
class ColumnsForm {
public:
    using Kind = settings::ColumnLayout::Kind;
    struct Row {
        std::uint16_t entry = 0;
        bool checked = false;
        bool operator==(const Row&) const = default;
    };
    struct Buttons {
        bool show = false;
        bool hide = false;
        bool moveUp = false;
        bool moveDown = false;
    };
    static constexpr std::uint16_t kMinWidth = 7;
    static constexpr std::uint16_t kMaxWidth = 4000;

    ColumnsForm(const settings::ColumnLayout& layout, Kind kind);

    // The entries' names ("Image", "Rate", "Title", ... for URL categories).
    static std::vector<std::string> entryNames(Kind kind);

    const std::vector<Row>& rows() const { return m_rows; }
    std::optional<std::size_t> selected() const { return m_selected; }
    // Selects `row`; the width typed for the row left is kept for it first.
    void select(std::size_t row, std::string_view typedWidth);
    // What the buttons may do for the selected row.
    Buttons buttons() const;
    // The width of the selected row's entry as the width field shows it.
    std::string selectedWidth() const;

    void setChecked(std::size_t row, bool checked);  // the first row stays checked
    void moveUp();
    void moveDown();
    // The kind's default layout, still only in the form.
    void resetToDefault();
    // OK: the layout with the width typed for the selected row, the rows' order and, from the
    // second row on, each checked one at the next position.
    settings::ColumnLayout result(std::string_view typedWidth) const;

private:
    void takeWidth(std::string_view typedWidth);
    void fill();

    Kind m_kind;
    settings::ColumnLayout m_layout;
    std::vector<Row> m_rows;
    std::optional<std::size_t> m_selected;
};

}  // namespace lh::commands
