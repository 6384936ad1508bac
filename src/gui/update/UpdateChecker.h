#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

#include "update/UpdateWorker.h"

class QDialog;
class QWidget;

namespace lh::gui {

class BrowserLauncher;
class UpdateCheckDialog;

// The update check on the window's side: starts checks on its runner and routes each result,
// on the GUI thread, to the open "Check Newest Version" dialog, else (a newer version only) to
// the "Linkhaven Pop" pop-up, else nowhere. Owned by the main window.
class UpdateChecker : public QObject {
    Q_OBJECT

public:
    // Shows the pop-up (modally in the program; tests record it instead).
    using PopupShower = std::function<void(QDialog& popup)>;

    // `window` parents the dialogs and owns the checker.
    UpdateChecker(std::unique_ptr<update::UpdateRunner> runner, BrowserLauncher& browser,
                  QWidget* window);
    ~UpdateChecker() override;

    // The automatic check, once, 70 seconds after the start: starts unless a check runs (it is
    // not tried again); failures stay silent.
    void automaticCheck();
    // Frees an ended check (every housekeeping tick).
    void reap();
    // Help > "Check for a new version": the dialog, modally.
    void openCheckDialog();
    // The same dialog shown without waiting (deleted when closed).
    UpdateCheckDialog* showCheckDialog();
    // Stops the check, waiting at most a second; nothing is shown afterwards.
    void shutdown();

    void setPopupShower(PopupShower shower) { m_showPopup = std::move(shower); }
    // Replaces the runner (tests hand in their own).
    void setRunner(std::unique_ptr<update::UpdateRunner> runner);

private:
    void begin(UpdateCheckDialog& dialog);
    update::UpdateRunner::Report reporter();
    void receive(int result);
    void openDownloadPage();

    std::unique_ptr<update::UpdateRunner> m_runner;
    BrowserLauncher& m_browser;
    QWidget* m_window;
    PopupShower m_showPopup;
    QPointer<UpdateCheckDialog> m_dialog;  // the open check dialog, which gets the results
    bool m_shutDown = false;
};

// The runner the program uses: fetchUpdateInfo on the server that LINKHAVEN_UPDATE_URL names,
// else ours; a value it refuses makes every check fail without asking anyone.
std::unique_ptr<update::UpdateRunner> makeUpdateRunner();

}  // namespace lh::gui
