#pragma once

#include <algorithm>
#include <vector>

#include "store/DatabaseObserver.h"

namespace lh::store {

// Passes every event on to several observers, in the order they were added. The Database takes
// one observer; the views each add themselves here.
class ObserverList final : public DatabaseObserver {
public:
    void add(DatabaseObserver* observer) { m_observers.push_back(observer); }
    void remove(DatabaseObserver* observer) { std::erase(m_observers, observer); }

    void treeRebuilt(CategoryRecord& root) override { each(&DatabaseObserver::treeRebuilt, root); }
    void databaseClearing() override { each(&DatabaseObserver::databaseClearing); }
    void categoryRemoving(CategoryRecord& c) override {
        each(&DatabaseObserver::categoryRemoving, c);
    }
    void itemAdded(ItemRecord& item) override { each(&DatabaseObserver::itemAdded, item); }
    void itemRemoving(ItemRecord& item) override { each(&DatabaseObserver::itemRemoving, item); }
    void favouriteAdded(ItemRecord& item) override {
        each(&DatabaseObserver::favouriteAdded, item);
    }
    void favouriteRemoved(ItemRecord& item) override {
        each(&DatabaseObserver::favouriteRemoved, item);
    }
    void favouritesRenumbered() override { each(&DatabaseObserver::favouritesRenumbered); }
    void allocationFailed(std::string_view message) override {
        each(&DatabaseObserver::allocationFailed, message);
    }

private:
    template <typename Method, typename... Args>
    void each(Method method, Args&&... args) {
        const auto copy = m_observers;  // an observer may remove itself
        for (DatabaseObserver* o : copy) {
            (o->*method)(args...);
        }
    }

    std::vector<DatabaseObserver*> m_observers;
};

}  // namespace lh::store
