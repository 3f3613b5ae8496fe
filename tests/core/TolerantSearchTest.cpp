// The tolerant search on the shipped guide: the spellings and grape synonyms
// readers type find their entries when the exact search finds nothing, every
// keyword of the sources is found by its own spelling, and the other criteria
// narrow it as they narrow the exact search.
#include "search/QueryBuilder.h"
#include "search/TolerantSearch.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideSources.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

class TolerantSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new std::string(freshFolder());
        buildDatabase(sourceDir() + "/data/guide", *folder_);
    }
    static void TearDownTestSuite() { delete folder_; }

    void SetUp() override
    {
        placeProgramIn(*folder_);
        db.allocateTextBuffer();
        ASSERT_TRUE(db.open());
    }

    // The keywords and ids a statement finds, in its order.
    std::vector<std::pair<std::u16string, int>> rows(const std::u16string& statement)
    {
        std::vector<std::pair<std::u16string, int>> found;
        db.setText(statement);
        if (!db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly))
            return found;
        for (db.recordset()->moveFirst(); !db.recordset()->eof(); db.recordset()->moveNext())
            found.emplace_back(db.columnValue(1).text(), db.columnValue(0).intValue());
        db.closeRecordset();
        return found;
    }

    std::size_t exactHits(const SearchCriteria& c)
    {
        buildSearchStatement(c, db);
        return rows(db.textBuffer).size();
    }

    // The keywords the first tolerant search that finds anything finds, and what it looked for.
    std::vector<std::u16string> tolerantKeywords(const SearchCriteria& c, std::u16string* searched = nullptr)
    {
        for (const TolerantSearch& s : tolerantSearches(c, db)) {
            std::vector<std::u16string> keywords;
            for (const auto& row : rows(s.statement))
                keywords.push_back(row.first);
            if (keywords.empty())
                continue;
            if (searched)
                *searched = s.variety.empty() ? s.folded : s.variety;
            return keywords;
        }
        return {};
    }

    static std::string* folder_;
    WineDatabase db;
};

std::string* TolerantSearchTest::folder_ = nullptr;

SearchCriteria term(std::u16string word, bool fullText = false)
{
    SearchCriteria c;
    c.term = std::move(word);
    c.fullText = fullText;
    return c;
}

std::u16string upper(const std::u16string& s)
{
    return QString::fromStdU16String(s).toUpper().toStdU16String();
}

// As typed on a keyboard without accents: every combining mark left out.
std::u16string withoutAccents(const std::u16string& s)
{
    QString out;
    for (QChar c : QString::fromStdU16String(s).normalized(QString::NormalizationForm_D))
        if (!c.isMark())
            out += c;
    return out.toStdU16String();
}

struct Example {
    std::u16string term;
    bool fullText;
    std::u16string entry;
    std::u16string searched; // the folded term, or the variety a synonym names
};

TEST_F(TolerantSearchTest, TypedSpellingsAndSynonymsFindTheirEntries)
{
    const Example examples[] = {
        {u"cote rotie", false, u"Côte-Rôtie", u"cote rotie"},
        {u"chateauneuf du pape", false, u"Châteauneuf-du-Pape", u"chateauneuf du pape"},
        {u"kekfrankos", false, u"Soproni Kékfrankos", u"kekfrankos"},
        {u"mueller thurgau", true, u"Rivaner", u"muller thurgau"},
        {u"muller-thurgau", true, u"Liebfraumilch", u"muller thurgau"},
        {u"xarello", true, u"Cava", u"xarello"},
        {u"pinot grigio", false, u"Grauburgunder vom Kaiserstuhl", u"Grauburgunder"},
        {u"Rulaender", false, u"Grauburgunder vom Kaiserstuhl", u"Grauburgunder"},
        {u"pinot nero", false, u"Spätburgunder von der Ahr", u"Spätburgunder"},
        {u"Grenache Noir", false, u"McLaren Vale Grenache", u"Grenache"},
        {u"vernatsch", false, u"Trollinger", u"Trollinger"},
        {u"pinot bianco", false, u"Saale-Unstrut-Weißburgunder", u"Weißburgunder"},
        {u"ull de llebre", true, u"Rioja", u"Tempranillo"},
        {u"Mataró", false, u"Barossa Grenache-Shiraz-Mourvèdre", u"Mourvèdre"},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(utf8(e.term));
        EXPECT_EQ(exactHits(term(e.term, e.fullText)), 0u);
        std::u16string searched;
        const auto keywords = tolerantKeywords(term(e.term, e.fullText), &searched);
        EXPECT_NE(std::find(keywords.begin(), keywords.end(), e.entry), keywords.end());
        EXPECT_EQ(utf8(searched), utf8(e.searched));
    }
}

