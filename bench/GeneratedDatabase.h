#pragma once

// Builds a realistic big database for the benchmarks: a tree of categories under "WebFavorite"
// holding mostly links, with some File and Remind items.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "store/Database.h"

namespace lh::bench {

struct GeneratedShape {
    std::size_t items = 1'000'000;
    std::size_t categories = 5'000;
    std::uint32_t seed = 1;
};

inline std::string generatedAddress(std::size_t n) {
    return "https://www.site" + std::to_string(n % 9973) + ".example.com/articles/" +
           std::to_string(n / 7) + "/page-" + std::to_string(n) + ".html";
}

inline void generateDatabase(store::Database& db, const GeneratedShape& shape) {
    std::mt19937 random(shape.seed);
    db.createDefault();
    std::vector<store::CategoryId> categories;
    categories.push_back(store::kFavoritesId);
    // A bushy tree: each new category goes below a random earlier one, favouring recent ones.
    while (categories.size() < shape.categories) {
        std::uniform_int_distribution<std::size_t> pick(categories.size() / 2,
                                                        categories.size() - 1);
        store::NewCategory category;
        category.name = "Folder " + std::to_string(categories.size());
        categories.push_back(db.addCategory(categories[pick(random)], category)->id());
    }
    static const char* const kWords[] = {"News",    "Recipes", "Linux", "Travel", "Music",
                                         "Science", "Weather", "Shop",  "Forum",  "Docs"};
    std::uniform_int_distribution<std::size_t> whichCategory(0, categories.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    store::ItemFields item;
    for (std::size_t i = 0; i < shape.items; ++i) {
        const store::CategoryId category = categories[whichCategory(random)];
        item = {};
        item.rate = static_cast<std::uint8_t>(1 + i % 5);
        item.createTime = {2026, static_cast<std::uint8_t>(1 + i % 12), 15, 10, 30, 0, 0};
        const int roll = percent(random);
        std::string title = std::string(kWords[i % 10]) + " - " + kWords[(i / 10) % 10] +
                            " page number " + std::to_string(i);
        item.comment = roll < 30 ? "read later" : "";
        if (roll == 0) {
            item.flags = store::kKindFile;
            item.fileSize = 1000 + i;
            item.location = "/home/user/Documents/archive";
            item.title = "file-" + std::to_string(i) + ".pdf";
        } else if (roll == 1) {
            item.flags = store::kKindRemind | 0x10;
            item.remindTime = {27,
                               static_cast<std::uint8_t>(1 + i % 12),
                               static_cast<std::uint8_t>(1 + i % 28),
                               9,
                               0,
                               0,
                               0};
            item.location = "/usr/share/sounds/bell.wav";
            item.title = std::move(title);
        } else {
            item.address = generatedAddress(i);
            item.title = std::move(title);
        }
        db.addItem(category, item);
    }
}

}  // namespace lh::bench
