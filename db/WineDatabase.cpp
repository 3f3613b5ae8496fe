// The database connection and its query operations.
#include "db/WineDatabase.h"

#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"

#include <algorithm>
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
}

bool WineDatabase::open()
{
    cancelFill = false;
    const std::u16string path = filePath();
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
    const bool opened = ado::succeeded(connection_->open(path, u"", u"", -1));

    recordset_ = ado::createRecordset(ado::kRecordsetProgId);
    if (recordset_)
        recordset_->setActiveConnection(connection_);
    return opened;
}

std::u16string WineDatabase::filePath() const
{
    return guidePath.empty() ? shell::siblingPath(shell::programPath(), kFileName) : guidePath;
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
    if (!recordset_ || !sql)
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
    } catch (const ado::Fault&) {
        return false;
    }
}

void WineDatabase::closeRecordset()
{
    if (recordset_)
        recordset_->close();
}

ado::Variant WineDatabase::columnValue(std::uint16_t position)
{
    if (!recordset_)
        return ado::Variant();
    fields_ = recordset_->fields();
    field_ = fields_->item(ado::Variant::fromIndex(position));
    return field_->value();
}

int WineDatabase::execute(const char16_t* sql)
{
    if (!sql || !*sql)
        return 0;
    const bool ran = openQuietly(sql);
    closeRecordset();
    return ran ? 0 : 1;
}

bool WineDatabase::fillComboBox(ui::StringListTarget& list)
{
    cancelFill = false;
    const bool result = openQuietly(textBuffer);
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
