// The one database connection of the process: opening the guide file beside
// the program, running statements, and the two reading operations that fill
// a list or read one value. Callers compose their SQL in textBuffer.
#pragma once

#include "db/GuideCheck.h"
#include "platform/ado/Objects.h"
#include "platform/ui/Targets.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class WineDatabase {
public:
    static constexpr std::size_t kScratchUnits = 104;
    static constexpr std::size_t kTextBufferUnits = 5000;
    static constexpr std::u16string_view kFileName = u"vinaria2007_db.cdb";

    WineDatabase() = default;
    ~WineDatabase();
    WineDatabase(const WineDatabase&) = delete;
    WineDatabase& operator=(const WineDatabase&) = delete;

    // Text area of the vintage-year formatter.
    char16_t scratch[kScratchUnits] = {};
    // Shared SQL buffer of kTextBufferUnits units; its emptiness selects the
    // bookmark list. Allocated and freed by the main menu.
    char16_t* textBuffer = nullptr;
    // Stops a running fillComboBox before its next row.
    bool cancelFill = false;
    // For tests: sees the text of every statement the recordset is asked to run.
    std::function<void(std::u16string_view)> statementObserver;

    void allocateTextBuffer();
    void freeTextBuffer();
    // Places a complete statement into textBuffer, cut to its capacity.
    void setText(std::u16string_view sql);

    // When open() runs the whole-file check on a small guide: at once, or
    // when the caller asks (runDeferredCheck) or the first statement runs,
    // whichever comes first. The main menu lets its window appear first.
    enum class WholeFileCheck { OnOpen, Deferred };

    // Connects to the guide file (filePath). A second call replaces the
    // connection and recordset with new ones. A file that is no guide, has
    // another layout or is damaged is not kept open, so nothing is ever
    // written into it; lastFailure() says why.
    bool open(WholeFileCheck check = WholeFileCheck::OnOpen);
    // Runs a whole-file check that open() deferred, if it has not run yet.
    // False when it found the guide damaged or unreadable: the connection is
    // closed as on a fault, and lastFailure() says why.
    bool runDeferredCheck();
    // The guide file open() connects to: guidePath, or the file beside the
    // program when guidePath is empty.
    std::u16string filePath() const;
    std::u16string guidePath;
    // False when there is no connection object.
    bool close();
    // Runs one statement: 0 when it ran or the text was empty, 1 when refused
    // or when the guide failed (lastFailure() tells which). Outside a
    // transaction, a guide replaced by a rebuild since it was opened is
    // reopened and the statement run once more, so a write never lands in
    // the replaced file; inside one the statement fails, and runTransaction
    // runs the whole transaction again.
    int execute(const char16_t* sql);

    // Runs body as one write transaction: takes the write lock up front
    // (waiting out the busy timeout), makes sure the file is still the one
    // opened and unchanged by anyone else, runs body's statements and
    // commits. A guide replaced, moved or overwritten underneath is reopened
    // with the opening checks and the transaction run again from its start,
    // never a statement alone; so body reads what it needs inside itself.
    // True once committed. Otherwise nothing of body is stored, and
    // lastFailure() says why (reason None when body or a statement refused).
    bool runTransaction(const std::function<bool()>& body);

    // Adds the first column of every row of the query in textBuffer to list.
    bool fillComboBox(ui::StringListTarget& list);
    // Writes the first column of the first row into out, at most maxChars
    // characters and a terminator, so out holds maxChars + 1 units. With no
    // row, out keeps what the caller put there.
    bool queryValue(char16_t* out, std::int16_t maxChars);

    // The shared open step of every query: the recordset runs sql with the
    // given cursor. Throws ado::Fault when the component itself fails.
    bool openRecordset(const char16_t* sql, int cursorType = ado::kOpenDynamic, int lockType = ado::kLockOptimistic);
    void closeRecordset();

    // Why the last open or operation failed on the guide itself, with the
    // guide's path; reason None while all is well. A refused statement is
    // not a failure of the guide and leaves it as it was.
    const GuideProblem& lastFailure() const { return lastFailure_; }
    // Records a fault of the data layer caught by a caller reading rows.
    void noteFault(const ado::Fault& fault);
    // True when damage found while reading (lastFailure) has closed the
    // connection since it was opened: what a query then returns is not the
    // guide's answer.
    bool guideLost() const;

    ado::Recordset* recordset() const { return recordset_.get(); }
    // The open connection, or null; for hooks that act on the engine itself.
    ado::Connection* connection() const { return connection_.get(); }
    // The value at a 0-based position of the recordset's current row.
    ado::Variant columnValue(std::uint16_t position);
    // The same with a text cut to its first maxUnits units, decoding no more.
    ado::Variant columnValue(std::uint16_t position, std::size_t maxUnits);

private:
    // The open step for operations that report failure by their result: a
    // fault of the component counts as a refused statement.
    bool openQuietly(const char16_t* sql);
    // The field at a 0-based position of the current row, taken as the
    // reading operations take it; null without a recordset.
    ado::Field* fieldAt(std::uint16_t position);
    GuideFailure checkOpenedGuide(WholeFileCheck check);
    // The engine's whole-file check on the open connection.
    GuideFailure checkWholeFile();
    void fail(GuideFailure reason);
    // Records why a statement did not run, when the guide is the reason.
    void noteRefusal(int extendedCode);
    // Opens the guide again when its last open failed; false when it still
    // cannot be used. Without a connection object nothing is tried.
    bool reopenIfClosed();
    // Rolls back the open transaction, keeping the reason it failed.
    void abandonTransaction();
    // Records reason; damage also closes the connection for good.
    void failAndCloseIfDamaged(GuideFailure reason);

    // Files up to this size get the engine's whole-file check on every open
    // (the shipped guide, 4 MB, takes about 50 ms); larger ones, where it
    // takes up to a second, get it when the first fault is seen.
    static constexpr std::uintmax_t kWholeFileCheckLimit = 8u << 20;
    // A guide replaced again and again while a transaction starts is given up.
    static constexpr int kTransactionAttempts = 3;
    // A bookmark's save journals the first page, the leaves of the bookmark
    // table and of its index, and the page of the key counter; each with its
    // number and checksum, behind the journal's header.
    static constexpr std::uintmax_t kPagesJournaledPerSave = 4;
    static constexpr std::uintmax_t kJournalRecordOverhead = 8;
    static constexpr std::uintmax_t kJournalHeaderBytes = 512;

    std::shared_ptr<ado::Connection> connection_;
    std::shared_ptr<ado::Recordset> recordset_;
    ado::Fields* fields_ = nullptr;
    ado::Field* field_ = nullptr;
    GuideProblem lastFailure_;
    std::u16string path_;
    bool wholeFileChecked_ = false;
    bool wholeFileCheckDeferred_ = false;
    bool closedByFault_ = false;
    bool damageSeen_ = false;
    // A statement of the open transaction met a guide moved underneath.
    bool movedInTransaction_ = false;
};

extern WineDatabase* g_wineDatabase;
