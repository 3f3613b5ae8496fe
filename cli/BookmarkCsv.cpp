// Writing and reading the bookmark file. The reader takes one byte at a
// time from the stream, so a file of any size costs at most one row of
// memory beyond the rows kept; a row past kMaxRowBytes ends the reading.
#include "cli/BookmarkCsv.h"

#include "platform/text/Utf16.h"
#include "resources/CliTexts.h"

#include <algorithm>
#include <string_view>

namespace cli {

namespace {

constexpr char kSeparator = ';';
constexpr char kQuote = '"';
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRowEnd = "\r\n";
constexpr std::size_t kFields = 6;

void appendField(std::string& out, std::u16string_view value)
{
    const std::string bytes = text::toUtf8(value);
    if (bytes.find_first_of(";\"\r\n") == std::string::npos) {
        out += bytes;
        return;
    }
    out.push_back(kQuote);
    for (char c : bytes) {
        if (c == kQuote)
            out.push_back(kQuote);
        out.push_back(c);
    }
    out.push_back(kQuote);
}

struct RawRow {
    int line = 0;
    std::vector<std::string> fields;
    std::vector<int> fieldLines; // the line each field starts on
};

// Splits the stream into rows of fields; sets problem and returns false at
// the first fault, and false with no problem at the end.
class RowReader {
public:
    explicit RowReader(std::istream& in) : in_(*in.rdbuf()) { skipByteOrderMark(); }

    bool next(RawRow& row, CsvReading& reading)
    {
        for (;;) {
            if (in_.sgetc() == std::char_traits<char>::eof())
                return false;
            if (!readRow(row, reading))
                return false;
            // Blank lines between rows are passed over.
            if (!(row.fields.size() == 1 && row.fields[0].empty()))
                return true;
        }
    }

private:
    void skipByteOrderMark()
    {
        for (char c : kByteOrderMark) {
            if (in_.sgetc() != static_cast<unsigned char>(c))
                return;
            in_.sbumpc();
        }
    }

    bool fail(CsvReading& reading, int line, std::u16string_view problem)
    {
        reading.problemLine = line;
        reading.problem = problem;
        return false;
    }

    int take()
    {
        const int c = in_.sbumpc();
        if (c != std::char_traits<char>::eof() && ++bytes_ > kMaxRowBytes)
            tooLong_ = true;
        return c;
    }

    bool readRow(RawRow& row, CsvReading& reading)
    {
        constexpr int kEnd = std::char_traits<char>::eof();
        row = RawRow{line_, {std::string()}, {line_}};
        bytes_ = 0;
        tooLong_ = false;
        bool quoted = false, wasQuoted = false;
        for (;;) {
            const int c = take();
            if (tooLong_)
                return fail(reading, row.line,
                            text::format(texts::cli::kCsvLineTooLong,
                                         {static_cast<int>(kMaxRowBytes), static_cast<int>(kMaxRowBytes)}));
            std::string& field = row.fields.back();
            if (quoted) {
                if (c == kEnd)
                    return fail(reading, row.fieldLines.back(), texts::cli::kCsvUnclosedQuote);
                if (c == kQuote && in_.sgetc() == kQuote) {
                    take();
                    field.push_back(kQuote);
                } else if (c == kQuote) {
                    quoted = false;
                } else {
                    line_ += c == '\n';
                    field.push_back(static_cast<char>(c));
                }
                continue;
            }
            if (c == kEnd || c == '\n' || (c == '\r' && in_.sgetc() == '\n')) {
                if (c == '\r')
                    take();
                line_ += c != kEnd;
                return true;
            }
            if (c == kSeparator) {
                row.fields.emplace_back();
                row.fieldLines.push_back(line_);
                wasQuoted = false;
            } else if (wasQuoted) {
                return fail(reading, line_, texts::cli::kCsvTextAfterQuote);
            } else if (c == kQuote && field.empty()) {
                quoted = wasQuoted = true;
            } else if (c == kQuote) {
                return fail(reading, line_, texts::cli::kCsvQuoteInField);
            } else {
                field.push_back(static_cast<char>(c));
            }
        }
    }

