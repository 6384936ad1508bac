#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>

#include "commands/CategoryCommands.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lh::gui {

// The "Properties" dialog of a category: its name (not editable for the root, "WebFavorite" and
// "Recycle"), its comment, and how many categories and items lie in and below it. What OK does
// is up to the accept handler: the dialog stays open when it answers KeepOpen.
class CategoryPropertiesDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kNameInputLimit = 1200;
    static constexpr int kCommentInputLimit = 3000;
    using AcceptHandler = std::function<commands::DialogOutcome(const CategoryPropertiesDialog&)>;

    CategoryPropertiesDialog(std::uint16_t categoryId, const std::string& name,
                             const std::string& memo, const commands::SubtreeCounts& counts,
                             QWidget* parent = nullptr);

    std::uint16_t categoryId() const { return m_categoryId; }
    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    // The name and comment as they stand, UTF-8.
    std::string name() const;
    std::string comment() const;

public slots:
    void accept() override;

private:
    void setupUi(const std::string& name, const std::string& memo,
                 const commands::SubtreeCounts& counts);
    void limitComment();

    std::uint16_t m_categoryId;
    AcceptHandler m_acceptHandler;
    QLineEdit* m_nameEdit = nullptr;
    QPlainTextEdit* m_commentEdit = nullptr;
    QLineEdit* m_subCategoryEdit = nullptr;
    QLineEdit* m_totalItemsEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

}  // namespace lh::gui
