// The tolerant search: statements built by the query builder around the
// folded term, and the notice that says what was searched instead.
#include "search/TolerantSearch.h"

#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/text/Fold.h"
#include "platform/text/Utf16.h"
#include "resources/ResultsTexts.h"
#include "results/EntryTexts.h"
#include "search/QueryBuilder.h"
#include "services/ShellServices.h"

namespace {

constexpr std::int16_t kVarietyLimit = 200;

// The guide's name for a folded synonym; empty when the term is none.
std::u16string synonymVariety(std::u16string_view folded, WineDatabase& database)
{
    char16_t variety[kVarietyLimit + 1] = {};
    database.setText(text::format(sql::kSynonymTarget, {ShellServices::doubleApostrophes(folded)}));
    database.queryValue(variety, kVarietyLimit);
    return variety;
}

std::u16string termAsTyped(const SearchCriteria& criteria)
{
    return text::sanitized(std::u16string_view(criteria.term).substr(0, SearchCriteria::kTermLimit));
}

} // namespace

std::vector<TolerantSearch> tolerantSearches(const SearchCriteria& criteria, WineDatabase& database)
{
    const std::u16string folded = text::foldTerm(termAsTyped(criteria));
    if (folded.empty())
        return {};
    const std::u16string code = countryCodeFor(criteria, database);
    std::vector<TolerantSearch> searches{{composeTolerantStatement(criteria, code, folded), folded, {}}};
    const std::u16string variety = synonymVariety(folded, database);
    const std::u16string varietyFolded = text::foldTerm(variety);
    if (!varietyFolded.empty() && varietyFolded != folded)
        searches.push_back({composeTolerantStatement(criteria, code, varietyFolded), varietyFolded, variety});
    return searches;
}

std::u16string shownSpelling(const TolerantSearch& search, const WineEntry& hit)
{
    if (!search.variety.empty())
        return search.variety;
    for (const auto* part : {&hit.keyword, &hit.region, &hit.text}) {
        if (!*part)
            continue;
        std::u16string spelling = text::foldedMatch(**part, search.folded);
        if (!spelling.empty())
            return spelling;
    }
    return search.folded;
}

std::u16string tolerantNotice(const SearchCriteria& criteria, std::u16string_view spelling)
{
    return text::format(texts::results::kTolerantNotice, {termAsTyped(criteria), spelling});
}

std::u16string tolerantNoticeFor(const SearchCriteria& criteria, const TolerantSearch& search, int firstHitId,
                                 WineDatabase& database)
{
    WineEntry hit;
    database.setText(text::format(sql::kEntryRow, {text::format(u"%i", {firstHitId})}));
    try {
        if (database.openRecordset(database.textBuffer, ado::kOpenStatic, ado::kLockReadOnly)) {
            database.recordset()->moveFirst();
            if (!database.recordset()->eof())
                hit = readWineEntry(database);
        }
    } catch (const ado::Fault& fault) {
        // The hits are listed already; the notice then names the folded term.
        database.noteFault(fault);
    }
    database.closeRecordset();
    return tolerantNotice(criteria, shownSpelling(search, hit));
}
