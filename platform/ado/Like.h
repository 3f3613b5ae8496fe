// The handheld engine's LIKE: '*' matches any run of characters, '?' exactly
// one, everything else itself, without regard to case for ASCII and Latin-1
// letters.
#pragma once

#include <sqlite3.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ado {

// The lower-case partner of a letter in the ranges above; any other unit as it is.
char16_t foldCase(char16_t unit);

// The reference matcher on UTF-16 texts; '?' stands for one UTF-16 unit.
bool likeMatch(std::u16string_view pattern, std::u16string_view value);

// A pattern compiled once and matched against many UTF-8 values with the same
// result as likeMatch on their UTF-16 forms.
class LikePattern {
public:
    explicit LikePattern(std::string_view utf8Pattern);
    bool matches(std::string_view utf8Value) const;
    const std::string& source() const { return source_; }

private:
    // The text between two '*', case-folded; '?' stays in place.
    struct Segment {
        std::string bytes;
        bool hasAny = false;   // holds a '?'
        bool caseless = false; // no character with a case partner: plain byte search
        std::size_t anchor = 0; // the byte a plain search tests first
    };

    static std::size_t findBytes(std::string_view v, const Segment& s);

    bool matchAt(const Segment& s, std::string_view v, std::size_t at, std::size_t& end) const;
    bool find(const Segment& s, std::string_view v, std::size_t from, std::size_t& begin, std::size_t& end) const;
    bool matchesFast(std::string_view v) const;

    std::string source_;
    std::vector<Segment> segments_;
    bool leadingStar_ = false;
    bool trailingStar_ = false;
    bool hasAny_ = false;
};

// Replaces SQLite's LIKE on this connection with the engine's own.
bool registerLike(sqlite3* db);

} // namespace ado
