// LIKE with the handheld engine's wildcards, registered on each connection.
//
// SQLite hands the function its UTF-8 texts as stored, so the matcher works
// on UTF-8 bytes and never converts a value. The pattern is compiled once per
// statement (kept as the call's auxiliary data): split at '*' into segments,
// each case-folded. Segments are then found leftmost-first, which decides a
// pattern of '*' and '?' exactly as backtracking would. Case folding keeps the
// byte length of every character (A-Z, and U+00C0..U+00DE, which is C3 80..9E
// in UTF-8), so folded bytes line up with the value's bytes.
#include "platform/ado/Like.h"

#include "platform/text/Utf16.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace ado {

char16_t foldCase(char16_t u)
{
    if (u >= u'A' && u <= u'Z')
        return static_cast<char16_t>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
        return static_cast<char16_t>(u + 32);
    return u;
}

bool likeMatch(std::u16string_view pattern, std::u16string_view value)
{
    // Greedy matching that backtracks only to the most recent '*': linear
    // for the usual patterns, never worse than pattern x value.
    std::size_t p = 0, v = 0;
    std::size_t starP = std::u16string_view::npos, starV = 0;
    while (v < value.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starV = v;
        } else if (p < pattern.size()
                   && (pattern[p] == u'?' || foldCase(pattern[p]) == foldCase(value[v]))) {
            ++p;
            ++v;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

namespace {

constexpr unsigned char kLatin1Lead = 0xC3;

// The byte at i of a UTF-8 text with its character folded to lower case.
inline unsigned char foldedAt(std::string_view s, std::size_t i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    if (b >= 'A' && b <= 'Z')
        return static_cast<unsigned char>(b + 32);
    if (b >= 0x80 && b <= 0x9E && b != 0x97 && i > 0 && static_cast<unsigned char>(s[i - 1]) == kLatin1Lead)
        return static_cast<unsigned char>(b + 0x20);
    return b;
}

// Bytes of the character that starts with lead; a stray byte counts as one.
inline std::size_t charLength(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

inline bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// A value with a character beyond the 16-bit range, where '?' (one UTF-16
// unit) no longer stands for one UTF-8 character.
bool hasFourByteCharacter(std::string_view v)
{
    for (char c : v)
        if (static_cast<unsigned char>(c) >= 0xF0)
            return true;
    return false;
}

// The byte of a needle that a search tests first: the first one that does not
// start a multi-byte character. In the scrambled prose every character takes
// two bytes and most share a handful of lead bytes, while the second bytes
// vary; an ASCII needle simply uses its first byte.
std::size_t anchorOf(std::string_view needle)
{
    for (std::size_t i = 0; i < needle.size(); ++i)
        if (static_cast<unsigned char>(needle[i]) < 0xC0)
            return i;
    return 0;
}

} // namespace

// The first place of segment s's bytes in v, or npos. Sixteen places at once
// are tested on the anchor byte and the last byte, and only where both agree
// are the bytes compared: the full text search spends most of its time here.
std::size_t LikePattern::findBytes(std::string_view v, const Segment& s)
{
    const std::size_t n = s.bytes.size();
    if (n > v.size())
        return std::string_view::npos;
    std::size_t i = 0;
#if defined(__SSE2__)
    if (n >= 2) {
        const std::size_t a = s.anchor, b = n - 1;
        const __m128i anchor = _mm_set1_epi8(s.bytes[a]);
        const __m128i last = _mm_set1_epi8(s.bytes[b]);
        const char* data = v.data();
        for (; i + b + 16 <= v.size(); i += 16) {
            const __m128i atAnchor = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + a));
            const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + b));
            auto mask = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(atAnchor, anchor), _mm_cmpeq_epi8(atLast, last))));
            while (mask != 0) {
                const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
                if (std::memcmp(data + at, s.bytes.data(), n) == 0)
                    return at;
                mask &= mask - 1;
            }
        }
    }
#endif
    // The places the blocks above did not reach.
    const void* hit = memmem(v.data() + i, v.size() - i, s.bytes.data(), n);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - v.data()) : std::string_view::npos;
}

LikePattern::LikePattern(std::string_view pattern) : source_(pattern)
{
    leadingStar_ = !pattern.empty() && pattern.front() == '*';
    trailingStar_ = !pattern.empty() && pattern.back() == '*';
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t star = pattern.find('*', start);
        if (star == std::string_view::npos)
            star = pattern.size();
        if (star > start || (segments_.empty() && star == pattern.size())) {
            Segment s;
            const std::string_view raw = pattern.substr(start, star - start);
            s.bytes.resize(raw.size());
            bool caseless = true;
            for (std::size_t i = 0; i < raw.size(); ++i) {
                const unsigned char f = foldedAt(raw, i);
                s.bytes[i] = static_cast<char>(f);
                s.hasAny = s.hasAny || f == '?';
                if ((f >= 'a' && f <= 'z')
                    || (f >= 0xA0 && f <= 0xBE && f != 0xB7 && i > 0
                        && static_cast<unsigned char>(raw[i - 1]) == kLatin1Lead))
                    caseless = false;
            }
            s.caseless = caseless && !s.hasAny;
            s.anchor = anchorOf(s.bytes);
            hasAny_ = hasAny_ || s.hasAny;
            segments_.push_back(std::move(s));
        }
        start = star + 1;
    }
}

