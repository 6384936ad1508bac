#include "gui/tree/CategoryPane.h"

#include <QDialog>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QVBoxLayout>

#include <utility>

#include "commands/CategoryCommands.h"
#include "commands/CategoryCommandsHost.h"
#include "commands/ParentChooser.h"
#include "gui/tree/CategoryPropertiesDialog.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "gui/tree/NewCategoryDialog.h"
#include "store/CategoryNames.h"
#include "store/Database.h"

namespace lh::gui {

using store::CategoryRecord;

// What the category commands need of the tree: the current category.
class CategoryPane::Host final : public commands::CategoryCommandsHost {
public:
    explicit Host(CategoryPane& pane) : m_pane(pane) {}

    std::optional<store::CategoryId> currentCategory() const override {
        const CategoryRecord* current = m_pane.currentCategory();
        return current != nullptr ? std::optional(current->id()) : std::nullopt;
    }
    void makeCurrent(store::CategoryId id) override { m_pane.selectCategory(id); }

private:
    CategoryPane& m_pane;
};

// The Database's events, turned into row changes of the model.
class CategoryPane::Observer final : public store::DatabaseObserver {
public:
    explicit Observer(CategoryPane& pane) : m_pane(pane) {}

    void bulkChangeBegun() override { m_pane.onBulkChangeBegun(); }
    void bulkChangeEnded(bool contentsReplaced) override {
        m_pane.onBulkChangeEnded(contentsReplaced);
    }
    void categoriesAboutToBeInserted(const store::CategoryRows& rows) override {
        m_pane.m_model->beginInsert(rows);
    }
    void categoriesInserted(const store::CategoryRows& rows) override {
        m_pane.m_model->endInsert(rows);
    }
    void categoriesAboutToBeMoved(const store::CategoryRows& rows, store::CategoryId toParent,
                                  std::uint32_t toRow) override {
        m_pane.m_model->beginMove(rows, toParent, toRow);
    }
    void categoriesMoved(const store::CategoryRows& rows, store::CategoryId toParent,
                         std::uint32_t toRow) override {
        m_pane.m_model->endMove(rows, toParent, toRow);
    }
    void categoriesAboutToBeRemoved(const store::CategoryRows& rows) override {
        m_pane.beforeRemoval(rows);
        m_pane.m_model->beginRemove(rows);
    }
    void categoriesRemoved(const store::CategoryRows& rows) override {
        m_pane.m_model->endRemove(rows);
    }
    void categoryChanged(const CategoryRecord& category, store::CategoryFieldSet fields) override {
        if (store::contains(fields, store::CategoryField::Name) ||
            store::contains(fields, store::CategoryField::Class)) {
            m_pane.m_model->categoryChanged(category.id());
        }
    }

private:
    CategoryPane& m_pane;
};

CategoryPane::CategoryPane(store::Database& db, commands::Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      m_db(db),
      m_host(std::make_unique<Host>(*this)),
      m_observer(std::make_unique<Observer>(*this)),
      m_commands(std::make_unique<commands::CategoryCommands>(db, prompter, *m_host)) {
    setupUi();
    connectSignals();
    m_db.addObserver(m_observer.get());
}

CategoryPane::~CategoryPane() {
    m_db.removeObserver(m_observer.get());
}

void CategoryPane::setupUi() {
    setObjectName(QStringLiteral("categoryPane"));
    m_model = new CategoryTreeModel(m_db, this);
    m_view = new CategoryTreeView(*m_model, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
}

void CategoryPane::connectSignals() {
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentIndexChanged(current); });
    connect(m_view, &CategoryTreeView::propertiesRequested, this,
            &CategoryPane::showClickedProperties);
    connect(m_view, &CategoryTreeView::deleteRequested, this, &CategoryPane::deleteClickedCategory);
    connect(m_view, &CategoryTreeView::newCategoryRequested, this,
            &CategoryPane::newCategoryInClicked);
    connect(m_view, &CategoryTreeView::itemsDropped, this, &CategoryPane::itemsDropped);
}

// --- The current category ----------------------------------------------------------------------

const CategoryRecord* CategoryPane::shownCategory(std::uint16_t id) const {
    return m_model->contains(id) ? m_db.findCategory(id) : nullptr;
}

const CategoryRecord* CategoryPane::currentCategory() const {
    return m_currentId ? shownCategory(*m_currentId) : nullptr;
}

int CategoryPane::currentCategoryId() const {
    return currentCategory() != nullptr ? static_cast<int>(*m_currentId) : -1;
}

commands::CategoryMenuState CategoryPane::mainMenuState() const {
    return commands::mainMenuState(currentCategory());
}

const CategoryRecord* CategoryPane::clickedCategory() const {
    const auto clicked = m_view->clickedCategoryId();
    return clicked ? shownCategory(*clicked) : nullptr;
}

commands::CategoryMenuState CategoryPane::contextMenuState() const {
    const CategoryRecord* clicked = clickedCategory();
    return clicked != nullptr ? commands::contextMenuState(clicked->id())
                              : commands::CategoryMenuState{};
}

void CategoryPane::setCurrent(std::optional<std::uint16_t> id) {
    if (m_currentId == id) {
        return;
    }
    m_currentId = id;
    emit currentCategoryChanged(id ? static_cast<int>(*id) : -1);
}

void CategoryPane::onCurrentIndexChanged(const QModelIndex& index) {
    if (m_model->categoryAt(index) != nullptr) {
        setCurrent(CategoryTreeModel::categoryIdOf(index));
    }
}

bool CategoryPane::selectCategory(quint16 id) {
    const QModelIndex index = m_model->indexOf(id);
    if (!index.isValid()) {
        return false;
    }
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
    setCurrent(id);
    return true;
}

void CategoryPane::reveal(std::uint16_t id) {
    const QModelIndex index = m_model->indexOf(id);
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
        m_view->expand(above);
    }
    m_view->scrollTo(index);
}

