#include "commands/ColumnsForm.h"

#include <algorithm>
#include <utility>

#include "commands/OptionsForm.h"

namespace lh::commands {

ColumnsForm::ColumnsForm(const settings::ColumnLayout& layout, Kind kind)
    : m_kind(kind), m_layout(layout) {
    fill();
}

std::vector<std::string> ColumnsForm::entryNames(Kind kind) {
    switch (kind) {
        case Kind::Url:
            return {"Image", "Rate", "Title", "URL", "Comment", "Create Time"};
        case Kind::File:
            return {"Image",     "Rate",    "File Name",  "File Size",
                    "Save Path", "Comment", "Create Time"};
        case Kind::Remind:
            return {"Image",   "Rate",        "Remind Title", "Remind Time",
                    "Comment", "Create Time", "Remind Sound"};
        case Kind::Mixed:
            break;
    }
    return {"Image",       "Rate",        "Title(File Name)", "URL",      "Comment",
            "Create Time", "Remind Time", "File Size",        "Save Path"};
}

void ColumnsForm::fill() {
    m_rows.clear();
    const std::size_t used = settings::ColumnLayout::usedEntries(m_kind);
    for (std::size_t i = 0; i < used; ++i) {
        const std::uint16_t entry = m_layout.order[i];
        m_rows.push_back({entry, i == 0 || m_layout.entries[entry].visible != 0});
    }
    m_selected.reset();
}

void ColumnsForm::takeWidth(std::string_view typedWidth) {
    if (!m_selected) {
        return;
    }
    const long width = std::clamp<long>(leadingNumber(typedWidth), kMinWidth, kMaxWidth);
    m_layout.entries[m_rows[*m_selected].entry].width = static_cast<std::uint16_t>(width);
}

void ColumnsForm::select(std::size_t row, std::string_view typedWidth) {
    if (row >= m_rows.size()) {
        return;
    }
    takeWidth(typedWidth);
    m_selected = row;
}

ColumnsForm::Buttons ColumnsForm::buttons() const {
    if (!m_selected) {
        return {};
    }
    const std::size_t r = *m_selected;
    const bool checked = m_rows[r].checked;
    return {r > 0 && !checked, r > 0 && checked, r >= 2, r >= 1 && r + 1 < m_rows.size()};
}

std::string ColumnsForm::selectedWidth() const {
    return m_selected ? std::to_string(m_layout.entries[m_rows[*m_selected].entry].width)
                      : std::string();
}

void ColumnsForm::setChecked(std::size_t row, bool checked) {
    if (row < m_rows.size()) {
        m_rows[row].checked = row == 0 || checked;
    }
}

void ColumnsForm::moveUp() {
    if (buttons().moveUp) {
        std::swap(m_rows[*m_selected], m_rows[*m_selected - 1]);
        --*m_selected;
    }
}

void ColumnsForm::moveDown() {
    if (buttons().moveDown) {
        std::swap(m_rows[*m_selected], m_rows[*m_selected + 1]);
        ++*m_selected;
    }
}

void ColumnsForm::resetToDefault() {
    m_layout = settings::ColumnLayout::defaults(m_kind);
    fill();
}

settings::ColumnLayout ColumnsForm::result(std::string_view typedWidth) const {
    ColumnsForm form = *this;
    form.takeWidth(typedWidth);
    settings::ColumnLayout layout = form.m_layout;
    std::uint8_t shown = 0;
    for (std::size_t i = 0; i < form.m_rows.size(); ++i) {
        const Row& row = form.m_rows[i];
        layout.order[i] = row.entry;
        settings::ColumnLayout::Entry& entry = layout.entries[row.entry];
        if (i == 0) {
            entry.position = 0;
            entry.visible = 1;
            continue;
        }
        if (row.checked) {
            ++shown;
        }
        entry.position = shown;
        entry.visible = row.checked ? 1 : 0;
    }
    return layout;
}

}  // namespace lh::commands
