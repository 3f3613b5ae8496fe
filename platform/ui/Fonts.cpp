// The face table and font creation.
#include "platform/ui/Fonts.h"

#include "platform/ui/BoldFace.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <utility>

namespace ui {

namespace {

struct FaceEntry {
    const char16_t* face;
    const char* preferred;
    const char* fallback;
    const char* bold;
};

// Handheld face → installed family, what to use when that is missing, and
// the family of its bold weight. The Tahoma-metric package ships a true bold
// face of its own (tahomabd.ttf), as wide as the templates expect; a bold
// emboldened from the regular face would stay a hairline when zoomed, and
// another family's bold runs far wider than the boxes it was laid out for.
const FaceEntry kFaces[] = {
    {u"tahoma",        "Tahoma",         "DejaVu Sans", "Tahoma"},
    {u"ms sans serif", "Tahoma",         "DejaVu Sans", "Tahoma"},
    {u"bethhand",      "Dancing Script", "DejaVu Sans", "Dancing Script"},
};

// The Tahoma-metric faces are not in the system's font configuration. The
// bold one has the bold widths but regular strokes: it is thickened by this
// share of the em as it loads.
const char* const kRegularFontFile = "/usr/share/wine/fonts/tahoma.ttf";
const char* const kBoldFontFile = "/usr/share/wine/fonts/tahomabd.ttf";
constexpr double kBoldThickening = 0.05;

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
        if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

bool familyInstalled(const QString& family)
{
    // Asks for one family; listing them all would read every installed font.
    return QFontDatabase::hasFamily(family);
}

// Font measurements are asked for on every paint and from the animation
// thread; each face is measured once.
std::mutex& cacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace

void loadFonts()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (QFile::exists(QString::fromUtf8(kRegularFontFile)))
        QFontDatabase::addApplicationFont(QString::fromUtf8(kRegularFontFile));
    QFile bold(QString::fromUtf8(kBoldFontFile));
    if (!bold.open(QIODevice::ReadOnly))
        return;
    const QByteArray original = bold.readAll();
    const QByteArray thickened = thickenedFace(original, kBoldThickening);
    QFontDatabase::addApplicationFontFromData(thickened.isEmpty() ? original : thickened);
}

QString resolveFamily(std::u16string_view face, bool bold)
{
    loadFonts();
    static std::map<std::pair<std::u16string, bool>, QString> resolved;
    const std::lock_guard lock(cacheMutex());
    const auto key = std::make_pair(std::u16string(face), bold);
    const auto known = resolved.find(key);
    if (known != resolved.end())
        return known->second;
    QString family;
    for (const auto& entry : kFaces) {
        if (!equalsIgnoringCase(face, entry.face))
            continue;
        const QString preferred = QString::fromUtf8(bold ? entry.bold : entry.preferred);
        family = familyInstalled(preferred) ? preferred : QString::fromUtf8(entry.fallback);
        break;
    }
    if (family.isEmpty()) {
        const QString asked = QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size()));
        family = familyInstalled(asked) ? asked : QStringLiteral("DejaVu Sans");
    }
    resolved.emplace(key, family);
    return family;
}

namespace {

EmMetrics measureEm(const QFont& font)
{
    // The tables are the same at every size: read them from the size asked
    // for, whose glyphs are drawn anyway, not from a font loaded just for this.
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
    const QByteArray head = raw.isValid() ? raw.fontTable("head") : QByteArray();
    auto u16 = [](const QByteArray& t, int at) {
        return static_cast<unsigned>(static_cast<unsigned char>(t[at]) << 8 | static_cast<unsigned char>(t[at + 1]));
    };
    if (os2.size() >= 78 && head.size() >= 20) {
        const double unitsPerEm = u16(head, 18);
        const double winAscent = u16(os2, 74);
        const double winDescent = u16(os2, 76);
        if (unitsPerEm > 0 && winAscent > 0)
            return EmMetrics{winAscent / unitsPerEm, winDescent / unitsPerEm};
    }
    QFont probe(font);
    probe.setPixelSize(1000);
    const QFontMetricsF m(probe);
    return EmMetrics{m.ascent() / 1000.0, m.descent() / 1000.0};
}

} // namespace

EmMetrics emMetrics(const QFont& font)
{
    // Per em, so one measurement serves every size and width of a face.
    using Key = std::tuple<QString, int, bool>;
    static std::map<Key, EmMetrics> measured;
    const Key key{font.families().join(QLatin1Char(',')), font.weight(), font.italic()};
    {
        const std::lock_guard lock(cacheMutex());
        const auto known = measured.find(key);
        if (known != measured.end())
            return known->second;
    }
    const EmMetrics metrics = measureEm(font);
    const std::lock_guard lock(cacheMutex());
    measured.emplace(key, metrics);
    return metrics;
}

namespace {

// The families to try for a face, best first. Qt falls back along the list
// by itself, which spares asking the font database whether each is there.
QStringList familiesFor(std::u16string_view face, bool bold)
{
    for (const auto& entry : kFaces)
        if (equalsIgnoringCase(face, entry.face))
            return {QString::fromUtf8(bold ? entry.bold : entry.preferred), QString::fromUtf8(entry.fallback)};
    return {QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size())), QStringLiteral("DejaVu Sans")};
}

} // namespace

QFont makeFont(std::u16string_view face, int height, int weight)
{
    loadFonts();
    const bool bold = weight >= kBoldFrom;
    QFont font;
    font.setFamilies(familiesFor(face, bold));
    // The faces hold every character the dialogs show; looking for fallback
    // faces would cost more at start than loading the face itself.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // A cell height: choose the em size whose ascent plus descent is it.
        const EmMetrics m = emMetrics(font);
        const double cellPerEm = m.ascent + m.descent;
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(height / (cellPerEm > 0 ? cellPerEm : 1.0)))));
    } else {
        font.setPixelSize(11);
    }
    return font;
}

std::unique_ptr<Font> createFont(int height, int weight, std::u16string_view face)
{
    return std::make_unique<Font>(makeFont(face, height, weight));
}

} // namespace ui