void CategoryPane::selectFirstCategory() {
    if (const CategoryRecord* root = m_db.root()) {
        // The first category below the root; a tree of the root alone shows the root.
        selectCategory(root->firstChild() != nullptr ? root->firstChild()->id() : root->id());
    } else {
        setCurrent(std::nullopt);
    }
}

void CategoryPane::rebuildTree() {
    closeDialog();
    m_view->clearClickedCategory();
    m_currentId.reset();
    m_view->setUpdatesEnabled(false);
    for (std::uint16_t id : m_model->rebuild()) {
        m_view->expand(m_model->indexOf(id));
    }
    if (m_db.root() != nullptr) {
        selectFirstCategory();
    } else {
        emit currentCategoryChanged(-1);
    }
    m_view->setUpdatesEnabled(true);
}

void CategoryPane::onBulkChangeBegun() {
    closeDialog();
    ViewState state;
    state.current = m_currentId;
    state.clicked = m_view->clickedCategoryId();
    state.scroll = m_view->verticalScrollBar()->value();
    // Expanded rows, in pre-order so that parents open before their children.
    std::vector<QModelIndex> stack{m_model->index(0, 0)};
    while (!stack.empty()) {
        const QModelIndex index = stack.back();
        stack.pop_back();
        if (!index.isValid() || !m_view->isExpanded(index)) {
            continue;
        }
        state.expanded.push_back(*CategoryTreeModel::categoryIdOf(index));
        for (int row = m_model->rowCount(index) - 1; row >= 0; --row) {
            stack.push_back(m_model->index(row, 0, index));
        }
    }
    if (m_keepViewOnLoad) {
        nameCategories(state);
    }
    m_beforeBulk = std::move(state);
}

void CategoryPane::nameCategories(ViewState& state) const {
    const auto names = [this](std::optional<std::uint16_t> id) {
        const CategoryRecord* c = id ? m_db.findCategory(*id) : nullptr;
        return c != nullptr ? store::categoryNames(*c) : std::vector<std::string>();
    };
    for (std::uint16_t id : state.expanded) {
        state.expandedNames.push_back(names(id));
    }
    state.currentNames = names(state.current);
    state.clickedNames = names(state.clicked);
}

void CategoryPane::findNamedCategories(ViewState& state) const {
    const auto idOf = [this](const std::vector<std::string>& names) {
        const CategoryRecord* c = store::findCategoryByNames(m_db, names);
        return c != nullptr ? std::optional<std::uint16_t>(c->id()) : std::nullopt;
    };
    state.expanded.clear();
    for (const std::vector<std::string>& names : state.expandedNames) {
        if (const auto id = idOf(names)) {
            state.expanded.push_back(*id);
        }
    }
    state.current = idOf(state.currentNames);
    state.clicked = state.clickedNames.empty() ? std::nullopt : idOf(state.clickedNames);
}

void CategoryPane::onBulkChangeEnded(bool contentsReplaced) {
    const bool keepView = !contentsReplaced || std::exchange(m_keepViewOnLoad, false);
    if (!keepView) {
        rebuildTree();
        return;
    }
    // Ids are still the same categories (or, after loading the same file again, the categories
    // that are still there): show the tree as it was, with what is new.
    ViewState state = std::move(m_beforeBulk);
    m_view->setUpdatesEnabled(false);
    m_model->rebuild();
    if (contentsReplaced) {
        findNamedCategories(state);
        // The item list must show the new chain even when the current id stays the same.
        m_currentId.reset();
        m_view->clearClickedCategory();
    }
    for (std::uint16_t id : state.expanded) {
        m_view->expand(m_model->indexOf(id));
    }
    if (!state.current || !selectCategory(*state.current)) {
        selectFirstCategory();
    }
    if (state.clicked && m_model->contains(*state.clicked)) {
        m_view->setClickedCategory(*state.clicked);
    }
    m_view->verticalScrollBar()->setValue(state.scroll);
    m_view->setUpdatesEnabled(true);
}

