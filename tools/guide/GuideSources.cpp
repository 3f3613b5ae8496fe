// Guide sources: CSV files in, checked content out.
#include "tools/guide/GuideSources.h"

#include "platform/text/Fold.h"
#include "platform/text/Utf16.h"
#include "tools/guide/Csv.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace guide {

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kCountryHeader = {"code", "name"};
const std::vector<std::string> kRegionHeader = {"land", "region"};
const std::vector<std::string> kVarietyHeader = {"name", "farbe", "text"};
const std::vector<std::string> kSynonymHeader = {"name", "sorte"};
const std::vector<std::string> kWineHeader = {"id", "stichwort", "land", "region", "farben", "geschmack",
                                              "qualitaet", "jahrgaenge", "bald", "ohne_jahr", "text"};

// Vintage category names in column order: the international scheme (base
// kind plus 3 x markers), then the German one.
const std::map<std::string, int> kVintageCategories = {
    {"empfohlen", 0}, {"genussreif", 1}, {"jetzt", 2},
    {"empfohlen+gut", 3}, {"genussreif+gut", 4}, {"jetzt+gut", 5},
    {"empfohlen+vorl", 6}, {"genussreif+vorl", 7}, {"jetzt+vorl", 8},
    {"empfohlen+gut+vorl", 9}, {"genussreif+gut+vorl", 10}, {"jetzt+gut+vorl", 11},
    {"normal", 12}, {"klassisch", 13}, {"kuehl", 14},
};

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::vector<std::string> split(const std::string& s, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, separator))
        parts.push_back(trim(part));
    return parts;
}

std::optional<int> toInt(const std::string& s)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

// Prose keeps its paragraphs as CR LF line breaks.
std::u16string prose(const std::string& s)
{
    std::u16string in = text::fromUtf8(trim(s)), out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == u'\r')
            continue;
        if (in[i] == u'\n')
            out += u"\r\n";
        else
            out.push_back(in[i]);
    }
    return out;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Files of a folder in name order, so the order of identifiers is stable.
