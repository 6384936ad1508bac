#include "gui/shell/ToolbarCustomizeDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/shell/CommandTable.h"
#include "gui/shell/ShellPictures.h"

namespace lh::gui {

namespace {

constexpr int kSeparator = 0;  // the item data of a separator; commands carry their id

}  // namespace

ToolbarCustomizeDialog::ToolbarCustomizeDialog(const std::vector<ToolbarEntry>& current,
                                               QWidget* parent)
    : QDialog(parent),
      m_available(new QListWidget(this)),
      m_current(new QListWidget(this)),
      m_add(new QPushButton(tr("&Add ->"), this)),
      m_remove(new QPushButton(tr("<- &Remove"), this)),
      m_up(new QPushButton(tr("Move &Up"), this)),
      m_down(new QPushButton(tr("Move &Down"), this)) {
    setObjectName("toolbarCustomizeDialog");
    setWindowTitle(tr("Customize Toolbar"));
    m_available->setObjectName("availableListWidget");
    m_current->setObjectName("currentListWidget");
    m_add->setObjectName("addButton");
    m_remove->setObjectName("removeButton");
    m_up->setObjectName("upButton");
    m_down->setObjectName("downButton");
    auto* reset = new QPushButton(tr("Re&set"), this);
    reset->setObjectName("resetButton");
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* grid = new QGridLayout;
    // Each label is its list's buddy: its mnemonic moves the focus to that list.
    auto* availableLabel = new QLabel(tr("A&vailable toolbar buttons:"), this);
    availableLabel->setBuddy(m_available);
    auto* currentLabel = new QLabel(tr("&Toolbar buttons:"), this);
    currentLabel->setBuddy(m_current);
    grid->addWidget(availableLabel, 0, 0);
    grid->addWidget(currentLabel, 0, 2);
    grid->addWidget(m_available, 1, 0);
    auto* middle = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_remove, m_up, m_down, reset}) {
        middle->addWidget(b);
    }
    middle->addStretch();
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_current, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(box);

    for (const ToolbarEntry& e : current) {
        m_current->addItem(makeItem(e));
    }
    fillAvailable();
    connect(m_add, &QPushButton::clicked, this, &ToolbarCustomizeDialog::addSelected);
    connect(m_remove, &QPushButton::clicked, this, &ToolbarCustomizeDialog::removeSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(reset, &QPushButton::clicked, this, &ToolbarCustomizeDialog::resetToDefault);
    connect(m_available, &QListWidget::itemDoubleClicked, this,
            &ToolbarCustomizeDialog::addSelected);
    connect(m_current, &QListWidget::itemDoubleClicked, this,
            &ToolbarCustomizeDialog::removeSelected);
    connect(m_available, &QListWidget::currentRowChanged, this,
            &ToolbarCustomizeDialog::updateButtons);
    connect(m_current, &QListWidget::currentRowChanged, this,
            &ToolbarCustomizeDialog::updateButtons);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateButtons();
}

QListWidgetItem* ToolbarCustomizeDialog::makeItem(const ToolbarEntry& entry) {
    auto* item = new QListWidgetItem;
    if (!entry) {
        item->setText(tr("Separator"));
        item->setData(Qt::UserRole, kSeparator);
        return item;
    }
    const ToolbarButtonInfo* button = findToolbarButton(*entry);
    item->setText(QString::fromUtf8(button->text));
    item->setIcon(toolbarPicture(button->image));
    item->setData(Qt::UserRole, int(*entry));
    return item;
}

void ToolbarCustomizeDialog::fillAvailable() {
    m_available->clear();
    m_available->addItem(makeItem(std::nullopt));  // separators can be added any number of times
    const std::vector<ToolbarEntry> used = entries();
    for (const ToolbarButtonInfo& button : toolbarButtonTable()) {
        if (std::find(used.begin(), used.end(), ToolbarEntry(button.id)) == used.end()) {
            m_available->addItem(makeItem(button.id));
        }
    }
    m_available->setCurrentRow(0);
}

std::vector<ToolbarEntry> ToolbarCustomizeDialog::entries() const {
    std::vector<ToolbarEntry> out;
    for (int row = 0; row < m_current->count(); ++row) {
        const int id = m_current->item(row)->data(Qt::UserRole).toInt();
        out.push_back(id == kSeparator ? ToolbarEntry() : ToolbarEntry(CommandId(id)));
    }
    return out;
}

void ToolbarCustomizeDialog::addSelected() {
    QListWidgetItem* chosen = m_available->currentItem();
    if (chosen == nullptr) {
        return;
    }
    const int id = chosen->data(Qt::UserRole).toInt();
    const int at = m_current->currentRow() < 0 ? m_current->count() : m_current->currentRow() + 1;
    m_current->insertItem(
        at, makeItem(id == kSeparator ? ToolbarEntry() : ToolbarEntry(CommandId(id))));
    m_current->setCurrentRow(at);
    fillAvailable();
}

void ToolbarCustomizeDialog::removeSelected() {
    const int row = m_current->currentRow();
    if (row < 0) {
        return;
    }
    delete m_current->takeItem(row);
    fillAvailable();
    updateButtons();
}

void ToolbarCustomizeDialog::moveSelected(int step) {
    const int row = m_current->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_current->count()) {
        return;
    }
    QListWidgetItem* item = m_current->takeItem(row);
    m_current->insertItem(to, item);
    m_current->setCurrentRow(to);
}

void ToolbarCustomizeDialog::resetToDefault() {
    m_current->clear();
    for (const ToolbarEntry& e : MainToolbar::defaultEntries()) {
        m_current->addItem(makeItem(e));
    }
    fillAvailable();
}

void ToolbarCustomizeDialog::updateButtons() {
    const int row = m_current->currentRow();
    m_add->setEnabled(m_available->currentItem() != nullptr);
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_current->count());
}

}  // namespace lh::gui
