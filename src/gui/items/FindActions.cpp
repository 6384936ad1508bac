#include "gui/items/FindActions.h"

#include "commands/Prompter.h"
#include "gui/items/FindDialog.h"
#include "gui/shell/ActionRegistry.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

constexpr const char* kNoHitMessage = "Item not find!";

}  // namespace

FindActions::FindActions(ActionRegistry& actions, Services services, QWidget* parent)
    : QObject(parent), m_services(services), m_parent(parent), m_finder(services.db) {
    actions.handle(CommandId::Find, [this] { openFind(); });
    actions.handle(CommandId::FindNext, [this] { findNext(); });
}

FindActions::~FindActions() {
    closeDialog();
}

void FindActions::openFind() {
    closeDialog();
    auto* dialog = new FindDialog(m_services.settings.FindType,
                                  m_services.settingsStore.readFindHistory(), m_parent);
    dialog->setAcceptHandler([this](const FindDialog& d) { search(d); });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    m_dialog = dialog;
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        if (m_dialog == dialog) {
            m_dialog = nullptr;
        }
    });
    dialog->show();
}

void FindActions::search(const FindDialog& dialog) {
    const std::string text = dialog.text();
    if (text.empty()) {
        (void)m_finder.find(text, dialog.type(), 0);  // forgets the last hit
        return;
    }
    if (!dialog.historyHolds(text)) {
        m_services.settingsStore.addFindText(text);
    }
    const items::FindType type = dialog.type();
    const unsigned fields = dialog.fields();
    m_services.settings.FindType =
        items::withFindFields(m_services.settings.FindType, type, fields);
    const bool searchable =
        m_services.db.findCategory(static_cast<store::CategoryId>(type)) != nullptr;
    const auto hit = m_finder.find(text, type, fields);
    if (searchable && !hit) {
        m_services.prompter.tell(kNoHitMessage, commands::Prompter::Icon::Information);
    }
    show(hit);
}

void FindActions::findNext() {
    const unsigned fields = items::findFields(m_services.settings.FindType, m_finder.lastType());
    show(m_finder.findNext(fields));
}

void FindActions::show(const std::optional<items::FindHit>& hit) {
    if (hit && m_showHit) {
        m_showHit(*hit);
    }
}

FindDialog* FindActions::openDialog() const {
    return m_dialog;
}

void FindActions::closeDialog() {
    if (FindDialog* dialog = m_dialog) {
        m_dialog = nullptr;
        dialog->reject();
    }
}

}  // namespace lh::gui
