// vinaria-lockholder GUIDE write|exclusive [MILLISECONDS]: takes the guide's
// write lock (others may still read) or its exclusive lock (nobody may), as
// another program writing it would, says "locked", holds it for the given
// time or else until its input ends, then lets go and says "released".
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

constexpr int kUsage = 64;
constexpr int kNotLocked = 65;

} // namespace

int main(int argc, char** argv)
{
    const bool exclusive = argc >= 3 && std::strcmp(argv[2], "exclusive") == 0;
    if (argc < 3 || argc > 4 || (!exclusive && std::strcmp(argv[2], "write") != 0)) {
        std::fprintf(stderr, "usage: %s GUIDE write|exclusive [MILLISECONDS]\n", argv[0]);
        return kUsage;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_exec(db, exclusive ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "cannot lock %s: %s\n", argv[1], sqlite3_errmsg(db));
        sqlite3_close(db);
        return kNotLocked;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    if (argc == 4)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[3])));
    else
        while (std::getchar() != EOF) {
        }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::printf("released\n");
    return 0;
}
