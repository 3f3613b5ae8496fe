// Connection over SQLite.
#include "platform/ado/Connection.h"

#include "platform/ado/Like.h"
#include "platform/text/Utf16.h"

#include <array>
#include <string>

namespace ado {

namespace {

// A file is taken for a guide database only when it has all of these.
constexpr std::array<const char*, 5> kGuideTables = {"vinaria", "Land", "Region", "Rebsorten", "Lesezeichen"};

bool hasGuideTables(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE",
                           -1, &stmt, nullptr) != SQLITE_OK)
        return false;
    bool all = true;
    for (const char* table : kGuideTables) {
        sqlite3_bind_text(stmt, 1, table, -1, SQLITE_STATIC);
        all = all && sqlite3_step(stmt) == SQLITE_ROW;
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    return all;
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
    const std::string file = text::toUtf8(path);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK || !hasGuideTables(db) || !registerLike(db)) {
        sqlite3_close(db);
        return kFail;
    }
    sqlite3_busy_timeout(db, 2000);
    tuneForReading(db);
    db_ = db;
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
