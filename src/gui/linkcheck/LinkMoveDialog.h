#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "commands/CategoryCommands.h"
#include "commands/ParentChooser.h"

class QLineEdit;

namespace lh::gui {

class CategoryComboBox;

// "Move to" for the link-check window's rows: a category from the list, or a new one (named
// here) made below the chosen one. What OK does is up to the accept handler: the dialog stays
// open when it answers KeepOpen.
class LinkMoveDialog : public QDialog {
    Q_OBJECT

public:
    using AcceptHandler = std::function<commands::DialogOutcome(const LinkMoveDialog&)>;

    explicit LinkMoveDialog(const commands::ParentChoice& choice, QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    // The chosen category, or nothing when no line is chosen.
    std::optional<std::uint16_t> selectedCategoryId() const;
    // The new category's name as typed (empty: move into the chosen one).
    std::string newCategoryName() const;

public slots:
    void accept() override;

private:
    AcceptHandler m_acceptHandler;
    CategoryComboBox* m_categoryCombo = nullptr;
    QLineEdit* m_newNameEdit = nullptr;
};

}  // namespace lh::gui
