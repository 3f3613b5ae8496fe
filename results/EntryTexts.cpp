// Entry decoding: every code of a wine row with its German text.
#include "results/EntryTexts.h"

#include "services/ShellServices.h"
#include "db/WineDatabase.h"
#include "platform/shell/DebugOutput.h"
#include "platform/text/Utf16.h"
#include "resources/ResultsTexts.h"
#include "results/WineRow.h"

#include <cstdint>

namespace {

constexpr std::array<std::u16string_view, 9> kQualityNames = {
    u"egal",
    u"einfach",
    u"überdurchschnittlich",
    u"bekannt",
    u"erstklassig",
    u"einfach+ besonders gut",
    u"überdurchschnittlich+besonders gut",
    u"bekannt+besonders gut",
    u"erstklassig+besonders gut",
};
constexpr std::u16string_view kUnknownQuality = u"unbekannt";

constexpr std::array<std::u16string_view, 15> kVintageLabels = {
    u"empfohlener Jahrgang: ",
    u"genussreifer Jahrgang: ",
    u"2007 bevorzugt zu genießen: ",
    u"empfohlener Jahrgang+besonders gut ausgefallen: ",
    u"genussreifer Jahrgang+besonders gut ausgefallen: ",
    u"2007 bevorzugt zu genießender Jahrgang+besonders gut ausgefallen: ",
    u"empfohlener Jahrgang+vorläufige Bewertung: ",
    u"genussreifer Jahrgang+vorläufige Bewertung: ",
    u"2007 bevorzugt zu genießender Jahrgang+vorläufige Bewertung: ",
    u"empfohlener Jahrgang+besonders gut ausgefallen+vorläufige Bewertung: ",
    u"genussreifer Jahrgang+besonders gut ausgefallen+vorläufige Bewertung: ",
    u"2007 bevorzugt zu genießender Jahrgang+besonders gut ausgefallen+vorläufige Bewertung: ",
    u"normaler, guter Jahrgang: ",
    u"klassischer, vollreifer Jahrgang: ",
    u"kühler Jahrgang: ",
};
// Categories whose labels are shown one marker a line.
constexpr std::size_t kFirstMarkedCategory = 3;
constexpr std::size_t kLastMarkedCategory = 11;
constexpr std::u16string_view kMarkerBreak = u"\r\n  +";

constexpr char16_t kFirstUnshownYearCode = 255;
constexpr std::u16string_view kNoVintages = u"keine Angabe";
constexpr std::u16string_view kDrinkSoonRemark = u"\r\nBaldiger Verbrauch empfohlen";
constexpr std::u16string_view kWithoutVintageRemark = u"\r\nFlasche ohne Jahresangabe";
constexpr std::u16string_view kFaultDiagnostic = u"in filter";

std::u16string markedLabel(std::u16string_view label)
{
    std::u16string out;
    for (char16_t u : label) {
        if (u == u'+')
            out += kMarkerBreak;
        else
            out.push_back(u);
    }
    return out;
}

std::optional<std::u16string> optionalText(const ado::Variant& value)
{
    if (!value.isText())
        return std::nullopt;
    return std::u16string(value.text());
}

bool isHighSurrogate(char16_t u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

// The entry's prose, unscrambled, and cut behind kMaxShownTextUnits with a
// note saying so. The edit field lays out a text whole, which for a few
// megabytes takes seconds and hundreds of megabytes; the guide's own
// entries are a few hundred characters long.
std::optional<std::u16string> shownProse(const ado::Variant& value)
{
    if (!value.isText())
        return std::nullopt;
    const std::u16string_view stored = value.text();
    const bool cut = stored.size() > kMaxShownTextUnits;
    std::u16string prose(stored.substr(0, cut ? kMaxShownTextUnits : stored.size()));
    ShellServices::unscramble(prose);
    if (cut) {
        // Never half of a surrogate pair.
        if (isHighSurrogate(prose.back()))
            prose.pop_back();
        prose += text::format(texts::results::kTextShortened, {static_cast<int>(kMaxShownTextUnits)});
    }
    return prose;
}

// Tastes, remarks and qualities count by their low 16 bits; colours by the whole value.
int low16(const ado::Variant& value)
{
    return value.isInt() ? static_cast<std::int16_t>(value.intValue() & 0xFFFF) : 0;
}

} // namespace

std::u16string_view qualityName(int code)
{
    if (code < 0 || code >= static_cast<int>(kQualityNames.size()))
        return kUnknownQuality;
    return kQualityNames[static_cast<std::size_t>(code)];
}

void qualityName(int code, char16_t* out, std::size_t capacity)
{
    text::copy(out, capacity, qualityName(code));
}

const char16_t* formatVintageYears(std::u16string_view column, char16_t* scratch, std::size_t capacity)
{
    std::u16string years;
    for (std::size_t j = 0; j < column.size(); ++j) {
        if (j > 0)
            years.push_back(u',');
        if (column[j] < kFirstUnshownYearCode)
            years = text::format(u"%s%02i", {years, column[j] % 100});
    }
    text::copy(scratch, capacity, years);
    return scratch[0] ? scratch : nullptr;
}

const char16_t* formatVintageYears(std::u16string_view column, WineDatabase& database)
{
    return formatVintageYears(column, database.scratch, WineDatabase::kScratchUnits);
}

std::u16string tasteLine(const WineEntry& e)
{
    std::u16string line;
    if (e.dry)
        line += u"trocken ";
    if (e.medium)
        line += u"lieblich ";
    if (e.sweet)
        line += u"süß ";
    if (e.sparkling)
        line += u"schäumend ";
    return line;
}

std::u16string qualityLine(int a, int b)
{
    if (a != 0 && b != 0 && a != b)
        return text::format(u"%s -> %s", {qualityName(a), qualityName(b)});
    if (a != 0)
        return std::u16string(qualityName(a));
    if (b != 0)
        return std::u16string(qualityName(b));
    return {};
}

std::u16string infoText(const WineEntry& e)
{
    const std::u16string q = qualityLine(e.quality1, e.quality2);
    const std::u16string t = tasteLine(e);
    if (!q.empty())
        return e.text ? text::format(u"%s \r\n\r\n%s \r\n%s \r\n", {q, t, *e.text})
                      : text::format(u"%s \r\n\r\n%s \r\n", {q, t});
    return e.text ? text::format(u"%s \r\n%s \r\n", {t, *e.text}) : text::format(u"%s \r\n", {t});
}

std::u16string vintageText(const WineEntry& e, WineDatabase& database)
{
    std::u16string out;
    for (std::size_t k = 0; k < kVintageLabels.size(); ++k) {
        const char16_t* years = formatVintageYears(e.vintages[k], database);
        if (!years)
            continue;
        const bool marked = k >= kFirstMarkedCategory && k <= kLastMarkedCategory;
        out += marked ? markedLabel(kVintageLabels[k]) : std::u16string(kVintageLabels[k]);
        out = text::format(u"%s\r\n%s\r\n", {out, std::u16string_view(years)});
    }
    if (e.drinkSoon)
        out += kDrinkSoonRemark;
    if (e.withoutVintage)
        out += kWithoutVintageRemark;
    return out;
}

std::optional<std::u16string> treeLabel(const std::optional<std::u16string>& keyword,
                                        const std::optional<std::u16string>& region)
{
    if (!keyword)
        return std::nullopt;
    return text::format(u"%s, %s", {*keyword, region ? std::u16string_view(*region) : std::u16string_view()});
}

WineEntry readWineEntry(WineDatabase& db)
{
    using namespace wine_row;
    WineEntry e;
    e.keyword = optionalText(db.columnValue(kKeyword));
    // One unit more than is shown tells a text that must be cut.
    e.text = shownProse(db.columnValue(kText, kMaxShownTextUnits + 1));
    e.region = optionalText(db.columnValue(kRegion));
    e.dry = low16(db.columnValue(kDry)) != 0;
    e.medium = low16(db.columnValue(kMedium)) != 0;
    e.sweet = low16(db.columnValue(kSweet)) != 0;
    e.sparkling = low16(db.columnValue(kSparkling)) != 0;
    for (std::uint16_t k = 0; k < kVintageCategories; ++k) {
        const ado::Variant v = db.columnValue(static_cast<std::uint16_t>(kFirstVintage + k));
        if (v.isText())
            e.vintages[k] = v.text();
    }
    e.quality1 = low16(db.columnValue(kQuality1));
    e.quality2 = low16(db.columnValue(kQuality2));
    e.drinkSoon = low16(db.columnValue(kDrinkSoon)) != 0;
    e.withoutVintage = low16(db.columnValue(kWithoutVintage)) != 0;
    db.columnValue(kLastRead);
    return e;
}

bool showEntryTexts(WineDatabase& db, ui::TextTarget& info, ui::TextTarget& vintages)
{
    try {
        if (!db.openRecordset(db.textBuffer)) {
            db.closeRecordset();
            return false;
        }
    } catch (const ado::Fault&) {
        // The component itself failed: reconnect so that later selections work.
        shell::debugOutput(kFaultDiagnostic);
        db.closeRecordset();
        db.open();
        return false;
    }
    db.recordset()->moveFirst();
    if (!db.recordset()->eof()) {
        const WineEntry entry = readWineEntry(db);
        info.setText(infoText(entry));
        vintages.setText(vintageText(entry, db));
        if (vintages.text().empty())
            vintages.setText(kNoVintages);
    }
    db.closeRecordset();
    return true;
}
