#include "history/UndoStep.h"

#include <variant>

namespace lh::history {

void UndoStep::add(store::Change change) {
    // An import adds items by the hundred thousand: one list of ids, not one change each.
    auto* added = std::get_if<store::ItemsAdded>(&change);
    auto* last = m_changes.empty() ? nullptr : std::get_if<store::ItemsAdded>(&m_changes.back());
    if (added != nullptr && last != nullptr) {
        last->ids.insert(last->ids.end(), added->ids.begin(), added->ids.end());
        m_bytes += added->ids.size() * sizeof(store::ItemId);
        return;
    }
    m_bytes += store::keptBytes(change);
    m_changes.push_back(std::move(change));
}

}  // namespace lh::history
