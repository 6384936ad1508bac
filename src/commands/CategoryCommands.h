#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "commands/CategoryCommandsHost.h"
#include "commands/Prompter.h"
#include "store/Kinds.h"

namespace lh::store {
class CategoryRecord;
class Database;
}  // namespace lh::store

namespace lh::commands {

// Texts the category commands show.
inline constexpr std::string_view kNameLengthMessage = " Category name length is between 1--156 ";
inline constexpr std::string_view kCantMoveMessage = "Can't move Category!";
inline constexpr std::string_view kDuplicateNameMessage = "Duplicate name";
inline constexpr std::string_view kDeleteQuestion = "Delete Category and it's sub-categories ? ";
inline constexpr std::string_view kDeleteFilesQuestion = "Also delete file(s)?";
inline constexpr std::string_view kDeleteFilesDetail =
    "Files deleted from the disk cannot be brought back: Undo restores the items, not the files.";
// "Also delete file(s)?" with its Yes and No, and the word that undo cannot bring files back.
Prompter::Message deleteFilesQuestion();
// `name` in single quotes, as undo steps name what they changed.
std::string quotedName(std::string_view name);
// "Category name \"<name>\" is duplicate."
std::string duplicateCategoryMessage(std::string_view name);

// Limits on category texts, in bytes (cut on a character boundary).
inline constexpr std::size_t kCategoryNameMax = 156;
inline constexpr std::size_t kCategoryMemoMax = 3000;

// What a dialog does after its OK was handled.
enum class DialogOutcome { Close, KeepOpen };

// Where Delete was chosen: the two menus follow different rules.
enum class DeleteOrigin { ContextMenu, MainMenu };

// Counts shown by the Properties dialog.
struct SubtreeCounts {
    std::size_t subCategories = 0;  // every category below, at any depth
    std::size_t totalItems = 0;     // the category's own items and those of every category below
};

// Create, move, delete and edit categories: the rules and the questions, with every change made
// by the Database (the tree follows its events). The user is asked and told through the
// prompter. Categories are named by id; an id that is gone meanwhile ends a command quietly.
class CategoryCommands {
public:
    CategoryCommands(store::Database& db, Prompter& prompter, CategoryCommandsHost& host);

    // OK of the "New Category" dialog in create mode: a new category `name` (as typed) with
    // `memo` as the last child of `parent`. Refusals (length, duplicate sibling name) are shown
    // and keep the dialog open; no parent closes it without effect.
    DialogOutcome create(std::optional<store::CategoryId> parent, std::string_view name,
                         std::string_view memo);

    // OK of the "New Category" dialog in move mode: `moved` becomes the last child of `target`.
    // No target, the category itself, a fixed category or another class close without effect;
    // a sibling of the same name keeps the dialog open; a target below `moved` is refused.
    DialogOutcome move(store::CategoryId moved, std::optional<store::CategoryId> target);

    // Delete from either menu: asks, then removes the category with everything below it. When
    // the current category is that one or lies below it, another one becomes current first.
    void deleteCategory(store::CategoryId id, DeleteOrigin origin);

    // OK of the "Properties" dialog: stores the comment, then the (trimmed) name.
    DialogOutcome applyProperties(store::CategoryId id, std::string_view name,
                                  std::string_view comment);

    // The category that becomes current before `deleted` goes, or null when the current one
    // stays: the root's first child when `deleted` is the current one itself, the parent of
    // `deleted` when the current one lies below it.
    static const store::CategoryRecord* currentAfterDelete(const store::Database& db,
                                                           const store::CategoryRecord& deleted,
                                                           const store::CategoryRecord* current);

    static SubtreeCounts countSubtree(const store::CategoryRecord& category);
    // What Delete takes with it, beside its question: "'Bulk' with 3 sub-categories and 120
    // links" (items, outside the link categories).
    static std::string deleteDetail(const store::CategoryRecord& category);
    // A count as the Properties dialog shows it: "%10d".
    static std::string formatCount(std::size_t count);

private:
    // True when a child of `parent` other than `except` is called exactly `name`.
    static bool hasChildNamed(const store::CategoryRecord& parent, std::string_view name,
                              const store::CategoryRecord* except = nullptr);
    void tell(std::string text);

    store::Database& m_db;
    Prompter& m_prompter;
    CategoryCommandsHost& m_host;
};

}  // namespace lh::commands
