#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "commands/ItemEditor.h"
#include "commands/ParentChooser.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lh::gui {

class CategoryComboBox;
class RateGroup;

// The Add File dialog: file name ("..." picks a file), folder, category, rate, memo, "The file
// must exist", create time and size of a File item. OK and "..." are up to their handlers; OK
// keeps the dialog open when its handler answers KeepOpen.
class AddFileDialog : public QDialog {
    Q_OBJECT

public:
    using AcceptHandler = std::function<commands::DialogOutcome(AddFileDialog&)>;
    using BrowseHandler = std::function<void(AddFileDialog&)>;

    AddFileDialog(const commands::ParentChoice& categories, QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    void setBrowseHandler(BrowseHandler handler) { m_browse = std::move(handler); }

    void setFile(const std::string& name, const std::string& folder);
    void setMemo(const std::string& memo);
    void setCreateTime(const QString& text);
    void setFileSize(const QString& text);
    void setRate(int pictureRate, int buttonRate);
    void setMustExist(bool on);
    // Edit mode: the file is renamed, not chosen anew.
    void setBrowseEnabled(bool enabled);
    void setCategoryLocked(bool locked);

    commands::FileValues values() const;
    void focusInput(commands::ItemInput input);

public slots:
    void accept() override;

private:
    AcceptHandler m_acceptHandler;
    BrowseHandler m_browse;
    QLineEdit* m_nameEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QLineEdit* m_folderEdit = nullptr;
    CategoryComboBox* m_categoryCombo = nullptr;
    RateGroup* m_rateGroup = nullptr;
    QPlainTextEdit* m_memoEdit = nullptr;
    QCheckBox* m_mustExist = nullptr;
    QLabel* m_createTime = nullptr;
    QLabel* m_fileSize = nullptr;
};

}  // namespace lh::gui
