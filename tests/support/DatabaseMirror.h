#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::test {

// Keeps its own copy of the database's rows (the sub-categories of each category, the items of
// each chain), changed only by the events, the way a Qt item model follows them: rows counted
// before each change, a move's destination counted with the moving rows still in place. When
// its copy differs from the database afterwards, an event carried a wrong row.
class DatabaseMirror final : public store::DatabaseObserver {
public:
    explicit DatabaseMirror(store::Database& db) : m_db(db) {
        reset();
        m_db.addObserver(this);
    }
    ~DatabaseMirror() override { m_db.removeObserver(this); }

    // The events as short texts, e.g. "items+ 3 0-0", "cats> 1 2-2 to 3@4", "bulk(replaced)".
    std::vector<std::string> events;

    // Fails the test where the copy differs from the database.
    void expectInStep() const {
        const Rows now = read(m_db);
        EXPECT_EQ(m_children, now.children) << "category rows";
        EXPECT_EQ(m_items, now.items) << "item rows";
    }

    void bulkChangeBegun() override {
        events.push_back("bulk{");
        m_inBulk = true;
    }
    void bulkChangeEnded(bool replaced) override {
        events.push_back(replaced ? "}bulk(replaced)" : "}bulk");
        m_inBulk = false;
        reset();
    }

    void categoriesAboutToBeInserted(const store::CategoryRows& rows) override {
        begin(rows.first <= m_children[rows.parent].size(), "category rows to insert");
    }
    void categoriesInserted(const store::CategoryRows& rows) override {
        end("cats+ " + text(rows));
        const std::vector<store::CategoryId> now = read(m_db).children[rows.parent];
        auto& mine = m_children[rows.parent];
        for (std::uint32_t row = rows.first; row <= rows.last; ++row) {
            mine.insert(mine.begin() + row, now.at(row));
        }
    }
    void categoriesAboutToBeMoved(const store::CategoryRows& rows, store::CategoryId to,
                                  std::uint32_t toRow) override {
        begin(validMove(m_children[rows.parent].size(), m_children[to].size(), rows.parent == to,
                        rows.first, rows.last, toRow),
              "category move");
    }
    void categoriesMoved(const store::CategoryRows& rows, store::CategoryId to,
                         std::uint32_t toRow) override {
        end("cats> " + text(rows) + " to " + std::to_string(to) + "@" + std::to_string(toRow));
        move(m_children[rows.parent], m_children[to], rows.first, rows.last, toRow);
    }
    void categoriesAboutToBeRemoved(const store::CategoryRows& rows) override {
        begin(rows.last < m_children[rows.parent].size(), "category rows to remove");
    }
    void categoriesRemoved(const store::CategoryRows& rows) override {
        end("cats- " + text(rows));
        auto& mine = m_children[rows.parent];
        mine.erase(mine.begin() + rows.first, mine.begin() + rows.last + 1);
    }
    void categoryChanged(const store::CategoryRecord& c, store::CategoryFieldSet fields) override {
        events.push_back("cat~ " + std::to_string(c.id()) + " " + std::to_string(fields));
    }

