// Every other statement composed from user or guide text, composed the way
// its callers compose it, compiles to the same program as with a harmless
// text in each place.
#include "db/Sql.h"
#include "platform/text/Fold.h"
#include "platform/text/Utf16.h"
#include "search/QueryBuilder.h"
#include "services/ShellServices.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

namespace {

struct Composed {
    const char16_t* format;
    int texts; // number of %s values
};

// Statements whose %s values are texts in quotes.
static constexpr Composed kStatements[] = {
    {sql::kCountryCodeForForm, 1},  {sql::kRegionsOfCountry, 1}, {sql::kCountryCode, 1},
    {sql::kCountryName, 1},         {sql::kVarietyDescription, 1}, {sql::kBookmarkInsert, 3},
    {sql::kEntriesByKeywordAndRegion, 2},
};

std::u16string compose(const Composed& s, const std::u16string& a, const std::u16string& b, const std::u16string& c)
{
    const std::u16string qa = ShellServices::doubleApostrophes(a), qb = ShellServices::doubleApostrophes(b),
                         qc = ShellServices::doubleApostrophes(c);
    if (s.texts == 3)
        return text::format(s.format, {qa, qb, qc});
    if (s.texts == 2)
        return text::format(s.format, {qa, qb});
    return text::format(s.format, {qa});
}

// The same statement with harmless texts in the values' places. SQLite
// compiles a comparison with '' differently from one with any other text and
// keeps equal literals once, so each stand-in is empty where its value is
// (a value ends at its first NUL) and equal where two values are.
std::u16string composeHarmless(const Composed& s, const std::u16string& a, const std::u16string& b, const std::u16string& c)
{
    const std::u16string values[] = {ShellServices::doubleApostrophes(a), ShellServices::doubleApostrophes(b),
                                     ShellServices::doubleApostrophes(c)};
    static constexpr const char16_t* kStandIns[] = {u"1", u"x", u"y"};
    std::u16string harmless[3];
    for (int i = 0; i < 3; ++i) {
        harmless[i] = values[i].empty() ? u"" : kStandIns[i];
        for (int j = 0; j < i; ++j)
            if (!values[i].empty() && values[i] == values[j])
                harmless[i] = harmless[j];
    }
    return compose(s, harmless[0], harmless[1], harmless[2]);
}

// The tolerant search's statements for a typed term: the synonym lookup and
// the search itself, keyword or full text, composed as the program does.
void checkTolerant(sqlite3* db, bool fullText, const std::u16string& typed)
{
    const std::u16string folded = text::foldTerm(typed.substr(0, SearchCriteria::kTermLimit));
    if (folded.find_first_of(u"'*?") != std::u16string::npos)
        std::abort();
    const std::u16string lookup = text::format(sql::kSynonymTarget, {ShellServices::doubleApostrophes(folded)});
    if (fuzz::statementShape(db, lookup) != fuzz::statementShape(db, text::format(sql::kSynonymTarget, {u"x"})))
        std::abort();
    SearchCriteria c;
    c.fullText = fullText;
    c.term = typed;
    const std::u16string statement = composeTolerantStatement(c, u"ABC", folded);
    if (!text::isValidUtf16(statement))
        std::abort();
    c.term = folded.empty() ? u"" : u"x";
    if (fuzz::statementShape(db, statement) != fuzz::statementShape(db, composeTolerantStatement(c, u"ABC", c.term)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static sqlite3* db = fuzz::guideSchemaDatabase();
    fuzz::Input in(data, size);
    const std::uint8_t choice = in.byte();
    if (choice >= 0xF0) {
        checkTolerant(db, choice & 1, in.rest());
        return 0;
    }
    const Composed& s = kStatements[choice % std::size(kStatements)];
    const std::u16string a = in.text(30), b = in.text(30), c = in.rest();

    const std::u16string statement = compose(s, a, b, c);
    if (!text::isValidUtf16(statement))
        std::abort();
    const std::string expected = fuzz::statementShape(db, composeHarmless(s, a, b, c));
    if (expected.empty() || fuzz::statementShape(db, statement) != expected)
        std::abort();
    // The in-place doubling agrees with the one that makes a new text.
    char16_t buffer[200] = {};
    text::copy(buffer, 100, c);
    const std::u16string expectedInPlace = ShellServices::doubleApostrophes(std::u16string_view(buffer));
    if (!ShellServices::doubleApostrophes(buffer, std::size(buffer)) || expectedInPlace != buffer)
        std::abort();
    return 0;
}
