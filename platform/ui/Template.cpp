// Template files and dialog-unit conversion.
#include "platform/ui/Template.h"

#include "platform/ui/Fonts.h"

#include <QFile>
#include <QDir>
#include <QFontMetricsF>
#include <QRawFont>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>
#include <cmath>
#include <utility>

namespace ui {

namespace {

const std::pair<const char*, unsigned> kStyleNames[] = {
    {"hidden", style::kHidden},
    {"border", style::kBorder},
    {"notify", style::kNotify},
    {"centre", style::kCentre},
    {"right", style::kRight},
    {"sorted", style::kSorted},
    {"vscroll", style::kVScroll},
    {"hscroll", style::kHScroll},
    {"autohscroll", style::kAutoHScroll},
    {"autovscroll", style::kAutoVScroll},
    {"multiline", style::kMultiLine},
    {"noselection", style::kNoSelection},
    {"tabstop", style::kTabStop},
    {"nointegralheight", style::kNoIntegralHeight},
    {"hasbuttons", style::kHasButtons},
    {"haslines", style::kHasLines},
    {"linesatroot", style::kLinesAtRoot},
    {"showselectionalways", style::kShowSelectionAlways},
    {"tabsbottom", style::kTabsBottom},
    {"raggedright", style::kRaggedRight},
    {"disabled", style::kDisabled},
    {"defaultbutton", style::kDefaultButton},
    {"popup", style::kPopup},
    {"caption", style::kCaption},
    {"systemmenu", style::kSystemMenu},
    {"modalframe", style::kModalFrame},
};

const std::pair<const char*, ControlKind> kKindNames[] = {
    {"static", ControlKind::Static},
    {"picture", ControlKind::Picture},
    {"button", ControlKind::Button},
    {"ownerdraw", ControlKind::OwnerDraw},
    {"checkbox", ControlKind::CheckBox},
    {"edit", ControlKind::Edit},
    {"combobox", ControlKind::ComboBox},
    {"listbox", ControlKind::ListBox},
    {"hscrollbar", ControlKind::HScrollBar},
    {"treeview", ControlKind::TreeView},
    {"tabcontrol", ControlKind::TabControl},
};

bool readRect(const QJsonValue& value, Rect& rect)
{
    const QJsonArray a = value.toArray();
    if (a.size() != 4)
        return false;
    for (const auto& v : a)
        if (!v.isDouble())
            return false;
    rect = Rect{a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()};
    return rect.width >= 0 && rect.height >= 0;
}

bool readStyles(const QJsonValue& value, unsigned& styles, std::string* error)
{
    styles = 0;
    for (const auto& v : value.toArray()) {
        const auto flag = styleFlag(v.toString().toStdString());
        if (!flag) {
            if (error)
                *error = "unknown style " + v.toString().toStdString();
            return false;
        }
        styles |= *flag;
    }
    return true;
}

std::u16string toU16(const QString& s)
{
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

} // namespace

std::optional<unsigned> styleFlag(std::string_view name)
{
    for (const auto& [n, flag] : kStyleNames)
        if (name == n)
            return flag;
    return std::nullopt;
}

std::optional<ControlKind> controlKind(std::string_view name)
{
    for (const auto& [n, kind] : kKindNames)
        if (name == n)
            return kind;
    return std::nullopt;
}

const char* controlKindName(ControlKind kind)
{
    for (const auto& [n, k] : kKindNames)
        if (k == kind)
            return n;
    return "?";
}

const ControlTemplate* DialogTemplate::control(int controlId) const
{
    for (const auto& c : controls)
        if (c.id == controlId)
            return &c;
    return nullptr;
}

std::optional<DialogTemplate> parseTemplate(std::string_view json, std::string* error)
{
    QJsonParseError parseError{};
    const auto doc = QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    if (doc.isNull() || !doc.isObject()) {
        if (error)
            *error = "not a JSON object: " + parseError.errorString().toStdString();
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    DialogTemplate t;
    t.id = o.value("id").toInt();
    t.caption = toU16(o.value("caption").toString());
    const QJsonObject font = o.value("font").toObject();
    t.fontFace = toU16(font.value("face").toString(QStringLiteral("Tahoma")));
    t.fontPoints = font.value("points").toInt(8);
    if (t.id <= 0 || t.fontPoints <= 0 || !readRect(o.value("rect"), t.rect)) {
        if (error)
            *error = "template needs an id, a font size and a rectangle";
        return std::nullopt;
    }
    if (!readStyles(o.value("style"), t.styles, error))
        return std::nullopt;
    for (const auto& cv : o.value("controls").toArray()) {
        const QJsonObject c = cv.toObject();
        ControlTemplate ct;
        ct.id = c.value("id").toInt(-1);
        const auto kind = controlKind(c.value("kind").toString().toStdString());
        if (!kind) {
            if (error)
                *error = "control " + std::to_string(ct.id) + ": unknown kind";
            return std::nullopt;
        }
        ct.kind = *kind;
        if (!readRect(c.value("rect"), ct.rect)) {
            if (error)
                *error = "control " + std::to_string(ct.id) + ": bad rectangle";
            return std::nullopt;
        }
        ct.text = toU16(c.value("text").toString());
        ct.spokenName = toU16(c.value("name").toString());
        ct.picture = c.value("picture").toInt(0);
        if (!readStyles(c.value("style"), ct.styles, error))
            return std::nullopt;
        t.controls.push_back(std::move(ct));
    }
    return t;
}

std::optional<DialogTemplate> loadTemplate(int templateId)
{
    QFile file(QStringLiteral(":/dialogs/%1.json").arg(templateId));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    return parseTemplate(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
}

std::vector<int> templateIds()
{
    std::vector<int> ids;
    for (const QString& name : QDir(QStringLiteral(":/dialogs")).entryList({QStringLiteral("*.json")})) {
        bool ok = false;
        const int id = name.chopped(5).toInt(&ok);
        if (ok)
            ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

Rect BaseUnits::toPixels(const Rect& r) const
{
    return Rect{toPixelsX(r.x), toPixelsY(r.y), toPixelsX(r.width), toPixelsY(r.height)};
}

namespace {

BaseUnits measureBaseUnits(std::u16string_view face, int points)
{
    // The handheld's measure: the font at points * 96 / 72 pixels per em; the
    // width is the rounded half of the average advance of A-Z and a-z plus one,
    // the height ascent plus descent.
    QFont font = makeFont(face, -((points * 96 + 36) / 72), 400);
    // Whole-pixel advances, as the handheld's rasteriser measured them: each
    // glyph's advance rounded, from the font the dialog draws with (a fully
    // hinted copy of the font would cost a second load of the face).
    const QRawFont raw = QRawFont::fromFont(font);
    const QList<quint32> glyphs = raw.glyphIndexesForString(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    double advance = 0;
    for (const QPointF& a : raw.advancesForGlyphIndexes(glyphs))
        advance += std::round(a.x());
    BaseUnits units;
    units.x = static_cast<int>((advance / 26.0 + 1.0) / 2.0);
    const EmMetrics em = emMetrics(font);
    const double pixels = font.pixelSize();
    units.y = static_cast<int>(std::lround(em.ascent * pixels) + std::lround(em.descent * pixels));
    units.x = std::max(units.x, 1);
    units.y = std::max(units.y, 1);
    return units;
}

} // namespace

BaseUnits baseUnits(std::u16string_view face, int points)
{
    // Every dialog asks; a template font is measured once. Dialogs are built
    // on the user-interface thread only.
    static std::map<std::pair<std::u16string, int>, BaseUnits> measured;
    const auto key = std::make_pair(std::u16string(face), points);
    const auto known = measured.find(key);
    if (known != measured.end())
        return known->second;
    const BaseUnits units = measureBaseUnits(face, points);
    measured.emplace(key, units);
    return units;
}

} // namespace ui
