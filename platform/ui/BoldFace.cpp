// Outline thickening for a TrueType face. Each point of a simple glyph moves
// outward along the bisector of its two edges (the way FreeType emboldens a
// glyph), half the strength on each side of a stroke, so the glyph stays
// centred in its unchanged advance; composite glyphs follow their parts.
// The file is then written again with the new glyph, location, header and
// metrics tables.
#include "platform/ui/BoldFace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ui {

namespace {

std::uint16_t u16(const QByteArray& d, qsizetype at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(d[at]) << 8 | static_cast<unsigned char>(d[at + 1]));
}

std::int16_t s16(const QByteArray& d, qsizetype at)
{
    return static_cast<std::int16_t>(u16(d, at));
}

std::uint32_t u32(const QByteArray& d, qsizetype at)
{
    return static_cast<std::uint32_t>(u16(d, at)) << 16 | u16(d, at + 2);
}

void put16(QByteArray& d, qsizetype at, int v)
{
    d[at] = static_cast<char>((v >> 8) & 0xFF);
    d[at + 1] = static_cast<char>(v & 0xFF);
}

void put32(QByteArray& d, qsizetype at, std::uint32_t v)
{
    put16(d, at, static_cast<int>(v >> 16));
    put16(d, at + 2, static_cast<int>(v & 0xFFFF));
}

void append16(QByteArray& d, int v)
{
    d.append(static_cast<char>((v >> 8) & 0xFF));
    d.append(static_cast<char>(v & 0xFF));
}

struct Point {
    double x = 0;
    double y = 0;
    bool onCurve = true;
};

// One glyph at a time; its buffers keep their capacity from glyph to glyph.
struct SimpleGlyph {
    std::vector<int> contourEnds;
    qsizetype instructionsAt = 0;
    int instructionLength = 0;
    std::vector<Point> points;
    std::vector<unsigned char> flags;
    std::vector<Point> moved;
};

// Reads a simple glyph; false when the data runs short.
bool readSimpleGlyph(const QByteArray& d, qsizetype at, qsizetype end, int contours, SimpleGlyph& g)
{
    qsizetype p = at + 10;
    if (p + 2 * contours + 2 > end)
        return false;
    g.contourEnds.clear();
    for (int c = 0; c < contours; ++c, p += 2) {
        const int last = u16(d, p);
        // Each contour ends after the one before it.
        if (!g.contourEnds.empty() && last <= g.contourEnds.back())
            return false;
        g.contourEnds.push_back(last);
    }
    const int count = g.contourEnds.empty() ? 0 : g.contourEnds.back() + 1;
    g.instructionLength = u16(d, p);
    p += 2;
    if (p + g.instructionLength > end)
        return false;
    g.instructionsAt = p;
    p += g.instructionLength;
    std::vector<unsigned char>& flags = g.flags;
    flags.clear();
    while (static_cast<int>(flags.size()) < count) {
        if (p >= end)
            return false;
        const unsigned char f = static_cast<unsigned char>(d[p++]);
        flags.push_back(f);
        if (f & 8) {
            if (p >= end)
                return false;
            for (int r = static_cast<unsigned char>(d[p++]); r > 0; --r)
                flags.push_back(f);
        }
    }
    flags.resize(static_cast<std::size_t>(count));
    g.points.resize(static_cast<std::size_t>(count));
    // x then y: a short value with its sign in the flag, a repeat, or a word.
    for (int axis = 0; axis < 2; ++axis) {
        const unsigned shortBit = axis == 0 ? 2 : 4;
        const unsigned sameBit = axis == 0 ? 16 : 32;
        int value = 0;
        for (int i = 0; i < count; ++i) {
            const unsigned f = flags[static_cast<std::size_t>(i)];
            if (f & shortBit) {
                if (p >= end)
                    return false;
                const int delta = static_cast<unsigned char>(d[p++]);
                value += (f & sameBit) ? delta : -delta;
            } else if (!(f & sameBit)) {
                if (p + 2 > end)
                    return false;
                value += s16(d, p);
                p += 2;
            }
            Point& pt = g.points[static_cast<std::size_t>(i)];
            (axis == 0 ? pt.x : pt.y) = value;
            pt.onCurve = (f & 1) != 0;
        }
    }
    return true;
}