    std::streambuf& in_;
    int line_ = 1;
    std::size_t bytes_ = 0;
    bool tooLong_ = false;
};

// The field as text, or a problem naming the line of its first bad byte.
bool decodeField(const RawRow& row, std::size_t index, std::u16string& out, CsvReading& reading)
{
    const std::string& bytes = row.fields[index];
    const std::size_t bad = text::firstInvalidUtf8(bytes);
    if (bad != std::string::npos) {
        reading.problemLine = row.fieldLines[index] + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bad), '\n'));
        reading.problem = texts::cli::kCsvNotUtf8;
        return false;
    }
    out = text::fromUtf8(bytes);
    return true;
}

bool checkHeader(const RawRow& header, CsvReading& reading)
{
    std::string joined;
    for (std::size_t i = 0; i < header.fields.size(); ++i)
        joined += (i ? ";" : "") + header.fields[i];
    if (joined == texts::cli::kCsvHeader)
        return true;
    reading.problemLine = header.line;
    const bool otherSeparator = header.fields.size() == 1 && joined.find_first_of(",\t") != std::string::npos;
    reading.problem = otherSeparator ? texts::cli::kCsvSeparatorWrong : texts::cli::kCsvHeaderWrong;
    return false;
}

// A decimal id from 1 to the largest 32-bit number, digits only.
int idOf(const std::string& field)
{
    constexpr std::size_t kMaxDigits = 10;
    if (field.empty() || field.size() > kMaxDigits || field.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const long long value = std::stoll(field);
    return value > 0 && value <= 0x7FFFFFFF ? static_cast<int>(value) : 0;
}

bool fitsBookmarkField(const RawRow& row, std::u16string_view text, std::u16string_view name, CsvReading& reading)
{
    if (text.size() <= kMaxBookmarkTextChars)
        return true;
    const int limit = static_cast<int>(kMaxBookmarkTextChars);
    reading.problemLine = row.line;
    reading.problem = text::format(texts::cli::kCsvTextTooLong, {name, limit, name, limit});
    return false;
}

bool readBookmark(const RawRow& row, CsvBookmark& bookmark, CsvReading& reading)
{
    const int count = static_cast<int>(row.fields.size());
    if (row.fields.size() != kFields) {
        reading.problemLine = row.line;
        reading.problem = text::format(texts::cli::kCsvFieldCount, {count, count});
        return false;
    }
    bookmark.line = row.line;
    bookmark.id = idOf(row.fields[0]);
    if (!bookmark.id) {
        reading.problemLine = row.line;
        reading.problem = texts::cli::kCsvBadId;
        return false;
    }
    std::u16string country;
    return decodeField(row, 1, bookmark.keyword, reading) && decodeField(row, 2, bookmark.region, reading)
        && decodeField(row, 3, country, reading) && decodeField(row, 4, bookmark.description, reading)
        && decodeField(row, 5, bookmark.note, reading)
        && fitsBookmarkField(row, bookmark.description, texts::cli::kCsvDescriptionField, reading)
        && fitsBookmarkField(row, bookmark.note, texts::cli::kCsvNoteField, reading);
}

} // namespace

std::string bookmarkCsv(const std::vector<BookmarkRow>& rows)
{
    std::string out(kByteOrderMark);
    out += texts::cli::kCsvHeader;
    out += kRowEnd;
    for (const BookmarkRow& row : rows) {
        out += std::to_string(row.id);
        for (std::u16string_view field : {std::u16string_view(row.keyword), std::u16string_view(row.region),
                                          std::u16string_view(row.country), std::u16string_view(row.description),
                                          std::u16string_view(row.note)}) {
            out.push_back(kSeparator);
            appendField(out, field);
        }
        out += kRowEnd;
    }
    return out;
}

CsvReading readBookmarkCsv(std::istream& in)
{
    CsvReading reading;
    RowReader reader(in);
    RawRow row;
    if (!reader.next(row, reading)) {
        if (reading.problem.empty()) {
            reading.problemLine = 1;
            reading.problem = texts::cli::kCsvHeaderWrong;
        }
        return reading;
    }
    if (!checkHeader(row, reading))
        return reading;
    while (reader.next(row, reading)) {
        if (reading.rows.size() == kMaxRows) {
            const int limit = static_cast<int>(kMaxRows);
            reading.problemLine = row.line;
            reading.problem = text::format(texts::cli::kCsvTooManyRows, {limit, limit});
            break;
        }
        CsvBookmark bookmark;
        if (!readBookmark(row, bookmark, reading))
            break;
        reading.rows.push_back(std::move(bookmark));
    }
    if (reading.problemLine)
        reading.rows.clear();
    return reading;
}

} // namespace cli
