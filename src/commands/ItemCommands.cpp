#include "commands/ItemCommands.h"

#include <algorithm>
#include <string>

#include "commands/CategoryCommands.h"
#include "store/ChangeStep.h"
#include "store/Database.h"

namespace lh::commands {

namespace {

using store::ItemId;
using store::ItemRecord;
using Records = std::vector<const ItemRecord*>;

// A failure report names this many files at most; the rest are counted.
constexpr std::size_t kFailuresNamed = 10;

// The items among `ids` that still exist, in list order (by category, then row).
Records recordsInListOrder(const store::Database& db, std::span<const ItemId> ids) {
    Records records;
    records.reserve(ids.size());
    for (ItemId id : ids) {
        if (const ItemRecord* item = db.findItem(id)) {
            records.push_back(item);
        }
    }
    std::sort(records.begin(), records.end(), [](const ItemRecord* a, const ItemRecord* b) {
        return a->categoryId() != b->categoryId() ? a->categoryId() < b->categoryId()
                                                  : a->position() < b->position();
    });
    records.erase(std::unique(records.begin(), records.end()), records.end());
    return records;
}

// The items of the category of the first of `records`, in rows that follow one another, as
// [first, last] index pairs into `records`, top run first.
std::vector<std::pair<std::size_t, std::size_t>> runsOf(const Records& records) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0;
         i < records.size() && records[i]->categoryId() == records.front()->categoryId(); ++i) {
        if (runs.empty() || records[i]->position() != records[runs.back().second]->position() + 1) {
            runs.emplace_back(i, i);
        } else {
            runs.back().second = i;
        }
    }
    return runs;
}

// "Item 'title'" for one item, "3 Items" for more.
std::string itemsName(const Records& records) {
    return records.size() == 1 ? "Item " + quotedName(records.front()->title())
                               : std::to_string(records.size()) + " Items";
}

std::vector<ItemId> idsOf(const Records& records) {
    std::vector<ItemId> ids(records.size());
    std::transform(records.begin(), records.end(), ids.begin(),
                   [](const ItemRecord* r) { return r->id(); });
    return ids;
}

}  // namespace

std::string fileDeleteReport(const std::vector<platform::IoError>& failures) {
    std::string text = "These files could not be deleted:";
    for (std::size_t i = 0; i < failures.size() && i < kFailuresNamed; ++i) {
        text += "\n" + failures[i].userMessage();
    }
    if (failures.size() > kFailuresNamed) {
        text += "\n... and " + std::to_string(failures.size() - kFailuresNamed) + " more";
    }
    return text;
}

ItemCommands::ItemCommands(store::Database& db, Prompter& prompter)
    : m_db(db), m_prompter(prompter) {}

void ItemCommands::deleteItems(std::span<const ItemId> selected, store::CategoryId current,
                               bool permanent) {
    if (permanent || current == store::kRecycleId) {
        deletePermanently(selected);
    } else {
        moveToCategory(selected, store::kRecycleId);
    }
}

void ItemCommands::deletePermanently(std::span<const ItemId> selected) {
    const Records records = recordsInListOrder(m_db, selected);
    if (records.empty()) {
        return;
    }
    const bool holdsFiles = std::any_of(records.begin(), records.end(), [](const ItemRecord* r) {
        return r->kind() == store::kKindFile;
    });
    const std::vector<ItemId> ids = idsOf(records);  // the records may go while the box shows
    bool deleteFiles = false;
    if (holdsFiles) {
        deleteFiles = m_prompter.ask(deleteFilesQuestion()) == Prompter::Answer::Yes;
    }
    const store::ChangeStep step(m_db, "Delete " + itemsName(records));
    const std::vector<platform::IoError> failures = m_db.deleteItems(ids, deleteFiles);
    if (!failures.empty()) {
        m_prompter.tell(fileDeleteReport(failures), Prompter::Icon::Warning);
    }
}

void ItemCommands::moveToCategory(std::span<const ItemId> selected, store::CategoryId target) {
    const store::CategoryRecord* category = m_db.findCategory(target);
    Records records = recordsInListOrder(m_db, selected);
    if (category == nullptr || records.empty()) {
        return;
    }
    std::reverse(records.begin(), records.end());
    const ItemRecord* first = category->firstItem();
    const ItemId before =
        target == store::kRecycleId && first != nullptr ? first->id() : store::kNoItemId;
    const store::ChangeStep step(
        m_db, target == store::kRecycleId
                  ? "Delete " + itemsName(records)
                  : "Move " + itemsName(records) + " to " + quotedName(category->name()));
    m_db.moveItems(idsOf(records), target, before);
}

std::vector<ItemId> ItemCommands::moveUp(std::span<const ItemId> selected) {
    const Records records = recordsInListOrder(m_db, selected);
    if (records.empty() || records.front()->prev() == nullptr) {
        return idsOf(records);
    }
    // A run of rows moves up by taking the item above it to its end.
    const store::CategoryId category = records.front()->categoryId();
    const store::ChangeStep step(m_db, "Move Up");
    for (const auto& [first, last] : runsOf(records)) {
        const ItemRecord* above = records[first]->prev();
        const ItemRecord* below = records[last]->next();
        const ItemId moving = above->id();
        m_db.moveItems(std::span(&moving, 1), category,
                       below != nullptr ? below->id() : store::kNoItemId);
    }
    return idsOf(records);
}

std::vector<ItemId> ItemCommands::moveDown(std::span<const ItemId> selected) {
    const Records records = recordsInListOrder(m_db, selected);
    const auto runs = runsOf(records);
    if (runs.empty() || records[runs.back().second]->next() == nullptr) {
        return idsOf(records);
    }
    // A run of rows moves down by taking the item below it to its front.
    const store::CategoryId category = records.front()->categoryId();
    const store::ChangeStep step(m_db, "Move Down");
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        const ItemId moving = records[run->second]->next()->id();
        m_db.moveItems(std::span(&moving, 1), category, records[run->first]->id());
    }
    return idsOf(records);
}

}  // namespace lh::commands
