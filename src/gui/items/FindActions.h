#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

#include "items/Finder.h"

class QWidget;

namespace lh::store {
class Database;
}
namespace lh::settings {
struct AppSettings;
class SettingsStore;
}  // namespace lh::settings
namespace lh::commands {
class Prompter;
}

namespace lh::gui {

class ActionRegistry;
class FindDialog;

// Find and Find Next: the Find dialog, its history and field settings, and showing each hit.
// Showing is the window's part (select the category in the tree, then the row in the list).
class FindActions : public QObject {
    Q_OBJECT

public:
    struct Services {
        store::Database& db;
        commands::Prompter& prompter;
        settings::AppSettings& settings;
        settings::SettingsStore& settingsStore;
    };
    using ShowHit = std::function<void(const items::FindHit& hit)>;

    // Takes up the Find and Find Next commands of `actions`; the dialog opens over `parent`.
    FindActions(ActionRegistry& actions, Services services, QWidget* parent);
    ~FindActions() override;

    void setShowHit(ShowHit show) { m_showHit = std::move(show); }

    // Opens the Find dialog (window-modal, without a nested event loop).
    void openFind();
    void findNext();
    FindDialog* openDialog() const;
    void closeDialog();

private:
    void search(const FindDialog& dialog);
    void show(const std::optional<items::FindHit>& hit);

    Services m_services;
    QWidget* m_parent;
    items::Finder m_finder;
    ShowHit m_showHit;
    QPointer<FindDialog> m_dialog;
};

}  // namespace lh::gui
