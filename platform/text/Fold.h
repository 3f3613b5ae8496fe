// Folding of texts for tolerant matching: case, accents and umlauts with
// their spellings, and separators. The guide's builder folds its texts with
// it and the search folds the user's term with it, so both always agree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Where one unit of a folded text came from: the units [begin, end) of the source.
struct FoldSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The text folded: letters lower-cased and without accents (é = e, ç = c,
// ñ = n, ß = ss, æ = ae), the spellings ae, oe and ue taken as a, o and u
// (so ä = ae = a), a middle dot, soft hyphen or combining accent left out,
// and every run of blanks, hyphens, apostrophes, quotes and other ASCII
// punctuation made one blank. The result never holds an apostrophe or a
// LIKE wildcard. Letters beyond the Latin ranges stay as they are.
std::u16string fold(std::u16string_view text);
// The same, with the source span of every unit of the result.
std::u16string fold(std::u16string_view text, std::vector<FoldSpan>& spans);

// A term folded for searching: as fold, without blanks at either end. A term
// of separators and accents alone folds to nothing.
std::u16string foldTerm(std::u16string_view term);

// The part of text whose fold holds folded, first occurrence; empty when
// there is none or folded is empty.
std::u16string foldedMatch(std::u16string_view text, std::u16string_view folded);

} // namespace text
