// Fixed-buffer UTF-16 helpers.
#include "platform/text/Utf16.h"

#include <algorithm>
#include <cstdio>

namespace text {

std::size_t length(const char16_t* text)
{
    if (!text)
        return 0;
    std::size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

std::size_t copy(char16_t* dst, std::size_t capacity, std::u16string_view src)
{
    if (!dst || capacity == 0)
        return 0;
    const std::size_t n = std::min(src.size(), capacity - 1);
    std::copy_n(src.data(), n, dst);
    dst[n] = 0;
    return n;
}

namespace {

void appendNumber(std::u16string& out, int value, int width)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", width, value);
    for (const char* p = digits; *p; ++p)
        out.push_back(static_cast<char16_t>(*p));
}

// Reads the directive at fmt[i] ('%' already seen at i - 1); returns the
// number of format units consumed, or 0 when it is not a known directive.
std::size_t directive(std::u16string_view fmt, std::size_t i, int& width, char16_t& kind)
{
    width = 0;
    std::size_t j = i;
    if (j + 2 < fmt.size() + 0 && fmt[j] == u'0' && fmt[j + 1] >= u'1' && fmt[j + 1] <= u'9') {
        width = fmt[j + 1] - u'0';
        j += 2;
    }
    if (j >= fmt.size())
        return 0;
    kind = fmt[j];
    if (kind == u's' || kind == u'i' || kind == u'd' || kind == u'%')
        return j - i + 1;
    return 0;
}

bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void appendSanitized(std::u16string& out, std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size() && text[i]; ++i) {
        const char16_t u = text[i];
        if (isHigh(u) && i + 1 < text.size() && isLow(text[i + 1])) {
            out.push_back(u);
            out.push_back(text[++i]);
        } else {
            out.push_back(isHigh(u) || isLow(u) ? u'\uFFFD' : u);
        }
    }
}

std::string encodeUtf8(std::u16string_view in, bool keepLoneSurrogates)
{
    // Written through a pointer into room for the longest form (three bytes a
    // unit; a pair takes four for two): the builder encodes every text of a
    // guide here.
    std::string out(in.size() * 3, '\0');
    char* o = out.data();
    for (std::size_t i = 0; i < in.size(); ++i) {
        char32_t cp = in[i];
        if (cp < 0x80) {
            *o++ = static_cast<char>(cp);
            continue;
        }
        if (isHigh(in[i]) && i + 1 < in.size() && isLow(in[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (in[i + 1] - 0xDC00);
            ++i;
        } else if ((isHigh(in[i]) || isLow(in[i])) && !keepLoneSurrogates) {
            cp = 0xFFFD;
        }
        if (cp < 0x800) {
            *o++ = static_cast<char>(0xC0 | (cp >> 6));
            *o++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *o++ = static_cast<char>(0xE0 | (cp >> 12));
            *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *o++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *o++ = static_cast<char>(0xF0 | (cp >> 18));
            *o++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *o++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *o++ = static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

} // namespace

bool isValidUtf16(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHigh(text[i]) && i + 1 < text.size() && isLow(text[i + 1]))
            ++i;
        else if (isHigh(text[i]) || isLow(text[i]))
            return false;
    }
    return true;
}

std::u16string sanitized(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    appendSanitized(out, text);
    return out;
}

std::size_t sanitize(char16_t* text)
{
    std::size_t replaced = 0;
    for (; text && *text; ++text) {
        if (isHigh(*text) && isLow(text[1])) {
            ++text;
        } else if (isHigh(*text) || isLow(*text)) {
            *text = u'\uFFFD';
            ++replaced;
        }
    }
    return replaced;
}

std::size_t firstInvalidUtf8(std::string_view in)
{
    std::size_t i = 0;
    while (i < in.size()) {
        const auto c = static_cast<unsigned char>(in[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t n = 0;
        unsigned char low = 0x80, high = 0xBF; // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            n = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 3;
            if (c == 0xE0)
                low = 0xA0; // overlong
            else if (c == 0xED)
                high = 0x9F; // surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 4;
            if (c == 0xF0)
                low = 0x90; // overlong
            else if (c == 0xF4)
                high = 0x8F; // past U+10FFFF
        } else {
            return i;
        }
        if (i + n > in.size())
            return i;
        for (std::size_t k = 1; k < n; ++k) {
            const auto cc = static_cast<unsigned char>(in[i + k]);
            const unsigned char lo = k == 1 ? low : 0x80, hi = k == 1 ? high : 0xBF;
            if (cc < lo || cc > hi)
                return i;
        }
        i += n;
    }
    return std::string_view::npos;
}

std::u16string format(std::u16string_view fmt, std::initializer_list<FormatArg> args)
{
    std::u16string out;
    out.reserve(fmt.size() + 64);
    auto next = args.begin();
    for (std::size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != u'%') {
            out.push_back(fmt[i]);
            continue;
        }
        int width = 0;
        char16_t kind = 0;
        const std::size_t used = directive(fmt, i + 1, width, kind);
        if (used == 0) {
            out.push_back(u'%');
            continue;
        }
        i += used;
        if (kind == u'%') {
            out.push_back(u'%');
            continue;
        }
        if (next == args.end())
            continue;
        const FormatArg& arg = *next++;
        if (kind == u's') {
            if (const auto* s = std::get_if<std::u16string_view>(&arg))
                appendSanitized(out, *s);
        } else if (const int* n = std::get_if<int>(&arg)) {
            appendNumber(out, *n, width);
        }
    }
    return out;
}

std::size_t format(char16_t* dst, std::size_t capacity, std::u16string_view fmt,
                   std::initializer_list<FormatArg> args)
{
    // Composed apart first, since a value may be dst itself.
    return copy(dst, capacity, format(fmt, args));
}

std::u16string fromUtf8(std::string_view in)
{
    std::u16string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        const unsigned char c = static_cast<unsigned char>(in[i]);
        char32_t cp = 0xFFFD;
        std::size_t n = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c >> 5) == 0x6) {
            n = 2;
        } else if ((c >> 4) == 0xE) {
            n = 3;
        } else if ((c >> 3) == 0x1E) {
            n = 4;
        }
        if (n > 1) {
            if (i + n > in.size()) {
                n = 1;
            } else {
                cp = c & (0x7F >> n);
                bool ok = true;
                for (std::size_t k = 1; k < n; ++k) {
                    const unsigned char cc = static_cast<unsigned char>(in[i + k]);
                    if ((cc >> 6) != 0x2) {
                        ok = false;
                        break;
                    }
                    cp = (cp << 6) | (cc & 0x3F);
                }
                if (!ok) {
                    cp = 0xFFFD;
                    n = 1;
                }
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += n;
    }
    return out;
}

std::string toUtf8(std::u16string_view in)
{
    return encodeUtf8(in, false);
}

std::string toStorageUtf8(std::u16string_view in)
{
    return encodeUtf8(in, true);
}

} // namespace text
