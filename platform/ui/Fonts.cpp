// The face table and font creation.
#include "platform/ui/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

struct FaceEntry {
    const char16_t* face;
    const char* preferred;
    const char* fallback;
};

// Handheld face → installed family, and what to use when that is missing.
const FaceEntry kFaces[] = {
    {u"tahoma", "Tahoma", "DejaVu Sans"},
    {u"ms sans serif", "Tahoma", "DejaVu Sans"},
    {u"bethhand", "Dancing Script", "DejaVu Sans"},
};

// Only the regular face: the packaged bold face draws hardly heavier than the
// regular one at menu sizes, so bold is emboldened from the regular face.
const char* const kExtraFontFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
};

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
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

void loadFonts()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    for (const char* path : kExtraFontFiles)
        if (QFile::exists(QString::fromUtf8(path)))
            QFontDatabase::addApplicationFont(QString::fromUtf8(path));
}

QString resolveFamily(std::u16string_view face)
{
    loadFonts();
    for (const auto& entry : kFaces) {
        if (!equalsIgnoringCase(face, entry.face))
            continue;
        const QString preferred = QString::fromUtf8(entry.preferred);
        return familyInstalled(preferred) ? preferred : QString::fromUtf8(entry.fallback);
    }
    const QString asked = QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size()));
    return familyInstalled(asked) ? asked : QStringLiteral("DejaVu Sans");
}

EmMetrics emMetrics(const QFont& font)
{
    QFont probe(font);
    probe.setPixelSize(1000);
    const QRawFont raw = QRawFont::fromFont(probe);
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
    const QFontMetricsF m(probe);
    return EmMetrics{m.ascent() / 1000.0, m.descent() / 1000.0};
}

QFont makeFont(std::u16string_view face, int height, int weight)
{
    QFont font(resolveFamily(face));
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setWeight(weight >= 600 ? QFont::Bold : QFont::Normal);
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
