// Connection over SQLite.
#include "platform/ado/Connection.h"

#include "platform/ado/Like.h"
#include "platform/text/Utf16.h"

#include <string>

namespace ado {

namespace {

// Reads the file's table list once, so a file that is no database, is
// locked or cannot be read fails here and not on the first query.
int probe(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        rc = rc == SQLITE_ROW ? SQLITE_OK : sqlite3_extended_errcode(db);
    } else {
        rc = sqlite3_extended_errcode(db);
    }
    sqlite3_finalize(stmt);
    return rc;
}

// Reading the guide through a memory map spares a copy per page; searches
// that scan the whole file spend most of their time there otherwise.
constexpr long long kMapBytes = 4LL << 30;
constexpr int kCachePages = 4096;

void tuneForReading(sqlite3* db)
{
    const std::string pragmas = "PRAGMA mmap_size = " + std::to_string(kMapBytes) +
                                "; PRAGMA cache_size = " + std::to_string(kCachePages) + ";";
    sqlite3_exec(db, pragmas.c_str(), nullptr, nullptr, nullptr);
}

// The whole-file check reads every page once. Read through a few cached
// pages instead of the map, it leaves no copy of the file in the program's
// memory; the cache is given back afterwards.
constexpr char kTuneForOneReading[] = "PRAGMA mmap_size = 0; PRAGMA cache_size = 4;";

class ReadingOnce {
public:
    explicit ReadingOnce(sqlite3* db) : db_(db) { sqlite3_exec(db_, kTuneForOneReading, nullptr, nullptr, nullptr); }
    ~ReadingOnce()
    {
        tuneForReading(db_);
        sqlite3_db_release_memory(db_);
    }
    ReadingOnce(const ReadingOnce&) = delete;
    ReadingOnce& operator=(const ReadingOnce&) = delete;

private:
    sqlite3* db_;
};

} // namespace

Connection::~Connection()
{
    close();
}

void Connection::setProvider(std::u16string_view provider)
{
    provider_ = provider;
}

HResult Connection::open(std::u16string_view path, std::u16string_view, std::u16string_view, long)
{
    close();
    lastError_ = SQLITE_OK;
    const std::string file = text::toUtf8(path);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        // Before anything is read: a guide another process holds is waited for.
        sqlite3_busy_timeout(db, busyTimeoutMs);
        rc = probe(db);
    }
    if (rc == SQLITE_OK && !registerLike(db))
        rc = SQLITE_ERROR;
    if (rc != SQLITE_OK) {
        lastError_ = db ? sqlite3_extended_errcode(db) : rc;
        if (lastError_ == SQLITE_OK)
            lastError_ = rc;
        sqlite3_close(db);
        return kFail;
    }
    tuneForReading(db);
    db_ = db;
    path_ = file;
    rememberFileState();
    return kOk;
}

void Connection::close()
{
    finalizeReusable();
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool Connection::FileState::operator==(const FileState& other) const
{
    const auto sameTime = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
    return device == other.device && inode == other.inode && size == other.size && sameTime(modified, other.modified)
        && sameTime(changed, other.changed) && dataVersion == other.dataVersion;
}

// The name's file as the system sees it, and the engine's count of changes
// it has seen in the file (its own commits and other connections' alike).
bool Connection::readFileState(FileState& state)
{
    struct stat st {};
    if (!db_ || ::stat(path_.c_str(), &st) != 0)
        return false;
    state.device = st.st_dev;
    state.inode = st.st_ino;
    state.size = st.st_size;
    state.modified = st.st_mtim;
    state.changed = st.st_ctim;
    state.dataVersion = 0;
    sqlite3_file_control(db_, "main", SQLITE_FCNTL_DATA_VERSION, &state.dataVersion);
    return true;
}

void Connection::rememberFileState()
{
    if (!readFileState(remembered_))
        remembered_ = {};
}

bool Connection::fileChangedSinceRemembered()
{
    if (!db_)
        return false;
    // The engine compares the open file with the one the name leads to.
    int moved = 0;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved)
        return true;
    // A copy written over the file in place keeps its inode; its times or
    // size give it away even when its header matches.
    FileState now;
    return !readFileState(now) || !(now == remembered_);
}

int Connection::pageSize()
{
    sqlite3_stmt* stmt = nullptr;
    int size = 0;
    if (db_ && sqlite3_prepare_v2(db_, "PRAGMA page_size", -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        size = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return size;
}

bool Connection::isReadOnly() const
{
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

std::vector<std::string> Connection::columnsOf(std::string_view table)
{
    std::vector<std::string> columns;
    if (!db_)
        return columns;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT name FROM pragma_table_info(?1) ORDER BY cid", -1, &stmt, nullptr) != SQLITE_OK) {
        lastError_ = sqlite3_extended_errcode(db_);
        throw Fault(sqlite3_errmsg(db_), lastError_);
    }
    sqlite3_bind_text(stmt, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        columns.emplace_back(name ? name : "");
    }
    if (rc != SQLITE_DONE) {
        lastError_ = sqlite3_extended_errcode(db_);
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_finalize(stmt);
        throw Fault(message, lastError_);
    }
    sqlite3_finalize(stmt);
    return columns;
}

bool Connection::quickCheck()
{
    if (!db_)
        return false;
    sqlite3_stmt* stmt = nullptr;
    const ReadingOnce once(db_);
    if (sqlite3_prepare_v2(db_, "PRAGMA quick_check(1)", -1, &stmt, nullptr) != SQLITE_OK) {
        lastError_ = sqlite3_extended_errcode(db_);
        throw Fault(sqlite3_errmsg(db_), lastError_);
    }
    const int rc = sqlite3_step(stmt);
    bool sound = false;
    if (rc == SQLITE_ROW) {
        const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sound = verdict && std::string_view(verdict) == "ok";
        if (!sound)
            lastError_ = SQLITE_CORRUPT;
    } else {
        lastError_ = sqlite3_extended_errcode(db_);
    }
    sqlite3_finalize(stmt);
    // A damaged file may make the check itself fail; anything but a lock
    // means damage.
    if (rc != SQLITE_ROW && ((lastError_ & 0xFF) == SQLITE_BUSY || (lastError_ & 0xFF) == SQLITE_LOCKED))
        throw Fault("the database is locked", lastError_);
    return sound;
}

} // namespace ado

namespace ado {

namespace {
// Enough for the statements of one entry view and the lists.
constexpr std::size_t kReusableLimit = 16;
} // namespace

sqlite3_stmt* Connection::takeReusable(const std::u16string& text)
{
    const auto it = reusable_.find(text);
    if (it == reusable_.end())
        return nullptr;
    sqlite3_stmt* stmt = it->second;
    reusable_.erase(it);
    return stmt;
}

void Connection::keepReusable(const std::u16string& text, sqlite3_stmt* stmt)
{
    sqlite3_reset(stmt);
    if (!db_ || reusable_.size() >= kReusableLimit || !reusable_.emplace(text, stmt).second)
        sqlite3_finalize(stmt);
}

void Connection::finalizeReusable()
{
    for (auto& [text, stmt] : reusable_)
        sqlite3_finalize(stmt);
    reusable_.clear();
}

} // namespace ado
