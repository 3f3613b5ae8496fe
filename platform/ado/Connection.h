// The data-access connection: one guide database file opened through SQLite
// with the handheld engine's dialect.
#pragma once

#include "platform/ado/HResult.h"

#include <sqlite3.h>
#include <map>
#include <string>
#include <string_view>

namespace ado {

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setProvider(std::u16string_view provider);

    // Opens an existing database file; never creates one. The file must hold
    // the tables every guide has, else the open fails. Options are accepted
    // for the caller's sake and not interpreted.
    HResult open(std::u16string_view path, std::u16string_view user, std::u16string_view password, long options);
    void close();

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Prepared statements kept for reuse, by their text with a parameter in
    // place of a trailing number. A taken statement is the taker's until it
    // is kept again; a statement kept when the connection is closed, or when
    // one with its text is kept already, is finalized.
    sqlite3_stmt* takeReusable(const std::u16string& text);
    void keepReusable(const std::u16string& text, sqlite3_stmt* stmt);

private:
    void finalizeReusable();

    sqlite3* db_ = nullptr;
    std::u16string provider_;
    std::map<std::u16string, sqlite3_stmt*> reusable_;
};

} // namespace ado
