// LIKE with the handheld engine's wildcards, registered on each connection.
#include "platform/ado/Like.h"

namespace ado {

char16_t foldCase(char16_t u)
{
    if (u >= u'A' && u <= u'Z')
        return static_cast<char16_t>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
        return static_cast<char16_t>(u + 32);
    return u;
}

bool likeMatch(std::u16string_view pattern, std::u16string_view value)
{
    // Greedy matching that backtracks only to the most recent '*': linear
    // for the usual patterns, never worse than pattern x value.
    std::size_t p = 0, v = 0;
    std::size_t starP = std::u16string_view::npos, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starV = v;
        } else if (p < pattern.size()
                   && (pattern[p] == u'?' || foldCase(pattern[p]) == foldCase(value[v]))) {
            ++p;
            ++v;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

namespace {

std::u16string_view textOf(sqlite3_value* value)
{
    const void* data = sqlite3_value_text16(value);
    const int bytes = sqlite3_value_bytes16(value);
    if (!data)
        return {};
    return {static_cast<const char16_t*>(data), static_cast<std::size_t>(bytes) / 2};
}

// like(pattern, value): SQLite rewrites "value LIKE pattern" into this call.
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    // Both texts are read before either is used: reading converts in place.
    const std::u16string pattern(textOf(argv[0]));
    const std::u16string_view value = textOf(argv[1]);
    sqlite3_result_int(context, likeMatch(pattern, value) ? 1 : 0);
}

} // namespace

bool registerLike(sqlite3* db)
{
    const int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    return sqlite3_create_function_v2(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function_v2(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace ado
