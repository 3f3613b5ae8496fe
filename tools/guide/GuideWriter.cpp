// Guide database writer.
#include "tools/guide/GuideWriter.h"

#include "services/GuideLocation.h"
#include "services/ShellServices.h"
#include "db/Sql.h"
#include "platform/text/Fold.h"
#include "platform/text/Utf16.h"
#include "tools/guide/GuideSources.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace guide {

namespace fs = std::filesystem;
namespace schema = sql::schema;

namespace {

// The edition year stored with every entry.
constexpr int kEdition = 2007;

// A new file nobody else reads yet: no journal, no syncing, one lock, and a
// page cache large enough to sort the indexes in few passes.
constexpr char kBulkWritePragmas[] = "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                                     "PRAGMA locking_mode = EXCLUSIVE; PRAGMA cache_size = -65536;";

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

struct StmtFinalizer {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// content's wines in the order they are stored.
std::vector<const Wine*> inKeywordOrder(const std::vector<Wine>& wines)
{
    std::vector<std::pair<std::string, const Wine*>> keyed;
    keyed.reserve(wines.size());
    for (const Wine& w : wines)
        keyed.emplace_back(storedKeyword(w.keyword), &w);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second->id < b.second->id;
    });
    std::vector<const Wine*> ordered;
    ordered.reserve(keyed.size());
    for (const auto& k : keyed)
        ordered.push_back(k.second);
    return ordered;
}

class Writer {
public:
    explicit Writer(sqlite3* db) : db_(db) {}

