// The bookmark save path with any description and note, deletions, and
// rebuilds of the guide in between: every save and deletion on the sound
// guide is done, what is stored is exactly what was given (as any composed
// text is: cut at a NUL, a lone surrogate replaced), nothing else changes,
// and the guide stays sound.
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "results/BookmarkStore.h"
#include "tests/crash/SaveCrashTexts.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/guide/GuideWriter.h"

#include <sqlite3.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace {

namespace fs = std::filesystem;

constexpr int kEntries = 4;
constexpr int kMaxRebuildsPerInput = 1;

using Rows = std::map<int, std::pair<std::u16string, std::u16string>>;

// One guide for the fuzzer's life, on a memory file system where there is one.
struct Guide {
    Guide()
    {
        const fs::path shm = "/dev/shm";
        folder = (fs::is_directory(shm) ? shm : fs::temp_directory_path()) / ("vinaria-fuzz-" + std::to_string(getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = (folder / "vinaria2007_db.cdb").string();
        if (!rebuild())
            std::abort();
        db.guidePath = text::fromUtf8(path);
        db.allocateTextBuffer();
        if (!db.open())
            std::abort();
    }
    ~Guide()
    {
        db.close();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    bool rebuild() { return guide::writeGuideDatabase(save_crash::guideWithEntries(kEntries), path, "fuzz").ok; }

    fs::path folder;
    std::string path;
    WineDatabase db;
};

std::u16string column16(sqlite3_stmt* stmt, int column)
{
    const auto* t = static_cast<const char16_t*>(sqlite3_column_text16(stmt, column));
    return t ? std::u16string(t) : std::u16string();
}

// The bookmark rows as another program reads them, and the guide's soundness.
Rows storedRows(const std::string& path, bool& sound)
{
    Rows rows;
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    sound = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(db, "SELECT id_vinaria, Beschreibung, Notiz FROM Lesezeichen", -1, &stmt, nullptr)
            == SQLITE_OK;
    while (sound && sqlite3_step(stmt) == SQLITE_ROW)
        sound = rows.emplace(sqlite3_column_int(stmt, 0), std::pair{column16(stmt, 1), column16(stmt, 2)}).second;
    sqlite3_finalize(stmt);
    stmt = nullptr;
    sound = sound && sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW
        && std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))) == "ok";
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Guide guide;
    fuzz::Input in(data, size);
    bool sound = true;
    Rows expected = storedRows(guide.path, sound);
    int rebuilds = 0;
    while (!in.empty() && sound) {
        const std::uint8_t op = in.byte();
        const int entry = op / 4 % kEntries + 1;
        const std::u16string id = save_crash::idText(entry);
        switch (op % 4) {
        case 0:
        case 1: {
            const std::u16string description = in.text(40), note = in.text(80);
            if (!writeBookmark(guide.db, id, description, note))
                std::abort();
            expected[entry] = {text::sanitized(description), text::sanitized(note)};
            break;
        }
        case 2:
            if (!removeBookmark(guide.db, id))
                std::abort();
            expected.erase(entry);
            break;
        default:
            // The builder puts a new guide in place; the bookmarks go with it.
            if (rebuilds++ < kMaxRebuildsPerInput && !guide.rebuild())
                std::abort();
            break;
        }
        if (storedRows(guide.path, sound) != expected || !sound)
            std::abort();
    }
    return 0;
}
