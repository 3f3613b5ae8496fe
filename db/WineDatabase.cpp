// The database connection and its query operations.
#include "db/WineDatabase.h"

#include "db/Sql.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <string>

WineDatabase::~WineDatabase()
{
    freeTextBuffer();
}

void WineDatabase::allocateTextBuffer()
{
    if (!textBuffer)
        textBuffer = new char16_t[kTextBufferUnits]();
}

void WineDatabase::freeTextBuffer()
{
    delete[] textBuffer;
    textBuffer = nullptr;
}

void WineDatabase::setText(std::u16string_view sql)
{
    allocateTextBuffer();
    text::copy(textBuffer, kTextBufferUnits, sql);
    // A statement cut inside a surrogate pair, or composed by hand, is still valid text.
    text::sanitize(textBuffer);
}

bool WineDatabase::open(WholeFileCheck check)
{
    cancelFill = false;
    const std::u16string path = filePath();
    path_ = path;
    lastFailure_ = {GuideFailure::None, path};
    wholeFileChecked_ = false;
    wholeFileCheckDeferred_ = false;
    closedByFault_ = false;
    if (!ado::initializeRuntime())
        return false;

    // New objects take the place of any old ones, so a reopen after a fault
    // starts from a clean connection.
    closeRecordset();
    connection_ = ado::createConnection(ado::kConnectionProgId);
    recordset_.reset();
    fields_ = nullptr;
    field_ = nullptr;
    if (!connection_)
        return false;
    connection_->setProvider(ado::kProvider);
    bool opened = ado::succeeded(connection_->open(path, u"", u"", -1));
    if (!opened) {
        fail(failureOfUnopenedFile(text::toUtf8(path), connection_->lastError()));
    } else if (const GuideFailure problem = checkOpenedGuide(check); problem != GuideFailure::None) {
        // Nothing more is read from or written into a file that failed.
        connection_->close();
        fail(problem);
        opened = false;
    }

    recordset_ = ado::createRecordset(ado::kRecordsetProgId);
    if (recordset_)
        recordset_->setActiveConnection(connection_);
    return opened;
}

std::u16string WineDatabase::filePath() const
{
    return guidePath.empty() ? shell::siblingPath(shell::programPath(), kFileName) : guidePath;
}

GuideFailure WineDatabase::checkOpenedGuide(WholeFileCheck check)
{
    try {
        if (const GuideFailure layout = checkGuideLayout(*connection_); layout != GuideFailure::None)
            return layout;
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(text::toUtf8(path_)), ec);
        // A file found damaged once is checked whole on every reopen, at once.
        if (damageSeen_ || (!ec && size <= kWholeFileCheckLimit)) {
            if (check == WholeFileCheck::Deferred && !damageSeen_) {
                wholeFileCheckDeferred_ = true;
                return GuideFailure::None;
            }
            return checkWholeFile();
        }
    } catch (const ado::Fault& fault) {
        return failureForCode(fault.code());
    }
    return GuideFailure::None;
}

GuideFailure WineDatabase::checkWholeFile()
{
    wholeFileChecked_ = true;
    try {
        return connection_->quickCheck() ? GuideFailure::None : GuideFailure::Damaged;
    } catch (const ado::Fault& fault) {
        return failureForCode(fault.code());
    }
}

bool WineDatabase::runDeferredCheck()
{
    if (!wholeFileCheckDeferred_)
        return true;
    wholeFileCheckDeferred_ = false;
    if (!connection_ || !connection_->isOpen())
        return true;
    const GuideFailure problem = checkWholeFile();
    if (problem == GuideFailure::None)
        return true;
    // As if a statement had met it.
    failAndCloseIfDamaged(problem);
    return false;
}

void WineDatabase::fail(GuideFailure reason)
{
    lastFailure_ = {reason, path_};
    const int pageSize = reason == GuideFailure::DiskFull && connection_ ? connection_->pageSize() : 0;
    if (pageSize > 0)
        lastFailure_.spaceNeeded = kJournalHeaderBytes
            + kPagesJournaledPerSave * (static_cast<std::uintmax_t>(pageSize) + kJournalRecordOverhead);
}

bool WineDatabase::guideLost() const
{
    return closedByFault_;
}

void WineDatabase::noteFault(const ado::Fault& fault)
{
    GuideFailure reason = failureForCode(fault.code());
    // A fault that is not a lock may be damage the open did not look for.
    if (reason != GuideFailure::Locked && reason != GuideFailure::Damaged && !wholeFileChecked_ && connection_
        && connection_->isOpen()) {
        if (checkWholeFile() == GuideFailure::Damaged)
            reason = GuideFailure::Damaged;
    }
    failAndCloseIfDamaged(reason);
}

void WineDatabase::failAndCloseIfDamaged(GuideFailure reason)
{
    fail(reason);
    if (reason != GuideFailure::Damaged)
        return;
    // A damaged file takes no further bookmark.
    damageSeen_ = true;
    if (connection_) {
        closeRecordset();
        connection_->close();
        closedByFault_ = true;
    }
}

bool WineDatabase::close()
{
    if (!connection_)
        return false;
    closeRecordset();
    connection_->close();
    connection_.reset();
    recordset_.reset();
    fields_ = nullptr;
    field_ = nullptr;
    return true;
}

bool WineDatabase::openRecordset(const char16_t* sql, int cursorType, int lockType)
{
    if (!sql || !reopenIfClosed() || !recordset_)
        return false;
    if (wholeFileCheckDeferred_ && !runDeferredCheck())
        return false;
    if (statementObserver)
        statementObserver(std::u16string_view(sql, text::length(sql)));
    const ado::Variant source = ado::Variant::viewOf(std::u16string_view(sql, text::length(sql)));
    return ado::succeeded(recordset_->open(source, ado::Variant(), cursorType, lockType, ado::kCmdUnspecified));
}

