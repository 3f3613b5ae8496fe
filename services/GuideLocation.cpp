// Finding the guide and keeping the user's copy of an installed guide.
//
// The copy is replaced only through a finished file beside it (".neu") that
// is renamed over it, so an interrupted start leaves either the old copy or
// the new one, never half of either; the bookmarks are copied inside one
// transaction of the new file.
#include "services/GuideLocation.h"

#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/shell/DebugOutput.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"

#include <sqlite3.h>

#include <array>
#include <memory>
#include <system_error>

namespace location {

namespace {

namespace schema = sql::schema;

std::string fileName()
{
    return text::toUtf8(WineDatabase::kFileName);
}

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;

Db openDb(const fs::path& path, int flags)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    return Db(db);
}

bool exec(sqlite3* db, const char* statement, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(db, statement, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

// Writes a copy of origin at temp that its owner may change, even when the
// installed file is read-only.
bool copyGuideFile(const fs::path& origin, const fs::path& temp, std::string& error)
{
    std::error_code ec;
    fs::remove(temp, ec);
    if (!fs::copy_file(origin, temp, ec)) {
        error = "cannot copy " + origin.string() + " to " + temp.string() + ": " + ec.message();
        return false;
    }
    fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    return true;
}

// Moves the bookmarks of the old copy into the fresh guide at temp, in place
// of any the fresh guide brought along.
bool carryBookmarks(const fs::path& temp, const fs::path& oldCopy, std::string& error)
{
    Db db = openDb(temp, SQLITE_OPEN_READWRITE);
    if (!db) {
        error = "cannot open " + temp.string();
        return false;
    }
    sqlite3_stmt* attach = nullptr;
    if (sqlite3_prepare_v2(db.get(), schema::kAttachOld, -1, &attach, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db.get());
        return false;
    }
    sqlite3_bind_text(attach, 1, oldCopy.c_str(), -1, SQLITE_TRANSIENT);
    const bool attached = sqlite3_step(attach) == SQLITE_DONE;
    sqlite3_finalize(attach);
    if (!attached) {
        error = sqlite3_errmsg(db.get());
        return false;
    }

    bool hasBookmarks = false;
    sqlite3_stmt* probe = nullptr;
    bool probed = sqlite3_prepare_v2(db.get(), schema::kOldHasBookmarks, -1, &probe, nullptr) == SQLITE_OK;
    if (probed) {
        const int step = sqlite3_step(probe);
        hasBookmarks = step == SQLITE_ROW;
        probed = step == SQLITE_ROW || step == SQLITE_DONE;
    }
    if (!probed)
        error = sqlite3_errmsg(db.get());
    sqlite3_finalize(probe);

    const bool carried = probed && exec(db.get(), "BEGIN", error) && exec(db.get(), schema::kClearBookmarks, error)
        && (!hasBookmarks || exec(db.get(), schema::kCopyBookmarks, error)) && exec(db.get(), "COMMIT", error);
    if (!carried)
        sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    std::string ignored;
    exec(db.get(), schema::kDetachOld, ignored);
    return carried;
}

RefreshResult failed(const fs::path& temp, std::string message)
{
    std::error_code ec;
    fs::remove(temp, ec);
    return {Refresh::Failed, std::move(message)};
}

} // namespace

Places placesOfThisProgram()
{
    Places places;
    places.programFolder = fs::path(text::toUtf8(shell::programPath())).parent_path();
    places.userFolder = shell::userDataFolder(kAppFolder);
    return places;
}

namespace {

// Something stands at path: a file, or a link that leads nowhere readable,
// which the program then reports rather than passing over.
bool present(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(path, ec) || ec == std::errc::too_many_symbolic_link_levels;
}

} // namespace

Choice chooseGuide(const Places& places)
{
    const fs::path beside = places.programFolder / fileName();
    const fs::path userCopy = places.userFolder / fileName();
    std::error_code ec;
    if (present(beside)) {
        if (places.writable(beside) || places.userFolder.empty())
            return {Use::InPlace, beside, beside};
        return {Use::UserCopy, beside, userCopy};
    }
    // An installed guide belongs to the package: the next install would
    // overwrite it, bookmarks and all, so it is never written even where the
    // user could.
    const fs::path installed = shell::installedDataFolder(places.programFolder, kAppFolder) / fileName();
    if (fs::exists(installed, ec))
        return {places.userFolder.empty() ? Use::InPlace : Use::UserCopy, installed,
                places.userFolder.empty() ? installed : userCopy};
    return {Use::Missing, beside, beside};
}

namespace {

// The values of keys, read in one opening of the file; a missing, null or
// unreadable value reads as empty (for the digest: rebuild).
template <std::size_t N>
std::array<std::string, N> storedValues(const fs::path& guide, const std::array<const char*, N>& keys)
{
    std::array<std::string, N> values;
    std::error_code ec;
    if (!fs::is_regular_file(guide, ec))
        return values;
    Db db = openDb(guide, SQLITE_OPEN_READONLY);
    sqlite3_stmt* s = nullptr;
    if (db && sqlite3_prepare_v2(db.get(), schema::kSelectInfo, -1, &s, nullptr) == SQLITE_OK) {
        for (std::size_t i = 0; i < N; ++i) {
            sqlite3_bind_text(s, 1, keys[i], -1, SQLITE_STATIC);
            if (sqlite3_step(s) == SQLITE_ROW && sqlite3_column_type(s, 0) == SQLITE_TEXT) {
                const auto* stored = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
                values[i] = stored ? stored : "";
            }
            sqlite3_reset(s);
        }
    }
    sqlite3_finalize(s);
    return values;
}

} // namespace

std::string storedInfo(const fs::path& guide, const char* key)
{
    return storedValues<1>(guide, {key})[0];
}

std::string storedDigest(const fs::path& guide)
{
    return storedInfo(guide, schema::kInfoSourceDigest);
}

BuildInfo storedBuildInfo(const fs::path& guide)
{
    const auto values = storedValues<2>(guide, {schema::kInfoSourceDigest, schema::kInfoSchema});
    return {values[0], values[1]};
}

RefreshResult refreshUserCopy(const fs::path& origin, const fs::path& copy)
{
    std::error_code ec;
    fs::create_directories(copy.parent_path(), ec);
    if (ec)
        return {Refresh::Failed, "cannot create " + copy.parent_path().string() + ": " + ec.message()};
    fs::path temp = copy;
    temp += ".neu";
    std::string error;
    const bool first = !fs::exists(copy, ec);
    if (!first) {
        // Only a guide that names its sources can be told apart; without a
        // digest the user's copy is kept as it is. The same sources in a newer
        // layout are taken too, so the copy searches as fast as the original.
        const BuildInfo installed = storedBuildInfo(origin);
        if (installed.digest.empty() || installed == storedBuildInfo(copy))
            return {Refresh::Current, copy.string() + " is up to date"};
    }
    if (!copyGuideFile(origin, temp, error))
        return failed(temp, error);
    if (!first && !carryBookmarks(temp, copy, error))
        return failed(temp, "the bookmarks of " + copy.string() + " cannot be read (" + error +
                                "); the copy was left as it is");
    fs::rename(temp, copy, ec);
    if (ec)
        return failed(temp, "cannot replace " + copy.string() + ": " + ec.message());
    if (first)
        return {Refresh::Copied, origin.string() + " copied to " + copy.string()};
    return {Refresh::Replaced, copy.string() + " now holds the guide of " + origin.string() + ", bookmarks kept"};
}

fs::path prepareGuide(const Places& places)
{
    const Choice choice = chooseGuide(places);
    if (choice.use != Use::UserCopy)
        return choice.file;
    const RefreshResult result = refreshUserCopy(choice.origin, choice.file);
    if (result.outcome != Refresh::Failed)
        return choice.file;
    shell::debugOutput(text::fromUtf8(result.message));
    // Without a copy of its own the program still reads the installed guide.
    std::error_code ec;
    return fs::exists(choice.file, ec) ? choice.file : choice.origin;
}

std::u16string ratgeberEntryPage(std::u16string_view programPath)
{
    std::u16string beside = shell::siblingPath(programPath, kRatgeberPage);
    std::error_code ec;
    if (fs::exists(text::toUtf8(beside), ec))
        return beside;
    const fs::path folder = fs::path(text::toUtf8(programPath)).parent_path();
    const fs::path installed = shell::installedDataFolder(folder, kAppFolder) / "ratgeber" / "0100.htm";
    if (fs::exists(installed, ec))
        return text::fromUtf8(installed.string());
    return beside;
}

} // namespace location
