// The data-access recordset: runs one SQL text on its connection and walks
// its rows. Values are read by 0-based column position.
#pragma once

#include "platform/ado/Connection.h"
#include "platform/ado/HResult.h"
#include "platform/ado/Variant.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ado {

enum CursorType : int { kOpenDynamic = 2, kOpenStatic = 3 };
enum LockType : int { kLockReadOnly = 1, kLockOptimistic = 3 };
constexpr long kCmdUnspecified = 8;

class Recordset;

// The field at one position of the recordset's current row.
class Field {
public:
    Variant value() const;
    // The value with a text cut to its first maxUnits units; only those are
    // decoded, so a huge text costs no more than its prefix.
    Variant valuePrefix(std::size_t maxUnits) const;

private:
    friend class Fields;
    Recordset* owner_ = nullptr;
    int column_ = -1;
};

// The fields of the recordset's current row, by position.
class Fields {
public:
    // The index is an unsigned 16-bit tagged value, or a plain integer.
    Field* item(const Variant& index);
    int count() const;

private:
    friend class Recordset;
    explicit Fields(Recordset& owner) : owner_(owner) {}
    Recordset& owner_;
    Field field_;
};

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void setActiveConnection(std::shared_ptr<Connection> connection);

    // Runs the SQL text given as source. Exactly one statement of valid
    // UTF-16 is accepted. A statement the engine refuses gives a failure
    // code; a damaged or unreadable database, or a lock held past the busy
    // timeout, throws Fault, here and from every later step of the walk.
    HResult open(const Variant& source, const Variant& activeConnection, int cursorType, int lockType, long options);
    void close();
    bool isOpen() const { return open_; }

    HResult moveFirst();
    HResult moveNext();
    // True when there is no current row (the end check).
    bool eof();
    Fields* fields() { return &fields_; }
    // Row count of a static cursor; -1 for a dynamic one, as the handheld does.
    long recordCount();

    // The engine's extended result code of the last refused or failed open
    // or step; 0 after a clean open.
    int lastError() const { return lastError_; }

    // For tests: the next open throws Fault as a damaged file would.
    void injectFaultOnNextOpen() { faultOnNextOpen_ = true; }

private:
    friend class Field;
    friend class Fields;

    // One row kept by a static cursor. A text too long to keep is read
    // from the live statement again when asked for.
    struct Row {
        std::vector<Variant> values;
        std::vector<bool> liveOnly;
    };

    int prepare(const std::u16string& sql, const void*& tail);
    void releaseStatement();       // finalizes stmt_, or gives it back for reuse
    Variant liveValue(int column) const;
    Variant columnValue(int column);
    Variant columnPrefix(int column, std::size_t maxUnits);
    // The kept value of the current row of a static cursor, or null when
    // the live statement must be read.
    const Variant* keptValue(int column) const;
    // Brings a static cursor's live statement to the current row; true when
    // it stands there (always for a dynamic cursor).
    bool onLiveRow();
    int columnCount() const;
    bool stepLive();           // advances the live statement; false at its end
    Row captureLiveRow() const;
    void bringLiveTo(std::size_t index);

    std::shared_ptr<Connection> connection_;
    sqlite3_stmt* stmt_ = nullptr;
    std::u16string reusableText_; // stmt_ is the connection's reusable statement for this text
    bool open_ = false;
    bool staticCursor_ = false;
    bool liveOnRow_ = false;     // the live statement stands on a row
    bool liveDone_ = false;      // the live statement has no more rows
    std::size_t liveIndex_ = 0;  // index of the row the live statement stands on
    std::vector<Row> rows_;      // static cursor: rows seen so far (up to a limit)
    std::size_t position_ = 0;   // static cursor: index of the current row
    long count_ = -1;            // static cursor: total row count once known
    int columns_ = 0;
    Fields fields_;
    bool faultOnNextOpen_ = false;
    int lastError_ = 0;
    // Texts of the live row decoded so far, valid while rowStamp_ stands.
    mutable std::vector<std::u16string> decoded_;
    mutable std::vector<std::uint64_t> decodedStamp_;
    std::uint64_t rowStamp_ = 1;
};

} // namespace ado
