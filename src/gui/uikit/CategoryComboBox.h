#pragma once

#include <QComboBox>

#include <cstdint>
#include <optional>

namespace lh::gui {

// A drop-down list of categories: in the open list each line shows its icon and is indented by
// kIndentPerLevel pixels per level (level + 1); the closed box shows the chosen line without
// indentation. Each line carries its category id.
class CategoryComboBox : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kIndentPerLevel = 9;
    static constexpr int kIdRole = Qt::UserRole + 1;
    static constexpr int kLevelRole = Qt::UserRole + 2;

    explicit CategoryComboBox(QWidget* parent = nullptr);

    void addCategory(std::uint16_t id, const QString& name, int level, const QIcon& icon);
    // The id of the chosen line, or nothing when no line is chosen.
    std::optional<std::uint16_t> selectedCategoryId() const;
    // The line of category `id`, or -1.
    int lineOf(std::uint16_t id) const;
};

}  // namespace lh::gui
