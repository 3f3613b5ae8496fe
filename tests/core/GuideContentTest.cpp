// The rules the guide's content writers keep, checked on the real sources in
// data/guide: where entries and regions stand, terms versus wines, the
// varieties, and the house style of the prose. Where the builder stops at the
// first fault it meets, these checks read every row and name each fault with
// its file, line and text, so a writer can mend them all in one go.
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/Csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace testing_support;

namespace {

namespace fs = std::filesystem;

// Columns, as data/guide/README.md names them.
enum CountryColumn { kCountryCode, kCountryName };
enum RegionColumn { kRegionCountry, kRegionName };
enum VarietyColumn { kVarietyName, kVarietyColour, kVarietyText };
enum WineColumn { kId, kKeyword, kCountry, kRegion, kColours, kTastes, kQuality, kVintages, kSoon, kNoVintage, kText };

// The shortest variety description that still reads as one; the house aims
// at 700 to 1500 characters.
constexpr std::size_t kShortestDescription = 400;
constexpr std::size_t kExcerptChars = 40; // either side of a fault in a text

struct Row {
    std::string file; // relative to data/guide
    int line = 0;
    std::vector<std::string> fields;

    std::string field(std::size_t column) const
    {
        if (column >= fields.size())
            return {};
        const std::string& f = fields[column];
        const auto first = f.find_first_not_of(" \t");
        return first == std::string::npos ? std::string() : f.substr(first, f.find_last_not_of(" \t") - first + 1);
    }
};

// Every fault of one check, each on its own line, printed with the failure.
class Faults {
public:
    void add(const Row& row, const std::string& what)
    {
        lines_.push_back(row.file + ":" + std::to_string(row.line) + ": " + what);
    }
    bool empty() const { return lines_.empty(); }
    friend std::ostream& operator<<(std::ostream& out, const Faults& faults)
    {
        out << faults.lines_.size() << " fault(s):\n";
        for (const std::string& line : faults.lines_)
            out << "  " << line << "\n";
        return out;
    }

private:
    std::vector<std::string> lines_;
};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<fs::path> csvFilesIn(const fs::path& dir)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".csv")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Case folding for comparing names: ASCII and Latin-1 letters, as the guide's
// lower-cased keyword column does.
std::u16string folded(std::u16string s)
{
    for (char16_t& c : s)
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c = static_cast<char16_t>(c + 32);
    return s;
}

// The text around position pos (in UTF-16 units), marked where the fault is.
std::string excerpt(const std::u16string& text, std::size_t pos)
{
    const std::size_t from = pos > kExcerptChars ? pos - kExcerptChars : 0;
    const std::u16string before = text.substr(from, pos - from);
    const std::u16string after = text.substr(pos, kExcerptChars);
    return "\"" + std::string(from > 0 ? "…" : "") + text::toUtf8(before) + "▶" + text::toUtf8(after) +
           (pos + kExcerptChars < text.size() ? "…" : "") + "\"";
}

class GuideContent : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const fs::path dir = fs::path(sourceDir()) / "data" / "guide";
        countries_ = read(dir, {dir / "laender.csv"});
        regions_ = read(dir, csvFilesIn(dir / "regionen"));
        varieties_ = read(dir, {dir / "rebsorten.csv"});
        wines_ = read(dir, csvFilesIn(dir / "weine"));
    }

    // A file that cannot be read as CSV would leave its rows out of every check.
    void SetUp() override { ASSERT_TRUE(unreadable_.empty()) << unreadable_; }

    // Every prose field: each entry's keyword and text, each variety's name and description.
    template <typename Check>
    static void forEachProse(Check check)
    {
        for (const Row& wine : wines_) {
            check(wine, "keyword", text::fromUtf8(wine.field(kKeyword)));
            check(wine, "text of " + wine.field(kKeyword), text::fromUtf8(wine.field(kText)));
        }
        for (const Row& variety : varieties_) {
            check(variety, "variety name", text::fromUtf8(variety.field(kVarietyName)));
            check(variety, "description of " + variety.field(kVarietyName),
                  text::fromUtf8(variety.field(kVarietyText)));
        }
    }

    static inline std::vector<Row> countries_, regions_, varieties_, wines_;
    static inline std::string unreadable_;

