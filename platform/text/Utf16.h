// Zero-terminated UTF-16 texts in fixed-capacity buffers: length, bounded copy,
// printf-style composition with %s, %i and %02i, and UTF-8 conversion.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace text {

// Length up to the terminator; an absent text has length 0.
std::size_t length(const char16_t* text);

// Copies src into dst, cut to capacity - 1 units and always terminated.
// Returns the number of units copied (without the terminator).
std::size_t copy(char16_t* dst, std::size_t capacity, std::u16string_view src);

// One value for a format: a text for %s, a number for %i and %02i.
using FormatArg = std::variant<std::u16string_view, int>;

// Composes format with args into dst, cut to capacity - 1 units and always
// terminated; a source text may be dst itself ("append to a text"). Every %s
// value goes in sanitized, so a composed text is always valid UTF-16. Returns
// the length of the result. Unknown directives and missing values are
// written as they stand, so a bad format never reads past its values.
std::size_t format(char16_t* dst, std::size_t capacity, std::u16string_view fmt,
                   std::initializer_list<FormatArg> args);

// The same into a growing string.
std::u16string format(std::u16string_view fmt, std::initializer_list<FormatArg> args);

std::u16string fromUtf8(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

// True when every surrogate stands in a high-low pair.
bool isValidUtf16(std::u16string_view text);

// The text made safe to compose into SQL or show: it ends at its first NUL,
// and every lone surrogate becomes U+FFFD. A valid text comes back unchanged.
std::u16string sanitized(std::u16string_view text);
// The same in place, up to the terminator; returns the number of units replaced.
std::size_t sanitize(char16_t* text);

// Offset of the first byte that does not belong to well-formed UTF-8
// (overlong forms, surrogates, code points past U+10FFFF and cut sequences
// included); npos when the whole text is well-formed.
std::size_t firstInvalidUtf8(std::string_view utf8);

// Lossless storage form: like toUtf8, but a lone surrogate keeps its own
// three-byte form instead of becoming U+FFFD, so fromUtf8 gives back exactly
// the units stored. Used for texts that are not meant to be read as text,
// such as the scrambled columns.
std::string toStorageUtf8(std::u16string_view utf16);

} // namespace text
