#include "gui/items/AddBatchFileDialog.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gui/items/ItemDialogParts.h"
#include "gui/uikit/CategoryComboBox.h"
#include "gui/uikit/DialogButtons.h"
#include "gui/uikit/QtText.h"
#include "gui/uikit/RateGroup.h"
#include "items/FilePaths.h"

namespace lh::gui {

namespace {

constexpr int kNameColumnWidth = 160;
constexpr int kPathColumnWidth = 420;

}  // namespace

AddBatchFileDialog::AddBatchFileDialog(const commands::ParentChoice& categories, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("addBatchFileDialog"));
    setWindowTitle(QStringLiteral("Add Bach File"));
    m_fileList = new QTreeWidget(this);
    m_fileList->setObjectName(QStringLiteral("fileListTreeWidget"));
    m_fileList->setRootIsDecorated(false);
    m_fileList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_fileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_fileList->setHeaderLabels({QStringLiteral("File name"), QStringLiteral("Path")});
    m_fileList->header()->resizeSection(0, kNameColumnWidth);
    m_fileList->header()->resizeSection(1, kPathColumnWidth);

    auto* addFile = new QPushButton(QStringLiteral("Add file"), this);
    addFile->setObjectName(QStringLiteral("addFileButton"));
    connect(addFile, &QPushButton::clicked, this, [this] {
        if (m_addFiles) {
            m_addFiles(*this);
        }
    });
    auto* remove = new QPushButton(QStringLiteral("Delete"), this);
    remove->setObjectName(QStringLiteral("deleteButton"));
    connect(remove, &QPushButton::clicked, this, &AddBatchFileDialog::deleteSelectedRows);

    m_categoryCombo = makeCategoryCombo(categories, this);
    m_rateGroup = new RateGroup(this);
    m_rateGroup->setObjectName(QStringLiteral("rateGroup"));
    m_memoEdit = makeMemoEdit(this);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(addFile);
    listButtons->addWidget(remove);
    listButtons->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Category"), m_categoryCombo);
    form->addRow(m_rateGroup);
    form->addRow(QStringLiteral("Memo"), m_memoEdit);
    const OkCancelRow row = makeOkCancelRow(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fileList, 1);
    layout->addLayout(listButtons);
    layout->addLayout(form);
    layout->addLayout(row.layout);
    resize(640, 520);
}

void AddBatchFileDialog::insertPaths(const std::vector<std::string>& paths) {
    QFileIconProvider icons;
    for (const std::string& path : paths) {
        const items::SplitPath split = items::splitPath(path);
        auto* row = new QTreeWidgetItem({toQString(split.name), toQString(split.folder)});
        row->setIcon(0, icons.icon(QFileInfo(toQString(path))));
        m_fileList->insertTopLevelItem(0, row);
    }
}

void AddBatchFileDialog::setRate(int rate) {
    m_rateGroup->checkRate(rate);
    m_rateGroup->picture().setRate(rate);
}

commands::BatchValues AddBatchFileDialog::values() const {
    commands::BatchValues values;
    for (int i = 0; i < m_fileList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = m_fileList->topLevelItem(i);
        values.rows.push_back({row->text(0).toStdString(), row->text(1).toStdString()});
    }
    values.memo = m_memoEdit->toPlainText().toStdString();
    values.rate = static_cast<std::uint8_t>(m_rateGroup->checkedRate());
    values.category = m_categoryCombo->selectedCategoryId();
    return values;
}

void AddBatchFileDialog::deleteSelectedRows() {
    qDeleteAll(m_fileList->selectedItems());
}

void AddBatchFileDialog::accept() {
    if (m_acceptHandler && m_acceptHandler(*this) == commands::DialogOutcome::KeepOpen) {
        return;
    }
    QDialog::accept();
}

}  // namespace lh::gui
