#include "gui/linkcheck/LinkCheckActions.h"

#include <cstdlib>

#include "commands/ItemCategoryChoice.h"
#include "commands/LinkTargets.h"
#include "gui/linkcheck/LinkCheckOptions.h"
#include "gui/linkcheck/LinkCheckStartDialog.h"
#include "gui/linkcheck/LinkCheckWindow.h"
#include "gui/linkcheck/LinkMoveDialog.h"
#include "gui/shell/ActionRegistry.h"
#include "linkcheck/ResultsFile.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

LinkCheckActions::LinkCheckActions(ActionRegistry& actions, Services services, QWidget* window)
    : QObject(window),
      m_services(services),
      m_window(window),
      m_makeRun([] { return linkcheck::makeThreadRun(); }) {
    actions.handle(CommandId::CheckLinks, [this] { openStartDialog(); });
}

LinkCheckActions::~LinkCheckActions() {
    closeAll();
    delete m_resultsWindow;  // before the session it shows
}

LinkCheckStartDialog* LinkCheckActions::startDialog() const {
    return m_startDialog;
}

LinkMoveDialog* LinkCheckActions::moveDialog() const {
    return m_moveDialog;
}

void LinkCheckActions::openStartDialog() {
    // A closed dialog lingers until the event loop deletes it.
    if (m_startDialog != nullptr && m_startDialog->isVisible()) {
        m_startDialog->raise();
        return;
    }
    const std::optional<store::CategoryId> current = m_current ? m_current() : std::nullopt;
    const store::CategoryRecord* category =
        m_services.db.findCategory(current.value_or(store::kFavoritesId));
    if (category == nullptr || category->id() == store::kRootId) {
        category = m_services.db.findCategory(store::kFavoritesId);
    }
    if (category == nullptr) {
        return;
    }
    const settings::AppSettings& s = m_services.settings;
    auto* dialog = new LinkCheckStartDialog(
        category->name(), {true, s.LinkCheckFreshDays, s.LinkCheckPrivate}, m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const store::CategoryId id = category->id();
    dialog->setAcceptHandler([this, id](const LinkCheckStartDialog::Choice& choice) {
        m_services.settings.LinkCheckFreshDays = static_cast<std::uint16_t>(choice.freshDays);
        m_services.settings.LinkCheckPrivate = choice.allowPrivate;
        check(id, choice.withSubcategories, choice.freshDays);
    });
    m_startDialog = dialog;
    dialog->open();
}

void LinkCheckActions::check(store::CategoryId category, bool withSubcategories, int freshDays) {
    ensureWindow();
    if (const store::CategoryRecord* checked = m_services.db.findCategory(category)) {
        m_resultsWindow->setWindowTitle(
            QStringLiteral("Check Links: %1").arg(QString::fromStdString(checked->name())));
    }
    m_session->setResultsPath(m_dataFile ? linkcheck::resultsPathFor(m_dataFile()) : "");
    m_resultsWindow->setProxyNote(proxyInEnvironment(environmentValue));
    m_resultsWindow->show();
    m_resultsWindow->raise();
    m_session->start(commands::linksOf(m_services.db, category, withSubcategories),
                     checkOptionsFrom(m_services.settings), freshDays);
}

void LinkCheckActions::ensureWindow() {
    if (m_session == nullptr) {
        m_session = std::make_unique<LinkCheckSession>(
            LinkCheckSession::Services{m_services.db, m_services.prompter, m_services.browser,
                                       m_services.clock},
            [this] { return m_makeRun(); });
    }
    if (m_resultsWindow == nullptr) {
        m_resultsWindow = new LinkCheckWindow(*m_session, m_window);
        m_resultsWindow->setMoveChooser(
            [this](const std::vector<store::ItemId>& ids) { openMoveDialog(ids); });
    }
}

void LinkCheckActions::openMoveDialog(const std::vector<store::ItemId>& ids) {
    if ((m_moveDialog != nullptr && m_moveDialog->isVisible()) || ids.empty()) {
        return;
    }
    const store::ItemRecord* first = m_services.db.findItem(ids.front());
    const commands::ParentChoice choice = commands::buildItemCategoryChoice(
        m_services.db, store::kFavoritesId,
        {first != nullptr ? first->categoryId() : store::kFavoritesId, false});
    auto* dialog = new LinkMoveDialog(choice, m_resultsWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptHandler([this, ids](const LinkMoveDialog& d) {
        return m_session->moveToNamed(ids, d.selectedCategoryId(), d.newCategoryName());
    });
    m_moveDialog = dialog;
    dialog->open();
}

void LinkCheckActions::closeAll() {
    if (m_moveDialog != nullptr) {
        m_moveDialog->reject();
    }
    if (m_startDialog != nullptr) {
        m_startDialog->reject();
    }
    if (m_resultsWindow != nullptr) {
        m_resultsWindow->close();
    }
    if (m_session != nullptr) {
        m_session->cancel();
    }
}

}  // namespace lh::gui
