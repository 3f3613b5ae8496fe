// The search statement built from any choices compiles to the same program as
// the one built from the same choices with harmless texts: no text the user
// types or picks can change what the statement does.
#include "platform/text/Utf16.h"
#include "search/QueryBuilder.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

namespace {

std::u16string harmless(std::u16string_view text, std::size_t limit, std::size_t needed)
{
    return text.substr(0, limit).size() >= needed ? u"xxx" : u"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static sqlite3* db = fuzz::guideSchemaDatabase();
    fuzz::Input in(data, size);
    SearchCriteria c;
    c.fullText = in.flag();
    c.red = in.flag(), c.rose = in.flag(), c.white = in.flag(), c.brown = in.flag();
    c.dry = in.flag(), c.sweet = in.flag(), c.medium = in.flag(), c.sparkling = in.flag();
    c.qualityLevel = static_cast<std::int16_t>(in.byte() % 5);
    c.especiallyGood = in.flag();
    c.countryName = in.text(8);
    const std::u16string code = in.text(6);
    c.regionText = in.text(20);
    c.term = in.rest();

    SearchCriteria safe = c;
    safe.countryName = harmless(c.countryName, SearchCriteria::kCountryNameLimit, 3);
    safe.regionText = harmless(c.regionText, SearchCriteria::kRegionTextLimit, 3);
    safe.term = text::sanitized(c.term.substr(0, SearchCriteria::kTermLimit)).empty() ? u"" : u"x";

    const std::u16string statement = composeSearchStatement(c, code);
    if (!text::isValidUtf16(statement))
        std::abort();
    // With nothing chosen neither statement compiles, which is fine too.
    const std::string expected = fuzz::statementShape(db, composeSearchStatement(safe, u"ABC"));
    if (fuzz::statementShape(db, statement) != expected)
        std::abort();
    return 0;
}
