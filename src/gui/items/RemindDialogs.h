#pragma once

#include <QObject>

#include <functional>
#include <string>

#include "gui/items/ItemDialogs.h"
#include "store/Kinds.h"

class QWidget;

namespace lh::commands {
class RemindEditor;
struct RemindValues;
enum class DialogOutcome;
}  // namespace lh::commands

namespace lh::gui {

class RemindDialog;

// Opens the Remind dialog for a new or a stored Remind item through the item dialogs (so it is
// the one item dialog open) and wires its buttons to the remind editor's rules, the settings,
// the file chooser and the sound player.
class RemindDialogs : public QObject {
    Q_OBJECT

public:
    using Services = ItemDialogs::Services;
    // Plays a sound file once, without waiting; silent when it cannot.
    using PlaySound = std::function<void(const std::string& path)>;

    // Dialogs open over `parent`; `services` and `dialogs` must outlive this object.
    RemindDialogs(Services services, ItemDialogs& dialogs, QWidget* parent);

    void setPlaySound(PlaySound play) { m_play = std::move(play); }
    // The Remind dialog of item `id`, or for a new item when `id` is kNoItemId. `currentCategory`
    // is the category the list shows (its id 6 keeps an item's category).
    void open(store::ItemId id, store::CategoryId currentCategory);

private:
    commands::RemindEditor editor() const;
    // Wires "Save as default", "..", "Play" and OK (through `apply`), then shows the dialog.
    using Apply = std::function<commands::DialogOutcome(commands::RemindEditor&,
                                                        const commands::RemindValues&)>;
    void show(RemindDialog* dialog, const Apply& apply);

    Services m_services;
    ItemDialogs& m_dialogs;
    QWidget* m_parent;
    PlaySound m_play;
};

}  // namespace lh::gui
