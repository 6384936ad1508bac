#pragma once

#include <QDialog>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/items/ItemDialogs.h"
#include "gui/uikit/CategoryComboBox.h"
#include "settings/AppSettings.h"
#include "store/Database.h"
#include "support/FakeClock.h"
#include "support/ScriptedPrompter.h"

namespace lh::gui {

// The item dialogs over a default database, with the open dialog's controls found by name.
class ItemDialogsFixture : public ::testing::Test {
protected:
    using Texts = std::vector<std::string>;

    ItemDialogsFixture() { db.createDefault(); }

    template <typename T>
    T* control(const char* name) const {
        return dialogs.openDialog()->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name) const { control<QPushButton>(name)->click(); }
    void chooseCategory(store::CategoryId id) const {
        auto* combo = control<CategoryComboBox>("categoryComboBox");
        combo->setCurrentIndex(combo->lineOf(id));
    }

    test::FakeClock clock;
    store::Database db{clock};
    test::ScriptedPrompter prompter;
    test::ScriptedFileChooser files;
    settings::AppSettings settings;
    QWidget window;
    ItemDialogs dialogs{{db, prompter, files, settings, clock}, &window};
};

}  // namespace lh::gui
