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

#include <cstdio>
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

// Read as the program reads it: the engine's own conversion would turn the
// noncharacters U+FFFE and U+FFFF into U+FFFD.
std::u16string column16(sqlite3_stmt* stmt, int column)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return t ? text::fromUtf8(std::string_view(t, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column))))
             : std::u16string();
}

// Another program reading the guide: the bookmark rows, and whether the
// guide is sound. Opened again after a rebuild, whose new file it must see.
class Reader {
public:
    explicit Reader(const std::string& path) : path_(path) { reopen(); }
    ~Reader() { sqlite3_close(db_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    void reopen()
    {
        sqlite3_close(db_);
        db_ = nullptr;
        if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::abort();
    }

    // False when a row could not be read or an entry has two.
    bool rows(Rows& out)
    {
        out.clear();
        sqlite3_stmt* stmt = nullptr;
        bool read = sqlite3_prepare_v2(db_, "SELECT id_vinaria, Beschreibung, Notiz FROM Lesezeichen", -1, &stmt,
                                       nullptr) == SQLITE_OK;
        int rc = SQLITE_DONE;
        while (read && (rc = sqlite3_step(stmt)) == SQLITE_ROW)
            read = out.emplace(sqlite3_column_int(stmt, 0), std::pair{column16(stmt, 1), column16(stmt, 2)}).second;
        sqlite3_finalize(stmt);
        return read && rc == SQLITE_DONE;
    }

    bool sound()
    {
        sqlite3_stmt* stmt = nullptr;
        const bool ok = sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW
            && std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))) == "ok";
        sqlite3_finalize(stmt);
        return ok;
    }

private:
    std::string path_;
    sqlite3* db_ = nullptr;
};

[[noreturn]] void fail(const char* what, const WineDatabase& db)
{
    std::fprintf(stderr, "%s (reason %d)\n", what, static_cast<int>(db.lastFailure().reason));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Guide guide;
    static Reader reader(guide.path);
    fuzz::Input in(data, size);
    Rows expected, stored;
    if (!reader.rows(expected))
        fail("the bookmarks cannot be read", guide.db);
    int rebuilds = 0;
    while (!in.empty()) {
        const std::uint8_t op = in.byte();
        const int entry = op / 4 % kEntries + 1;
        const std::u16string id = save_crash::idText(entry);
        switch (op % 4) {
        case 0:
        case 1: {
            const std::u16string description = in.text(40), note = in.text(80);
            if (!writeBookmark(guide.db, id, description, note))
                fail("a save on the sound guide failed", guide.db);
            expected[entry] = {text::sanitized(description), text::sanitized(note)};
            break;
        }
        case 2:
            if (!removeBookmark(guide.db, id))
                fail("a deletion on the sound guide failed", guide.db);
            expected.erase(entry);
            break;
        default:
            // The builder puts a new guide in place; the bookmarks go with it.
            if (rebuilds++ >= kMaxRebuildsPerInput)
                break;
            if (!guide.rebuild())
                fail("the rebuild failed", guide.db);
            reader.reopen();
            break;
        }
        if (!reader.rows(stored) || stored != expected)
            fail("the stored bookmarks are not the ones saved", guide.db);
    }
    if (!reader.sound())
        fail("the guide is not sound", guide.db);
    return 0;
}
