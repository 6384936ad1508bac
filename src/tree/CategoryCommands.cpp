#include "tree/CategoryCommands.h"

#include <cstdio>
#include <memory>

#include "store/Kinds.h"
#include "store/TreeWalk.h"
#include "text/Utf8.h"

namespace lh::tree {

namespace {

using store::CategoryRecord;
using Answer = ui::Prompter::Answer;
using Buttons = ui::Prompter::Buttons;
using Icon = ui::Prompter::Icon;

// Ids below this one are the root, "WebFavorite" and "Recycle": never renamed, moved or deleted.
constexpr std::uint16_t kFirstUserId = 3;
// The tree's own Delete also leaves ids 3 and 4 alone.
constexpr std::uint16_t kFirstContextDeletableId = 5;

std::string_view trimBlanks(std::string_view s) {
    constexpr std::string_view kBlanks = " \t\n\v\f\r";
    const std::size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

}  // namespace

std::string duplicateCategoryMessage(std::string_view name) {
    std::string text = "Category name \"";
    text += name;
    text += "\" is duplicate.";
    return text;
}

CategoryCommands::CategoryCommands(store::Database& db, ui::Prompter& prompter,
                                   CategoryTreeHost& host)
    : m_db(db), m_prompter(prompter), m_host(host) {}

void CategoryCommands::tell(std::string text) {
    m_prompter.tell(text, Icon::Information);
}

bool CategoryCommands::hasChildNamed(const CategoryRecord& parent, std::string_view name,
                                     const CategoryRecord* except) {
    for (const CategoryRecord* c = parent.firstChild; c != nullptr; c = c->nextSibling) {
        if (c != except && c->name == name) {
            return true;
        }
    }
    return false;
}

DialogOutcome CategoryCommands::create(CategoryRecord* parent, std::string_view name,
                                       std::string_view memo) {
    if (parent == nullptr) {
        return DialogOutcome::Close;
    }
    if (name.empty() || name.size() > kCategoryNameMax) {
        tell(std::string(kNameLengthMessage));
        return DialogOutcome::KeepOpen;
    }
    if (hasChildNamed(*parent, name)) {
        tell(duplicateCategoryMessage(name));
        return DialogOutcome::KeepOpen;
    }
    auto owned = std::make_unique<CategoryRecord>();
    owned->name = std::string(name);
    owned->memo = std::string(text::cutUtf8(memo, kCategoryMemoMax));
    CategoryRecord* added = m_db.addCategory(std::move(owned), *parent);
    if (added == nullptr) {
        // The 16-bit category ids are used up until the next load renumbers them.
        tell("No more categories can be created. Save, then open the file again.");
        return DialogOutcome::Close;
    }
    m_host.categoryAdded(*added);
    if (added->categoryClass() == store::kClassUrl) {
        m_host.favouritesChanged();
    }
    return DialogOutcome::Close;
}

DialogOutcome CategoryCommands::move(CategoryRecord& moved, CategoryRecord* target) {
    if (target == nullptr || target == &moved || moved.id < kFirstUserId ||
        target->categoryClass() != moved.categoryClass()) {
        return DialogOutcome::Close;
    }
    if (hasChildNamed(*target, moved.name)) {
        tell(duplicateCategoryMessage(moved.name));
        return DialogOutcome::KeepOpen;
    }
    if (store::Database::isSameOrBelow(*target, moved)) {
        tell(std::string(kCantMoveMessage));
        return DialogOutcome::Close;
    }
    if (!m_db.moveCategory(moved, *target)) {
        return DialogOutcome::Close;
    }
    m_host.categoryMoved(moved);
    if (moved.categoryClass() == store::kClassUrl) {
        m_host.favouritesChanged();
    }
    return DialogOutcome::Close;
}

void CategoryCommands::deleteCategory(CategoryRecord* category, DeleteOrigin origin) {
    if (category == nullptr) {
        return;
    }
    // The questions are modal; look the category up again after each of them.
    const std::uint16_t id = category->id;
    const Answer sure = m_prompter.ask(
        {std::string(kDeleteQuestion), "Linkhaven", Buttons::OkCancel, Icon::Question});
    category = m_db.findCategory(id);
    if (sure != Answer::Ok || category == nullptr || category->backLink == nullptr) {
        return;
    }
    const std::uint16_t minimum =
        origin == DeleteOrigin::ContextMenu ? kFirstContextDeletableId : kFirstUserId;
    if (id < minimum) {
        return;
    }
    if (CategoryRecord* next = currentAfterDelete(m_db, *category, m_host.currentCategory())) {
        m_host.makeCurrent(*next);
    }
    m_host.categoryRemoving(*category);
    const std::uint8_t categoryClass = category->categoryClass();
    bool deleteFiles = false;
    if (origin == DeleteOrigin::ContextMenu && categoryClass == store::kClassFile) {
        deleteFiles = m_prompter.ask({std::string(kDeleteFilesQuestion), "Linkhaven",
                                      Buttons::YesNo, Icon::Question}) == Answer::Yes;
    }
    if (m_db.findCategory(id) == nullptr) {
        return;
    }
    m_db.setDeleteFilesAnswer(deleteFiles);
    m_db.removeCategory(id);
    m_db.setDeleteFilesAnswer(false);
    if (categoryClass == store::kClassUrl) {
        m_host.favouritesChanged();
    }
}

CategoryRecord* CategoryCommands::currentAfterDelete(const store::Database& db,
                                                     const CategoryRecord& deleted,
                                                     const CategoryRecord* current) {
    if (current == nullptr || !store::Database::isSameOrBelow(*current, deleted)) {
        return nullptr;
    }
    if (current == &deleted) {
        CategoryRecord* first = db.root() != nullptr ? db.root()->firstChild : nullptr;
        if (first != nullptr && !store::Database::isSameOrBelow(*first, deleted)) {
            return first;
        }
    }
    return deleted.parent;
}

DialogOutcome CategoryCommands::applyProperties(CategoryRecord& category, std::string_view name,
                                                std::string_view comment) {
    const std::string memo(text::cutUtf8(comment, kCategoryMemoMax));
    if (category.id < kFirstUserId) {
        // The fixed categories keep their names; their name field cannot be edited.
        category.memo = memo;
        return DialogOutcome::Close;
    }
    const std::string_view trimmed = trimBlanks(name);
    if (trimmed.empty()) {
        return DialogOutcome::KeepOpen;
    }
    const std::string newName(text::cutUtf8(trimmed, kCategoryNameMax));
    category.memo = memo;  // kept even when the name is refused below
    if (category.parent != nullptr && hasChildNamed(*category.parent, newName, &category)) {
        tell(std::string(kDuplicateNameMessage));
        return DialogOutcome::KeepOpen;
    }
    // Only favourites categories can be renamed.
    if (category.categoryClass() == store::kClassUrl && category.name != newName) {
        category.name = newName;
        m_host.categoryRenamed(category);
        m_host.favouritesChanged();
    }
    return DialogOutcome::Close;
}

SubtreeCounts CategoryCommands::countSubtree(const CategoryRecord& category) {
    SubtreeCounts counts;
    const auto countItems = [&](const CategoryRecord& c) {
        store::walkItems(c, [&](const store::ItemRecord&) {
            ++counts.totalItems;
            return false;
        });
    };
    countItems(category);
    store::walkDescendants(category, [&](const CategoryRecord& c) {
        ++counts.subCategories;
        countItems(c);
        return false;
    });
    return counts;
}

std::string CategoryCommands::formatCount(std::size_t count) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%10zu", count);
    return buffer;
}

}  // namespace lh::tree