void CategoryPane::beforeRemoval(const store::CategoryRows& rows) {
    for (std::uint32_t row = rows.first; row <= rows.last; ++row) {
        const auto id = m_model->childAt(rows.parent, row);
        if (!id) {
            continue;
        }
        if (m_currentId && m_model->isSameOrBelow(*m_currentId, *id)) {
            if (!selectCategory(rows.parent)) {
                setCurrent(std::nullopt);
            }
        }
        const auto clicked = m_view->clickedCategoryId();
        if (clicked && m_model->isSameOrBelow(*clicked, *id)) {
            m_view->clearClickedCategory();
        }
        m_view->closeBranch(*id);
    }
}

bool CategoryPane::setBackground(const QString& fileName) {
    return m_view->setBackground(fileName);
}

// --- Commands ----------------------------------------------------------------------------------

void CategoryPane::newCategory() {
    const CategoryRecord* selected = currentCategory();
    if (commands::mainMenuState(selected).newCategory) {
        openCreateDialog(*selected, std::nullopt);  // opens on the chooser's third line
    }
}

void CategoryPane::deleteCategory() {
    const CategoryRecord* selected = currentCategory();
    if (commands::mainMenuState(selected).deleteCategory) {
        m_commands->deleteCategory(selected->id(), commands::DeleteOrigin::MainMenu);
    }
}

void CategoryPane::moveCategory() {
    const CategoryRecord* selected = currentCategory();
    if (commands::mainMenuState(selected).moveTo) {
        openMoveDialog(*selected);
    }
}

void CategoryPane::showProperties() {
    if (const CategoryRecord* selected = currentCategory()) {
        openPropertiesDialog(*selected);
    }
}

void CategoryPane::newCategoryInClicked() {
    const CategoryRecord* clicked = clickedCategory();
    if (clicked != nullptr && commands::contextMenuState(clicked->id()).newCategory) {
        openCreateDialog(*clicked, clicked->id());
    }
}

void CategoryPane::deleteClickedCategory() {
    const CategoryRecord* clicked = clickedCategory();
    if (clicked != nullptr && commands::contextMenuState(clicked->id()).deleteCategory) {
        m_commands->deleteCategory(clicked->id(), commands::DeleteOrigin::ContextMenu);
        m_view->clearClickedCategory();
    }
}

void CategoryPane::moveClickedCategory() {
    const CategoryRecord* clicked = clickedCategory();
    if (clicked != nullptr && commands::contextMenuState(clicked->id()).moveTo) {
        openMoveDialog(*clicked);
    }
}

void CategoryPane::showClickedProperties() {
    if (const CategoryRecord* clicked = clickedCategory()) {
        openPropertiesDialog(*clicked);
    }
}

// --- Dialogs -----------------------------------------------------------------------------------

void CategoryPane::openCreateDialog(const CategoryRecord& basis,
                                    std::optional<std::uint16_t> preselectId) {
    const auto choice = commands::buildParentChoice(m_db, basis.categoryClass(), preselectId);
    if (!choice) {
        return;
    }
    auto* dialog = new NewCategoryDialog(NewCategoryDialog::Mode::Create, *choice, this);
    dialog->setAcceptHandler([this](const NewCategoryDialog& d) {
        const std::optional<std::uint16_t> parentId = d.selectedParentId();
        const auto childCount = [&]() -> std::uint32_t {
            const CategoryRecord* parent = parentId ? m_db.findCategory(*parentId) : nullptr;
            return parent != nullptr ? parent->childCount() : 0;
        };
        const std::uint32_t before = childCount();
        const auto outcome = m_commands->create(parentId, d.name(), d.memo());
        if (childCount() > before) {
            // A new category is its parent's last child.
            reveal(m_db.findCategory(*parentId)->lastChild()->id());
        }
        return outcome;
    });
    showDialog(dialog);
}

void CategoryPane::openMoveDialog(const CategoryRecord& moved) {
    const auto choice = commands::buildParentChoice(m_db, moved.categoryClass(), std::nullopt);
    if (!choice) {
        return;
    }
    auto* dialog = new NewCategoryDialog(NewCategoryDialog::Mode::Move, *choice, this);
    dialog->showMovedCategory(moved.name(), moved.memo());
    const std::uint16_t movedId = moved.id();
    dialog->setAcceptHandler([this, movedId](const NewCategoryDialog& d) {
        return m_commands->move(movedId, d.selectedParentId());
    });
    showDialog(dialog);
}

void CategoryPane::openPropertiesDialog(const CategoryRecord& category) {
    auto* dialog =
        new CategoryPropertiesDialog(category.id(), category.name(), category.memo(),
                                     commands::CategoryCommands::countSubtree(category), this);
    dialog->setAcceptHandler([this](const CategoryPropertiesDialog& d) {
        return m_commands->applyProperties(d.categoryId(), d.name(), d.comment());
    });
    showDialog(dialog);
}

void CategoryPane::showDialog(QDialog* dialog) {
    closeDialog();
    m_dialog = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(true);
    dialog->show();
}

void CategoryPane::closeDialog() {
    if (QDialog* dialog = m_dialog) {
        m_dialog = nullptr;
        dialog->reject();
    }
}

}  // namespace lh::gui
