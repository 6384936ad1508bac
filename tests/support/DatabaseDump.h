#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::test {

// The whole database as text, one line per category and item: ids, tree and chain order, every
// stored value, whether an item has a favourites-menu slot and a reminder entry, then the
// reminder index (the ids filed under each key). Slot numbers themselves are left out: an item
// brought back takes a fresh one. Lines starting with "!" report indexes that disagree with the
// records (an id that finds another record, a slot or entry of an item that is gone).
inline std::string remindText(const store::DateTimeStamp& t) {
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
           " " + std::to_string(t.hour) + ":" + std::to_string(t.minute);
}

inline std::string dumpDatabase(const store::Database& db) {
    std::string out;
    std::size_t items = 0;
    std::size_t slots = 0;
    std::map<std::uint32_t, std::size_t> kinds;  // items found of each kind
    store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& c) {
        out += "C" + std::to_string(c.id()) + " in " +
               std::to_string(c.parent() != nullptr ? c.parent()->id() : 0) + " depth " +
               std::to_string(c.depth()) + " '" + c.name() + "' '" + c.memo() + "' " +
               std::to_string(c.flags()) + " n" + std::to_string(c.itemCount()) + "\n";
        std::uint32_t position = 0;
        store::walkItems(c, [&](const store::ItemRecord& i) {
            ++items;
            ++kinds[i.kind()];
            out += "  I" + std::to_string(i.id()) + " @" + std::to_string(i.position()) + " '" +
                   std::string(i.address()) + "' '" + std::string(i.location()) + "' '" +
                   std::string(i.title()) + "' '" + std::string(i.comment()) + "' " +
                   std::to_string(i.rate()) + " " + std::to_string(i.flags()) + " " +
                   std::to_string(i.fileSize()) + " " + remindText(i.remindTime()) +
                   (i.menuId() != store::kNoMenuId ? " menu" : "") + "\n";
            if (i.position() != position++ || i.categoryId() != c.id() ||
                db.findItem(i.id()) != &i) {
                out += "! I" + std::to_string(i.id()) + " misplaced or not found by id\n";
            }
            if (i.menuId() != store::kNoMenuId) {
                ++slots;
                if (db.findMenuItem(i.menuId()) != &i) {
                    out += "! I" + std::to_string(i.id()) + " not in its menu slot\n";
                }
            }
            return false;
        });
        return false;
    });
    for (const auto& [kind, n] : kinds) {
        if (db.itemCountOfKind(kind) != n) {
            out += "! kind " + std::to_string(kind) + ": counted " +
                   std::to_string(db.itemCountOfKind(kind)) + ", found " + std::to_string(n) + "\n";
        }
    }
    if (items != db.itemCount() || slots != db.menuIndex().size()) {
        out += "! counts: " + std::to_string(db.itemCount()) + " items, " +
               std::to_string(db.menuIndex().size()) + " slots\n";
    }
    for (const auto& [key, list] : db.remindIndex()) {
        std::vector<store::ItemId> ids;
        for (const store::ItemRecord* i : list) {
            ids.push_back(i->id());
        }
        std::sort(ids.begin(), ids.end());  // an item filed again goes to the end of its key
        out += "R" + std::to_string(key) + ":";
        for (store::ItemId id : ids) {
            out += " " + std::to_string(id);
        }
        out += "\n";
    }
    return out;
}

}  // namespace lh::test
