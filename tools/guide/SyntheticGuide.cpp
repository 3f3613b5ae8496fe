// Synthetic guide generator.
#include "tools/guide/SyntheticGuide.h"

#include "platform/text/Utf16.h"
#include "tools/guide/GuideWriter.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace guide {

namespace {

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(const std::vector<T>& items) { return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))]; }

private:
    std::uint64_t state_;
};

using Words = std::vector<std::u16string>;

const Words kGermanStems = {u"Bern", u"Graach", u"Wehl", u"Zelt", u"Rüdes", u"Hoch", u"Lorch", u"Kall", u"Dürk",
                            u"Forst", u"Deides", u"Ihr", u"Kiedr", u"Erb", u"Hatten", u"Ürz", u"Öst", u"Nier",
                            u"Oppen", u"Bodent", u"Escher", u"Iphof", u"Randers", u"Sommer", u"Winning"};
const Words kGermanEndings = {u"heimer", u"stadter", u"inger", u"bacher", u"dorfer", u"er", u"ener"};
const Words kGermanSites = {u"Sonnenuhr", u"Berg", u"Kirchberg", u"Himmelreich", u"Goldtröpfchen", u"Schlossberg",
                            u"Herrgottsacker", u"Domprobst", u"Würzgarten", u"Rosenberg", u"Steinmorgen", u"Hölle",
                            u"Klosterberg", u"Treppchen", u"Julius-Echter-Berg", u"Pechstein", u"Ölberg"};
const Words kRomanStems = {u"Mar", u"Beau", u"Vil", u"Sau", u"Mont", u"Char", u"Ro", u"Ver", u"Lan", u"Puy",
                           u"Val", u"Bel", u"Cas", u"Ser", u"Mon", u"Tor", u"Al", u"Fon", u"Esp", u"Éc", u"Ar"};
const Words kRomanEndings = {u"gny", u"lieu", u"mont", u"ac", u"illac", u"erre", u"ay", u"ot", u"ès", u"ino",
                             u"ello", u"ara", u"eda", u"ona", u"ade", u"olo", u"anne"};
const Words kFrenchForms = {u"%s", u"Côtes de %s", u"Saint-%s", u"%s-Villages", u"Clos de %s", u"Coteaux de %s", u"%s Premier Cru"};
const Words kItalianForms = {u"%s", u"Rosso di %s", u"%s Superiore", u"%s Riserva", u"Colli di %s", u"Vino Nobile di %s"};
const Words kIberianForms = {u"%s", u"%s Reserva", u"%s Crianza", u"Vinho de %s", u"Ribera de %s", u"%s Gran Reserva"};

const Words kAromas = {u"Kirsche", u"Brombeere", u"schwarzer Johannisbeere", u"Veilchen", u"Pfeffer", u"Tabak",
                       u"Zedernholz", u"Pfirsich", u"Aprikose", u"Zitrus", u"grünem Apfel", u"Honig", u"Quitte",
                       u"Lakritz", u"Pflaume", u"Himbeere", u"Walnuss", u"Kräutern", u"Rauch", u"Brioche", u"Mandel"};
const Words kSoils = {u"Schiefer", u"Kalkstein", u"Löss", u"Granit", u"Kies", u"rotem Sandstein", u"Mergel",
                      u"Vulkangestein", u"Lehm", u"Muschelkalk"};
const Words kFoods = {u"Lammbraten", u"Wild", u"gereiftem Hartkäse", u"Forelle", u"Spargel", u"Geflügel", u"Pasta",
                      u"Meeresfrüchten", u"Schmorgerichten", u"Ziegenkäse", u"Dessert", u"Schweinebraten"};
const Words kCharacter = {u"kraftvoll", u"elegant", u"saftig", u"mineralisch", u"würzig", u"füllig", u"straff",
                          u"duftig", u"samtig", u"rassig", u"weich", u"tiefgründig"};