private:
    static std::vector<Row> read(const fs::path& dir, const std::vector<fs::path>& files)
    {
        std::vector<Row> rows;
        for (const fs::path& file : files) {
            const std::string name = fs::relative(file, dir).generic_string();
            const guide::CsvFile csv = guide::parseCsv(readFile(file));
            if (!csv.error.empty())
                unreadable_ += name + ":" + std::to_string(csv.errorLine) + ": " + csv.error + "\n";
            for (std::size_t i = 1; i < csv.records.size(); ++i)
                rows.push_back({name, csv.records[i].line, csv.records[i].fields});
        }
        return rows;
    }
};

TEST_F(GuideContent, EveryRegionAndEntryStandsUnderItsCountry)
{
    std::map<std::string, std::string> countryNames; // code → name
    for (const Row& country : countries_)
        countryNames[country.field(kCountryCode)] = country.field(kCountryName);

    Faults faults;
    std::map<std::string, const Row*> regionRows; // region name → where it stands
    for (const Row& region : regions_) {
        const std::string country = region.field(kRegionCountry), name = region.field(kRegionName);
        if (!countryNames.contains(country))
            faults.add(region, "region '" + name + "' under unknown country '" + country + "'");
        const auto [first, isNew] = regionRows.emplace(name, &region);
        if (!isNew)
            faults.add(region, "region '" + name + "' stands already at " + first->second->file + ":" +
                                   std::to_string(first->second->line));
        // Country-wide terms gather under "<country> (allgemein)", which belongs to that country.
        const std::string general = " (allgemein)";
        if (name.ends_with(general) && countryNames.contains(country) &&
            name.substr(0, name.size() - general.size()) != countryNames[country])
            faults.add(region,
                       "region '" + name + "' stands under " + country + " (" + countryNames[country] + ")");
    }

    for (const Row& wine : wines_) {
        const std::string country = wine.field(kCountry), region = wine.field(kRegion);
        const auto found = regionRows.find(region);
        if (found == regionRows.end())
            faults.add(wine, wine.field(kKeyword) + ": unknown region '" + region + "'");
        else if (found->second->field(kRegionCountry) != country)
            faults.add(wine, wine.field(kKeyword) + ": region '" + region + "' belongs to " +
                                 found->second->field(kRegionCountry) + ", the entry to " + country);
    }
    EXPECT_TRUE(faults.empty()) << faults;
}

TEST_F(GuideContent, EntriesWithoutAColourAreTerms)
{
    Faults faults;
    for (const Row& wine : wines_) {
        if (!wine.field(kColours).empty())
            continue;
        const std::string term = wine.field(kKeyword) + ": no colour, so a term, but ";
        if (!wine.field(kQuality).empty())
            faults.add(wine, term + "quality '" + wine.field(kQuality) + "'");
        if (!wine.field(kVintages).empty())
            faults.add(wine, term + "vintages '" + wine.field(kVintages) + "'");
    }
    EXPECT_TRUE(faults.empty()) << faults;
}

TEST_F(GuideContent, NoKeywordStandsTwiceInOneRegion)
{
    Faults faults;
    std::map<std::tuple<std::string, std::string, std::u16string>, const Row*> seen;
    for (const Row& wine : wines_) {
        const auto key =
            std::make_tuple(wine.field(kCountry), wine.field(kRegion), folded(text::fromUtf8(wine.field(kKeyword))));
        const auto [first, isNew] = seen.emplace(key, &wine);
        if (!isNew)
            faults.add(wine, "'" + wine.field(kKeyword) + "' stands already in " + wine.field(kRegion) + " at " +
                                 first->second->file + ":" + std::to_string(first->second->line));
    }
    EXPECT_TRUE(faults.empty()) << faults;
}

