#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gui/linkcheck/LinkCheckSession.h"
#include "store/Kinds.h"

class QWidget;

namespace lh::settings {
struct AppSettings;
}

namespace lh::gui {

class ActionRegistry;
class LinkCheckStartDialog;
class LinkCheckWindow;
class LinkMoveDialog;

// Tools > "Check Links...": asks what to check (LinkCheckStartDialog) on the current category,
// or on "WebFavorite" when there is none, then checks it in the results window, one per main
// window, made at the first check and shown again by the next.
class LinkCheckActions : public QObject {
    Q_OBJECT

public:
    struct Services {
        store::Database& db;
        commands::Prompter& prompter;
        settings::AppSettings& settings;
        BrowserLauncher& browser;
        const platform::Clock& clock;
    };
    using CurrentCategory = std::function<std::optional<store::CategoryId>()>;
    using DataFile = std::function<std::string()>;

    // Everything given must outlive this object; the dialogs and the window are children of
    // `window`.
    LinkCheckActions(ActionRegistry& actions, Services services, QWidget* window);
    ~LinkCheckActions() override;

    void setCurrentCategory(CurrentCategory current) { m_current = std::move(current); }
    // The data file beside which results are remembered (empty: none).
    void setDataFile(DataFile dataFile) { m_dataFile = std::move(dataFile); }
    // Replaces how runs are made (tests hand in a scripted one).
    void setRunFactory(LinkCheckSession::RunFactory factory) { m_makeRun = std::move(factory); }

    // Opens the start dialog for the current category.
    void openStartDialog();
    // Checks `category` as chosen; opens or raises the results window.
    void check(store::CategoryId category, bool withSubcategories, int freshDays);
    // Closes the dialogs and the window; a run stops.
    void closeAll();

    // The open dialogs (null when closed).
    LinkCheckStartDialog* startDialog() const;
    LinkMoveDialog* moveDialog() const;
    LinkCheckWindow* window() const { return m_resultsWindow; }
    LinkCheckSession* session() const { return m_session.get(); }

private:
    void ensureWindow();
    void openMoveDialog(const std::vector<store::ItemId>& ids);

    Services m_services;
    QWidget* m_window;
    CurrentCategory m_current;
    DataFile m_dataFile;
    LinkCheckSession::RunFactory m_makeRun;
    std::unique_ptr<LinkCheckSession> m_session;
    QPointer<LinkCheckStartDialog> m_startDialog;
    QPointer<LinkMoveDialog> m_moveDialog;
    LinkCheckWindow* m_resultsWindow = nullptr;
};

}  // namespace lh::gui
