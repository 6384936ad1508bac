#pragma once

#include <QComboBox>

#include <cstdint>
#include <optional>

#include "commands/ParentChooser.h"

namespace lh::gui {

// A drop-down list of categories: in the open list each line shows its icon and is indented by
// kIndentPerLevel pixels per level (level + 1); the closed box shows the chosen line without
// indentation. Each line carries its category id. Ten thousand lines fill and show at once: the
// lines live in one list, and the box's width does not depend on them.
class CategoryComboBox : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kIndentPerLevel = 9;
    static constexpr int kIdRole = Qt::UserRole + 1;
    static constexpr int kLevelRole = Qt::UserRole + 2;
    // The closed box is wide enough for this many characters and the icon.
    static constexpr int kShownCharacters = 24;

    explicit CategoryComboBox(QWidget* parent = nullptr);

    // Lists the lines of `choice` (replacing any) and chooses its selected one.
    void setChoice(const commands::ParentChoice& choice);
    // The id of the chosen line, or nothing when no line is chosen.
    std::optional<std::uint16_t> selectedCategoryId() const;
    // The line of category `id`, or -1.
    int lineOf(std::uint16_t id) const;
};

}  // namespace lh::gui
