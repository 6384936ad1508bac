#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "commands/ItemEditor.h"
#include "commands/ParentChooser.h"

class QPlainTextEdit;
class QTreeWidget;

namespace lh::gui {

class CategoryComboBox;
class RateGroup;

// The "Add Bach File" dialog: a list of files ("File name", "Path") that OK turns into File
// items of one category, rate and memo. "Add file" and OK are up to their handlers.
class AddBatchFileDialog : public QDialog {
    Q_OBJECT

public:
    using AcceptHandler = std::function<commands::DialogOutcome(AddBatchFileDialog&)>;
    using AddFilesHandler = std::function<void(AddBatchFileDialog&)>;

    AddBatchFileDialog(const commands::ParentChoice& categories, QWidget* parent = nullptr);

    void setAcceptHandler(AcceptHandler handler) { m_acceptHandler = std::move(handler); }
    void setAddFilesHandler(AddFilesHandler handler) { m_addFiles = std::move(handler); }

    // Inserts a row for each full path at the top, so the rows show the paths in reverse.
    void insertPaths(const std::vector<std::string>& paths);
    void setRate(int rate);
    commands::BatchValues values() const;

public slots:
    void accept() override;

private:
    void deleteSelectedRows();

    AcceptHandler m_acceptHandler;
    AddFilesHandler m_addFiles;
    QTreeWidget* m_fileList = nullptr;
    CategoryComboBox* m_categoryCombo = nullptr;
    RateGroup* m_rateGroup = nullptr;
    QPlainTextEdit* m_memoEdit = nullptr;
};

}  // namespace lh::gui
