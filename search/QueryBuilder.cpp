// The search statement: the head with or without the country, then the term,
// the region and the colour, taste and quality groups in a fixed order.
//
// Parenthesis bookkeeping: the head leaves one parenthesis open. The term
// clause carries one closing parenthesis too many, so it closes the head and
// hands the joiner "AND (" to what follows, which opens it again. The tail
// closes the open parenthesis unless the term clause came last.
#include "search/QueryBuilder.h"

#include "services/ShellServices.h"
#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"

#include <array>
#include <functional>
#include <utility>

namespace {

constexpr std::size_t kStatementCapacity = 2000;
constexpr std::size_t kCountryCodeLimit = 150;
constexpr std::size_t kCountryNameMinimum = 3;
constexpr std::size_t kRegionTextMinimum = 3;

constexpr std::u16string_view kJoinerAnd = u"AND";
constexpr std::u16string_view kJoinerAndOpen = u"AND (";
// Colour and taste groups begin with a line feed.
constexpr std::u16string_view kGroupStart = u"\n";

using Choice = std::pair<bool, std::u16string_view>;

// Appends one "(Column > 0)" per chosen box, OR between them; returns the count.
int appendGroup(std::u16string& group, std::initializer_list<Choice> choices)
{
    int count = 0;
    for (const auto& [chosen, column] : choices) {
        if (!chosen)
            continue;
        ++count;
        group = text::format(count == 1 ? sql::kFirstCondition : sql::kFurtherCondition, {group, column});
    }
    return count;
}

std::u16string cut(std::u16string_view text, std::size_t limit)
{
    return std::u16string(text.substr(0, limit));
}

std::u16string lookUpCountryCode(const std::u16string& countryName, WineDatabase& database)
{
    char16_t code[kCountryCodeLimit + 1] = u"\n";
    const std::u16string lookup =
        text::format(sql::kCountryCode, {ShellServices::doubleApostrophes(countryName)});
    database.setText(lookup);
    database.queryValue(code, static_cast<std::int16_t>(kCountryCodeLimit));
    return code;
}

// Appends the term's clause to the statement with the joiner.
using TermClause = std::function<std::u16string(const std::u16string& statement, std::u16string_view joiner)>;

// The exact search's term clause: the lower-cased term against the keyword,
// and with full text the scrambled term against the prose and the plain one
// against the region.
std::u16string exactTermClause(const std::u16string& statement, std::u16string_view joiner, std::u16string_view term,
                               bool fullText)
{
    const std::u16string lower = ShellServices::toLower(term);
    std::u16string scrambledLower = lower;
    ShellServices::scramble(scrambledLower);
    // Apostrophes are doubled only now, after scrambling, so the pattern
    // still matches the scrambled column unit by unit.
    const std::u16string plain = ShellServices::doubleApostrophes(lower);
    const std::u16string hidden = ShellServices::doubleApostrophes(scrambledLower);
    if (fullText)
        return text::format(sql::kFullTextClause, {statement, joiner, plain, hidden, plain});
    return text::format(sql::kKeywordClause, {statement, joiner, plain});
}

// The statement with the term's clause in its place; no clause without a term.
std::u16string composeStatement(const SearchCriteria& c, std::u16string_view countryCode, const TermClause& termClause)
{
    const std::u16string country = cut(c.countryName, SearchCriteria::kCountryNameLimit);
    const std::u16string region = cut(c.regionText, SearchCriteria::kRegionTextLimit);

    std::u16string joiner;
    std::u16string statement;
    if (country.size() < kCountryNameMinimum) {
        statement = sql::kSearchHead;
    } else {
        statement = text::format(sql::kSearchHeadWithCountry, {ShellServices::doubleApostrophes(countryCode)});
        joiner = kJoinerAnd;
    }

    std::u16string colours(kGroupStart);
    const int colourCount = appendGroup(colours, {{c.red, u"Rot"}, {c.white, u"Weiss"}, {c.rose, u"Rose"}, {c.brown, u"Braun"}});
    std::u16string tastes(kGroupStart);
    const int tasteCount = appendGroup(tastes, {{c.dry, u"Trocken"}, {c.medium, u"Lieblich"}, {c.sweet, u"Suess"}, {c.sparkling, u"Schaeumend"}});

    if (termClause) {
        statement = termClause(statement, joiner);
        joiner = kJoinerAndOpen;
    }

    if (region.size() >= kRegionTextMinimum) {
        statement = text::format(sql::kRegionClause, {statement, joiner, ShellServices::doubleApostrophes(region)});
        joiner = kJoinerAnd;
    }

    std::u16string quality;
    if (c.qualityLevel != 0) {
        const int q = c.qualityLevel;
        const int good = q + kEspeciallyGoodOffset;
        quality = c.especiallyGood ? text::format(sql::kQualityEspeciallyGood, {good, good})
                                   : text::format(sql::kQualityLevel, {q, q, good, good});
    }

    if (colourCount > 0) {
        statement = text::format(sql::kGroupClause, {statement, joiner, colours});
        joiner = kJoinerAnd;
    }
    if (tasteCount > 0) {
        statement = text::format(sql::kGroupClause, {statement, joiner, tastes});
        joiner = kJoinerAnd;
    }
    if (!quality.empty()) {
        statement = text::format(sql::kQualityClause, {statement, joiner, quality});
        joiner = kJoinerAnd;
    }

    statement = text::format(joiner == kJoinerAndOpen ? sql::kTailAfterTerm : sql::kTail, {statement});
    return cut(statement, kStatementCapacity - 1);
}

} // namespace

std::u16string composeSearchStatement(const SearchCriteria& c, std::u16string_view countryCode)
{
    // The term ends at a NUL and has no lone surrogate before it is scrambled,
    // so both of its patterns are the same text.
    const std::u16string term = text::sanitized(cut(c.term, SearchCriteria::kTermLimit));
    if (term.empty())
        return composeStatement(c, countryCode, {});
    return composeStatement(c, countryCode, [&](const std::u16string& statement, std::u16string_view joiner) {
        return exactTermClause(statement, joiner, term, c.fullText);
    });
}

std::u16string composeTolerantStatement(const SearchCriteria& c, std::u16string_view countryCode,
                                        std::u16string_view foldedTerm)
{
    if (foldedTerm.empty())
        return composeStatement(c, countryCode, {});
    // A folded term holds no apostrophe; its scrambled form may, and is
    // quoted like the exact search's.
    const std::u16string plain = ShellServices::doubleApostrophes(foldedTerm);
    std::u16string scrambled(foldedTerm);
    ShellServices::scramble(scrambled);
    const std::u16string hidden = ShellServices::doubleApostrophes(scrambled);
    return composeStatement(c, countryCode, [&](const std::u16string& statement, std::u16string_view joiner) {
        if (c.fullText)
            return text::format(sql::kTolerantFullTextClause, {statement, joiner, plain, hidden, plain});
        return text::format(sql::kTolerantKeywordClause, {statement, joiner, plain});
    });
}

std::u16string countryCodeFor(const SearchCriteria& criteria, WineDatabase& database)
{
    const std::u16string country = cut(criteria.countryName, SearchCriteria::kCountryNameLimit);
    if (country.size() < kCountryNameMinimum)
        return u"\n";
    return lookUpCountryCode(country, database);
}

void buildSearchStatement(const SearchCriteria& criteria, WineDatabase& database)
{
    const std::u16string code = countryCodeFor(criteria, database);
    database.setText(composeSearchStatement(criteria, code));
}
