#include "gui/linkcheck/LinkCheckSession.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "gui/shell/BrowserLauncher.h"
#include "platform/Clock.h"
#include "store/Database.h"
#include "store/TreeWalk.h"

namespace lh::gui {

namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// The ids of the items of `category` at chain positions `first` to `last`.
std::vector<store::ItemId> itemsAt(const store::CategoryRecord& category, std::uint32_t first,
                                   std::uint32_t last) {
    std::vector<store::ItemId> ids;
    std::uint32_t at = 0;
    for (const store::ItemRecord* item = category.firstItem(); item != nullptr && at <= last;
         item = item->next(), ++at) {
        if (at >= first) {
            ids.push_back(item->id());
        }
    }
    return ids;
}

const store::CategoryRecord* childNamed(const store::CategoryRecord& parent,
                                        std::string_view name) {
    for (const store::CategoryRecord* c = parent.firstChild(); c != nullptr; c = c->nextSibling()) {
        if (c->name() == name) {
            return c;
        }
    }
    return nullptr;
}

}  // namespace

// The categories made from the window leave the tree's current category alone.
class LinkCheckSession::NoTree final : public commands::CategoryCommandsHost {
public:
    std::optional<store::CategoryId> currentCategory() const override { return std::nullopt; }
    void makeCurrent(store::CategoryId) override {}
};

LinkCheckSession::LinkCheckSession(Services services, RunFactory makeRun, QObject* parent)
    : QObject(parent),
      m_services(services),
      m_makeRun(std::move(makeRun)),
      m_noTree(std::make_unique<NoTree>()),
      m_categories(services.db, services.prompter, *m_noTree),
      m_commands(services.db, services.prompter),
      m_editor(services.db, services.prompter, services.clock) {
    qRegisterMetaType<linkcheck::LinkResult>();
    connect(this, &LinkCheckSession::resultReady, this, &LinkCheckSession::takeResult,
            Qt::QueuedConnection);
    connect(this, &LinkCheckSession::runEnded, this, &LinkCheckSession::endRun,
            Qt::QueuedConnection);
    m_services.db.addObserver(this);
}

LinkCheckSession::~LinkCheckSession() {
    stopRun();
    m_services.db.removeObserver(this);
}

void LinkCheckSession::setResultsPath(const std::string& path) {
    m_results = path.empty() ? nullptr : linkcheck::ResultsFile::open(path);
}

// --- Runs ----------------------------------------------------------------------------------------

bool LinkCheckSession::start(const std::vector<commands::LinkTarget>& links,
                             linkcheck::CheckOptions options, int freshDays) {
    stopRun();
    m_options = std::move(options);
    std::vector<LinkRow> rows;
    std::vector<linkcheck::LinkTarget> targets;
    rows.reserve(links.size());
    targets.reserve(links.size());
    for (const commands::LinkTarget& link : links) {
        const store::ItemRecord* item = m_services.db.findItem(link.id);
        rows.push_back({link.id, item != nullptr ? std::string(item->title()) : std::string(),
                        link.address, std::nullopt, false});
        targets.push_back({link.id, link.address});
    }
    m_model.setRows(std::move(rows));
    const linkcheck::RunPlan plan =
        linkcheck::planRun(targets, m_results.get(), m_services.clock.utcSeconds(), freshDays);
    for (const linkcheck::LinkResult& remembered : plan.remembered) {
        m_model.setResult(remembered);
    }
    const bool started = launch(plan.toCheck);
    m_total = links.size();
    m_done = plan.remembered.size();
    emit progressChanged();
    return started;
}

void LinkCheckSession::recheck(const std::vector<store::ItemId>& ids) {
    // A run under way stops; the rows it had not reached are checked with these.
    std::vector<store::ItemId> again = ids;
    if (running()) {
        for (const LinkRow& row : m_model.rows()) {
            if (!row.result) {
                again.push_back(row.id);
            }
        }
        stopRun();
    }
    std::sort(again.begin(), again.end());
    again.erase(std::unique(again.begin(), again.end()), again.end());
    std::vector<linkcheck::LinkTarget> targets;
    for (store::ItemId id : again) {
        const store::ItemRecord* item = m_services.db.findItem(id);
        if (item != nullptr && m_model.find(id) != nullptr) {
            m_model.setWaiting(id, std::string(item->address()));
            targets.push_back({id, std::string(item->address())});
        }
    }
    if (targets.empty()) {
        return;
    }
    const std::size_t count = targets.size();
    launch(std::move(targets));
    m_total = count;
    m_done = 0;
    emit progressChanged();
}

bool LinkCheckSession::launch(std::vector<linkcheck::LinkTarget> targets) {
    ++m_runNumber;
    m_cancelled = false;
    m_checked = 0;
    m_startedAt = m_services.clock.utcSeconds();
    if (targets.empty()) {
        m_running = false;
        return true;
    }
    m_run = m_makeRun ? m_makeRun() : nullptr;
    if (m_run == nullptr) {
        m_running = false;
        m_services.prompter.tell("The links cannot be checked: the checker is not available.",
                                 commands::Prompter::Icon::Warning);
        return false;
    }
    m_running = true;
    const quint64 number = m_runNumber;
    // Both callbacks run on the run's thread: they only send queued signals.
    m_run->start(
        std::move(targets), m_options,
        [this, number](const linkcheck::LinkResult& result) { emit resultReady(number, result); },
        [this, number] { emit runEnded(number); });
    return true;
}

void LinkCheckSession::cancel() {
    if (!running()) {
        return;
    }
    stopRun();
    m_cancelled = true;
    emit progressChanged();
}

