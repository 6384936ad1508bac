// linkhaven-cli add-url, add-file, edit, move and delete: the window's item commands, with its
// rules and messages, for scripts. Every argument is checked before the database changes; every
// change is saved crash-safely before the command reports it.

#include <filesystem>

#include "cli/CliContext.h"
#include "cli/CliPrompter.h"
#include "cli/ItemArguments.h"
#include "cli/ItemJson.h"
#include "cli/Json.h"
#include "cli/Workspace.h"
#include "commands/CategoryCommands.h"
#include "commands/ItemCommands.h"
#include "commands/ItemEditor.h"
#include "items/FilePaths.h"
#include "platform/SystemClock.h"
#include "store/Database.h"

namespace lh::cli {

namespace {

using commands::DialogOutcome;

// The database the command changes and what the commands need around it.
struct Session {
    Context& c;
    std::string file;  // as given
    store::Database& db;
    CliPrompter prompter;

    Session(Context& context, std::string path,
            CliPrompter::Answer questions = CliPrompter::Answer::No)
        : c(context), file(std::move(path)), db(context.workspace->db()), prompter(questions) {}

    int load() { return loadToChange(c, c.path(file)); }
    // A refusal: the first notice the rules gave, else `fallback`.
    int refused(const std::string& fallback) {
        return fail(c, file, prompter.notices.empty() ? fallback : prompter.notices.front());
    }
    int save() {
        if (platform::IoError error; !c.workspace->save(c.path(file), error)) {
            return reportSave(c, file, error);
        }
        return kExitOk;
    }
    // The category a --category or --to option names, when given and found.
    std::optional<store::CategoryId> category(const std::optional<std::string>& path,
                                              store::CategoryId fallback, std::string& error) {
        if (!path) {
            return fallback;
        }
        const PathLookup found = findPath(db, *path);
        if (found.category == nullptr) {
            error = found.error;
            return std::nullopt;
        }
        return found.category->id();
    }
    void print(store::ItemId id) { c.out << itemJson(db, *db.findItem(id)) << "\n"; }
};

// --rate, when given: checked before anything changes.
bool readRate(const ItemArguments& a, std::uint8_t& rate, std::string& error) {
    if (const auto text = a.value("--rate")) {
        const auto parsed = parseRate(*text);
        if (!parsed) {
            error = "--rate is 1 to 5, not " + *text;
            return false;
        }
        rate = *parsed;
    }
    return true;
}

int cmdAddUrl(Context& c) {
    const ItemArguments a =
        parseItemArguments(c.args, {"--title", "--comment", "--rate", "--category"}, {}, false);
    if (!a.error.empty() || a.positional.size() != 2 || !a.items.empty()) {
        return usageError(c, a.error.empty() ? "add-url takes FILE and URL" : a.error);
    }
    Session s(c, a.positional[0]);
    commands::UrlValues values;
    values.address = a.positional[1];
    values.title = a.value("--title").value_or(values.address);
    values.memo = a.value("--comment").value_or("");
    std::string error;
    if (!readRate(a, values.rate, error)) {
        return fail(c, s.file, error);
    }
    if (int code = s.load(); code != kExitOk) {
        return code;
    }
    values.category = s.category(a.value("--category"), store::kFavoritesId, error);
    if (!values.category) {
        return fail(c, s.file, error);
    }
    commands::ItemEditor editor(s.db, s.prompter, platform::systemClock());
    editor.addUrl(values);
    if (editor.added().empty()) {
        return s.refused("the link was not added");
    }
    if (int code = s.save(); code != kExitOk) {
        return code;
    }
    s.print(editor.added().front());
    return kExitOk;
}

int cmdAddFile(Context& c) {
    const ItemArguments a =
        parseItemArguments(c.args, {"--comment", "--rate", "--category"}, {}, false);
    if (!a.error.empty() || a.positional.size() < 2) {
        return usageError(c, a.error.empty() ? "add-file takes FILE and PATH..." : a.error);
    }
    Session s(c, a.positional[0]);
    commands::BatchValues values;
    values.memo = a.value("--comment").value_or("");
    std::string error;
    if (!readRate(a, values.rate, error)) {
        return fail(c, s.file, error);
    }
    // The rows as the dialog lists dropped files: the last one given on top.
    for (auto p = a.positional.rbegin(); p != a.positional.rend() - 1; ++p) {
        const std::filesystem::path path = std::filesystem::absolute(c.path(*p)).lexically_normal();
        values.rows.push_back({path.filename().string(), path.parent_path().string()});
    }
    if (int code = s.load(); code != kExitOk) {
        return code;
    }
    values.category = s.category(a.value("--category"), store::kFavoritesId, error);
    if (!values.category) {
        return fail(c, s.file, error);
    }
    commands::ItemEditor editor(s.db, s.prompter, platform::systemClock());
    if (editor.addBatch(values) == DialogOutcome::KeepOpen) {
        return s.refused("the files were not added");
    }
    if (!editor.added().empty()) {
        if (int code = s.save(); code != kExitOk) {
            return code;
        }
    }
    for (const store::ItemId id : editor.added()) {
        s.print(id);
    }
    c.out << JsonLine()
                 .add("added", editor.added().size())
                 .add("duplicates", editor.skipped().duplicates)
                 .add("unreadable", editor.skipped().unreadable)
                 .str()
          << "\n";
    return kExitOk;
}

int cmdEdit(Context& c) {
    ItemArguments a =
        parseItemArguments(c.args, {"--title", "--comment", "--rate", "--category"}, {}, true);
    // The first ITEM names the item; a --url after it is the new address.
    std::optional<std::string> newAddress;
    if (a.items.size() == 2 && a.items[1].byAddress) {
        newAddress = a.items[1].text;
        a.items.pop_back();
    }
    if (!a.error.empty() || a.positional.size() != 1 || a.items.size() != 1) {
        return usageError(c, a.error.empty() ? "edit takes FILE and one ITEM" : a.error);
    }
    Session s(c, a.positional[0]);
    if (int code = s.load(); code != kExitOk) {
        return code;
    }
    const ItemLookup found = findItems(s.db, a.items);
    if (!found.error.empty()) {
        return fail(c, s.file, found.error);
    }
    const store::ItemId id = found.ids.front();
    const store::ItemRecord& item = *s.db.findItem(id);
    std::string error;
    std::uint8_t rate = item.rate();
    const auto category = s.category(a.value("--category"), item.categoryId(), error);
    if (!readRate(a, rate, error) || !category) {
        return fail(c, s.file, error);
    }
    commands::ItemEditor editor(s.db, s.prompter, platform::systemClock());
    const std::string comment = a.value("--comment").value_or(std::string(item.comment()));
    DialogOutcome outcome = DialogOutcome::KeepOpen;
    if (item.kind() == store::kKindUrl) {
        outcome = editor.editUrl(
            id, {a.value("--title").value_or(std::string(item.title())),
                 newAddress.value_or(std::string(item.address())), comment, rate, category});
    } else if (item.kind() == store::kKindFile && !newAddress) {
        // The file's name is its title; a changed name renames the file as the dialog does.
        outcome =
            editor.editFile(id, {a.value("--title").value_or(std::string(item.title())),
                                 std::string(item.location()), comment, rate, category, false});
    } else if (!newAddress && !a.value("--title") && !a.value("--rate")) {
        outcome = editor.editComment(id, comment);
        if (outcome == DialogOutcome::Close) {
            commands::moveItemToCategory(s.db, item, *category);
        }
    } else {
        return fail(c, s.file, "this kind of item takes only --comment and --category here");
    }
    if (outcome == DialogOutcome::KeepOpen || !s.prompter.notices.empty()) {
        return s.refused("the item was not changed");
    }
    if (int code = s.save(); code != kExitOk) {
        return code;
    }
    s.print(id);
    return kExitOk;
}

int cmdMove(Context& c) {
    const ItemArguments a = parseItemArguments(c.args, {"--to"}, {}, true);
    if (!a.error.empty() || a.positional.size() != 1 || a.items.empty() || !a.value("--to")) {
        return usageError(c, a.error.empty() ? "move takes FILE, ITEM... and --to PATH" : a.error);
    }
    Session s(c, a.positional[0]);
    if (int code = s.load(); code != kExitOk) {
        return code;
    }
    const ItemLookup found = findItems(s.db, a.items);
    std::string error = found.error;
    const auto target = error.empty() ? s.category(a.value("--to"), 0, error) : std::nullopt;
    if (!target) {
        return fail(c, s.file, error);
    }
    commands::ItemCommands(s.db, s.prompter).moveToCategory(found.ids, *target);
    if (int code = s.save(); code != kExitOk) {
        return code;
    }
    for (const store::ItemId id : found.ids) {
        s.print(id);
    }
    return kExitOk;
}

int cmdDelete(Context& c) {
    const ItemArguments a = parseItemArguments(c.args, {}, {"--for-good", "--delete-files"}, true);
    if (!a.error.empty() || a.positional.size() != 1 || a.items.empty()) {
        return usageError(c, a.error.empty() ? "delete takes FILE and ITEM..." : a.error);
    }
    if (a.has("--delete-files") && !a.has("--for-good")) {
        return usageError(c, "--delete-files goes with --for-good");
    }
    // "Also delete file(s)?" is answered by --delete-files.
    Session s(c, a.positional[0],
              a.has("--delete-files") ? CliPrompter::Answer::Yes : CliPrompter::Answer::No);
    if (int code = s.load(); code != kExitOk) {
        return code;
    }
    const ItemLookup found = findItems(s.db, a.items);
    if (!found.error.empty()) {
        return fail(c, s.file, found.error);
    }
    // As in the window: to "Recycle", or for good when asked or when already there.
    std::vector<store::ItemId> toRecycle;
    std::vector<store::ItemId> forGood;
    for (const store::ItemId id : found.ids) {
        const bool inRecycle = s.db.findItem(id)->categoryId() == store::kRecycleId;
        (a.has("--for-good") || inRecycle ? forGood : toRecycle).push_back(id);
    }
    commands::ItemCommands items(s.db, s.prompter);
    items.moveToCategory(toRecycle, store::kRecycleId);
    items.deletePermanently(forGood);
    if (int code = s.save(); code != kExitOk) {
        return code;
    }
    c.out << JsonLine().add("to_recycle", toRecycle.size()).add("deleted", forGood.size()).str()
          << "\n";
    if (!s.prompter.notices.empty()) {
        return fail(c, s.file, s.prompter.notices.front());  // files that stayed on disk
    }
    return kExitOk;
}

}  // namespace

std::vector<Command> editCommands() {
    return {
        {"add-url",
         "add-url FILE URL [--title T] [--comment C] [--rate 1-5] [--category PATH]\n"
         "                       add a link; e.g. add-url a.lhd https://example.org/ --title Ex",
         cmdAddUrl},
        {"add-file",
         "add-file FILE PATH... [--comment C] [--rate 1-5] [--category PATH]\n"
         "                       add files, skipping known ones; e.g. add-file a.lhd ~/a.pdf",
         cmdAddFile},
        {"edit",
         "edit FILE ITEM [--title T] [--url U] [--comment C] [--rate 1-5] [--category PATH]\n"
         "                       change an item; e.g. edit a.lhd WebFavorite/BBS:2 --rate 5",
         cmdEdit},
        {"move",
         "move FILE ITEM... --to PATH\n"
         "                       move items; e.g. move a.lhd --url https://example.org/ --to "
         "WebFavorite/Joke",
         cmdMove},
        {"delete",
         "delete FILE ITEM... [--for-good [--delete-files]]\n"
         "                       send items to Recycle, or delete them for good (those in Recycle\n"
         "                       always); e.g. delete a.lhd Recycle:1",
         cmdDelete},
    };
}

}  // namespace lh::cli
