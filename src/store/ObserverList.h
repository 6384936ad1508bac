#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "store/DatabaseObserver.h"

namespace lh::store {

// The observers of one Database, told of each event in the order they were added. An observer
// may add or remove observers (itself included) while it is being told.
class ObserverList {
public:
    // `observer` is not owned; it must be removed before it is destroyed.
    void add(DatabaseObserver* observer) { m_observers.push_back(observer); }
    void remove(DatabaseObserver* observer) {
        const auto it = std::find(m_observers.begin(), m_observers.end(), observer);
        if (it == m_observers.end()) {
            return;
        }
        if (m_depth > 0) {
            *it = nullptr;  // compacted once nobody walks the list
        } else {
            m_observers.erase(it);
        }
    }

    // Calls `method` with `args` on every observer.
    template <typename Method, typename... Args>
    void notify(Method method, const Args&... args) {
        const Walk walk(*this);
        for (std::size_t i = 0; i < m_observers.size(); ++i) {
            if (DatabaseObserver* o = m_observers[i]) {
                (o->*method)(args...);
            }
        }
    }

private:
    // Marks a walk over the list; the last one to end drops the removed observers.
    class Walk {
    public:
        explicit Walk(ObserverList& list) : m_list(list) { ++m_list.m_depth; }
        ~Walk() {
            if (--m_list.m_depth == 0) {
                std::erase(m_list.m_observers, nullptr);
            }
        }
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

    private:
        ObserverList& m_list;
    };

    std::vector<DatabaseObserver*> m_observers;
    int m_depth = 0;
};

}  // namespace lh::store
