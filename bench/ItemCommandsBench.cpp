// Measures the item commands on one big category: Move Up, Move Down and deleting one row, and
// moving or deleting every row at once. Prints a table; never fails on time.
//
//   linkhaven-bench-item-commands [ITEMS]

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "commands/ItemCommands.h"
#include "commands/Prompter.h"
#include "store/Database.h"

namespace {

using lh::store::ItemId;

// Keeps the files: answers No to every question.
class NoPrompter final : public lh::commands::Prompter {
public:
    Answer ask(const Message& message) override {
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
};

constexpr lh::store::CategoryId kCategory = 7;
constexpr lh::store::CategoryId kOther = 8;

std::vector<ItemId> fill(lh::store::Database& db, std::size_t count) {
    db.createDefault();
    std::vector<ItemId> ids;
    ids.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        ids.push_back(db.addItem(kCategory, {"http://example.org/" + n,
                                             "",
                                             "Item " + n,
                                             "",
                                             1,
                                             lh::store::kKindUrl,
                                             0,
                                             {},
                                             {}})
                          ->id());
    }
    return ids;
}

void report(const char* what, double seconds) {
    std::printf("%-40s %10.3f ms\n", what, seconds * 1000.0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100'000;
    std::printf("item commands on one category of %zu items\n", count);
    NoPrompter prompter;
    lh::store::Database db;
    lh::commands::ItemCommands commands(db, prompter);
    std::vector<ItemId> ids = fill(db, count);
    const std::vector<ItemId> middle{ids[count / 2]};
    report("Move Up, one row", lh::bench::secondsOf([&] { (void)commands.moveUp(middle); }));
    report("Move Down, one row", lh::bench::secondsOf([&] { (void)commands.moveDown(middle); }));
    report("Delete for good, one row",
           lh::bench::secondsOf([&] { commands.deleteItems(middle, kCategory, true); }));
    ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(count / 2));
    report("Move every row to another category",
           lh::bench::secondsOf([&] { commands.moveToCategory(ids, kOther); }));
    report("Delete every row to the Recycle",
           lh::bench::secondsOf([&] { commands.deleteItems(ids, kOther, false); }));
    report("Delete every row for good",
           lh::bench::secondsOf([&] { commands.deleteItems(ids, lh::store::kRecycleId, false); }));
    return 0;
}