    void itemsAboutToBeInserted(const store::ItemRows& rows) override {
        begin(rows.first <= m_items[rows.category].size(), "item rows to insert");
    }
    void itemsInserted(const store::ItemRows& rows) override {
        end("items+ " + text(rows));
        const std::vector<store::ItemId> now = read(m_db).items[rows.category];
        auto& mine = m_items[rows.category];
        for (std::uint32_t row = rows.first; row <= rows.last; ++row) {
            mine.insert(mine.begin() + row, now.at(row));
        }
    }
    void itemsAboutToBeMoved(const store::ItemRows& rows, store::CategoryId to,
                             std::uint32_t toRow) override {
        begin(validMove(m_items[rows.category].size(), m_items[to].size(), rows.category == to,
                        rows.first, rows.last, toRow),
              "item move");
    }
    void itemsMoved(const store::ItemRows& rows, store::CategoryId to,
                    std::uint32_t toRow) override {
        end("items> " + text(rows) + " to " + std::to_string(to) + "@" + std::to_string(toRow));
        move(m_items[rows.category], m_items[to], rows.first, rows.last, toRow);
    }
    void itemsAboutToBeRemoved(const store::ItemRows& rows) override {
        begin(rows.last < m_items[rows.category].size(), "item rows to remove");
    }
    void itemsRemoved(const store::ItemRows& rows) override {
        end("items- " + text(rows));
        auto& mine = m_items[rows.category];
        mine.erase(mine.begin() + rows.first, mine.begin() + rows.last + 1);
    }
    void itemChanged(const store::ItemRecord& item, store::ItemFieldSet fields) override {
        events.push_back("item~ " + std::to_string(item.id()) + " " + std::to_string(fields));
    }

private:
    struct Rows {
        std::map<store::CategoryId, std::vector<store::CategoryId>> children;
        std::map<store::CategoryId, std::vector<store::ItemId>> items;
    };

    static Rows read(const store::Database& db) {
        Rows rows;
        store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& c) {
            auto& children = rows.children[c.id()];
            for (auto* child = c.firstChild(); child != nullptr; child = child->nextSibling()) {
                children.push_back(child->id());
            }
            auto& items = rows.items[c.id()];
            store::walkItems(c, [&](const store::ItemRecord& item) {
                items.push_back(item.id());
                return false;
            });
            return false;
        });
        return rows;
    }

    // Qt refuses a move whose rows are out of range or whose destination is one of the two
    // places that leave the rows where they are.
    static bool validMove(std::size_t fromSize, std::size_t toSize, bool sameParent,
                          std::uint32_t first, std::uint32_t last, std::uint32_t toRow) {
        if (last < first || last >= fromSize || toRow > toSize) {
            return false;
        }
        return !(sameParent && toRow >= first && toRow <= last + 1);
    }

    template <typename Id>
    static void move(std::vector<Id>& from, std::vector<Id>& to, std::uint32_t first,
                     std::uint32_t last, std::uint32_t toRow) {
        const std::vector<Id> moving(from.begin() + first, from.begin() + last + 1);
        const bool same = &from == &to;
        from.erase(from.begin() + first, from.begin() + last + 1);
        if (same && toRow > first) {
            toRow -= static_cast<std::uint32_t>(moving.size());
        }
        to.insert(to.begin() + toRow, moving.begin(), moving.end());
    }

    template <typename R>
    static std::string text(const R& rows) {
        const auto owner = [](const auto& r) {
            if constexpr (requires { r.parent; }) {
                return r.parent;
            } else {
                return r.category;
            }
        };
        return std::to_string(owner(rows)) + " " + std::to_string(rows.first) + "-" +
               std::to_string(rows.last);
    }

    void begin(bool valid, const char* what) {
        EXPECT_FALSE(m_inBulk) << "an event inside bulk work";
        EXPECT_FALSE(m_open) << "an about-to event before the last one was done";
        EXPECT_TRUE(valid) << "an invalid " << what;
        m_open = true;
    }
    void end(std::string event) {
        EXPECT_TRUE(m_open) << "a done event without its about-to event: " << event;
        m_open = false;
        events.push_back(std::move(event));
    }
    void reset() {
        const Rows rows = read(m_db);
        m_children = rows.children;
        m_items = rows.items;
    }

    store::Database& m_db;
    std::map<store::CategoryId, std::vector<store::CategoryId>> m_children;
    std::map<store::CategoryId, std::vector<store::ItemId>> m_items;
    bool m_open = false;
    bool m_inBulk = false;
};

// A URL item's fields.
inline store::ItemFields link(std::string title, std::string address, std::uint32_t flags = 0) {
    store::ItemFields fields;
    fields.title = std::move(title);
    fields.address = std::move(address);
    fields.flags = flags;
    return fields;
}

}  // namespace lh::test