// Twice the signed area of every contour: its sign tells which way the
// outer contours run.
double signedArea(const SimpleGlyph& g)
{
    double area = 0;
    int first = 0;
    for (int last : g.contourEnds) {
        for (int i = first; i <= last; ++i) {
            const Point& a = g.points[static_cast<std::size_t>(i)];
            const Point& b = g.points[static_cast<std::size_t>(i == last ? first : i + 1)];
            area += a.x * b.y - b.x * a.y;
        }
        first = last + 1;
    }
    return area;
}

void thickenContour(std::vector<Point>& points, std::vector<Point>& moved, int first, int last, double half, bool clockwise)
{
    const int n = last - first + 1;
    if (n < 2)
        return;
    moved.assign(points.begin() + first, points.begin() + last + 1);
    for (int i = 0; i < n; ++i) {
        const Point& prev = points[static_cast<std::size_t>(first + (i + n - 1) % n)];
        const Point& here = points[static_cast<std::size_t>(first + i)];
        const Point& next = points[static_cast<std::size_t>(first + (i + 1) % n)];
        double inX = here.x - prev.x, inY = here.y - prev.y;
        double outX = next.x - here.x, outY = next.y - here.y;
        const double inLength = std::hypot(inX, inY), outLength = std::hypot(outX, outY);
        if (inLength == 0 || outLength == 0)
            continue;
        inX /= inLength, inY /= inLength, outX /= outLength, outY /= outLength;
        const double d = inX * outX + inY * outY + 1; // 1 + cos of the turn
        if (d < 0.06) // a hairpin: leave the point where it is
            continue;
        // The outward normal's bisector, scaled so each edge moves by half.
        double shiftX = -(inY + outY), shiftY = inX + outX;
        double q = inX * outY - inY * outX;
        if (!clockwise)
            shiftX = -shiftX, shiftY = -shiftY, q = -q;
        // A short edge limits the move, so a thin part does not turn inside out.
        const double limit = std::min(inLength, outLength);
        const double scale = half * q <= limit * d ? half / d : limit / q;
        moved[static_cast<std::size_t>(i)].x += shiftX * scale;
        moved[static_cast<std::size_t>(i)].y += shiftY * scale;
    }
    std::copy(moved.begin(), moved.end(), points.begin() + first);
}

// Appends a simple glyph to out: every coordinate as a word, no repeats.
// Returns its new left edge.
int writeSimpleGlyph(const QByteArray& source, const SimpleGlyph& g, QByteArray& out)
{
    int minX = 32767, minY = 32767, maxX = -32768, maxY = -32768;
    for (const Point& p : g.points) {
        const int x = static_cast<int>(std::lround(p.x)), y = static_cast<int>(std::lround(p.y));
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    if (g.points.empty())
        minX = minY = maxX = maxY = 0;
    append16(out, static_cast<int>(g.contourEnds.size()));
    for (int v : {minX, minY, maxX, maxY})
        append16(out, v);
    for (int e : g.contourEnds)
        append16(out, e);
    append16(out, g.instructionLength);
    out.append(source.constData() + g.instructionsAt, g.instructionLength);
    for (const Point& p : g.points)
        out.append(static_cast<char>(p.onCurve ? 1 : 0));
    int previous = 0;
    for (const Point& p : g.points) {
        const int x = static_cast<int>(std::lround(p.x));
        append16(out, x - previous);
        previous = x;
    }
    previous = 0;
    for (const Point& p : g.points) {
        const int y = static_cast<int>(std::lround(p.y));
        append16(out, y - previous);
        previous = y;
    }
    return minX;
}

struct Table {
    qsizetype offset = 0;
    qsizetype length = 0;
};

std::uint32_t checksum(const QByteArray& data)
{
    std::uint32_t sum = 0;
    QByteArray padded = data;
    while (padded.size() % 4)
        padded.append('\0');
    for (qsizetype i = 0; i < padded.size(); i += 4)
        sum += u32(padded, i);
    return sum;
}

QByteArray assemble(const std::map<std::string, QByteArray>& tables)
{
    const int count = static_cast<int>(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= count)
        power *= 2, ++log2;
    QByteArray out(12, '\0');
    put32(out, 0, 0x00010000);
    put16(out, 4, count);
    put16(out, 6, power * 16);
    put16(out, 8, log2);
    put16(out, 10, count * 16 - power * 16);
    qsizetype offset = 12 + 16 * count;
    QByteArray directory, body;
    for (const auto& [tag, data] : tables) {
        QByteArray entry(16, '\0');
        for (int i = 0; i < 4; ++i)
            entry[i] = tag[static_cast<std::size_t>(i)];
        put32(entry, 4, checksum(data));
        put32(entry, 8, static_cast<std::uint32_t>(offset + body.size()));
        put32(entry, 12, static_cast<std::uint32_t>(data.size()));
        directory.append(entry);
        body.append(data);
        while (body.size() % 4)
            body.append('\0');
    }
    return out + directory + body;
}

} // namespace