bool WineDatabase::openQuietly(const char16_t* sql)
{
    try {
        return openRecordset(sql);
    } catch (const ado::Fault& fault) {
        noteFault(fault);
        return false;
    }
}

void WineDatabase::closeRecordset()
{
    if (recordset_)
        recordset_->close();
}

ado::Field* WineDatabase::fieldAt(std::uint16_t position)
{
    if (!recordset_)
        return nullptr;
    fields_ = recordset_->fields();
    field_ = fields_->item(ado::Variant::fromIndex(position));
    return field_;
}

ado::Variant WineDatabase::columnValue(std::uint16_t position)
{
    ado::Field* field = fieldAt(position);
    return field ? field->value() : ado::Variant();
}

ado::Variant WineDatabase::columnValue(std::uint16_t position, std::size_t maxUnits)
{
    ado::Field* field = fieldAt(position);
    return field ? field->valuePrefix(maxUnits) : ado::Variant();
}

int WineDatabase::execute(const char16_t* sql)
{
    if (!sql || !*sql)
        return 0;
    const bool inTransaction = connection_ && connection_->inTransaction();
    bool ran = openQuietly(sql);
    closeRecordset();
    if (!ran && recordset_ && recordset_->lastError() == SQLITE_READONLY_DBMOVED) {
        if (inTransaction) {
            // What the transaction did so far went to the old file.
            movedInTransaction_ = true;
            return 1;
        }
        // A rebuild has put a new guide in place of the one opened; the
        // statement goes into the new one.
        const std::u16string statement(sql);
        if (open()) {
            ran = openQuietly(statement.c_str());
            closeRecordset();
        }
    }
    if (!ran && recordset_)
        noteRefusal(recordset_->lastError());
    return ran ? 0 : 1;
}

void WineDatabase::noteRefusal(int extendedCode)
{
    // A statement refused for its own sake says nothing about the guide.
    switch (extendedCode & 0xFF) {
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        fail(GuideFailure::ReadOnly);
        break;
    case SQLITE_IOERR:
        fail(GuideFailure::Unreadable);
        break;
    case SQLITE_FULL:
        fail(GuideFailure::DiskFull);
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        fail(GuideFailure::Locked);
        break;
    default:
        break;
    }
}

bool WineDatabase::reopenIfClosed()
{
    if (!connection_ || connection_->isOpen())
        return true;
    // A guide found damaged stays closed; one that was locked, missing or
    // replaced when last opened may be back.
    return !closedByFault_ && open();
}

void WineDatabase::abandonTransaction()
{
    const GuideProblem reason = lastFailure_;
    execute(sql::kRollback);
    lastFailure_ = reason;
}

bool WineDatabase::runTransaction(const std::function<bool()>& body)
{
    for (int attempt = 0; attempt < kTransactionAttempts; ++attempt) {
        if (!reopenIfClosed())
            return false;
        lastFailure_ = {GuideFailure::None, path_};
        movedInTransaction_ = false;
        if (execute(sql::kBegin) != 0)
            return false;
        // With the write lock held no other writer comes between this look
        // at the file and the commit.
        if (connection_->fileChangedSinceRemembered()) {
            abandonTransaction();
            if (!open())
                return false;
            continue;
        }
        const bool written = body();
        if (movedInTransaction_) {
            abandonTransaction();
            if (!open())
                return false;
            continue;
        }
        if (!written || execute(sql::kCommit) != 0) {
            abandonTransaction();
            return false;
        }
        connection_->rememberFileState();
        return true;
    }
    // Replaced again each time: someone else keeps writing the file.
    fail(GuideFailure::Locked);
    return false;
}

bool WineDatabase::fillComboBox(ui::StringListTarget& list)
{
    cancelFill = false;
    bool result = openQuietly(textBuffer);
    try {
        if (result) {
            recordset_->moveFirst();
            if (!recordset_->eof()) {
                fields_ = recordset_->fields();
                field_ = fields_->item(ado::Variant::fromIndex(0));
            }
            while (!recordset_->eof()) {
                if (cancelFill)
                    break;
                const ado::Variant value = field_->value();
                if (value.isText())
                    list.addString(value.text());
                recordset_->moveNext();
            }
        }
    } catch (const ado::Fault& fault) {
        // The rows behind the fault were never seen: not a complete list.
        noteFault(fault);
        result = false;
    }
    closeRecordset();
    cancelFill = false;
    return result;
}

bool WineDatabase::queryValue(char16_t* out, std::int16_t maxChars)
{
    if (!openQuietly(textBuffer)) {
        closeRecordset();
        return false;
    }
    // Opening has read the first row already; moving to it reads nothing more.
    recordset_->moveFirst();
    if (!recordset_->eof() && out && maxChars > 0) {
        const ado::Variant value = columnValue(0);
        // maxChars characters and their terminator.
        const auto capacity = static_cast<std::size_t>(maxChars) + 1;
        if (value.isInt()) {
            text::format(out, capacity, u"%i", {static_cast<int>(value.intValue())});
        } else if (value.isText()) {
            // The rest of the buffer is zeroed; a longer text is cut at maxChars.
            const std::size_t n = text::copy(out, capacity, value.text());
            std::fill(out + n, out + capacity, u'\0');
        } else {
            out[0] = 0;
        }
    }
    closeRecordset();
    return true;
}
