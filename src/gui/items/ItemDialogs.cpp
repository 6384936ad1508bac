#include "gui/items/ItemDialogs.h"

#include <QDialog>

#include <cstdint>

#include "commands/FileChooser.h"
#include "commands/ItemCategoryChoice.h"
#include "commands/ItemEditor.h"
#include "gui/items/AddBatchFileDialog.h"
#include "gui/items/AddFileDialog.h"
#include "gui/items/AddUrlDialog.h"
#include "gui/items/CommentDialog.h"
#include "gui/items/ItemDialogParts.h"
#include "items/FilePaths.h"
#include "items/ItemKind.h"
#include "settings/AppSettings.h"
#include "store/Database.h"

namespace lh::gui {

namespace {

// The categories whose items keep their category in their property dialog.
constexpr store::CategoryId kLockedUrlCategory = 4;
constexpr store::CategoryId kLockedFileCategory = 5;

commands::FileChooser::Request openFileRequest() {
    return {"Open", "", "", "All Files (*)"};
}

}  // namespace

ItemDialogs::ItemDialogs(Services services, QWidget* parent)
    : QObject(parent), m_services(services), m_parent(parent) {}

ItemDialogs::~ItemDialogs() {
    closeDialog();
}

void ItemDialogs::closeDialog() {
    if (m_dialog) {
        m_dialog->reject();
    }
}

void ItemDialogs::showDialog(QDialog* dialog) {
    closeDialog();
    m_dialog = dialog;
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        if (m_dialog == dialog) {
            m_dialog = nullptr;
        }
    });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->show();
}

commands::ItemEditor ItemDialogs::editor() const {
    return commands::ItemEditor(m_services.db, m_services.prompter, m_services.clock);
}

void ItemDialogs::showUrlDialog(AddUrlDialog* dialog, const UrlApply& apply) {
    dialog->setAcceptHandler([this, apply](AddUrlDialog& d) {
        commands::ItemEditor ed = editor();
        const commands::DialogOutcome outcome = apply(ed, d.values());
        d.focusInput(ed.refusedInput());
        return outcome;
    });
    dialog->setSaveDefaultHandler([this](const AddUrlDialog& d) {
        commands::ItemEditor::saveUrlDefaults(m_services.settings, d.values().category,
                                              static_cast<std::uint8_t>(d.pictureRate()));
    });
    showDialog(dialog);
}

void ItemDialogs::addUrl(const std::string& title, const std::string& address) {
    const settings::AppSettings& settings = m_services.settings;
    auto* dialog =
        new AddUrlDialog(commands::buildItemCategoryChoice(m_services.db, store::kFavoritesId,
                                                           {settings.URLNormal1, false}),
                         m_parent);
    dialog->setRate(settings.URLNormal, settings.URLNormal);
    if (!title.empty()) {
        dialog->setTitle(title);
    }
    if (!address.empty()) {
        dialog->setAddress(address);
    }
    showUrlDialog(dialog, [](commands::ItemEditor& ed, const commands::UrlValues& values) {
        return ed.addUrl(values);
    });
}

void ItemDialogs::editUrl(const store::ItemRecord& item, store::CategoryId currentCategory) {
    auto* dialog =
        new AddUrlDialog(commands::buildItemCategoryChoice(m_services.db, store::kFavoritesId,
                                                           {item.categoryId(), true}),
                         m_parent);
    dialog->setCategoryLocked(currentCategory == kLockedUrlCategory);
    dialog->setRate(item.rate(), item.rate());
    dialog->setTitle(std::string(item.title()));
    dialog->setAddress(std::string(item.address()));
    dialog->setMemo(std::string(item.comment()));
    dialog->setCreateTime(formatCreateTime(item.createTime()));
    const store::ItemId id = item.id();
    showUrlDialog(dialog, [id](commands::ItemEditor& ed, const commands::UrlValues& values) {
        return ed.editUrl(id, values);
    });
}

AddFileDialog* ItemDialogs::makeFileDialog(store::CategoryId preselect, bool ownCategory) {
    const settings::AppSettings& settings = m_services.settings;
    auto* dialog =
        new AddFileDialog(commands::buildItemCategoryChoice(m_services.db, store::kFavoritesId,
                                                            {preselect, ownCategory}),
                          m_parent);
    dialog->setRate(settings.FileNormal, settings.FileNormal);
    dialog->setMustExist(settings.GeneralCheck.fileMustExist());
    return dialog;
}