std::vector<fs::path> csvFilesIn(const fs::path& dir)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (entry.is_regular_file() && entry.path().extension() == ".csv")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class Reader {
public:
    Reader(fs::path dir, SourceParts parts) : dir_(std::move(dir)), parts_(parts) {}

    SourcesResult run()
    {
        if (!fs::is_directory(dir_))
            return fail(dir_.string(), 0, "source folder not found");
        if (!readTable(dir_ / "laender.csv", kCountryHeader, [this](auto& r) { return country(r); }))
            return std::move(result_);
        const auto regionFiles = csvFilesIn(dir_ / "regionen");
        if (regionFiles.empty())
            return fail((dir_ / "regionen").string(), 0, "no region files");
        for (const auto& f : regionFiles)
            if (!readTable(f, kRegionHeader, [this](auto& r) { return region(r); }))
                return std::move(result_);
        if (!readTable(dir_ / "rebsorten.csv", kVarietyHeader, [this](auto& r) { return variety(r); }))
            return std::move(result_);
        if (!readSynonyms())
            return std::move(result_);
        if (parts_ == SourceParts::WithoutWines)
            return std::move(result_);
        const auto wineFiles = csvFilesIn(dir_ / "weine");
        if (wineFiles.empty())
            return fail((dir_ / "weine").string(), 0, "no wine files");
        for (const auto& f : wineFiles)
            if (!readTable(f, kWineHeader, [this](auto& r) { return wine(r); }))
                return std::move(result_);
        return std::move(result_);
    }

private:
    using Row = std::vector<std::string>;

    // The synonym list is optional; every name in it stands once, names a
    // variety of rebsorten.csv (directly or through other synonyms) and
    // never leads back to itself.
    bool readSynonyms()
    {
        const fs::path path = dir_ / "synonyme.csv";
        if (!fs::exists(path))
            return true;
        if (!readTable(path, kSynonymHeader, [this](auto& r) { return synonym(r); }))
            return false;
        return resolveSynonyms();
    }

    std::string synonym(const Row& r)
    {
        const std::string name = trim(r[0]), variety = trim(r[1]);
        if (name.empty())
            return "missing synonym name";
        if (variety.empty())
            return "missing variety for synonym '" + name + "'";
        const std::u16string name16 = text::fromUtf8(name), variety16 = text::fromUtf8(variety);
        if (name16.size() > kVarietyNameLimit || variety16.size() > kVarietyNameLimit)
            return "name longer than " + std::to_string(kVarietyNameLimit) + " characters";
        const std::u16string folded = text::foldTerm(name16), target = text::foldTerm(variety16);
        if (folded.empty())
            return "synonym without letters: '" + name + "'";
        if (folded == target)
            return "synonym of itself: '" + name + "' = '" + variety + "'";
        if (!varietyNamesFolded_.contains(target))
            return "unknown variety '" + variety + "' (not a name in rebsorten.csv)";
        const auto [at, added] = synonyms_.try_emplace(folded, PendingSynonym{name16, variety16, target, currentLine_});
        if (!added)
            return "synonym listed twice: '" + name + "' (first on line " + std::to_string(at->second.line) + ")";
        order_.push_back(folded);
        return {};
    }

    // Follows every synonym to a name that is no synonym itself.
    bool resolveSynonyms()
    {
        for (const std::u16string& folded : order_) {
            const PendingSynonym& start = synonyms_.at(folded);
            std::set<std::u16string> seen{folded};
            std::string chain = text::toUtf8(start.name);
            const PendingSynonym* step = &start;
            for (auto next = synonyms_.find(step->target); next != synonyms_.end(); next = synonyms_.find(step->target)) {
                chain += " = " + text::toUtf8(next->second.name);
                // The row whose variety leads back closes the circle.
                if (!seen.insert(next->first).second) {
                    result_.error = SourceError{file_, step->line, "synonyms go round in a circle: " + chain};
                    return false;
                }
                step = &next->second;
            }
            result_.content.synonyms.push_back({start.name, step->variety});
        }
        return true;
    }

    SourcesResult fail(const std::string& file, int line, const std::string& reason)
    {
        result_.error = SourceError{file, line, reason};
        return std::move(result_);
    }

    template <typename Handler>
    bool readTable(const fs::path& path, const std::vector<std::string>& header, Handler handle)
    {
        file_ = path.string();
        if (!fs::is_regular_file(path)) {
            result_.error = SourceError{file_, 0, "file not found"};
            return false;
        }
        const std::string bytes = readFile(path);
        if (const std::size_t bad = text::firstInvalidUtf8(bytes); bad != std::string::npos) {
            const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<long>(bad), '\n'));
            result_.error = SourceError{file_, line, "invalid UTF-8 at byte offset " + std::to_string(bad)};
            return false;
        }
        const CsvFile csv = parseCsv(bytes);
        if (!csv.error.empty()) {
            result_.error = SourceError{file_, csv.errorLine, csv.error};
            return false;
        }
        if (csv.records.empty() || csv.records[0].fields != header) {
            result_.error = SourceError{file_, 1, "header must be: " + join(header)};
            return false;
        }
        for (std::size_t i = 1; i < csv.records.size(); ++i) {
            const CsvRecord& record = csv.records[i];
            std::string reason;
            currentLine_ = record.line;
            if (record.fields.size() != header.size())
                reason = "expected " + std::to_string(header.size()) + " fields, found " + std::to_string(record.fields.size());
            else
                reason = handle(record.fields);
            if (!reason.empty()) {
                result_.error = SourceError{file_, record.line, reason};
                return false;
            }
        }
        return true;
    }

    static std::string join(const std::vector<std::string>& parts)
    {
        std::string out;
        for (const auto& p : parts)
            out += (out.empty() ? "" : ",") + p;
        return out;
    }

    std::string country(const Row& r)
    {
        const std::string code = trim(r[0]), name = trim(r[1]);
        if (code.size() != 3 || !std::all_of(code.begin(), code.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            return "country code must be three capital letters: '" + code + "'";
        if (name.empty())
            return "missing country name";
        if (text::fromUtf8(name).size() > kCountryNameLimit)
            return "country name longer than " + std::to_string(kCountryNameLimit) + " characters";
        if (!countries_.insert(code).second)
            return "country code listed twice: " + code;
        // The code of a name is looked up by the name, so a name stands once.
        if (!countryNames_.insert(name).second)
            return "country name listed twice: " + name;
        result_.content.countries.push_back({text::fromUtf8(code), text::fromUtf8(name)});
        return {};
    }

    std::string region(const Row& r)
    {
        const std::string country = trim(r[0]), name = trim(r[1]);
        if (!countries_.contains(country))
            return "unknown country '" + country + "'";
        if (name.empty())
            return "missing region name";
        if (text::fromUtf8(name).size() > kRegionNameLimit)
            return "region name longer than " + std::to_string(kRegionNameLimit) + " characters";
        if (!regionNames_.insert(name).second)
            return "region listed twice: " + name;
        regions_.insert({country, name});
        result_.content.regions.push_back({text::fromUtf8(country), text::fromUtf8(name)});
        return {};
    }

    std::string variety(const Row& r)
    {
        const std::string name = trim(r[0]), colour = trim(r[1]);
        if (name.empty())
            return "missing variety name";
        if (text::fromUtf8(name).size() > kVarietyNameLimit)
            return "variety name longer than " + std::to_string(kVarietyNameLimit) + " characters";
        if (colour != "rot" && colour != "weiss")
            return "colour must be rot or weiss: '" + colour + "'";
        // A variety's description is looked up by its name.
        if (!varietyNames_.insert(name).second)
            return "variety listed twice: " + name;
        const std::u16string description = prose(r[2]);
        if (description.empty())
            return "missing description";
        if (description.size() > kVarietyTextLimit)
            return "description longer than " + std::to_string(kVarietyTextLimit) + " characters";
        result_.content.varieties.push_back(
            {text::fromUtf8(name), colour == "rot" ? VarietyColour::Red : VarietyColour::White, description});
        rememberVarietyNames(text::fromUtf8(name));
        return {};
    }

    // A synonym may name a variety whole ("Spätburgunder (Pinot Noir)") or
    // by either of its names ("Spätburgunder", "Pinot Noir").
    void rememberVarietyNames(const std::u16string& name)
    {
        varietyNamesFolded_.insert(text::foldTerm(name));
        const std::size_t open = name.find(u" (");
        if (open == std::u16string::npos)
            return;
        varietyNamesFolded_.insert(text::foldTerm(name.substr(0, open)));
        const std::size_t close = name.find(u')', open);
        varietyNamesFolded_.insert(text::foldTerm(name.substr(open + 2, close == std::u16string::npos ? close : close - open - 2)));
    }

    static std::string flags(const std::string& list, const std::vector<std::string>& words, std::vector<bool>& out)
    {
        out.assign(words.size(), false);
        if (trim(list).empty())
            return {};
        for (const std::string& word : split(list, '+')) {
            const auto it = std::find(words.begin(), words.end(), word);
            if (it == words.end())
                return "unknown word '" + word + "'";
            out[static_cast<std::size_t>(it - words.begin())] = true;
        }
        return {};
    }

    static std::string quality(const std::string& field, int& first, int& second)
    {
        const std::string q = trim(field);
        first = second = 0;
        if (q.empty())
            return {};
        const auto dash = q.find('-');
        const auto a = toInt(trim(q.substr(0, dash)));
        const auto b = dash == std::string::npos ? a : toInt(trim(q.substr(dash + 1)));
        if (!a || !b || *a < 1 || *a > 8 || *b < 1 || *b > 8)
            return "quality must be a code 1 to 8 or a range such as 3-4: '" + q + "'";
        first = *a;
        second = *b;
        return {};
    }

    static std::string flag(const std::string& field, const char* column, bool& out)
    {
        const std::string f = trim(field);
        if (f != "" && f != "0" && f != "1")
            return std::string(column) + " must be 0, 1 or empty: '" + f + "'";
        out = f == "1";
        return {};
    }

    std::string wine(const Row& r)
    {
        Wine w;
        const auto id = toInt(trim(r[0]));
        if (!id || *id <= 0)
            return "id must be a whole number from 1: '" + trim(r[0]) + "'";
        if (!wineIds_.insert(*id).second)
            return "id used twice: " + std::to_string(*id);
        w.id = *id;
        const std::string keyword = trim(r[1]);
        if (keyword.empty())
            return "missing keyword";
        w.keyword = text::fromUtf8(keyword);
        if (w.keyword.size() > kKeywordLimit)
            return "keyword longer than " + std::to_string(kKeywordLimit) + " characters";
        const std::string country = trim(r[2]), region = trim(r[3]);
        if (!countries_.contains(country))
            return "unknown country '" + country + "'";
        if (!regions_.contains({country, region}))
            return "unknown region '" + region + "' for country " + country;
        w.country = text::fromUtf8(country);
        w.region = text::fromUtf8(region);
        std::vector<bool> colours, tastes;
        if (auto e = flags(r[4], {"rot", "rose", "weiss", "braun"}, colours); !e.empty())
            return "colours: " + e;
        if (auto e = flags(r[5], {"trocken", "lieblich", "suess", "schaeumend"}, tastes); !e.empty())
            return "tastes: " + e;
        w.red = colours[0], w.rose = colours[1], w.white = colours[2], w.brown = colours[3];
        w.dry = tastes[0], w.medium = tastes[1], w.sweet = tastes[2], w.sparkling = tastes[3];
        if (auto e = quality(r[6], w.quality1, w.quality2); !e.empty())
            return e;
        if (auto e = parseVintages(r[7], w.vintages))
            return *e;
        if (auto e = flag(r[8], "bald", w.drinkSoon); !e.empty())
            return e;
        if (auto e = flag(r[9], "ohne_jahr", w.withoutVintage); !e.empty())
            return e;
        w.text = prose(r[10]);
        if (w.text.empty())
            return "missing text";
        if (w.text.size() > kWineTextLimit)
            return "text longer than " + std::to_string(kWineTextLimit) + " characters";
        result_.content.wines.push_back(std::move(w));
        return {};
    }

    fs::path dir_;
    SourceParts parts_;
    std::string file_;
    SourcesResult result_;
    std::set<std::string> countries_;
    std::set<std::string> regionNames_;
    std::set<std::string> countryNames_;
    std::set<std::string> varietyNames_;
    std::set<std::u16string> varietyNamesFolded_;
    struct PendingSynonym {
        std::u16string name, variety, target;
        int line = 0;
    };
    std::map<std::u16string, PendingSynonym> synonyms_; // by folded name
    std::vector<std::u16string> order_;                 // folded names in file order
    int currentLine_ = 0;
    std::set<std::pair<std::string, std::string>> regions_;
    std::set<int> wineIds_;
};

} // namespace