const Words kSentences = {
    u"Die Reben stehen auf %s und liefern %s Weine mit Charakter.",
    u"Im Duft zeigen sich %s und %s, am Gaumen wirkt der Wein %s.",
    u"Am besten passt er zu %s oder zu %s.",
    u"Die Lage profitiert von warmen Tagen und kühlen Nächten, was die Säure frisch hält.",
    u"Jung getrunken ist er %s; mit einigen Jahren Flaschenreife gewinnt er an Tiefe.",
    u"Der Ausbau erfolgt teils im großen Holzfass, teils im Edelstahl.",
    u"Typisch sind Noten von %s, unterlegt von einem Hauch %s.",
    u"Seit Jahrhunderten wird hier Wein angebaut; die Terrassen prägen die Landschaft.",
    u"Die Erträge werden bewusst klein gehalten, die Lese erfolgt überwiegend von Hand.",
    u"Wer ihn entdecken will, findet ihn oft zu einem fairen Preis.",
};

std::u16string fill(Random& r, std::u16string_view form)
{
    std::u16string out;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == u'%' && i + 1 < form.size() && form[i + 1] == u's') {
            ++i;
            switch (r.below(4)) {
            case 0: out += r.pick(kAromas); break;
            case 1: out += r.pick(kSoils); break;
            case 2: out += r.pick(kFoods); break;
            default: out += r.pick(kCharacter); break;
            }
        } else {
            out.push_back(form[i]);
        }
    }
    return out;
}

std::u16string romanName(Random& r)
{
    return r.pick(kRomanStems) + r.pick(kRomanEndings);
}

std::u16string keywordFor(Random& r, const Region& region, const std::vector<Variety>& varieties)
{
    const std::u16string& c = region.country;
    if (c == u"DEU" || c == u"AUT" || c == u"CHE" || c == u"LUX")
        return r.pick(kGermanStems) + r.pick(kGermanEndings) + u" " + r.pick(kGermanSites);
    const Words* forms = nullptr;
    if (c == u"FRA")
        forms = &kFrenchForms;
    else if (c == u"ITA")
        forms = &kItalianForms;
    else if (c == u"ESP" || c == u"PRT")
        forms = &kIberianForms;
    if (forms)
        return text::format(r.pick(*forms), {romanName(r)});
    const std::u16string variety = varieties.empty() ? u"Cuvée" : r.pick(varieties).name;
    return region.name + u" " + variety.substr(0, variety.find(u" ("));
}

std::u16string proseFor(Random& r)
{
    // Most entries run to a few hundred characters, some to well over a thousand.
    const int target = 150 + r.below(350) + (r.chance(20) ? r.below(900) : 0);
    std::u16string out;
    while (static_cast<int>(out.size()) < target) {
        std::u16string sentence = fill(r, r.pick(kSentences));
        if (static_cast<int>(out.size() + sentence.size()) > 1500)
            break;
        out += (out.empty() ? u"" : u" ") + sentence;
    }
    return out;
}

void vintagesFor(Random& r, bool german, std::array<std::u16string, 15>& columns)
{
    const int categories = r.below(4);
    for (int k = 0; k < categories; ++k) {
        const int column = german ? 12 + r.below(3) : r.below(12);
        std::vector<int> years;
        const int count = 1 + r.below(6);
        for (int i = 0; i < count; ++i)
            years.push_back(1975 + r.below(32));
        std::sort(years.begin(), years.end());
        years.erase(std::unique(years.begin(), years.end()), years.end());
        std::u16string& target = columns[static_cast<std::size_t>(column)];
        for (int y : years)
            if (target.size() < kYearsPerCategory && target.find(static_cast<char16_t>(y - kYearBase)) == std::u16string::npos)
                target.push_back(static_cast<char16_t>(y - kYearBase));
    }
}

void colourAndTaste(Random& r, Wine& w)
{
    const int roll = r.below(100);
    w.red = roll < 48;
    w.white = roll >= 48 && roll < 88;
    w.rose = roll >= 88 && roll < 94;
    w.brown = roll >= 94 && roll < 97;
    if (r.chance(10))
        w.white = w.red = true;
    w.dry = r.chance(80);
    w.medium = r.chance(10);
    w.sweet = r.chance(8) || w.brown;
    w.sparkling = r.chance(7);
}

