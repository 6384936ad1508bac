#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "commands/ItemEditor.h"
#include "commands/ParentChooser.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lh::gui {

class CategoryComboBox;
class RateGroup;

// The "Add Url" dialog: title, address, category, rate, memo and create time of a URL item.
// What OK and "Save as default" do is up to their handlers; OK keeps the dialog open when its
// handler answers KeepOpen.
class AddUrlDialog : public QDialog {
    Q_OBJECT

public:
    using AcceptHandler = std::function<commands::DialogOutcome(AddUrlDialog&)>;
    using SaveDefaultHandler = std::function<void(const AddUrlDialog&)>;

    AddUrlDialog(const commands::ParentChoice& categories, QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    void setSaveDefaultHandler(SaveDefaultHandler handler) { m_saveDefault = std::move(handler); }

    void setTitle(const std::string& title);
    void setAddress(const std::string& address);
    void setMemo(const std::string& memo);
    void setCreateTime(const QString& text);
    // The picture shows `pictureRate`; the button of `buttonRate` is checked.
    void setRate(int pictureRate, int buttonRate);
    void setCategoryLocked(bool locked);

    commands::UrlValues values() const;
    // The rate the picture shows (what "Save as default" keeps).
    int pictureRate() const;
    void focusInput(commands::ItemInput input);

public slots:
    void accept() override;

private:
    AcceptHandler m_acceptHandler;
    SaveDefaultHandler m_saveDefault;
    QLineEdit* m_titleEdit = nullptr;
    QPlainTextEdit* m_addressEdit = nullptr;
    CategoryComboBox* m_categoryCombo = nullptr;
    RateGroup* m_rateGroup = nullptr;
    QPlainTextEdit* m_memoEdit = nullptr;
    QLabel* m_createTime = nullptr;
};

}  // namespace lh::gui
