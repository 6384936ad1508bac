#pragma once

#include <string>

namespace lh::store {
class ItemRecord;
class Database;
}  // namespace lh::store

namespace lh::cli {

// One item as `list` prints it: category names, 1-based position in the chain, kind, texts, rate
// and create time; File items add their folder, Remind items their schedule.
std::string itemJson(const store::Database& db, const store::ItemRecord& item);

}  // namespace lh::cli
