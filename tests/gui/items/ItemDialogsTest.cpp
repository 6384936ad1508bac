#include "gui/items/ItemDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "gui/items/ItemDialogsFixture.h"
#include "gui/uikit/RateGroup.h"
#include "support/DatabaseMirror.h"
#include "support/TempDir.h"

namespace lh::gui {
namespace {

// The rules are the item editor's (ItemEditorTest); these check that the dialogs open preset as
// the settings and the item say, and hand their controls' values on.
class ItemDialogsTest : public ItemDialogsFixture {
protected:
    void SetUp() override {
        settings.URLNormal = 2;
        settings.URLNormal1 = 5;
        settings.FileNormal = 4;
        settings.FileNormal1 = store::kRecycleId;
    }

    Texts titles(store::CategoryId id) const { return test::itemTitles(db, id); }
    const store::ItemRecord& addItem(store::CategoryId category, std::uint32_t kind,
                                     std::string title) {
        store::ItemFields fields;
        fields.flags = kind;
        fields.title = std::move(title);
        fields.rate = 3;
        fields.comment = "note";
        fields.fileSize = 1234;
        fields.createTime = {2025, 1, 2, 3, 4, 5, 0};
        return *db.addItem(category, fields);
    }
};

TEST_F(ItemDialogsTest, AddUrlOpensWithTheDefaultsAndAddsWhatWasTyped) {
    dialogs.addUrl("", "http://example.org");
    QDialog* dialog = dialogs.openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(control<CategoryComboBox>("categoryComboBox")->selectedCategoryId(), 5);
    EXPECT_TRUE(control<QRadioButton>("rate2RadioButton")->isChecked());

    control<QLineEdit>("titleLineEdit")->setText(QString::fromUtf8("Caf\xC3\xA9"));
    control<QRadioButton>("rate4RadioButton")->setChecked(true);
    EXPECT_EQ(control<RatePicture>("ratePicture")->rate(), 4);
    chooseCategory(6);
    click("saveDefaultButton");
    EXPECT_EQ(settings.URLNormal1, 6);
    EXPECT_EQ(settings.URLNormal, 4);

    click("okButton");
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(titles(6), (Texts{"Caf\xC3\xA9"}));
    EXPECT_EQ(db.findCategory(6)->firstItem()->address(), "http://example.org");
    EXPECT_EQ(db.findCategory(6)->firstItem()->rate(), 4);
}

TEST_F(ItemDialogsTest, PropertyDialogsShowTheItemAndKeepItsCategory) {
    const store::ItemRecord& url = addItem(store::kRecycleId, store::kKindUrl, "kept");
    dialogs.editItem(url.id(), store::kRecycleId);
    EXPECT_EQ(control<CategoryComboBox>("categoryComboBox")->selectedCategoryId(),
              store::kRecycleId);
    EXPECT_TRUE(control<QRadioButton>("rate3RadioButton")->isChecked());
    EXPECT_EQ(control<QLabel>("createTimeLabel")->text(), "2025-01-02 03:04:05");
    EXPECT_EQ(control<QPlainTextEdit>("memoPlainTextEdit")->toPlainText(), "note");
    control<QPlainTextEdit>("urlPlainTextEdit")->setPlainText("http://kept");
    click("okButton");
    EXPECT_EQ(titles(store::kRecycleId), (Texts{"kept"}));
    EXPECT_EQ(url.address(), "http://kept");

    const store::ItemRecord& file = addItem(5, store::kKindFile, "f.txt");
    dialogs.editItem(file.id(), 5);
    EXPECT_FALSE(control<QPushButton>("browseButton")->isEnabled());
    EXPECT_FALSE(control<CategoryComboBox>("categoryComboBox")->isEnabled());
    EXPECT_EQ(control<QLineEdit>("fileNameLineEdit")->text(), "f.txt");
    EXPECT_EQ(control<QLabel>("fileSizeLabel")->text(), "1234");

    // A reminder goes to the remind editor.
    const store::ItemRecord& remind = addItem(5, store::kKindRemind, "r");
    std::vector<store::ItemId> reminded;
    dialogs.setRemindEditor([&](store::ItemId id, store::CategoryId) { reminded.push_back(id); });
    dialogs.editItem(remind.id(), 5);
    EXPECT_EQ(reminded, std::vector<store::ItemId>{remind.id()});
    EXPECT_EQ(dialogs.openDialog(), nullptr);
}

TEST_F(ItemDialogsTest, AddFileTakesTheChosenFile) {
    test::TempDir dir;
    test::writeBytes(dir.file("a.txt"), "abc");
    settings.GeneralCheck.setFileMustExist(true);
    dialogs.addFile();
    // The default "Recycle" is not listed: the list opens on its first line.
    EXPECT_EQ(control<CategoryComboBox>("categoryComboBox")->selectedCategoryId(), 1);
    files.answers.push_back(dir.file("a.txt"));
    click("browseButton");
    EXPECT_EQ(control<QLineEdit>("filePathLineEdit")->text(), QString::fromStdString(dir.path()));
    click("okButton");
    ASSERT_EQ(titles(1), (Texts{"a.txt"}));
    EXPECT_EQ(db.findCategory(1)->firstItem()->fileSize(), 3u);
    EXPECT_EQ(db.findCategory(1)->firstItem()->rate(), 4);
}

TEST_F(ItemDialogsTest, AddBatchListsThePathsInReverseAndAddsFromTheBottom) {
    test::TempDir dir;
    for (const char* name : {"1", "2", "3", "4"}) {
        test::writeBytes(dir.file(name), name);
    }
    dialogs.addBatchFiles({dir.file("1"), dir.file("2"), dir.file("3")});
    auto* list = control<QTreeWidget>("fileListTreeWidget");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "3");
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString::fromStdString(dir.path()));

    files.answers.push_back(dir.file("4"));
    click("addFileButton");
    EXPECT_EQ(list->topLevelItem(0)->text(0), "4");
    list->topLevelItem(2)->setSelected(true);  // "2"
    click("deleteButton");
    ASSERT_EQ(list->topLevelItemCount(), 3);

    chooseCategory(6);
    click("okButton");
    EXPECT_EQ(titles(6), (Texts{"1", "3", "4"}));
}

TEST_F(ItemDialogsTest, CommentDialogRefusesAnOverlongComment) {
    const store::ItemRecord& item = addItem(5, store::kKindUrl, "a");
    dialogs.editComment(item.id());
    auto* edit = control<QPlainTextEdit>("commentPlainTextEdit");
    EXPECT_EQ(edit->toPlainText(), "note");
    edit->setPlainText(QString(2001, 'c'));
    click("okButton");
    EXPECT_EQ(prompter.texts(), (Texts{"Comment length more than 2000!"}));
    EXPECT_TRUE(dialogs.openDialog()->isVisible());
    edit->setPlainText("short");
    click("okButton");
    EXPECT_EQ(item.comment(), "short");

    // Opening another dialog, or closeDialog(), rejects the one open.
    dialogs.editComment(item.id());
    QDialog* first = dialogs.openDialog();
    dialogs.addUrl("", "");
    EXPECT_FALSE(first->isVisible());
    QDialog* second = dialogs.openDialog();
    dialogs.closeDialog();
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(dialogs.openDialog(), nullptr);
}

}  // namespace
}  // namespace lh::gui
