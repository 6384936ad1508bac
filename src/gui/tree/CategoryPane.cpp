#include "gui/tree/CategoryPane.h"

#include <QDialog>
#include <QItemSelectionModel>
#include <QVBoxLayout>

#include "gui/tree/CategoryPropertiesDialog.h"
#include "gui/tree/CategoryTreeModel.h"
#include "gui/tree/CategoryTreeView.h"
#include "gui/tree/NewCategoryDialog.h"
#include "store/Database.h"
#include "tree/CategoryCommands.h"
#include "tree/CategoryTreeHost.h"
#include "tree/ParentChooser.h"

namespace lh::gui {

using store::CategoryRecord;
using tree::CategoryCommandId;

// What the category commands report, turned into row changes and signals.
class CategoryPane::Host final : public tree::CategoryTreeHost {
public:
    explicit Host(CategoryPane& pane) : m_pane(pane) {}

    CategoryRecord* currentCategory() const override { return m_pane.currentCategory(); }
    void makeCurrent(CategoryRecord& category) override { m_pane.selectCategory(category.id); }
    void categoryAdded(CategoryRecord& category) override {
        if (!m_pane.m_model->insertCategory(category)) {
            m_pane.m_model->synchronize();
        }
    }
    void categoryMoved(CategoryRecord& category) override {
        if (!m_pane.m_model->moveCategory(category)) {
            m_pane.m_model->synchronize();
        }
    }
    void categoryRemoving(CategoryRecord& category) override { m_pane.beforeRemoval(category.id); }
    void categoryRenamed(CategoryRecord& category) override {
        m_pane.m_model->categoryChanged(category.id);
    }
    void favouritesChanged() override { emit m_pane.favouritesChanged(); }

private:
    CategoryPane& m_pane;
};

// The Database's own notices.
class CategoryPane::Observer final : public store::DatabaseObserver {
public:
    explicit Observer(CategoryPane& pane) : m_pane(pane) {}

    void treeRebuilt(CategoryRecord&) override { m_pane.rebuildTree(); }
    void databaseClearing() override { m_pane.onDatabaseClearing(); }
    void categoryRemoving(CategoryRecord& category) override { m_pane.beforeRemoval(category.id); }

private:
    CategoryPane& m_pane;
};

CategoryPane::CategoryPane(store::Database& db, ui::Prompter& prompter, QWidget* parent)
    : QWidget(parent),
      m_db(db),
      m_host(std::make_unique<Host>(*this)),
      m_observer(std::make_unique<Observer>(*this)),
      m_commands(std::make_unique<tree::CategoryCommands>(db, prompter, *m_host)) {
    setupUi();
    connectSignals();
}

CategoryPane::~CategoryPane() = default;

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
    connect(m_view, &CategoryTreeView::contextCommandTriggered, this,
            &CategoryPane::onContextCommand);
    connect(m_view, &CategoryTreeView::itemsDropped, this, &CategoryPane::itemsDropped);
}

store::DatabaseObserver& CategoryPane::databaseObserver() {
    return *m_observer;
}

// --- The current category ----------------------------------------------------------------------

CategoryRecord* CategoryPane::shownCategory(std::uint16_t id) const {
    return m_model->contains(id) ? m_db.findCategory(id) : nullptr;
}

CategoryRecord* CategoryPane::currentCategory() const {
    return m_currentId ? shownCategory(*m_currentId) : nullptr;
}

int CategoryPane::currentCategoryId() const {
    return currentCategory() != nullptr ? static_cast<int>(*m_currentId) : -1;
}

