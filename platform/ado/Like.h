// The handheld engine's LIKE: '*' matches any run of characters, '?' exactly
// one, everything else itself, without regard to case for ASCII and Latin-1
// letters.
#pragma once

#include <sqlite3.h>
#include <string>
#include <string_view>

namespace ado {

// The lower-case partner of a letter in the ranges above; any other unit as it is.
char16_t foldCase(char16_t unit);

bool likeMatch(std::u16string_view pattern, std::u16string_view value);

// Replaces SQLite's LIKE on this connection with the engine's own.
bool registerLike(sqlite3* db);

} // namespace ado