void ItemDialogs::addFile() {
    AddFileDialog* dialog = makeFileDialog(m_services.settings.FileNormal1, false);
    dialog->setBrowseHandler([this](AddFileDialog& d) {
        const std::optional<std::string> path =
            m_services.files.chooseFileToOpen(openFileRequest());
        if (path) {
            const items::SplitPath split = items::splitPath(*path);
            d.setFile(split.name, split.folder);
        }
    });
    dialog->setAcceptHandler([this](AddFileDialog& d) {
        commands::ItemEditor ed = editor();
        const commands::DialogOutcome outcome = ed.addFiles(d.values());
        d.focusInput(ed.refusedInput());
        return outcome;
    });
    showDialog(dialog);
}

void ItemDialogs::editFile(const store::ItemRecord& item, store::CategoryId currentCategory) {
    AddFileDialog* dialog = makeFileDialog(item.categoryId(), true);
    dialog->setCategoryLocked(currentCategory == kLockedFileCategory);
    dialog->setBrowseEnabled(false);
    dialog->setRate(item.rate(), item.rate());
    dialog->setFile(std::string(item.title()), std::string(item.location()));
    dialog->setMemo(std::string(item.comment()));
    dialog->setCreateTime(formatCreateTime(item.createTime()));
    // A size read as a negative 64-bit number is unknown.
    if (static_cast<std::int64_t>(item.fileSize()) >= 0) {
        dialog->setFileSize(QString::number(item.fileSize()));
    }
    const store::ItemId id = item.id();
    dialog->setAcceptHandler([this, id](AddFileDialog& d) {
        commands::ItemEditor ed = editor();
        const commands::DialogOutcome outcome = ed.editFile(id, d.values());
        d.focusInput(ed.refusedInput());
        return outcome;
    });
    showDialog(dialog);
}

void ItemDialogs::addBatchFiles(const std::vector<std::string>& paths) {
    addBatchFiles(paths, store::kFavoritesId, m_services.settings.FileNormal1);
}

void ItemDialogs::addBatchFiles(const std::vector<std::string>& paths, store::CategoryId root,
                                store::CategoryId preselect) {
    auto* dialog = new AddBatchFileDialog(
        commands::buildItemCategoryChoice(m_services.db, root, {preselect, false}), m_parent);
    dialog->setRate(m_services.settings.FileNormal);
    dialog->insertPaths(paths);
    dialog->setAddFilesHandler([this](AddBatchFileDialog& d) {
        d.insertPaths(m_services.files.chooseFilesToOpen(openFileRequest()));
    });
    dialog->setAcceptHandler(
        [this](AddBatchFileDialog& d) { return editor().addBatch(d.values()); });
    showDialog(dialog);
}

void ItemDialogs::editItem(store::ItemId id, store::CategoryId currentCategory) {
    const store::ItemRecord* item = m_services.db.findItem(id);
    if (item == nullptr) {
        return;
    }
    switch (items::kindOf(*item)) {
        case items::ItemKind::Remind:
            if (m_remindEditor) {
                closeDialog();
                m_remindEditor(id, currentCategory);
            }
            break;
        case items::ItemKind::File:
            editFile(*item, currentCategory);
            break;
        case items::ItemKind::Url:
        case items::ItemKind::Mixed:
            editUrl(*item, currentCategory);
            break;
    }
}

void ItemDialogs::editComment(store::ItemId id) {
    const store::ItemRecord* item = m_services.db.findItem(id);
    if (item == nullptr) {
        return;
    }
    auto* dialog = new CommentDialog(std::string(item->comment()), m_parent);
    dialog->setAcceptHandler([this, id](CommentDialog& d) {
        const commands::DialogOutcome outcome = editor().editComment(id, d.comment());
        if (outcome == commands::DialogOutcome::KeepOpen) {
            d.focusComment();
        }
        return outcome;
    });
    showDialog(dialog);
}

}  // namespace lh::gui