void qualityOf(Random& r, Wine& w)
{
    if (r.chance(10))
        return;
    const int base = 1 + r.below(4) + (r.chance(20) ? 4 : 0);
    w.quality1 = base;
    w.quality2 = r.chance(30) ? std::min(8, base + 1) : base;
}

// Every entry draws from its own generator, so an entry can be made again
// from its id alone: the keywords are drawn first to fix the order, and the
// entries are then made in that order.
Random entryRandom(std::uint64_t seed, int id)
{
    return Random(Random(seed ^ (static_cast<std::uint64_t>(id) * 0xD1B54A32D192ED03ull)).next());
}

// The first draws of an entry: its region and keyword.
std::u16string drawKeyword(Random& r, const GuideContent& base, const Region*& region)
{
    region = &r.pick(base.regions);
    return keywordFor(r, *region, base.varieties).substr(0, kKeywordLimit);
}

void drawEntry(Random& r, const GuideContent& base, int id, Wine& w)
{
    const Region* region = nullptr;
    std::u16string keyword = drawKeyword(r, base, region);
    w = Wine();
    w.id = id;
    w.country = region->country;
    w.region = region->name;
    w.keyword = std::move(keyword);
    colourAndTaste(r, w);
    qualityOf(r, w);
    vintagesFor(r, region->country == u"DEU", w.vintages);
    w.drinkSoon = r.chance(15);
    w.withoutVintage = r.chance(5);
    w.text = proseFor(r);
}

// The ids 1 to count in the order the writer stores entries. The keywords
// are kept packed in one buffer: a million of them take about 30 MB.
std::vector<std::int32_t> idsInKeywordOrder(const GuideContent& base, int count, std::uint64_t seed)
{
    std::string keywords;
    std::vector<std::uint32_t> starts;
    starts.reserve(static_cast<std::size_t>(count) + 1);
    for (int id = 1; id <= count; ++id) {
        Random r = entryRandom(seed, id);
        const Region* region = nullptr;
        starts.push_back(static_cast<std::uint32_t>(keywords.size()));
        keywords += storedKeyword(drawKeyword(r, base, region));
    }
    starts.push_back(static_cast<std::uint32_t>(keywords.size()));
    const auto keywordOf = [&](std::int32_t id) {
        const auto i = static_cast<std::size_t>(id - 1);
        return std::string_view(keywords).substr(starts[i], starts[i + 1] - starts[i]);
    };
    std::vector<std::int32_t> ids(static_cast<std::size_t>(count));
    for (int id = 1; id <= count; ++id)
        ids[static_cast<std::size_t>(id - 1)] = id;
    std::sort(ids.begin(), ids.end(), [&](std::int32_t a, std::int32_t b) {
        const std::string_view ka = keywordOf(a), kb = keywordOf(b);
        return ka != kb ? ka < kb : a < b;
    });
    return ids;
}

} // namespace

WineSource syntheticWines(const GuideContent& base, int count, std::uint64_t seed)
{
    if (base.regions.empty() || count <= 0)
        return [](Wine&) { return false; };
    auto order = std::make_shared<const std::vector<std::int32_t>>(idsInKeywordOrder(base, count, seed));
    return [&base, order, seed, next = std::size_t{0}](Wine& w) mutable {
        if (next >= order->size())
            return false;
        const int id = (*order)[next++];
        Random r = entryRandom(seed, id);
        drawEntry(r, base, id, w);
        return true;
    };
}

GuideContent syntheticGuide(const GuideContent& base, int count, std::uint64_t seed)
{
    GuideContent c;
    c.countries = base.countries;
    c.regions = base.regions;
    c.varieties = base.varieties;
    c.synonyms = base.synonyms;
    c.wines.reserve(static_cast<std::size_t>(std::max(count, 0)));
    const WineSource next = syntheticWines(c, count, seed);
    Wine w;
    while (next(w))
        c.wines.push_back(std::move(w));
    return c;
}

} // namespace guide
