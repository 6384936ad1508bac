#include "gui/shell/RestoreBackupDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lh::gui {

RestoreBackupDialog::RestoreBackupDialog(const std::vector<store::BackupRow>& rows, QWidget* parent)
    : QDialog(parent), m_rows(rows) {
    setupUi();
}

void RestoreBackupDialog::setupUi() {
    setObjectName(QStringLiteral("restoreBackupDialog"));
    setWindowTitle(QStringLiteral("Restore backup file"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("backupTreeWidget"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({QStringLiteral("File name"), QStringLiteral("File date"),
                             QStringLiteral("File path"), QStringLiteral("Size"),
                             QStringLiteral("Links")});
    m_list->setColumnWidth(0, 100);
    m_list->setColumnWidth(1, 190);
    m_list->setColumnWidth(2, 290);
    m_list->setColumnWidth(3, 80);
    m_list->setColumnWidth(4, 60);
    for (const store::BackupRow& row : m_rows) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, QString::fromStdString(row.name));
        item->setText(1, QString::fromStdString(row.date));
        item->setText(2, QString::fromStdString(row.folder));
        item->setText(3, QLocale::c().formattedDataSize(static_cast<qint64>(row.size), 1,
                                                        QLocale::DataSizeTraditionalFormat));
        item->setText(4, row.links ? QString::number(*row.links) : QStringLiteral("damaged"));
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        if (row.newest) {
            // After the slots wrap the newest is not on top; OK restores it unless another is
            // chosen.
            m_list->setCurrentItem(item);
        }
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(800, 240);  // every column shows without scrolling
}

std::optional<std::string> RestoreBackupDialog::chosenPath() const {
    if (result() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    const int row = m_list->indexOfTopLevelItem(selected.front());
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) {
        return std::nullopt;
    }
    return m_rows[static_cast<std::size_t>(row)].path();
}

}  // namespace lh::gui