QByteArray thickenedFace(const QByteArray& ttf, double strength)
{
    if (ttf.size() < 12 || u32(ttf, 0) != 0x00010000)
        return {};
    std::map<std::string, Table> directory;
    const int tableCount = u16(ttf, 4);
    if (12 + 16 * tableCount > ttf.size())
        return {};
    for (int i = 0; i < tableCount; ++i) {
        const qsizetype at = 12 + 16 * i;
        const Table t{static_cast<qsizetype>(u32(ttf, at + 8)), static_cast<qsizetype>(u32(ttf, at + 12))};
        if (t.offset + t.length > ttf.size())
            return {};
        directory[ttf.mid(at, 4).toStdString()] = t;
    }
    for (const char* needed : {"head", "maxp", "loca", "glyf", "hhea", "hmtx"})
        if (!directory.count(needed))
            return {};
    std::map<std::string, QByteArray> tables;
    for (const auto& [tag, t] : directory)
        tables[tag] = ttf.mid(t.offset, t.length);
    // Embedded bitmaps would be drawn as they are.
    for (const char* bitmaps : {"EBDT", "EBLC", "EBSC", "BDF "})
        tables.erase(bitmaps);

    QByteArray& head = tables["head"];
    const QByteArray& maxp = tables["maxp"];
    const QByteArray& loca = tables["loca"];
    const QByteArray& glyf = tables["glyf"];
    QByteArray& hmtx = tables["hmtx"];
    if (head.size() < 54 || maxp.size() < 6 || tables["hhea"].size() < 36)
        return {};
    const double half = strength * u16(head, 18) / 2;
    const int glyphs = u16(maxp, 4);
    const bool longOffsets = s16(head, 50) != 0;
    const int metrics = u16(tables["hhea"], 34);
    if (loca.size() < (glyphs + 1) * (longOffsets ? 4 : 2) || hmtx.size() < metrics * 4 + (glyphs - metrics) * 2)
        return {};
    auto location = [&](int i) -> qsizetype { return longOffsets ? u32(loca, i * 4) : 2 * u16(loca, i * 2); };

    QByteArray newGlyf, newLoca;
    newGlyf.reserve(glyf.size() * 2);
    newLoca.reserve((glyphs + 1) * 4);
    SimpleGlyph g;
    for (int i = 0; i < glyphs; ++i) {
        newLoca.append(QByteArray(4, '\0'));
        put32(newLoca, newLoca.size() - 4, static_cast<std::uint32_t>(newGlyf.size()));
        const qsizetype start = location(i), end = location(i + 1);
        if (end < start || end > glyf.size())
            return {};
        if (end - start < 10)
            continue;
        const int contours = s16(glyf, start);
        if (contours < 0) {
            newGlyf.append(glyf.mid(start, end - start)); // a composite: its parts are thickened
        } else {
            if (!readSimpleGlyph(glyf, start, end, contours, g))
                return {};
            const bool clockwise = signedArea(g) < 0;
            int first = 0;
            for (int last : g.contourEnds) {
                thickenContour(g.points, g.moved, first, last, half, clockwise);
                first = last + 1;
            }
            const int xMin = writeSimpleGlyph(glyf, g, newGlyf);
            // The left side bearing moves with the outline's left edge.
            const qsizetype lsbAt = i < metrics ? i * 4 + 2 : metrics * 4 + (i - metrics) * 2;
            put16(hmtx, lsbAt, s16(hmtx, lsbAt) + xMin - s16(glyf, start + 2));
        }
        while (newGlyf.size() % 4)
            newGlyf.append('\0');
    }
    newLoca.append(QByteArray(4, '\0'));
    put32(newLoca, newLoca.size() - 4, static_cast<std::uint32_t>(newGlyf.size()));
    tables["glyf"] = newGlyf;
    tables["loca"] = newLoca;
    put16(head, 50, 1); // long locations
    put32(head, 8, 0);  // the whole-file checksum adjustment no reader needs
    return assemble(tables);
}

} // namespace ui
