#include "gui/items/RemindDialogs.h"

#include "commands/FileChooser.h"
#include "commands/ItemCategoryChoice.h"
#include "commands/RemindEditor.h"
#include "commands/RemindForm.h"
#include "gui/items/ItemDialogParts.h"
#include "gui/items/ItemDialogs.h"
#include "gui/items/RemindDialog.h"
#include "platform/Clock.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

// The category the Remind dialog's list starts from.
constexpr store::CategoryId kRemindRootId = 3;

}  // namespace

RemindDialogs::RemindDialogs(Services services, ItemDialogs& dialogs, QWidget* parent)
    : QObject(parent), m_services(services), m_dialogs(dialogs), m_parent(parent) {}

commands::RemindEditor RemindDialogs::editor() const {
    return commands::RemindEditor(m_services.db, m_services.prompter, m_services.clock);
}

void RemindDialogs::open(store::ItemId id, store::CategoryId currentCategory) {
    const settings::AppSettings& settings = m_services.settings;
    const platform::LocalTime now = m_services.clock.now();
    if (id == store::kNoItemId) {
        auto* dialog =
            new RemindDialog(commands::buildItemCategoryChoice(m_services.db, kRemindRootId,
                                                               {settings.RmdNormal1, false}),
                             m_parent);
        dialog->setValues(commands::newRemindForm(settings, now), settings.RmdNormal);
        show(dialog, [](commands::RemindEditor& ed, const commands::RemindValues& values) {
            return ed.add(values);
        });
        return;
    }
    const store::ItemRecord* item = m_services.db.findItem(id);
    if (item == nullptr) {
        return;
    }
    auto* dialog = new RemindDialog(
        commands::buildItemCategoryChoice(m_services.db, kRemindRootId, {item->categoryId(), true}),
        m_parent);
    dialog->setValues(commands::editRemindForm(*item, now), item->rate());
    dialog->setCreateTime(formatCreateTime(item->createTime()));
    dialog->setCategoryLocked(currentCategory == store::kSilentRemindersId);
    show(dialog, [id](commands::RemindEditor& ed, const commands::RemindValues& values) {
        return ed.edit(id, values);
    });
}

void RemindDialogs::show(RemindDialog* dialog, const Apply& apply) {
    dialog->setAcceptHandler([this, apply](RemindDialog& d) {
        commands::RemindEditor ed = editor();
        const commands::DialogOutcome outcome = apply(ed, d.values());
        d.focusInput(ed.refusedInput());
        return outcome;
    });
    dialog->setSaveDefaultHandler([this](RemindDialog& d) {
        commands::RemindEditor ed = editor();
        ed.saveDefaults(m_services.settings, d.values(),
                        static_cast<std::uint8_t>(d.pictureRate()));
        d.focusInput(ed.refusedInput());
    });
    dialog->setBrowseHandler([this](RemindDialog& d) {
        const std::optional<std::string> path =
            m_services.files.chooseFileToOpen({"Open", "", "", "Sound File (*.wav)"});
        if (path) {
            d.setSound(*path);
        }
    });
    dialog->setPlayHandler([this](RemindDialog& d) {
        if (m_play) {
            m_play(d.values().sound);
        }
    });
    m_dialogs.showDialog(dialog);
}

}  // namespace lh::gui
