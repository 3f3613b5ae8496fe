// What the crash and concurrency tests share: a guide on a memory file
// system, the saving process's command line, and the bookmarks as stored.
#pragma once

#include "tests/crash/SaveCrashTexts.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace crash_testing {

namespace fs = std::filesystem;

// Saves run on a memory file system where there is one, so that a kill can
// land anywhere in a save rather than almost always in the wait for the disk;
// a kill keeps what was written either way.
inline std::string memoryFolder()
{
    const fs::path shm = "/dev/shm";
    const fs::path folder = (fs::is_directory(shm) ? shm : fs::path(VINARIA_TEST_TMP))
        / ("vinaria-savecrash-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

// The saving process for saves first..last on a guide of entries entries.
inline std::vector<std::string> saveCommand(const std::string& guide, int entries, int first, long last)
{
    return {VINARIA_SAVECRASH, guide, std::to_string(entries), std::to_string(first), std::to_string(last)};
}

struct Stored {
    std::u16string description, note;
};

inline std::u16string column16(sqlite3_stmt* stmt, int column)
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt, column));
    return text ? std::u16string(text) : std::u16string();
}

// Rows per entry id as stored (a second row for an entry counts as damage),
// and the engine's verdict on the file.
inline std::map<int, Stored> storedBookmarks(const std::string& path, std::string& quickCheck)
{
    std::map<int, Stored> rows;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    // A rebuild or a save may hold the file for a moment.
    sqlite3_busy_timeout(db, 10000);
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, "SELECT id_vinaria, Beschreibung, Notiz FROM Lesezeichen", -1, &stmt, nullptr),
              SQLITE_OK);
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        const int id = sqlite3_column_int(stmt, 0);
        EXPECT_FALSE(rows.contains(id)) << "two bookmark rows for entry " << id;
        rows[id] = {column16(stmt, 1), column16(stmt, 2)};
    }
    sqlite3_finalize(stmt);
    quickCheck.clear();
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        quickCheck = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

// Whether the stored row of an entry holds what save number save wrote.
inline bool holdsSave(const std::map<int, Stored>& rows, int entry, int save)
{
    const auto row = rows.find(entry);
    return row != rows.end() && row->second.note == save_crash::noteOf(save)
        && row->second.description == save_crash::descriptionOf(save);
}

} // namespace crash_testing