// Matches segment s at byte at of v; end receives the byte just behind it.
bool LikePattern::matchAt(const Segment& s, std::string_view v, std::size_t at, std::size_t& end) const
{
    std::size_t j = at;
    for (char c : s.bytes) {
        if (j >= v.size())
            return false;
        if (c == '?') {
            j += charLength(static_cast<unsigned char>(v[j]));
            if (j > v.size())
                return false;
        } else if (foldedAt(v, j) != static_cast<unsigned char>(c)) {
            return false;
        } else {
            ++j;
        }
    }
    end = j;
    return true;
}

// The leftmost match of s in v at or behind from.
bool LikePattern::find(const Segment& s, std::string_view v, std::size_t from, std::size_t& begin,
                       std::size_t& end) const
{
    if (s.bytes.empty()) {
        begin = end = from;
        return true;
    }
    if (s.caseless) {
        if (v.size() < from + s.bytes.size())
            return false;
        const std::size_t at = findBytes(v.substr(from), s);
        if (at == std::string_view::npos)
            return false;
        begin = from + at;
        end = begin + s.bytes.size();
        return true;
    }
    const auto first = static_cast<unsigned char>(s.bytes[0]);
    if (first == '?') {
        for (std::size_t at = from; at < v.size(); ++at) {
            if (isContinuation(static_cast<unsigned char>(v[at])))
                continue;
            if (matchAt(s, v, at, end)) {
                begin = at;
                return true;
            }
        }
        return false;
    }
    // Candidates start with the first byte or, for an ASCII letter, its capital.
    const unsigned char other = (first >= 'a' && first <= 'z') ? static_cast<unsigned char>(first - 32) : first;
    for (std::size_t at = from; at < v.size(); ++at) {
        const auto b = static_cast<unsigned char>(v[at]);
        if ((b == first || b == other) && matchAt(s, v, at, end)) {
            begin = at;
            return true;
        }
    }
    return false;
}

bool LikePattern::matchesFast(std::string_view v) const
{
    std::size_t first = 0, last = segments_.size();
    std::size_t pos = 0, limit = v.size(), end = 0;
    if (!leadingStar_) {
        // No '*' at all: the one segment must cover the whole value.
        if (!matchAt(segments_[0], v, 0, end))
            return false;
        if (segments_.size() == 1 && !trailingStar_)
            return end == v.size();
        pos = end;
        first = 1;
    }
    if (!trailingStar_ && last > first) {
        // The last segment covers exactly as many characters at the end as it holds.
        const Segment& tail = segments_[last - 1];
        std::size_t chars = 0;
        for (char c : tail.bytes)
            chars += !isContinuation(static_cast<unsigned char>(c));
        std::size_t at = v.size();
        while (chars > 0 && at > pos) {
            --at;
            if (!isContinuation(static_cast<unsigned char>(v[at])))
                --chars;
        }
        if (chars > 0 || !matchAt(tail, v, at, end) || end != v.size())
            return false;
        limit = at;
        --last;
    }
    const std::string_view middle = v.substr(0, limit);
    for (std::size_t i = first; i < last; ++i) {
        std::size_t begin = 0;
        if (!find(segments_[i], middle, pos, begin, end))
            return false;
        pos = end;
    }
    return pos <= limit;
}

bool LikePattern::matches(std::string_view v) const
{
    if (hasAny_ && hasFourByteCharacter(v))
        return likeMatch(text::fromUtf8(source_), text::fromUtf8(v));
    return matchesFast(v);
}

namespace {

std::string_view textOf(sqlite3_value* value)
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!data)
        return {};
    return {data, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

// A value's UTF-8 text as stored. In a UTF-8 database a text value's bytes
// are its text, and reading them as bytes spares the copy SQLite would make
// to terminate them.
std::string_view storedTextOf(sqlite3_context* context, sqlite3_value* value)
{
    const bool utf8Database = *static_cast<const bool*>(sqlite3_user_data(context));
    if (!utf8Database || sqlite3_value_type(value) != SQLITE_TEXT)
        return textOf(value);
    const auto* data = static_cast<const char*>(sqlite3_value_blob(value));
    return {data ? data : "", static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

void deletePattern(void* p)
{
    delete static_cast<LikePattern*>(p);
}

// like(pattern, value): SQLite rewrites "value LIKE pattern" into this call.
// The compiled pattern is kept as the call's auxiliary data, which SQLite
// holds while the pattern stays the same (a literal in the statement).
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::string_view pattern = textOf(argv[0]);
    const std::string_view value = storedTextOf(context, argv[1]);
    const auto* kept = static_cast<const LikePattern*>(sqlite3_get_auxdata(context, 0));
    if (kept && kept->source() == pattern) {
        sqlite3_result_int(context, kept->matches(value) ? 1 : 0);
        return;
    }
    auto* compiled = new LikePattern(pattern);
    const bool hit = compiled->matches(value);
    sqlite3_set_auxdata(context, 0, compiled, deletePattern); // SQLite owns it from here
    sqlite3_result_int(context, hit ? 1 : 0);
}

} // namespace

bool registerLike(sqlite3* db)
{
    static const bool kUtf8 = true, kOther = false;
    bool utf8 = false;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA encoding", -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        utf8 = std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))) == "UTF-8";
    sqlite3_finalize(stmt);
    void* encoding = const_cast<bool*>(utf8 ? &kUtf8 : &kOther);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    return sqlite3_create_function_v2(db, "like", 2, flags, encoding, likeFunction, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function_v2(db, "like", 3, flags, encoding, likeFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace ado
