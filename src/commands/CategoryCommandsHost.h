#pragma once

#include <optional>

#include "store/Kinds.h"

namespace lh::commands {

// What the category commands need from the category tree on screen: the current category (the
// one whose items are shown). Everything else the tree learns from the Database's events.
class CategoryCommandsHost {
public:
    virtual ~CategoryCommandsHost() = default;

    // The id of the current category, if there is one.
    virtual std::optional<store::CategoryId> currentCategory() const = 0;
    // Selects category `id` in the tree and makes it the current category.
    virtual void makeCurrent(store::CategoryId id) = 0;
};

}  // namespace lh::commands
