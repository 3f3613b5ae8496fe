// Recordset over one prepared SQLite statement.
//
// A dynamic cursor reads the statement's current row straight from SQLite. A
// static cursor also keeps the first rows it has seen, so that its record
// count can run the statement to its end once and the caller can still read
// the kept rows afterwards; only a walk past the kept rows after counting
// runs the statement again.
#include "platform/ado/Recordset.h"

#include "platform/text/Utf16.h"

#include <algorithm>
#include <limits>

namespace ado {

namespace {

// Enough for the result tree's 80 rows; keeping more costs every broad
// search a copy of each kept row, prose included.
constexpr std::size_t kKeptRows = 128;
// Longer texts are not copied into a kept row: a guide's prose runs to a
// few kilobytes, and one of megabytes would cost its size twice over for
// every broad search that lists it.
constexpr int kMaxKeptTextBytes = 64 * 1024;
// A UTF-8 sequence of at most three bytes gives one UTF-16 unit, one of
// four bytes two.
constexpr std::size_t kMaxUtf8BytesPerUnit = 3;

// Failures of the engine or the file, as opposed to a statement it refuses.
bool isFault(int rc)
{
    switch (rc & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_NOMEM:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return true;
    default:
        return false;
    }
}

// SQL text the engine can take as it stands: valid UTF-16 without a NUL
// inside, since the engine would end the statement there or join a lone
// surrogate with the unit behind it.
bool isCleanSql(std::u16string_view sql)
{
    return sql.find(u'\0') == std::u16string_view::npos && text::isValidUtf16(sql);
}

bool onlyBlanks(const char16_t* tail)
{
    for (; tail && *tail; ++tail) {
        if (*tail != u' ' && *tail != u'\t' && *tail != u'\r' && *tail != u'\n' && *tail != u';')
            return false;
    }
    return true;
}

constexpr std::size_t kMaxReusedDigits = 18;

bool isBlank(char16_t u)
{
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n';
}

// A query ending in "= <number>" becomes its text with "?" for the number.
// Only plain SELECTs without parameters of their own qualify.
bool splitTrailingNumber(std::u16string_view sql, std::u16string& text, sqlite3_int64& number)
{
    std::size_t end = sql.size();
    while (end > 0 && isBlank(sql[end - 1]))
        --end;
    std::size_t digits = end;
    while (digits > 0 && sql[digits - 1] >= u'0' && sql[digits - 1] <= u'9')
        --digits;
    if (digits == end || end - digits > kMaxReusedDigits)
        return false;
    std::size_t before = digits;
    while (before > 0 && isBlank(sql[before - 1]))
        --before;
    if (before == 0 || sql[before - 1] != u'=' || before == digits)
        return false;
    std::size_t start = 0;
    while (start < sql.size() && isBlank(sql[start]))
        ++start;
    constexpr std::u16string_view kSelect = u"select";
    if (sql.size() - start < kSelect.size())
        return false;
    for (std::size_t i = 0; i < kSelect.size(); ++i)
        if ((sql[start + i] | 0x20) != kSelect[i])
            return false;
    for (std::size_t i = 0; i < digits; ++i)
        if (sql[i] == u'?' || sql[i] == u':' || sql[i] == u'@' || sql[i] == u'$')
            return false;
    number = 0;
    for (std::size_t i = digits; i < end; ++i)
        number = number * 10 + (sql[i] - u'0');
    text.assign(sql.substr(0, digits));
    text += u'?';
    return true;
}

} // namespace

Variant Field::value() const
{
    return owner_ ? owner_->columnValue(column_) : Variant();
}

Variant Field::valuePrefix(std::size_t maxUnits) const
{
    return owner_ ? owner_->columnPrefix(column_, maxUnits) : Variant();
}

Field* Fields::item(const Variant& index)
{
    field_.owner_ = &owner_;
    field_.column_ = (index.type() == VarType::UI2 || index.type() == VarType::I4) ? index.intValue() : -1;
    return &field_;
}

int Fields::count() const
{
    return owner_.columnCount();
}

Recordset::Recordset() : fields_(*this) {}

Recordset::~Recordset()
{
    close();
}

void Recordset::setActiveConnection(std::shared_ptr<Connection> connection)
{
    close();
    connection_ = std::move(connection);
}

HResult Recordset::open(const Variant& source, const Variant&, int cursorType, int, long)
{
    close();
    if (faultOnNextOpen_) {
        faultOnNextOpen_ = false;
        throw Fault("recordset open failed inside the data-access component");
    }
    lastError_ = 0;
    if (!source.isText() || !connection_ || !connection_->isOpen())
        return kFail;
    if (!isCleanSql(source.text())) {
        lastError_ = SQLITE_MISUSE;
        return kFail;
    }

    const std::u16string sql(source.text());
    const void* tail = nullptr;
    const int rc = prepare(sql, tail);
    if (rc != SQLITE_OK) {
        lastError_ = sqlite3_extended_errcode(connection_->handle());
        const std::string message = sqlite3_errmsg(connection_->handle());
        close();
        if (isFault(lastError_))
            throw Fault(message, lastError_);
        return kFail;
    }
    // Nothing to run, or a second statement behind the first: refused.
    if (!stmt_ || !onlyBlanks(static_cast<const char16_t*>(tail))) {
        close();
        return kFail;
    }
    staticCursor_ = cursorType == kOpenStatic;
    columns_ = sqlite3_column_count(stmt_);
    open_ = true;
    liveIndex_ = 0;
    const int first = sqlite3_step(stmt_);
    if (first == SQLITE_ROW) {
        liveOnRow_ = true;
        if (staticCursor_)
            rows_.push_back(captureLiveRow());
    } else if (first == SQLITE_DONE) {
        liveDone_ = true;
        if (staticCursor_)
            count_ = 0;
    } else {
        lastError_ = sqlite3_extended_errcode(connection_->handle());
        const std::string message = sqlite3_errmsg(connection_->handle());
        close();
        if (isFault(lastError_))
            throw Fault(message, lastError_);
        return kFail;
    }
    return kOk;
}

// An entry and its lookups are read again and again with other ids: such a
// query's statement is prepared once with a parameter for the id and kept by
// the connection. Anything else is prepared as it stands.
int Recordset::prepare(const std::u16string& sql, const void*& tail)
{
    std::u16string text;
    sqlite3_int64 number = 0;
    if (splitTrailingNumber(sql, text, number)) {
        stmt_ = connection_->takeReusable(text);
        if (!stmt_) {
            const void* rest = nullptr;
            if (sqlite3_prepare16_v3(connection_->handle(), text.c_str(), static_cast<int>(text.size() * 2),
                                     SQLITE_PREPARE_PERSISTENT, &stmt_, &rest) != SQLITE_OK
                || !stmt_ || !onlyBlanks(static_cast<const char16_t*>(rest))) {
                sqlite3_finalize(stmt_);
                stmt_ = nullptr;
            }
        }
        if (stmt_) {
            sqlite3_bind_int64(stmt_, 1, number);
            reusableText_ = std::move(text);
            tail = nullptr;
            return SQLITE_OK;
        }
    }
    return sqlite3_prepare16_v3(connection_->handle(), sql.c_str(), static_cast<int>(sql.size() * 2), 0, &stmt_,
                                &tail);
}

void Recordset::releaseStatement()
{
    if (!stmt_)
        return;
    if (!reusableText_.empty() && connection_)
        connection_->keepReusable(reusableText_, stmt_);
    else
        sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    reusableText_.clear();
}

void Recordset::close()
{
    releaseStatement();
    open_ = false;
    staticCursor_ = false;
    liveOnRow_ = false;
    liveDone_ = false;
    liveIndex_ = 0;
    rows_.clear();
    position_ = 0;
    count_ = -1;
    columns_ = 0;
    ++rowStamp_;
}

bool Recordset::stepLive()
{
    if (!stmt_ || liveDone_)
        return false;
    if (liveOnRow_)
        ++liveIndex_;
    ++rowStamp_;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        liveOnRow_ = true;
        return true;
    }
    liveOnRow_ = false;
    liveDone_ = true;
    if (rc == SQLITE_DONE)
        return false;
    // An error in the middle of a walk is never the end of the rows: the
    // rows behind it were not seen.
    lastError_ = sqlite3_extended_errcode(connection_->handle());
    throw Fault(sqlite3_errmsg(connection_->handle()), lastError_);
}

