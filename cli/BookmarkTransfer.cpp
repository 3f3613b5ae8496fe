// Export and import of the bookmarks. The import writes each bookmark with
// the statements the bookmark tab uses (the old row deleted, the new one
// inserted, apostrophes doubled), all inside one transaction.
#include "cli/BookmarkTransfer.h"

#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "resources/CliTexts.h"
#include "services/ShellServices.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>

namespace cli {

namespace {

bool guideFailed(const WineDatabase& db)
{
    return db.lastFailure().reason != GuideFailure::None;
}

std::u16string textOf(const ado::Variant& value)
{
    return value.isText() ? std::u16string(value.text()) : std::u16string();
}

bool run(WineDatabase& db, std::u16string_view statement)
{
    db.setText(statement);
    return db.execute(db.textBuffer) == 0;
}

// Keyword and region of entry id; false when there is no such entry.
bool entryNames(WineDatabase& db, int id, std::u16string& keyword, std::u16string& region)
{
    db.setText(text::format(sql::kEntryKeywordAndRegion, {text::format(u"%i", {id})}));
    bool found = false;
    if (db.openRecordset(db.textBuffer, ado::kOpenDynamic, ado::kLockReadOnly) && !db.recordset()->eof()) {
        found = true;
        keyword = textOf(db.columnValue(0));
        region = textOf(db.columnValue(1));
    }
    db.closeRecordset();
    return found;
}

// The one entry with this keyword and region; 0 when none or several.
int onlyEntryWith(WineDatabase& db, std::u16string_view keyword, std::u16string_view region)
{
    db.setText(text::format(sql::kEntriesByKeywordAndRegion,
                            {ShellServices::doubleApostrophes(keyword), ShellServices::doubleApostrophes(region)}));
    int id = 0;
    if (db.openRecordset(db.textBuffer, ado::kOpenDynamic, ado::kLockReadOnly) && !db.recordset()->eof()) {
        id = db.columnValue(0).intValue();
        db.recordset()->moveNext();
        if (!db.recordset()->eof())
            id = 0;
    }
    db.closeRecordset();
    return id;
}

int wineOf(WineDatabase& db, const CsvBookmark& row)
{
    std::u16string keyword, region;
    if (entryNames(db, row.id, keyword, region)
        && (row.keyword.empty() || (keyword == row.keyword && region == row.region)))
        return row.id;
    return row.keyword.empty() ? 0 : onlyEntryWith(db, row.keyword, row.region);
}

void reportRow(std::vector<std::u16string>& report, const std::u16string& path, int line, std::u16string_view problem)
{
    report.push_back(text::format(texts::cli::kCsvProblem, {path, line, problem}));
}

struct Placement {
    const CsvBookmark* row;
    int wine;
};

// Finds each row's wine. Rows naming none are reported (as skipped with
// skipUnknown); false when the file is refused.
bool placeRows(WineDatabase& db, const CsvReading& reading, const std::u16string& path, bool skipUnknown,
               std::vector<std::u16string>& report, std::vector<Placement>& placed)
{
    std::map<int, int> lineOfWine;
    bool refused = false;
    for (const CsvBookmark& row : reading.rows) {
        const int wine = wineOf(db, row);
        if (!wine) {
            reportRow(report, path, row.line, texts::cli::kCsvUnknownWine);
            if (skipUnknown)
                report.push_back(text::format(texts::cli::kSkipped, {path, row.line}));
            refused = refused || !skipUnknown;
            continue;
        }
        if (const auto earlier = lineOfWine.find(wine); earlier != lineOfWine.end()) {
            reportRow(report, path, row.line, text::format(texts::cli::kCsvSameWine, {earlier->second, earlier->second}));
            refused = true;
            continue;
        }
        lineOfWine.emplace(wine, row.line);
        placed.push_back({&row, wine});
    }
    if (refused && !skipUnknown)
        report.push_back(std::u16string(texts::cli::kSkipHint));
    return !refused;
}

bool writeRows(WineDatabase& db, const std::vector<Placement>& placed)
{
    for (const Placement& p : placed) {
        const std::u16string id = text::format(u"%i", {p.wine});
        if (!run(db, text::format(sql::kBookmarkDelete, {id}))
            || !run(db, text::format(sql::kBookmarkInsert, {id, ShellServices::doubleApostrophes(p.row->description),
                                                            ShellServices::doubleApostrophes(p.row->note)})))
            return false;
    }
    return true;
}

// Places and writes the rows inside one write transaction; the guide is
// unchanged unless every row is written. The transaction runs again whole
// on a guide replaced underneath, so the rows are placed inside it and only
// the last run's findings are reported.
int importRows(WineDatabase& db, const CsvReading& reading, const std::u16string& path, bool skipUnknown,
               const Console& console)
{
    std::vector<Placement> placed;
    std::vector<std::u16string> report;
    bool rowsRefused = false;
    const bool committed = db.runTransaction([&] {
        placed.clear();
        report.clear();
        try {
            rowsRefused = !placeRows(db, reading, path, skipUnknown, report, placed);
            return !rowsRefused && writeRows(db, placed);
        } catch (const ado::Fault& fault) {
            db.noteFault(fault);
            db.closeRecordset();
            return false;
        }
    });
    for (const std::u16string& line : report)
        writeLine(console.err, line);
    if (!committed) {
        if (!rowsRefused)
            reportGuideFailure(console, db.lastFailure());
        writeLine(console.err, texts::cli::kImportRefused);
        return kExitFailed;
    }
    writeLine(console.err, text::format(texts::cli::kImported, {static_cast<int>(placed.size())}));
    return kExitDone;
}

} // namespace

bool readBookmarkRows(WineDatabase& db, std::vector<BookmarkRow>& rows)
{
    try {
        if (db.openRecordset(sql::kBookmarksWithWines, ado::kOpenDynamic, ado::kLockReadOnly)) {
            ado::Recordset& list = *db.recordset();
            for (list.moveFirst(); !list.eof(); list.moveNext()) {
                BookmarkRow row;
                row.id = db.columnValue(0).intValue();
                row.keyword = textOf(db.columnValue(1));
                row.region = textOf(db.columnValue(2));
                row.country = textOf(db.columnValue(3));
                row.description = textOf(db.columnValue(4));
                row.note = textOf(db.columnValue(5));
                rows.push_back(std::move(row));
            }
        }
    } catch (const ado::Fault& fault) {
        db.noteFault(fault);
    }
    db.closeRecordset();
    return !guideFailed(db);
}

bool saveWhole(const std::u16string& path, const std::function<bool(QIODevice&)>& write, const Console& console)
{
    QSaveFile file(QString::fromStdU16String(path));
    if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit()) {
        writeLine(console.err, text::format(texts::cli::kCannotWrite, {path, file.errorString().toStdU16String()}));
        return false;
    }
    return true;
}

