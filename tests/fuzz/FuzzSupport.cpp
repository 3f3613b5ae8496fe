// Statement shapes for the fuzz targets.
#include "tests/fuzz/FuzzSupport.h"

#include "db/Sql.h"
#include "platform/ado/Like.h"

#include <cstdlib>

namespace fuzz {

sqlite3* guideSchemaDatabase()
{
    sqlite3* db = nullptr;
    if (sqlite3_open(":memory:", &db) != SQLITE_OK || sqlite3_exec(db, sql::schema::kCreateTables, nullptr, nullptr, nullptr) != SQLITE_OK
        || !ado::registerLike(db))
        std::abort();
    return db;
}

std::string statementShape(sqlite3* db, std::u16string_view sql)
{
    const std::u16string explain = u"EXPLAIN " + std::u16string(sql);
    sqlite3_stmt* stmt = nullptr;
    const void* tail = nullptr;
    if (sqlite3_prepare16_v2(db, explain.data(), static_cast<int>(explain.size() * 2), &stmt, &tail) != SQLITE_OK || !stmt)
        return {};
    std::string shape;
    for (const auto* t = static_cast<const char16_t*>(tail); t && *t; ++t)
        if (*t != u' ' && *t != u'\n' && *t != u'\t' && *t != u'\r')
            shape = "second statement;";
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* opcode = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
        shape += opcode ? opcode : "?";
        shape += ' ';
    }
    sqlite3_finalize(stmt);
    return shape;
}

} // namespace fuzz
