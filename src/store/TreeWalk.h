#pragma once

#include <cstdint>
#include <vector>

#include "store/CategoryRecord.h"
#include "store/ItemRecord.h"

// The walks over the category tree, each with an explicit stack: a category may have a hundred
// thousand siblings or sit ten thousand levels deep.

namespace lh::store {

// Relation of a category to its anchor, as the file stores it.
inline constexpr std::uint8_t kRelationFirstChild = 0;
inline constexpr std::uint8_t kRelationNextSibling = 1;

// File order: a category, then its later siblings (each with everything below it), then its
// children. Calls fn(category, anchor, relation), where the anchor is the category it hangs from
// (the previous sibling or the parent; null for `start`). Used by the writer and by the renumbering
// of the favourites menu.
template <typename Fn>
void walkFileOrder(const CategoryRecord* start, Fn&& fn) {
    struct Step {
        const CategoryRecord* category;
        const CategoryRecord* anchor;
        std::uint8_t relation;
    };
    std::vector<Step> stack;
    if (start != nullptr) {
        stack.push_back({start, nullptr, kRelationNextSibling});
    }
    while (!stack.empty()) {
        const Step step = stack.back();
        stack.pop_back();
        fn(*step.category, step.anchor, step.relation);
        // Pushed in reverse: the siblings come off the stack before the children.
        if (step.category->firstChild() != nullptr) {
            stack.push_back({step.category->firstChild(), step.category, kRelationFirstChild});
        }
        if (step.category->nextSibling() != nullptr) {
            stack.push_back({step.category->nextSibling(), step.category, kRelationNextSibling});
        }
    }
}

// Search order: a category, then everything below it, then its later siblings (each with
// everything below it). Used by Find and by the duplicate tests. fn(category) returns true to stop;
// the walk returns whether it was stopped.
template <typename Fn>
bool walkSearchOrder(const CategoryRecord* start, Fn&& fn) {
    std::vector<const CategoryRecord*> stack;
    if (start != nullptr) {
        stack.push_back(start);
    }
    while (!stack.empty()) {
        const CategoryRecord* category = stack.back();
        stack.pop_back();
        if (fn(*category)) {
            return true;
        }
        if (category->nextSibling() != nullptr) {
            stack.push_back(category->nextSibling());
        }
        if (category->firstChild() != nullptr) {
            stack.push_back(category->firstChild());
        }
    }
    return false;
}

// Every category below `parent` (not `parent` itself) in search order.
template <typename Fn>
bool walkDescendants(const CategoryRecord& parent, Fn&& fn) {
    return walkSearchOrder(parent.firstChild(), fn);
}

// The items of one category's chain, first to last; fn(item) returns true to stop.
template <typename Fn>
bool walkItems(const CategoryRecord& category, Fn&& fn) {
    for (const ItemRecord* item = category.firstItem(); item != nullptr; item = item->next()) {
        if (fn(*item)) {
            return true;
        }
    }
    return false;
}

}  // namespace lh::store