std::string SourceError::message() const
{
    return file + ":" + std::to_string(line) + ": " + reason;
}

std::optional<std::string> parseVintages(const std::string& list, std::array<std::u16string, 15>& out)
{
    for (auto& column : out)
        column.clear();
    for (const std::string& group : split(list, ';')) {
        if (group.empty())
            continue;
        const auto colon = group.find(':');
        if (colon == std::string::npos)
            return "vintage group without ':': '" + group + "'";
        const std::string name = trim(group.substr(0, colon));
        const auto category = kVintageCategories.find(name);
        if (category == kVintageCategories.end())
            return "unknown vintage category '" + name + "'";
        std::u16string& column = out[static_cast<std::size_t>(category->second)];
        if (!column.empty())
            return "vintage category listed twice: " + name;
        for (const std::string& yearText : split(group.substr(colon + 1), ' ')) {
            if (yearText.empty())
                continue;
            const auto year = toInt(yearText);
            if (!year || *year < kFirstYear || *year > kEditionYear)
                return "bad year '" + yearText + "' (years run from " + std::to_string(kFirstYear) + " to " +
                       std::to_string(kEditionYear) + ")";
            column.push_back(static_cast<char16_t>(*year - kYearBase));
        }
        if (column.empty())
            return "vintage category without years: " + name;
        if (column.size() > kYearsPerCategory)
            return "more than " + std::to_string(kYearsPerCategory) + " years in category " + name;
    }
    return std::nullopt;
}

SourcesResult loadGuideSources(const std::string& dir, SourceParts parts)
{
    return Reader(dir, parts).run();
}

std::string sourcesDigest(const std::string& dirText)
{
    // FNV-1a over names and bytes: cheap, and any edit changes it.
    std::uint64_t hash = 1469598103934665603ull;
    const auto mix = [&hash](const std::string& bytes) {
        for (unsigned char c : bytes) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
        hash ^= 0xFF;
        hash *= 1099511628211ull;
    };
    const fs::path dir(dirText);
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(dir, ec))
        if (entry.is_regular_file() && entry.path().extension() == ".csv")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
        mix(fs::relative(f, dir).generic_string());
        mix(readFile(f));
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

} // namespace guide