void LinkCheckSession::stopRun() {
    if (m_run != nullptr) {
        m_run->cancel();  // joins the thread: nothing is sent after this
        m_run.reset();
    }
    m_running = false;
    ++m_runNumber;  // what it sent before is still queued: dropped on arrival
}

void LinkCheckSession::takeResult(quint64 run, const linkcheck::LinkResult& result) {
    if (run != m_runNumber) {
        return;
    }
    ++m_done;
    ++m_checked;
    if (m_model.setResult(result) && m_results != nullptr) {
        m_results->remember(result);
    }
    emit progressChanged();
}

void LinkCheckSession::endRun(quint64 run) {
    if (run != m_runNumber) {
        return;
    }
    m_running = false;
    emit progressChanged();
}

LinkProgress LinkCheckSession::progress() const {
    LinkProgress p;
    p.done = m_done;
    p.total = m_total;
    p.checked = m_checked;
    p.elapsedSeconds = m_services.clock.utcSeconds() - m_startedAt;
    p.cancelled = m_cancelled;
    p.finished = !m_running && !m_cancelled;
    return p;
}

// --- Actions -------------------------------------------------------------------------------------

void LinkCheckSession::open(const std::vector<store::ItemId>& ids) {
    for (store::ItemId id : ids) {
        if (const store::ItemRecord* item = m_services.db.findItem(id)) {
            m_services.browser.openUrl(std::string(item->address()));
        }
    }
}

void LinkCheckSession::moveTo(const std::vector<store::ItemId>& ids, store::CategoryId target) {
    m_commands.moveToCategory(ids, target);
}

commands::DialogOutcome LinkCheckSession::moveToNamed(const std::vector<store::ItemId>& ids,
                                                      std::optional<store::CategoryId> parent,
                                                      const std::string& name) {
    const store::CategoryRecord* below = parent ? m_services.db.findCategory(*parent) : nullptr;
    if (below == nullptr) {
        return commands::DialogOutcome::Close;
    }
    const store::CategoryRecord* target = name.empty() ? below : childNamed(*below, name);
    if (target == nullptr) {
        if (m_categories.create(below->id(), name, {}) == commands::DialogOutcome::KeepOpen) {
            return commands::DialogOutcome::KeepOpen;
        }
        target = childNamed(*below, name);
    }
    if (target != nullptr) {
        moveTo(ids, target->id());
    }
    return commands::DialogOutcome::Close;
}

void LinkCheckSession::moveToRecycle(const std::vector<store::ItemId>& ids) {
    m_commands.moveToCategory(ids, store::kRecycleId);
}

void LinkCheckSession::useNewAddresses(const std::vector<store::ItemId>& ids) {
    for (store::ItemId id : ids) {
        const LinkRow* row = m_model.find(id);
        if (row == nullptr || !offersNewAddress(*row)) {
            continue;
        }
        const std::string address = row->result->finalAddress;
        if (commands::useNewAddress(m_editor, m_services.db, m_services.prompter, id, address) ==
            commands::DialogOutcome::KeepOpen) {
            return;  // refused and told: the rest wait for the user
        }
    }
}

// --- Following the items -------------------------------------------------------------------------

void LinkCheckSession::itemsAboutToBeRemoved(const store::ItemRows& rows) {
    if (const store::CategoryRecord* category = m_services.db.findCategory(rows.category)) {
        for (store::ItemId id : itemsAt(*category, rows.first, rows.last)) {
            m_model.removeItem(id);
        }
    }
}

void LinkCheckSession::categoriesAboutToBeRemoved(const store::CategoryRows& rows) {
    // Their items go without events of their own.
    const store::CategoryRecord* parent = m_services.db.findCategory(rows.parent);
    const store::CategoryRecord* child = parent != nullptr ? parent->firstChild() : nullptr;
    for (std::uint32_t at = 0; child != nullptr && at <= rows.last;
         child = child->nextSibling(), ++at) {
        if (at < rows.first) {
            continue;
        }
        for (const commands::LinkTarget& link :
             commands::linksOf(m_services.db, child->id(), true)) {
            m_model.removeItem(link.id);
        }
    }
}

void LinkCheckSession::itemChanged(const store::ItemRecord& item, store::ItemFieldSet fields) {
    const LinkRow* row = m_model.find(item.id());
    if ((fields & static_cast<store::ItemFieldSet>(store::ItemField::Address)) != 0 &&
        row != nullptr && row->address != item.address()) {
        m_model.markEdited(item.id(), std::string(item.address()));
    }
}

void LinkCheckSession::bulkChangeEnded(bool contentsReplaced) {
    if (contentsReplaced) {
        matchRowsByAddress();
    }
}

void LinkCheckSession::matchRowsByAddress() {
    // The first link holding the address takes the row; a row whose address is gone goes.
    std::unordered_map<std::string, std::vector<store::ItemId>> byAddress;
    for (const commands::LinkTarget& link :
         commands::linksOf(m_services.db, store::kRootId, true)) {
        byAddress[link.address].push_back(link.id);
    }
    std::map<store::ItemId, store::ItemId> newIds;
    for (const LinkRow& row : m_model.rows()) {
        auto it = byAddress.find(row.address);
        if (it != byAddress.end() && !it->second.empty()) {
            newIds[row.id] = it->second.front();
            it->second.erase(it->second.begin());
        }
    }
    // The run's results name the old ids: it stops, and the rows it had not reached wait for a
    // Re-check.
    stopRun();
    m_model.rekey(newIds);
    emit progressChanged();
}

}  // namespace lh::gui