TEST_F(GuideContent, EveryVarietyHasAColourADescriptionAndANameOfItsOwn)
{
    EXPECT_GE(varieties_.size(), 110u);
    Faults faults;
    for (const Row& variety : varieties_) {
        const std::string name = variety.field(kVarietyName), colour = variety.field(kVarietyColour);
        if (colour != "rot" && colour != "weiss")
            faults.add(variety, name + ": colour '" + colour + "', not rot or weiss");
        const std::size_t length = text::fromUtf8(variety.field(kVarietyText)).size();
        if (length < kShortestDescription)
            faults.add(variety, name + ": description of " + std::to_string(length) + " characters");
    }
    // The chapter finds a description by the start of the chosen name, so a
    // name that begins with another's would show the wrong one.
    for (const Row& a : varieties_)
        for (const Row& b : varieties_) {
            const std::u16string shorter = folded(text::fromUtf8(a.field(kVarietyName)));
            const std::u16string longer = folded(text::fromUtf8(b.field(kVarietyName)));
            if (&a != &b && longer.starts_with(shorter))
                faults.add(b, "'" + b.field(kVarietyName) + "' begins with the name of '" + a.field(kVarietyName) +
                                  "' (" + a.file + ":" + std::to_string(a.line) + ")");
        }
    EXPECT_TRUE(faults.empty()) << faults;
}

// „…“ only: no guillemets, no straight or English double quotes, and every
// „ closed by its “ before the next one opens.
TEST_F(GuideContent, ProseUsesGermanQuotationMarks)
{
    Faults faults;
    forEachProse([&faults](const Row& row, const std::string& what, const std::u16string& prose) {
        std::size_t open = std::u16string::npos;
        for (std::size_t i = 0; i < prose.size(); ++i) {
            const char16_t c = prose[i];
            if (c == u'\u00BB' || c == u'\u00AB' || c == u'"' || c == u'\u201D')
                faults.add(row, what + ": " + text::toUtf8(std::u16string(1, c)) + " at " + excerpt(prose, i));
            else if (c == u'\u201E' && open != std::u16string::npos)
                faults.add(row, what + ": „ opened again before “ at " + excerpt(prose, i));
            else if (c == u'\u201C' && open == std::u16string::npos)
                faults.add(row, what + ": “ without „ at " + excerpt(prose, i));
            if (c == u'\u201E')
                open = i;
            else if (c == u'\u201C')
                open = std::u16string::npos;
        }
        if (open != std::u16string::npos)
            faults.add(row, what + ": „ never closed at " + excerpt(prose, open));
    });
    EXPECT_TRUE(faults.empty()) << faults;
}

// „in den siebziger Jahren“, never „1970er-Jahre“; and one spelling for the
// names the style fixes.
TEST_F(GuideContent, ProseWritesDecadesInWordsAndNamesTheHouseWay)
{
    const std::regex decade("[0-9]+0er(-? ?Jahre|- (und|oder|bis) )");
    const std::vector<std::pair<std::u16string, std::string>> misspelt = {
        {u"Soße", "Sauce"},
        {u"soße", "sauce"},
        {u"Super-Toskaner", "Supertoskaner"},
        {u"Super Toskaner", "Supertoskaner"},
        {u"Kwewri", "Qvevri"},
        {u"Mukusani", "Mukuzani"},
        {u"Kindsmarauli", "Kindzmarauli"},
        {u"Muskat Ottonel", "Muskat-Ottonel"},
        {u"Muscat Ottonel", "Muskat-Ottonel"},
    };
    Faults faults;
    forEachProse([&](const Row& row, const std::string& what, const std::u16string& prose) {
        const std::string bytes = text::toUtf8(prose);
        for (auto m = std::sregex_iterator(bytes.begin(), bytes.end(), decade); m != std::sregex_iterator(); ++m) {
            const std::size_t at = text::fromUtf8(bytes.substr(0, static_cast<std::size_t>(m->position()))).size();
            faults.add(row, what + ": decade in digits at " + excerpt(prose, at));
        }
        for (const auto& [wrong, right] : misspelt)
            for (std::size_t at = prose.find(wrong); at != std::u16string::npos; at = prose.find(wrong, at + 1))
                faults.add(row, what + ": " + text::toUtf8(wrong) + " for " + right + " at " + excerpt(prose, at));
    });
    EXPECT_TRUE(faults.empty()) << faults;
}

// The second edition's size. Each content writer adds a share, so these hold
// only once every share is in.
TEST_F(GuideContent, ReachesTheSecondEditionTargets)
{
    EXPECT_GE(wines_.size(), 2000u);
    EXPECT_GE(countries_.size(), 36u);
    EXPECT_GE(regions_.size(), 250u);
}

} // namespace
