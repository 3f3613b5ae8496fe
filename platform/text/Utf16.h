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
// terminated; a source text may be dst itself ("append to a text"). Returns
// the length of the result. Unknown directives and missing values are
// written as they stand, so a bad format never reads past its values.
std::size_t format(char16_t* dst, std::size_t capacity, std::u16string_view fmt,
                   std::initializer_list<FormatArg> args);

// The same into a growing string.
std::u16string format(std::u16string_view fmt, std::initializer_list<FormatArg> args);

std::u16string fromUtf8(std::string_view utf8);
std::string toUtf8(std::u16string_view utf16);

} // namespace text
