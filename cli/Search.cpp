// The command line's search. Rows are walked once with a forward cursor and
// only the columns a hit line shows are read, so a search of half the guide
// costs little more than the engine's own walk. A term that finds nothing
// is searched tolerantly, as the window does.
#include "cli/Search.h"

#include "db/Sql.h"
#include "cli/Console.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "resources/CliTexts.h"
#include "resources/ResultsTexts.h"
#include "results/EntryTexts.h"
#include "results/WineRow.h"
#include "search/QueryBuilder.h"
#include "search/TolerantSearch.h"

#include <charconv>
#include <map>

namespace cli {

namespace {

// The builder writes the country code into the free position 3 of a wine row.
constexpr std::uint16_t kCountryColumn = 3;

using CountryNames = std::map<std::u16string, std::u16string, std::less<>>;

bool guideFailed(const WineDatabase& db)
{
    return db.lastFailure().reason != GuideFailure::None;
}

// Each code's name from the first row that has it; an empty name counts as
// none, as in the entry's header line.
CountryNames readCountryNames(WineDatabase& db)
{
    CountryNames names;
    if (!db.openRecordset(sql::kCountryNamesByCode, ado::kOpenDynamic, ado::kLockReadOnly)) {
        db.closeRecordset();
        return names;
    }
    ado::Recordset& rows = *db.recordset();
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        const ado::Variant code = db.columnValue(0);
        const ado::Variant name = db.columnValue(1);
        if (code.isText() && name.isText() && !name.text().empty())
            names.emplace(std::u16string(code.text()), std::u16string(name.text()));
    }
    db.closeRecordset();
    return names;
}

bool positive(const ado::Variant& value)
{
    return value.isInt() && value.intValue() > 0;
}

// Qualities count by their low 16 bits, as the entry texts read them.
int low16(const ado::Variant& value)
{
    return value.isInt() ? static_cast<std::int16_t>(value.intValue() & 0xFFFF) : 0;
}

std::u16string_view textOf(const ado::Variant& value)
{
    return value.isText() ? value.text() : std::u16string_view();
}

std::size_t walkHits(WineDatabase& db, const CountryNames& countries, const HitSink& sink, int& firstId)
{
    std::size_t listed = 0;
    ado::Recordset& rows = *db.recordset();
    for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
        const ado::Variant keyword = db.columnValue(wine_row::kKeyword);
        if (!keyword.isText())
            continue;
        Hit hit;
        hit.id = db.columnValue(wine_row::kId).intValue();
        hit.keyword = keyword.text();
        hit.region = textOf(db.columnValue(wine_row::kRegion));
        hit.country = textOf(db.columnValue(kCountryColumn));
        if (const auto name = countries.find(hit.country); name != countries.end())
            hit.country = name->second;
        hit.red = positive(db.columnValue(wine_row::kRed));
        hit.rose = positive(db.columnValue(wine_row::kRose));
        hit.white = positive(db.columnValue(wine_row::kWhite));
        hit.brown = positive(db.columnValue(wine_row::kBrown));
        hit.quality1 = low16(db.columnValue(wine_row::kQuality1));
        hit.quality2 = low16(db.columnValue(wine_row::kQuality2));
        if (listed++ == 0)
            firstId = hit.id;
        sink(hit);
    }
    return listed;
}

// Runs the statement in the text buffer; the number of hits handed over.
std::size_t runStatement(WineDatabase& db, const CountryNames& countries, const HitSink& sink, int& firstId)
{
    std::size_t listed = 0;
    if (db.openRecordset(db.textBuffer, ado::kOpenDynamic, ado::kLockReadOnly))
        listed = walkHits(db, countries, sink, firstId);
    db.closeRecordset();
    return listed;
}

// As in the window: a search with a term that found nothing tries its
// tolerant searches in turn, until one finds rows; notice says what was
// searched instead.
std::size_t searchTolerantly(WineDatabase& db, const SearchCriteria& criteria, const CountryNames& countries,
                             const HitSink& sink, std::u16string& notice)
{
    for (const TolerantSearch& search : tolerantSearches(criteria, db)) {
        db.setText(search.statement);
        int firstId = 0;
        if (const std::size_t listed = runStatement(db, countries, sink, firstId)) {
            notice = tolerantNoticeFor(criteria, search, firstId, db);
            return listed;
        }
        if (guideFailed(db))
            break;
    }
    return 0;
}

} // namespace

Outcome searchGuide(WineDatabase& db, const SearchCriteria& criteria, const HitSink& sink, std::u16string& notice)
{
    std::size_t listed = 0;
    try {
        const CountryNames countries = readCountryNames(db);
        buildSearchStatement(criteria, db);
        int firstId = 0;
        listed = runStatement(db, countries, sink, firstId);
        if (!listed && !guideFailed(db))
            listed = searchTolerantly(db, criteria, countries, sink, notice);
    } catch (const ado::Fault& fault) {
        db.noteFault(fault);
        db.closeRecordset();
        return Outcome::GuideFailed;
    }
    if (guideFailed(db))
        return Outcome::GuideFailed;
    return listed ? Outcome::Done : Outcome::NothingFound;
}

std::u16string colourNames(const Hit& hit)
{
    const std::pair<bool, std::u16string_view> colours[] = {
        {hit.red, texts::results::kRedNode},
        {hit.rose, texts::results::kRoseNode},
        {hit.white, texts::results::kWhiteNode},
        {hit.brown, texts::results::kBrownNode},
    };
    std::u16string names;
    for (const auto& [shown, name] : colours) {
        if (!shown)
            continue;
        if (!names.empty())
            names += texts::cli::kColourJoiner;
        names += name;
    }
    return names;
}

namespace {

int colourBits(bool red, bool rose, bool white, bool brown)
{
    return (red ? 1 : 0) | (rose ? 2 : 0) | (white ? 4 : 0) | (brown ? 8 : 0);
}

} // namespace

HitLineWriter::HitLineWriter()
{
    for (int bits = 0; bits < static_cast<int>(colours_.size()); ++bits) {
        Hit colours;
        colours.red = bits & 1, colours.rose = bits & 2, colours.white = bits & 4, colours.brown = bits & 8;
        appendLineField(colours_[static_cast<std::size_t>(bits)], colourNames(colours));
    }
}

void HitLineWriter::append(std::string& out, const Hit& hit)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, hit.id).ptr;
    out.append(digits, end);
    for (std::u16string_view field : {hit.keyword, hit.region, hit.country}) {
        out.push_back('\t');
        appendLineField(out, field);
    }
    out.push_back('\t');
    out += colours_[static_cast<std::size_t>(colourBits(hit.red, hit.rose, hit.white, hit.brown))];
    out.push_back('\t');
    auto quality = qualities_.find({hit.quality1, hit.quality2});
    if (quality == qualities_.end()) {
        std::string line;
        appendLineField(line, qualityLine(hit.quality1, hit.quality2));
        quality = qualities_.emplace(std::make_pair(hit.quality1, hit.quality2), std::move(line)).first;
    }
    out += quality->second;
    out.push_back('\n');
}

} // namespace cli
