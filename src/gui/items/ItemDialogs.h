#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

#include "store/Kinds.h"

class QDialog;
class QWidget;

namespace lh::store {
class Database;
class ItemRecord;
}  // namespace lh::store
namespace lh::settings {
struct AppSettings;
}
namespace lh::platform {
class Clock;
}
namespace lh::commands {
class FileChooser;
class ItemEditor;
class Prompter;
struct UrlValues;
enum class DialogOutcome;
}  // namespace lh::commands

namespace lh::gui {

class AddFileDialog;
class AddUrlDialog;

// Opens the item dialogs (Add Url, Add File, Add Bach File, Comment) over the main window. Each is
// window-modal and shown without a nested event loop; its OK goes through the item editor's
// rules, which change the Database (the item list follows its events). One dialog is open at a
// time: opening another, or closeDialog(), rejects the one open.
class ItemDialogs : public QObject {
    Q_OBJECT

public:
    struct Services {
        store::Database& db;
        commands::Prompter& prompter;
        commands::FileChooser& files;
        settings::AppSettings& settings;
        const platform::Clock& clock;
    };

    // Dialogs open over `parent`; `services` must outlive this object.
    ItemDialogs(Services services, QWidget* parent);
    ~ItemDialogs() override;

    // Add Url in new mode, preset with `title` and `address` (either may be empty).
    void addUrl(const std::string& title, const std::string& address);
    // Add File in new mode.
    void addFile();
    // Add Bach File, its list filled with `paths` (may be empty), its category list rooted at
    // "WebFavorite" and opened on the File default.
    void addBatchFiles(const std::vector<std::string>& paths);
    // The same with the category list rooted at `root` and opened on `preselect`.
    void addBatchFiles(const std::vector<std::string>& paths, store::CategoryId root,
                       store::CategoryId preselect);
    // The property dialog of item `id` by the item's own kind: Add Url or Add File in edit mode;
    // a Remind item goes to the remind editor (nothing while none is set). `currentCategory` is
    // the category the list shows.
    void editItem(store::ItemId id, store::CategoryId currentCategory);
    // The Comment dialog of item `id`.
    void editComment(store::ItemId id);

    // What opens a Remind item's property dialog (the reminders bring it).
    using RemindEditor = std::function<void(store::ItemId id, store::CategoryId currentCategory)>;
    void setRemindEditor(RemindEditor editor) { m_remindEditor = std::move(editor); }
    bool hasRemindEditor() const { return static_cast<bool>(m_remindEditor); }
    // Add Remind: the remind editor for a new item (id kNoItemId) in `currentCategory`; nothing
    // while none is set.
    void addRemind(store::CategoryId currentCategory) {
        if (m_remindEditor) {
            closeDialog();
            m_remindEditor(store::kNoItemId, currentCategory);
        }
    }

    // The dialog now open, or null; closeDialog() rejects it (before the database is emptied).
    QDialog* openDialog() const { return m_dialog; }
    void closeDialog();

    // Rejects the dialog open, then shows `dialog` window-modal; it goes when it closes. The
    // remind editor's dialogs come through here too, so that they count as the one open.
    void showDialog(QDialog* dialog);

private:
    commands::ItemEditor editor() const;
    // Wires OK (through `apply`) and "Save as default" of an Add Url dialog, then shows it.
    using UrlApply =
        std::function<commands::DialogOutcome(commands::ItemEditor&, const commands::UrlValues&)>;
    void showUrlDialog(AddUrlDialog* dialog, const UrlApply& apply);
    void editUrl(const store::ItemRecord& item, store::CategoryId currentCategory);
    void editFile(const store::ItemRecord& item, store::CategoryId currentCategory);
    // The Add File dialog with the File defaults, its list opened on `preselect`.
    AddFileDialog* makeFileDialog(store::CategoryId preselect, bool ownCategory);

    Services m_services;
    QWidget* m_parent;
    RemindEditor m_remindEditor;
    QPointer<QDialog> m_dialog;
};

}  // namespace lh::gui