void Recordset::bringLiveTo(std::size_t index)
{
    if (!stmt_)
        return;
    if (liveIndex_ > index || (liveDone_ && liveIndex_ != index)) {
        sqlite3_reset(stmt_);
        ++rowStamp_;
        liveOnRow_ = false;
        liveDone_ = false;
        liveIndex_ = 0;
        if (!stepLive())
            return;
        liveIndex_ = 0;
    }
    while (liveOnRow_ && liveIndex_ < index) {
        stepLive();
        if (staticCursor_ && liveOnRow_ && liveIndex_ == rows_.size() && rows_.size() < kKeptRows)
            rows_.push_back(captureLiveRow());
    }
}

HResult Recordset::moveFirst()
{
    if (!open_)
        return kFail;
    if (staticCursor_)
        position_ = 0;
    else if (liveIndex_ != 0)
        bringLiveTo(0);
    return kOk;
}

HResult Recordset::moveNext()
{
    if (!open_ || eof())
        return kFail;
    if (staticCursor_) {
        ++position_;
        if (position_ >= rows_.size())
            bringLiveTo(position_);
    } else {
        stepLive();
    }
    return kOk;
}

bool Recordset::eof()
{
    if (!open_)
        return true;
    if (!staticCursor_)
        return !liveOnRow_;
    if (position_ < rows_.size())
        return false;
    if (count_ >= 0 && position_ >= static_cast<std::size_t>(count_))
        return true;
    bringLiveTo(position_);
    return !(liveOnRow_ && liveIndex_ == position_);
}