// Folding of the guide and of the term agree: each entry is found by its
// keyword as the sources spell it, in capitals, and without its accents.
TEST_F(TolerantSearchTest, EveryKeywordIsFoundByItsOwnSpelling)
{
    const guide::SourcesResult sources = guide::loadGuideSources(sourceDir() + "/data/guide");
    ASSERT_FALSE(sources.error);
    for (const guide::Wine& w : sources.content.wines) {
        for (const std::u16string& typed : {w.keyword, upper(w.keyword), withoutAccents(w.keyword)}) {
            const std::vector<TolerantSearch> searches = tolerantSearches(term(typed), db);
            ASSERT_FALSE(searches.empty()) << utf8(typed);
            const auto found = rows(searches.front().statement);
            EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const auto& r) { return r.second == w.id; }))
                << utf8(typed);
        }
    }
}

TEST_F(TolerantSearchTest, OtherCriteriaNarrowItAsTheyNarrowTheExactSearch)
{
    SearchCriteria c = term(u"chateauneuf du pape");
    EXPECT_EQ(tolerantKeywords(c), (std::vector<std::u16string>{u"Châteauneuf-du-Pape", u"Châteauneuf-du-Pape blanc"}));
    c.white = true;
    EXPECT_EQ(tolerantKeywords(c), std::vector<std::u16string>{u"Châteauneuf-du-Pape blanc"});
    c.countryName = u"Italien";
    EXPECT_TRUE(tolerantKeywords(c).empty());
    c.countryName = u"Frankreich";
    c.regionText = u"Rhône";
    EXPECT_EQ(tolerantKeywords(c), std::vector<std::u16string>{u"Châteauneuf-du-Pape blanc"});
    c.regionText = u"Bordeaux";
    EXPECT_TRUE(tolerantKeywords(c).empty());
}

TEST_F(TolerantSearchTest, BadTermsNeverReachTheStatementRaw)
{
    EXPECT_TRUE(tolerantSearches(term(u" - '' · "), db).empty());
    EXPECT_TRUE(tolerantSearches(term(u"\u0301\u0301"), db).empty());
    // Quotes, wildcards and a lone surrogate fold away; the statement runs.
    const std::u16string typedTerms[] = {u"'; DROP TABLE vinaria; --", u"c*te?r\u00f4tie", u"c\xD800ote rotie",
                                         std::u16string(160, u'\'')};
    for (const std::u16string& typed : typedTerms) {
        const std::vector<TolerantSearch> searches = tolerantSearches(term(typed, true), db);
        for (const TolerantSearch& s : searches) {
            EXPECT_EQ(s.folded.find_first_of(u"'*?"), std::u16string::npos);
            db.setText(s.statement);
            EXPECT_TRUE(db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly)) << utf8(s.statement);
            db.closeRecordset();
        }
    }
    // A term of 149 letters that fold into two each still makes a statement that runs.
    const std::vector<TolerantSearch> longest = tolerantSearches(term(std::u16string(200, u'ß'), true), db);
    ASSERT_EQ(longest.size(), 1u);
    EXPECT_EQ(longest[0].folded.size(), 2 * SearchCriteria::kTermLimit);
    EXPECT_TRUE(rows(longest[0].statement).empty());
    EXPECT_NE(longest[0].statement.find(u"ORDER by STICHWORT"), std::u16string::npos);
}

} // namespace