    bool exec(const char* sql)
    {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK)
            return true;
        error_ = message ? message : "unknown database error";
        sqlite3_free(message);
        return false;
    }

    Stmt prepare(const char* sql)
    {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK)
            error_ = sqlite3_errmsg(db_);
        return Stmt(s);
    }

    bool step(sqlite3_stmt* s)
    {
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        if (rc == SQLITE_DONE || rc == SQLITE_ROW)
            return true;
        error_ = sqlite3_errmsg(db_);
        return false;
    }

    // Stored in the lossless form, so a scrambled text keeps a unit that
    // scrambles into a lone surrogate instead of losing it and its neighbour.
    static void bind(sqlite3_stmt* s, int i, const std::u16string& text)
    {
        const std::string bytes = text::toStorageUtf8(text);
        sqlite3_bind_text(s, i, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    }

    static void bindOrNull(sqlite3_stmt* s, int i, const std::u16string& text)
    {
        if (text.empty())
            sqlite3_bind_null(s, i);
        else
            bind(s, i, text);
    }

    bool content(const GuideContent& c, const std::function<bool(Wine&)>& more)
    {
        Stmt country = prepare(schema::kInsertCountry), region = prepare(schema::kInsertRegion),
             variety = prepare(schema::kInsertVariety), synonym = prepare(schema::kInsertSynonym);
        wine_ = prepare(schema::kInsertWine);
        fullText_ = prepare(schema::kInsertFullText);
        if (!country || !region || !variety || !synonym || !wine_ || !fullText_)
            return false;
        for (const Country& x : c.countries) {
            bind(country.get(), 1, x.code);
            bind(country.get(), 2, x.name);
            if (!step(country.get()))
                return false;
        }
        int id = 0;
        for (const Region& x : c.regions) {
            sqlite3_bind_int(region.get(), 1, ++id);
            bind(region.get(), 2, x.country);
            bind(region.get(), 3, x.name);
            if (!step(region.get()))
                return false;
        }
        id = 0;
        for (const Variety& x : c.varieties) {
            std::u16string text = x.text;
            ShellServices::scramble(text);
            sqlite3_bind_int(variety.get(), 1, ++id);
            bind(variety.get(), 2, x.name);
            sqlite3_bind_int(variety.get(), 3, static_cast<int>(x.colour));
            bind(variety.get(), 4, text);
            if (!step(variety.get()))
                return false;
        }
        for (const Synonym& x : c.synonyms) {
            bind(synonym.get(), 1, text::foldTerm(x.name));
            bind(synonym.get(), 2, x.name);
            bind(synonym.get(), 3, x.variety);
            if (!step(synonym.get()))
                return false;
        }
        for (const Wine* w : inKeywordOrder(c.wines))
            if (!insertWine(*w))
                return false;
        Wine next;
        while (more && more(next))
            if (!insertWine(next))
                return false;
        wine_.reset();
        fullText_.reset();
        return true;
    }

    // The entry's row, and its folded prose, scrambled like the other prose.
    bool insertWine(const Wine& w)
    {
        std::u16string folded = text::fold(w.text);
        ShellServices::scramble(folded);
        sqlite3_bind_int(fullText_.get(), 1, w.id);
        bind(fullText_.get(), 2, folded);
        return insertWineRow(wine_.get(), w) && step(fullText_.get());
    }

    bool insertWineRow(sqlite3_stmt* s, const Wine& w)
    {
        std::u16string text = w.text;
        ShellServices::scramble(text);
        std::u16string lowerText = ShellServices::toLower(w.text);
        for (char16_t& u : lowerText)
            if (u == u'\r' || u == u'\n')
                u = u' ';
        ShellServices::scramble(lowerText);

        int i = 1;
        sqlite3_bind_int(s, i++, w.id);
        bind(s, i++, w.keyword);
        bind(s, i++, text);
        bind(s, i++, w.country);
        bind(s, i++, w.region);
        for (bool flag : {w.red, w.rose, w.white, w.brown, w.dry, w.medium, w.sweet, w.sparkling})
            sqlite3_bind_int(s, i++, flag ? 1 : 0);
        for (const std::u16string& years : w.vintages)
            bindOrNull(s, i++, years);
        sqlite3_bind_int(s, i++, w.quality1);
        bind(s, i++, ShellServices::toLower(w.keyword));
        sqlite3_bind_int(s, i++, w.quality2);
        bind(s, i++, lowerText);
        sqlite3_bind_int(s, i++, w.drinkSoon ? 1 : 0);
        sqlite3_bind_int(s, i++, w.withoutVintage ? 1 : 0);
        sqlite3_bind_int(s, i++, kEdition);
        bind(s, i++, text::fold(w.keyword));
        bind(s, i++, text::fold(w.region));
        return step(s);
    }

    bool info(const char* key, const std::string& value)
    {
        Stmt s = prepare(schema::kInsertInfo);
        if (!s)
            return false;
        sqlite3_bind_text(s.get(), 1, key, -1, SQLITE_STATIC);
        sqlite3_bind_text(s.get(), 2, value.c_str(), -1, SQLITE_TRANSIENT);
        return step(s.get());
    }

    bool carryBookmarks(const std::string& oldPath)
    {
        Stmt attach = prepare(schema::kAttachOld);
        if (!attach)
            return false;
        sqlite3_bind_text(attach.get(), 1, oldPath.c_str(), -1, SQLITE_TRANSIENT);
        if (!step(attach.get()))
            return false;
        // A readable file without a bookmark table has nothing to carry over.
        bool copied = true;
        Stmt probe = prepare(schema::kOldHasBookmarks);
        if (!probe)
            copied = false;
        else if (sqlite3_step(probe.get()) == SQLITE_ROW)
            copied = exec(schema::kCopyBookmarks);
        else if (sqlite3_errcode(db_) != SQLITE_DONE && sqlite3_errcode(db_) != SQLITE_OK) {
            error_ = sqlite3_errmsg(db_);
            copied = false;
        }
        probe.reset();
        attach.reset();
        exec(schema::kDetachOld);
        return copied;
    }

    const std::string& error() const { return error_; }

private:
    sqlite3* db_;
    std::string error_;
    Stmt wine_, fullText_;
};

Db openFile(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    return Db(db);
}

