#pragma once

#include <gtest/gtest.h>

#include <map>
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
    using Cats = store::CategoryRows;
    using Items = store::ItemRows;
    using Id = store::CategoryId;
    using Row = std::uint32_t;

public:
    explicit DatabaseMirror(store::Database& db) : m_db(db), m_rows(read(db)) {
        m_db.addObserver(this);
    }
    ~DatabaseMirror() override { m_db.removeObserver(this); }

    // The events as short texts, e.g. "items+ 3 0-0", "cats> 1 2-2 to 3@4", "}bulk(replaced)".
    std::vector<std::string> events;

    // Fails the test where the copy differs from the database.
    void expectInStep() const {
        EXPECT_EQ(m_rows, read(m_db)) << "rows ('c' sub-categories, 'i' items)";
    }

    void bulkChangeBegun() override {
        events.push_back("bulk{");
        m_inBulk = true;
    }
    void bulkChangeEnded(bool replaced) override {
        events.push_back(replaced ? "}bulk(replaced)" : "}bulk");
        m_inBulk = false;
        m_rows = read(m_db);
    }

    void categoriesAboutToBeInserted(const Cats& r) override { aboutToInsert(of(r)); }
    void categoriesInserted(const Cats& r) override { inserted("cats+ ", of(r)); }
    void categoriesAboutToBeMoved(const Cats& r, Id to, Row at) override {
        aboutToMove(of(r), to, at);
    }
    void categoriesMoved(const Cats& r, Id to, Row at) override { moved("cats> ", of(r), to, at); }
    void categoriesAboutToBeRemoved(const Cats& r) override { aboutToRemove(of(r)); }
    void categoriesRemoved(const Cats& r) override { removed("cats- ", of(r)); }
    void categoryChanged(const store::CategoryRecord& c, store::CategoryFieldSet fields) override {
        events.push_back("cat~ " + std::to_string(c.id()) + " " + std::to_string(fields));
    }

    void itemsAboutToBeInserted(const Items& r) override { aboutToInsert(of(r)); }
    void itemsInserted(const Items& r) override { inserted("items+ ", of(r)); }
    void itemsAboutToBeMoved(const Items& r, Id to, Row at) override { aboutToMove(of(r), to, at); }
    void itemsMoved(const Items& r, Id to, Row at) override { moved("items> ", of(r), to, at); }
    void itemsAboutToBeRemoved(const Items& r) override { aboutToRemove(of(r)); }
    void itemsRemoved(const Items& r) override { removed("items- ", of(r)); }
    void itemChanged(const store::ItemRecord& item, store::ItemFieldSet fields) override {
        events.push_back("item~ " + std::to_string(item.id()) + " " + std::to_string(fields));
    }

private:
    // The ids under each category: ('c', id) its sub-categories, ('i', id) its items.
    using Rows = std::map<std::pair<char, store::CategoryId>, std::vector<std::uint32_t>>;
    // The rows of one event, category or item alike.
    struct Span {
        char kind;
        store::CategoryId owner;
        std::uint32_t first, last;
    };
    static Span of(const Cats& r) { return {'c', r.parent, r.first, r.last}; }
    static Span of(const Items& r) { return {'i', r.category, r.first, r.last}; }

    static Rows read(const store::Database& db) {
        Rows rows;
        store::walkSearchOrder(db.root(), [&](const store::CategoryRecord& c) {
            auto& cats = rows[{'c', c.id()}];
            for (auto* child = c.firstChild(); child != nullptr; child = child->nextSibling()) {
                cats.push_back(child->id());
            }
            auto& items = rows[{'i', c.id()}];
            store::walkItems(c, [&](const store::ItemRecord& item) {
                items.push_back(item.id());
                return false;
            });
            return false;
        });
        return rows;
    }

    std::vector<std::uint32_t>& list(const Span& s, store::CategoryId owner) {
        return m_rows[{s.kind, owner}];
    }
    std::string text(const char* tag, const Span& s) {
        return tag + std::to_string(s.owner) + " " + std::to_string(s.first) + "-" +
               std::to_string(s.last);
    }

    void aboutToInsert(const Span& s) { begin(s.first <= list(s, s.owner).size(), "insert"); }
    void inserted(const char* tag, const Span& s) {
        end(text(tag, s));
        const std::vector<std::uint32_t> now = read(m_db)[{s.kind, s.owner}];
        auto& mine = list(s, s.owner);
        for (std::uint32_t row = s.first; row <= s.last; ++row) {
            mine.insert(mine.begin() + row, now.at(row));
        }
    }
    // Qt refuses a move whose rows are out of range or whose destination is one of the two
    // places that leave the rows where they are.
    void aboutToMove(const Span& s, store::CategoryId to, std::uint32_t toRow) {
        const bool same = s.owner == to;
        begin(s.first <= s.last && s.last < list(s, s.owner).size() &&
                  toRow <= list(s, to).size() && !(same && toRow >= s.first && toRow <= s.last + 1),
              "move");
    }
    void moved(const char* tag, const Span& s, store::CategoryId to, std::uint32_t toRow) {
        end(text(tag, s) + " to " + std::to_string(to) + "@" + std::to_string(toRow));
        auto& from = list(s, s.owner);
        const std::vector<std::uint32_t> moving(from.begin() + s.first, from.begin() + s.last + 1);
        from.erase(from.begin() + s.first, from.begin() + s.last + 1);
        if (s.owner == to && toRow > s.first) {
            toRow -= static_cast<std::uint32_t>(moving.size());
        }
        auto& into = list(s, to);
        into.insert(into.begin() + toRow, moving.begin(), moving.end());
    }
    void aboutToRemove(const Span& s) { begin(s.last < list(s, s.owner).size(), "remove"); }
    void removed(const char* tag, const Span& s) {
        end(text(tag, s));
        auto& mine = list(s, s.owner);
        mine.erase(mine.begin() + s.first, mine.begin() + s.last + 1);
    }

    void begin(bool valid, const char* what) {
        EXPECT_FALSE(m_inBulk) << "an event inside bulk work";
        EXPECT_FALSE(m_open) << "an about-to event before the last one was done";
        EXPECT_TRUE(valid) << "rows out of place for a " << what;
        m_open = true;
    }
    void end(std::string event) {
        EXPECT_TRUE(m_open) << "a done event without its about-to event: " << event;
        m_open = false;
        events.push_back(std::move(event));
    }

    store::Database& m_db;
    Rows m_rows;
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
