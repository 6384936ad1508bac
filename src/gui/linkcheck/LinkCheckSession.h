#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/CategoryCommands.h"
#include "commands/ItemCommands.h"
#include "commands/ItemEditor.h"
#include "commands/LinkTargets.h"
#include "gui/linkcheck/LinkProgress.h"
#include "gui/linkcheck/LinkResultsModel.h"
#include "linkcheck/LinkChecker.h"
#include "linkcheck/ResultsFile.h"
#include "store/DatabaseObserver.h"

namespace lh::platform {
class Clock;
}
namespace lh::store {
class Database;
}

Q_DECLARE_METATYPE(lh::linkcheck::LinkResult)

namespace lh::gui {

class BrowserLauncher;

// What the link-check window shows and does, without widgets: the rows (LinkResultsModel), the
// run behind them and its progress, the remembered results, and the actions on rows. The run
// works on a copy of (item id, address) pairs on a thread of its own; its results come back
// through queued signals. Rows follow their items through the Database's events: a deleted
// item's row goes, an edited address marks its row, and after a load rows are matched again by
// address. Every change to the data goes through the item commands.
class LinkCheckSession : public QObject, private store::DatabaseObserver {
    Q_OBJECT

public:
    struct Services {
        store::Database& db;
        commands::Prompter& prompter;
        BrowserLauncher& browser;
        const platform::Clock& clock;
    };
    using RunFactory = std::function<std::unique_ptr<linkcheck::LinkCheckRun>()>;

    // Everything given must outlive the session.
    LinkCheckSession(Services services, RunFactory makeRun, QObject* parent = nullptr);
    ~LinkCheckSession() override;

    // The results file to read and keep results in (empty: none).
    void setResultsPath(const std::string& path);

    // Checks `links` afresh with `options`: the rows are replaced, links with a result of the
    // last `freshDays` days take it at once, the rest are checked. False (the user told) when no
    // run can be made.
    bool start(const std::vector<commands::LinkTarget>& links, linkcheck::CheckOptions options,
               int freshDays);
    // Checks the rows of `ids` again, with their items' current addresses.
    void recheck(const std::vector<store::ItemId>& ids);
    // Stops the run at once; nothing more arrives from it.
    void cancel();
    bool running() const { return m_run != nullptr && m_running; }

    // --- Actions on rows -------------------------------------------------------------------------
    void open(const std::vector<store::ItemId>& ids);
    void moveTo(const std::vector<store::ItemId>& ids, store::CategoryId target);
    // Move to the child of `parent` called `name` (made when there is none; an empty name moves
    // to `parent` itself). A refused name is told and keeps the dialog open.
    commands::DialogOutcome moveToNamed(const std::vector<store::ItemId>& ids,
                                        std::optional<store::CategoryId> parent,
                                        const std::string& name);
    void moveToRecycle(const std::vector<store::ItemId>& ids);
    // "Use new address" for the `moved` rows among `ids`.
    void useNewAddresses(const std::vector<store::ItemId>& ids);

    LinkResultsModel& model() { return m_model; }
    LinkProgress progress() const;

signals:
    // A result or the end of a run arrived, or the run was cancelled.
    void progressChanged();
    // Sent from the run's thread; delivered queued.
    void resultReady(quint64 run, const lh::linkcheck::LinkResult& result);
    void runEnded(quint64 run);

private:
    // DatabaseObserver.
    void itemsAboutToBeRemoved(const store::ItemRows& rows) override;
    void categoriesAboutToBeRemoved(const store::CategoryRows& rows) override;
    void itemChanged(const store::ItemRecord& item, store::ItemFieldSet fields) override;
    void bulkChangeEnded(bool contentsReplaced) override;

    void takeResult(quint64 run, const linkcheck::LinkResult& result);
    void endRun(quint64 run);
    // Starts a run over `targets`; false when none can be made.
    bool launch(std::vector<linkcheck::LinkTarget> targets);
    void stopRun();
    void matchRowsByAddress();

    class NoTree;

    Services m_services;
    RunFactory m_makeRun;
    std::unique_ptr<NoTree> m_noTree;
    commands::CategoryCommands m_categories;
    commands::ItemCommands m_commands;
    commands::ItemEditor m_editor;
    LinkResultsModel m_model;
    std::unique_ptr<linkcheck::ResultsFile> m_results;
    std::unique_ptr<linkcheck::LinkCheckRun> m_run;
    linkcheck::CheckOptions m_options;
    quint64 m_runNumber = 0;  // results of an older run are dropped
    bool m_running = false;
    bool m_cancelled = false;
    std::size_t m_done = 0;
    std::size_t m_total = 0;
    std::size_t m_checked = 0;
    std::int64_t m_startedAt = 0;
};

}  // namespace lh::gui