long Recordset::recordCount()
{
    if (!open_ || !staticCursor_)
        return -1;
    if (count_ < 0) {
        std::size_t seen = liveOnRow_ ? liveIndex_ + 1 : liveIndex_;
        while (stepLive()) {
            if (liveIndex_ == rows_.size() && rows_.size() < kKeptRows)
                rows_.push_back(captureLiveRow());
            seen = liveIndex_ + 1;
        }
        count_ = static_cast<long>(seen);
    }
    return count_;
}

int Recordset::columnCount() const
{
    return columns_;
}

Variant Recordset::liveValue(int column) const
{
    if (!stmt_ || !liveOnRow_ || column < 0 || column >= columns_)
        return Variant();
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL:
        return Variant::null();
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(stmt_, column);
        if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
            return Variant::fromInt(static_cast<std::int32_t>(v));
        break;
    }
    default:
        break;
    }
    // Texts are decoded here rather than by the engine, whose decoder turns
    // a stored lone surrogate (a scrambled column may hold one) into U+FFFD.
    const auto slot = static_cast<std::size_t>(column);
    if (decoded_.size() < static_cast<std::size_t>(columns_)) {
        decoded_.resize(static_cast<std::size_t>(columns_));
        decodedStamp_.resize(static_cast<std::size_t>(columns_), 0);
    }
    if (decodedStamp_[slot] != rowStamp_) {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        if (!data)
            return Variant::null();
        const int bytes = sqlite3_column_bytes(stmt_, column);
        decoded_[slot] = text::fromUtf8(std::string_view(data, static_cast<std::size_t>(bytes)));
        decodedStamp_[slot] = rowStamp_;
    }
    return Variant::viewOf(decoded_[slot]);
}

Recordset::Row Recordset::captureLiveRow() const
{
    Row row;
    row.values.reserve(static_cast<std::size_t>(columns_));
    row.liveOnly.reserve(static_cast<std::size_t>(columns_));
    for (int c = 0; c < columns_; ++c) {
        const bool tooLong =
            sqlite3_column_type(stmt_, c) == SQLITE_TEXT && sqlite3_column_bytes(stmt_, c) > kMaxKeptTextBytes;
        Variant v = tooLong ? Variant() : liveValue(c);
        row.values.push_back(v.isText() ? Variant::fromText(std::u16string(v.text())) : v);
        row.liveOnly.push_back(tooLong);
    }
    return row;
}

const Variant* Recordset::keptValue(int column) const
{
    if (!staticCursor_ || position_ >= rows_.size() || rows_[position_].liveOnly[static_cast<std::size_t>(column)])
        return nullptr;
    return &rows_[position_].values[static_cast<std::size_t>(column)];
}

Variant Recordset::columnValue(int column)
{
    if (!open_ || column < 0 || column >= columns_)
        return Variant();
    if (const Variant* kept = keptValue(column))
        return kept->isText() ? Variant::viewOf(kept->text()) : *kept;
    return onLiveRow() ? liveValue(column) : Variant();
}

bool Recordset::onLiveRow()
{
    if (!staticCursor_)
        return true;
    bringLiveTo(position_);
    return liveIndex_ == position_;
}

Variant Recordset::columnPrefix(int column, std::size_t maxUnits)
{
    if (!open_ || column < 0 || column >= columns_)
        return Variant();
    if (const Variant* kept = keptValue(column))
        return kept->isText() ? Variant::fromText(std::u16string(kept->text().substr(0, maxUnits))) : *kept;
    if (!onLiveRow())
        return Variant();
    if (!stmt_ || !liveOnRow_ || sqlite3_column_type(stmt_, column) != SQLITE_TEXT)
        return liveValue(column);
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!data)
        return Variant::null();
    const auto bytes = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
    // Enough bytes for maxUnits whole units; a sequence cut at the end of
    // them falls behind the units kept.
    const std::size_t decoded = std::min(bytes, (maxUnits + 2) * kMaxUtf8BytesPerUnit);
    std::u16string text = text::fromUtf8(std::string_view(data, decoded));
    if (text.size() > maxUnits)
        text.resize(maxUnits);
    return Variant::fromText(std::move(text));
}

} // namespace ado
