// vinaria-savecrash GUIDE ENTRIES FIRST LAST [pause]: opens the guide, prints
// "ready", waits for a byte (or the end) on stdin, saves bookmarks
// FIRST..LAST through the dialog's write step and prints each number once its
// save is committed, the moment the user would see the confirmation. Meant
// to be killed at any moment by the crash test. With "pause" it stops inside
// the first save that replaces a row, between the DELETE and the INSERT, says
// "between" and waits there for its kill.
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "results/BookmarkStore.h"
#include "tests/crash/SaveCrashTexts.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kUsage = 64;
constexpr int kOpenFailed = 65;
constexpr int kSaveFailed = 66;

// Stops the process before the first INSERT that follows a DELETE.
void pauseBetweenDeleteAndInsert(WineDatabase& db)
{
    db.statementObserver = [deleted = false](std::u16string_view statement) mutable {
        if (statement.starts_with(u"DELETE"))
            deleted = true;
        if (deleted && statement.starts_with(u"INSERT")) {
            std::printf("between\n");
            std::fflush(stdout);
            for (;;)
                pause();
        }
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5 && !(argc == 6 && std::strcmp(argv[5], "pause") == 0)) {
        std::fprintf(stderr, "usage: %s GUIDE ENTRIES FIRST LAST [pause]\n", argv[0]);
        return kUsage;
    }
    const int entries = std::atoi(argv[2]);
    const int first = std::atoi(argv[3]);
    const int last = std::atoi(argv[4]);
    if (entries < 1 || first < 1)
        return kUsage;

    WineDatabase db;
    db.guidePath = text::fromUtf8(argv[1]);
    db.allocateTextBuffer();
    if (argc == 6)
        pauseBetweenDeleteAndInsert(db);
    if (!db.open()) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return kOpenFailed;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    // The go-ahead lets the caller time its kill from the first save.
    std::getchar();
    for (int save = first; save <= last; ++save) {
        const std::u16string id = save_crash::idText(save_crash::entryOf(save, entries));
        if (!writeBookmark(db, id, save_crash::descriptionOf(save), save_crash::noteOf(save))) {
            std::fprintf(stderr, "save %d failed: reason %d\n", save, static_cast<int>(db.lastFailure().reason));
            return kSaveFailed;
        }
        std::printf("%d\n", save);
        std::fflush(stdout);
    }
    db.close();
    return 0;
}