int exportBookmarks(WineDatabase& db, const std::u16string& path, const Console& console)
{
    std::vector<BookmarkRow> rows;
    if (!readBookmarkRows(db, rows)) {
        reportGuideFailure(console, db.lastFailure());
        return kExitFailed;
    }
    const std::string csv = bookmarkCsv(rows);
    const bool saved = saveWhole(path, [&](QIODevice& file) {
        return file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size());
    }, console);
    if (!saved)
        return kExitFailed;
    writeLine(console.err, text::format(texts::cli::kExported, {static_cast<int>(rows.size()), path}));
    return kExitDone;
}

int importBookmarks(WineDatabase& db, const std::u16string& path, bool skipUnknown, const Console& console)
{
    std::ifstream in(text::toUtf8(path), std::ios::binary);
    if (!in) {
        const std::u16string reason = text::fromUtf8(std::strerror(errno));
        writeLine(console.err, text::format(texts::cli::kCannotRead, {path, reason}));
        return kExitFailed;
    }
    const CsvReading reading = readBookmarkCsv(in);
    if (reading.problemLine) {
        writeLine(console.err, text::format(texts::cli::kCsvProblem, {path, reading.problemLine, reading.problem}));
        writeLine(console.err, texts::cli::kImportRefused);
        return kExitFailed;
    }
    return importRows(db, reading, path, skipUnknown, console);
}

} // namespace cli