tree::CategoryMenuState CategoryPane::mainMenuState() const {
    return tree::mainMenuState(currentCategory());
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

void CategoryPane::rebuildTree() {
    closeDialog();
    m_view->clearClickedCategory();
    m_currentId.reset();
    m_view->setUpdatesEnabled(false);
    for (std::uint16_t id : m_model->rebuild()) {
        m_view->expand(m_model->indexOf(id));
    }
    if (const CategoryRecord* root = m_db.root()) {
        // The first category below the root; a tree of the root alone shows the root.
        selectCategory(root->firstChild != nullptr ? root->firstChild->id : root->id);
    } else {
        emit currentCategoryChanged(-1);
    }
    m_view->setUpdatesEnabled(true);
}

void CategoryPane::categoriesAdded() {
    m_model->synchronize();
    if (currentCategory() == nullptr && m_db.root() != nullptr) {
        const CategoryRecord* root = m_db.root();
        selectCategory(root->firstChild != nullptr ? root->firstChild->id : root->id);
    }
}

void CategoryPane::onDatabaseClearing() {
    closeDialog();
    m_view->clearClickedCategory();
    m_model->clear();
    setCurrent(std::nullopt);
}

void CategoryPane::beforeRemoval(std::uint16_t id) {
    if (m_currentId && m_model->isSameOrBelow(*m_currentId, id)) {
        const auto parent = m_model->parentOf(id);
        if (!parent || !selectCategory(*parent)) {
            setCurrent(std::nullopt);
        }
    }
    const auto clicked = m_view->clickedCategoryId();
    if (clicked && m_model->isSameOrBelow(*clicked, id)) {
        m_view->clearClickedCategory();
    }
    m_model->removeCategory(id);
}

bool CategoryPane::setBackground(const QString& fileName) {
    return m_view->setBackground(fileName);
}

// --- Commands ----------------------------------------------------------------------------------

void CategoryPane::newCategory() {
    const CategoryRecord* selected = currentCategory();
    if (tree::mainMenuState(selected).newCategory) {
        openCreateDialog(*selected, std::nullopt);  // opens on the chooser's third line
    }
}

void CategoryPane::deleteCategory() {
    CategoryRecord* selected = currentCategory();
    if (tree::mainMenuState(selected).deleteCategory) {
        m_commands->deleteCategory(selected, tree::DeleteOrigin::MainMenu);
    }
}

void CategoryPane::moveCategory() {
    const CategoryRecord* selected = currentCategory();
    if (tree::mainMenuState(selected).moveTo) {
        openMoveDialog(*selected);
    }
}

void CategoryPane::showProperties() {
    if (const CategoryRecord* selected = currentCategory()) {
        openPropertiesDialog(*selected);
    }
}

void CategoryPane::runCommand(int commandId) {
    switch (static_cast<CategoryCommandId>(commandId)) {
        case CategoryCommandId::MainNewCategory:
            newCategory();
            break;
        case CategoryCommandId::MainDelete:
            deleteCategory();
            break;
        case CategoryCommandId::MainMoveTo:
            moveCategory();
            break;
        case CategoryCommandId::MainProperties:
            showProperties();
            break;
        case CategoryCommandId::TreeNewCategory:
        case CategoryCommandId::TreeDelete:
        case CategoryCommandId::TreeMoveTo:
        case CategoryCommandId::TreeProperties:
            if (const auto clicked = m_view->clickedCategoryId()) {
                onContextCommand(static_cast<CategoryCommandId>(commandId), *clicked);
            }
            break;
    }
}

void CategoryPane::onContextCommand(CategoryCommandId command, quint16 categoryId) {
    CategoryRecord* clicked = shownCategory(categoryId);
    if (clicked == nullptr) {
        return;
    }
    const tree::CategoryMenuState state = tree::contextMenuState(categoryId);
    switch (command) {
        case CategoryCommandId::TreeNewCategory:
            if (state.newCategory) {
                openCreateDialog(*clicked, categoryId);
            }
            break;
        case CategoryCommandId::TreeDelete:
            if (state.deleteCategory) {
                m_commands->deleteCategory(clicked, tree::DeleteOrigin::ContextMenu);
                m_view->clearClickedCategory();
            }
            break;
        case CategoryCommandId::TreeMoveTo:
            if (state.moveTo) {
                openMoveDialog(*clicked);
            }
            break;
        case CategoryCommandId::TreeProperties:
            openPropertiesDialog(*clicked);
            break;
        default:
            break;
    }
}

// --- Dialogs -----------------------------------------------------------------------------------

void CategoryPane::openCreateDialog(const CategoryRecord& basis,
                                    std::optional<std::uint16_t> preselectId) {
    const auto choice = tree::buildParentChoice(m_db, basis.categoryClass(), preselectId);
    if (!choice) {
        return;
    }
    auto* dialog = new NewCategoryDialog(NewCategoryDialog::Mode::Create, *choice, this);
    dialog->setAcceptHandler([this](const NewCategoryDialog& d) {
        const auto parentId = d.selectedParentId();
        CategoryRecord* parent = parentId ? shownCategory(*parentId) : nullptr;
        return m_commands->create(parent, d.name(), d.memo());
    });
    showDialog(dialog);
}

void CategoryPane::openMoveDialog(const CategoryRecord& moved) {
    const auto choice = tree::buildParentChoice(m_db, moved.categoryClass(), std::nullopt);
    if (!choice) {
        return;
    }
    auto* dialog = new NewCategoryDialog(NewCategoryDialog::Mode::Move, *choice, this);
    dialog->showMovedCategory(moved.name, moved.memo);
    const std::uint16_t movedId = moved.id;
    dialog->setAcceptHandler([this, movedId](const NewCategoryDialog& d) {
        CategoryRecord* category = shownCategory(movedId);
        if (category == nullptr) {
            return tree::DialogOutcome::Close;
        }
        const auto targetId = d.selectedParentId();
        return m_commands->move(*category, targetId ? shownCategory(*targetId) : nullptr);
    });
    showDialog(dialog);
}

void CategoryPane::openPropertiesDialog(const CategoryRecord& category) {
    auto* dialog =
        new CategoryPropertiesDialog(category.id, category.name, category.memo,
                                     tree::CategoryCommands::countSubtree(category), this);
    dialog->setAcceptHandler([this](const CategoryPropertiesDialog& d) {
        CategoryRecord* edited = shownCategory(d.categoryId());
        if (edited == nullptr) {
            return tree::DialogOutcome::Close;
        }
        return m_commands->applyProperties(*edited, d.name(), d.comment());
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
