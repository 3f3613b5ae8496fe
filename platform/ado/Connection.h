// The data-access connection: one guide database file opened through SQLite
// with the handheld engine's dialect.
#pragma once

#include "platform/ado/HResult.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ado {

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setProvider(std::u16string_view provider);

    // Opens an existing database file; never creates one. The busy timeout
    // holds from before the first read, and the file must read as a
    // database, else the open fails with lastError() telling why. Options are
    // accepted for the caller's sake and not interpreted.
    HResult open(std::u16string_view path, std::u16string_view user, std::u16string_view password, long options);
    void close();

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // The engine's extended result code of the last failed open or check.
    int lastError() const { return lastError_; }
    // True when the file could only be opened for reading.
    bool isReadOnly() const;

    // The column names of a table in their stored order; empty when there is
    // no such table. Throws Fault when the file cannot be read.
    std::vector<std::string> columnsOf(std::string_view table);
    // The engine's own consistency check of the whole file: true when sound.
    // Throws Fault when the file cannot be read at all.
    bool quickCheck();

    // True while a transaction begun on this connection is open.
    bool inTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }
    // Whether the file was replaced, moved or changed by anyone else since
    // the connection last took its state as its own (on open and through
    // rememberFileState): its name leads to another file, or its size, its
    // times or the engine's data version differ. Best read inside a write
    // transaction, where no other writer can come between.
    bool fileChangedSinceRemembered();
    // Takes the file's present state as the connection's own, after a write.
    void rememberFileState();
    // The page size of the open file; 0 when it cannot be read.
    int pageSize();

    // How long a statement waits for another process's lock; tests shorten it.
    static constexpr int kBusyTimeoutMs = 2000;
    static inline int busyTimeoutMs = kBusyTimeoutMs;

    // Prepared statements kept for reuse, by their text with a parameter in
    // place of a trailing number. A taken statement is the taker's until it
    // is kept again; a statement kept when the connection is closed, or when
    // one with its text is kept already, is finalized.
    sqlite3_stmt* takeReusable(const std::u16string& text);
    void keepReusable(const std::u16string& text, sqlite3_stmt* stmt);

private:
    void finalizeReusable();

    // What tells one state of the file from another.
    struct FileState {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        unsigned dataVersion = 0;
        bool operator==(const FileState& other) const;
    };
    bool readFileState(FileState& state);

    sqlite3* db_ = nullptr;
    std::string path_;
    FileState remembered_;
    std::u16string provider_;
    int lastError_ = 0;

    std::map<std::u16string, sqlite3_stmt*> reusable_;
};

} // namespace ado