// Flushes a file, or a folder's entries, to the disk, so a rename never puts
// a file in place whose content is still only in memory.
bool syncToDisk(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// How long the builder waits for a program that is writing a bookmark.
constexpr int kLockTimeoutMs = 10000;

// Holds the write lock of the old guide from before its bookmarks are read
// until the new file has taken its place. A program saving a bookmark in
// between waits for the lock, and then finds its file replaced and writes
// into the new one, so no bookmark is copied too early or lost.
class OldGuideLock {
public:
    // False when the guide is busy past the timeout. A guide that cannot be
    // written needs no lock: no bookmark can be saved into it.
    bool acquire(const std::string& path, std::string& error)
    {
        db_ = openFile(path, SQLITE_OPEN_READWRITE);
        if (!db_)
            return true;
        sqlite3_busy_timeout(db_.get(), kLockTimeoutMs);
        const int rc = sqlite3_exec(db_.get(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return true;
        if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED) {
            error = "the guide " + path + " is busy (" + sqlite3_errmsg(db_.get()) + ")";
            db_.reset();
            return false;
        }
        db_.reset();
        return true;
    }

    // Ends the transaction, which wrote nothing, so no journal is touched.
    void release() { db_.reset(); }

private:
    Db db_;
};

} // namespace

std::string storedKeyword(std::u16string_view keyword)
{
    return text::toStorageUtf8(keyword);
}

std::string builtDigest(const std::string& path)
{
    return location::storedDigest(path);
}

WriteResult writeGuideDatabase(const GuideContent& content, const std::string& path, const std::string& digest,
                               const std::function<void()>& beforeRename)
{
    return writeGuideDatabase(content, nullptr, path, digest, beforeRename);
}

WriteResult writeGuideDatabase(const GuideContent& content, const std::function<bool(Wine&)>& more,
                               const std::string& path, const std::string& digest,
                               const std::function<void()>& beforeRename)
{
    const std::string temp = path + ".neu";
    std::error_code ec;
    fs::remove(temp, ec);
    WriteResult result;
    OldGuideLock lock;
    {
        Db db = openFile(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (!db) {
            result.error = "cannot create " + temp;
            return result;
        }
        Writer w(db.get());
        const bool written = w.exec(schema::kPageSize) && w.exec(kBulkWritePragmas) && w.exec("BEGIN")
            && w.exec(schema::kCreateTables) && w.content(content, more) && w.exec(schema::kCreateIndexes)
            && w.info(schema::kInfoSourceDigest, digest) && w.info(schema::kInfoSchema, schema::kSchemaVersion)
            && w.exec("COMMIT");
        if (!written) {
            result.error = "writing " + temp + ": " + w.error();
            db.reset();
            fs::remove(temp, ec);
            return result;
        }
        if (fs::exists(path)) {
            std::string busy;
            if (!lock.acquire(path, busy)) {
                result.error = busy + "; the database was left as it is";
                db.reset();
                fs::remove(temp, ec);
                return result;
            }
            if (!w.carryBookmarks(path)) {
                result.error = "the bookmarks of " + path + " cannot be read (" + w.error() +
                               "); the database was left as it is";
                lock.release();
                db.reset();
                fs::remove(temp, ec);
                return result;
            }
        }
    }
    if (!syncToDisk(temp)) {
        result.error = "cannot write " + temp + " to the disk";
        lock.release();
        fs::remove(temp, ec);
        return result;
    }
    if (beforeRename)
        beforeRename();
    fs::rename(temp, path, ec);
    lock.release();
    if (!ec)
        syncToDisk(fs::path(path).parent_path().empty() ? "." : fs::path(path).parent_path().string());
    if (ec) {
        result.error = "cannot replace " + path + ": " + ec.message();
        fs::remove(temp, ec);
        return result;
    }
    result.ok = true;
    return result;
}

BuildResult buildGuide(const std::string& sourcesDir, const std::string& path)
{
    const std::string digest = sourcesDigest(sourcesDir);
    // An older layout (indexes) is rebuilt too, even from the same sources.
    const location::BuildInfo built = location::storedBuildInfo(path);
    if (fs::exists(path) && built.digest == digest && built.schema == schema::kSchemaVersion)
        return {BuildOutcome::UpToDate, path + " is up to date"};
    SourcesResult sources = loadGuideSources(sourcesDir);
    if (sources.error)
        return {BuildOutcome::Failed, sources.error->message()};
    const WriteResult written = writeGuideDatabase(sources.content, path, digest);
    if (!written.ok)
        return {BuildOutcome::Failed, written.error};
    const auto& c = sources.content;
    return {BuildOutcome::Built, path + ": " + std::to_string(c.wines.size()) + " entries, " +
                                     std::to_string(c.countries.size()) + " countries, " +
                                     std::to_string(c.regions.size()) + " regions, " +
                                     std::to_string(c.varieties.size()) + " varieties"};
}

} // namespace guide
