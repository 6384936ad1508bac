#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "commands/CategoryCommands.h"
#include "commands/ParentChooser.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lh::gui {

class CategoryComboBox;

// The "New Category" dialog. In create mode it asks for a name, a parent and a memo; in move
// mode it shows the moved category's name and memo (not editable) and asks for the new parent.
// What OK does is up to the accept handler: the dialog stays open when it answers KeepOpen.
class NewCategoryDialog : public QDialog {
    Q_OBJECT

public:
    enum class Mode { Create, Move };
    using AcceptHandler = std::function<commands::DialogOutcome(const NewCategoryDialog&)>;

    NewCategoryDialog(Mode mode, const commands::ParentChoice& choice, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }
    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    // Move mode: the moved category's name and memo.
    void showMovedCategory(const std::string& name, const std::string& memo);

    // The chosen parent's id, or nothing when no line is chosen.
    std::optional<std::uint16_t> selectedParentId() const;
    // The name as typed and the memo, UTF-8.
    std::string name() const;
    std::string memo() const;

public slots:
    void accept() override;

private:
    void setupUi(const commands::ParentChoice& choice);

    Mode m_mode;
    AcceptHandler m_acceptHandler;
    QLineEdit* m_nameEdit = nullptr;
    CategoryComboBox* m_parentCombo = nullptr;
    QPlainTextEdit* m_memoEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

}  // namespace lh::gui
