#include "gui/update/UpdateChecker.h"

#include <QMetaObject>

#include <cstdlib>
#include <optional>

#include "gui/update/MoreInfoDialog.h"
#include "gui/update/UpdateCheckDialog.h"
#include "gui/update/WebPage.h"
#include "update/CheckAnswer.h"
#include "update/HttpResponse.h"
#include "update/ProductInfo.h"
#include "update/UpdateClient.h"

namespace lh::gui {

namespace {
// getaddrinfo cannot be interrupted: exit waits this long, then leaves the check behind.
constexpr std::chrono::milliseconds kShutdownGrace{1000};
}  // namespace

UpdateChecker::UpdateChecker(std::unique_ptr<update::UpdateRunner> runner, BrowserLauncher& browser,
                             QWidget* window)
    : QObject(window), m_runner(std::move(runner)), m_browser(browser), m_window(window) {
    m_showPopup = [](QDialog& popup) { popup.exec(); };
}

UpdateChecker::~UpdateChecker() {
    shutdown();  // a report must never reach a checker that is gone
}

void UpdateChecker::setRunner(std::unique_ptr<update::UpdateRunner> runner) {
    m_runner->shutdown(kShutdownGrace);
    m_runner = std::move(runner);
}

void UpdateChecker::automaticCheck() {
    if (!m_shutDown) {
        (void)m_runner->start(reporter());
    }
}

void UpdateChecker::reap() {
    m_runner->reapIfEnded();
}

void UpdateChecker::openCheckDialog() {
    UpdateCheckDialog dialog(m_window);
    begin(dialog);
    dialog.exec();
}

UpdateCheckDialog* UpdateChecker::showCheckDialog() {
    auto* dialog = new UpdateCheckDialog(m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    begin(*dialog);
    dialog->show();
    return dialog;
}

void UpdateChecker::begin(UpdateCheckDialog& dialog) {
    m_dialog = &dialog;
    connect(&dialog, &QDialog::finished, this, [this] { m_dialog = nullptr; });
    connect(&dialog, &MoreInfoDialog::moreInfoRequested, this, &UpdateChecker::openDownloadPage);
    // A running check answers this dialog; an ended one is reaped and a new one starts.
    if (m_shutDown || m_runner->start(reporter()) == update::UpdateRunner::Start::Failed) {
        dialog.showResult(update::kNoInformation);
    }
}

void UpdateChecker::shutdown() {
    m_shutDown = true;
    m_runner->shutdown(kShutdownGrace);
}

update::UpdateRunner::Report UpdateChecker::reporter() {
    // Runs on the check's thread; the runner calls it only until shutdown, which the destructor
    // does, so `this` is alive here.
    return [this](int result) {
        QMetaObject::invokeMethod(
            this, [this, result] { receive(result); }, Qt::QueuedConnection);
    };
}

void UpdateChecker::receive(int result) {
    if (m_shutDown) {
        return;  // posted before the exit began
    }
    if (m_dialog != nullptr) {
        m_dialog->showResult(result);
        return;
    }
    if (result != update::kNewerVersion) {
        return;  // the automatic check says nothing but news
    }
    MoreInfoDialog popup(QStringLiteral("Linkhaven Pop"), QStringLiteral("Cancel"), m_window);
    popup.setObjectName(QStringLiteral("updatePopup"));
    popup.setText(QString::fromUtf8(update::kNewerVersionText));
    connect(&popup, &MoreInfoDialog::moreInfoRequested, this, &UpdateChecker::openDownloadPage);
    m_showPopup(popup);
}

void UpdateChecker::openDownloadPage() {
    (void)openWebPage(m_browser, update::kDownloadPage);
}

std::unique_ptr<update::UpdateRunner> makeUpdateRunner() {
    const std::optional<update::UpdateServer> server =
        update::chooseUpdateServer(std::getenv(update::kUpdateUrlVariable));
    return update::makeThreadRunner([server](const std::atomic<bool>& stop) {
        return server ? update::fetchUpdateInfo(*server, stop) : int{update::kNoInformation};
    });
}

}  // namespace lh::gui
