// Tolerant folding. Every source unit is first classed (separator, left out,
// or one or two base letters); the letters then pass one rule: an 'e' right
// after a, o or u is taken into that vowel, once, so "ue" folds like "ü".
#include "platform/text/Fold.h"

#include <array>

namespace text {

namespace {

enum class Kind { Letters, Separator, LeftOut };

struct Mapping {
    Kind kind = Kind::Letters;
    std::u16string_view letters;
};

// Latin-1 U+00C0..U+00FF: the base letter, '#' for the two-letter forms
// below, '/' for the signs × and ÷.
constexpr std::u16string_view kLatin1 = u"aaaaaa#ceeeeiiiidnooooo/ouuuuy##"
                                        u"aaaaaa#ceeeeiiiidnooooo/ouuuuy#y";
// Latin Extended-A U+0100..U+017F; '#' for Ĳ ĳ Œ œ.
constexpr std::u16string_view kExtendedA = u"aaaaaa" u"cccccccc" u"dddd" u"eeeeeeeeee" u"gggggggg" u"hhhh"
                                           u"iiiiiiiiii" u"##" u"jj" u"kkk" u"llllllllll" u"nnnnnnnnn"
                                           u"oooooo" u"##" u"rrrrrr" u"ssssssss" u"tttttt"
                                           u"uuuuuuuuuuuu" u"ww" u"yyy" u"zzzzzz" u"s";
static_assert(kLatin1.size() == 0x40 && kExtendedA.size() == 0x80);

// The two-letter forms: Æ æ, Þ þ, ß, Ĳ ĳ, Œ œ.
constexpr std::u16string_view twoLetters(char16_t u)
{
    switch (u) {
    case 0xC6: case 0xE6: return u"ae";
    case 0xDE: case 0xFE: return u"th";
    case 0xDF: return u"ss";
    case 0x132: case 0x133: return u"ij";
    default: return u"oe";
    }
}

// One letter of a table as a view that outlives the call.
std::u16string_view letter(char16_t c)
{
    static const std::array<char16_t, 26> alphabet = [] {
        std::array<char16_t, 26> a{};
        for (int i = 0; i < 26; ++i)
            a[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'a' + i);
        return a;
    }();
    return {&alphabet[static_cast<std::size_t>(c - u'a')], 1};
}

Mapping fromTable(std::u16string_view table, char16_t u, char16_t first)
{
    const char16_t c = table[static_cast<std::size_t>(u - first)];
    if (c == u'#')
        return {Kind::Letters, twoLetters(u)};
    if (c == u'/')
        return {Kind::Separator, {}};
    return {Kind::Letters, letter(c)};
}

bool isLeftOut(char16_t u)
{
    return u == 0xAD || u == 0xB7                 // soft hyphen, middle dot (Xarel·lo)
        || (u >= 0x300 && u <= 0x36F)             // combining accents
        || (u >= 0x200B && u <= 0x200F) || u == 0x2027 || (u >= 0x2060 && u <= 0x206F) || u == 0xFEFF;
}

bool isSeparator(char16_t u)
{
    if (u < 0x80)
        return !((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9'));
    return (u >= 0x80 && u <= 0xBF)               // no-break space, quotes, signs
        || u == 0x2BB || u == 0x2BC               // letter apostrophes
        || (u >= 0x2000 && u <= 0x206F)           // spaces, dashes, quotes, ellipsis
        || u == 0x2212 || u == 0x3000;
}

Mapping mappingOf(const char16_t& u)
{
    if (isLeftOut(u))
        return {Kind::LeftOut, {}};
    if (isSeparator(u))
        return {Kind::Separator, {}};
    if (u >= u'A' && u <= u'Z')
        return {Kind::Letters, letter(static_cast<char16_t>(u + 32))};
    if (u >= 0xC0 && u <= 0xFF)
        return fromTable(kLatin1, u, 0xC0);
    if (u >= 0x100 && u <= 0x17F)
        return fromTable(kExtendedA, u, 0x100);
    if (u >= 0x218 && u <= 0x21B) // Romanian ș and ț with comma below
        return {Kind::Letters, letter(u < 0x21A ? u's' : u't')};
    return {Kind::Letters, {&u, 1}};
}

class Folder {
public:
    explicit Folder(std::vector<FoldSpan>* spans) : spans_(spans) {}

    void add(char16_t u, std::size_t at)
    {
        const Mapping m = mappingOf(u);
        switch (m.kind) {
        case Kind::LeftOut:
            widenLast(at + 1);
            return;
        case Kind::Separator:
            if (!out_.empty() && out_.back() == u' ')
                widenLast(at + 1);
            else
                emit(u' ', at);
            return;
        case Kind::Letters:
            for (char16_t c : m.letters)
                letter(c, at);
            return;
        }
    }

    std::u16string take() { return std::move(out_); }

private:
    void letter(char16_t c, std::size_t at)
    {
        const bool takesE = !out_.empty() && !tookE_ && (out_.back() == u'a' || out_.back() == u'o' || out_.back() == u'u');
        if (c == u'e' && takesE) {
            widenLast(at + 1);
            tookE_ = true;
            return;
        }
        emit(c, at);
    }

    void emit(char16_t c, std::size_t at)
    {
        out_.push_back(c);
        tookE_ = false;
        if (spans_)
            spans_->push_back({at, at + 1});
    }

    void widenLast(std::size_t end)
    {
        if (spans_ && !spans_->empty())
            spans_->back().end = end;
    }

    std::vector<FoldSpan>* spans_;
    std::u16string out_;
    bool tookE_ = false;
};

std::u16string foldInto(std::u16string_view text, std::vector<FoldSpan>* spans)
{
    Folder folder(spans);
    for (std::size_t i = 0; i < text.size(); ++i)
        folder.add(text[i], i);
    return folder.take();
}

} // namespace

std::u16string fold(std::u16string_view text)
{
    return foldInto(text, nullptr);
}

std::u16string fold(std::u16string_view text, std::vector<FoldSpan>& spans)
{
    spans.clear();
    return foldInto(text, &spans);
}

std::u16string foldTerm(std::u16string_view term)
{
    std::u16string folded = fold(term);
    const std::size_t first = folded.find_first_not_of(u' ');
    if (first == std::u16string::npos)
        return {};
    const std::size_t last = folded.find_last_not_of(u' ');
    return folded.substr(first, last - first + 1);
}

std::u16string foldedMatch(std::u16string_view text, std::u16string_view folded)
{
    if (folded.empty())
        return {};
    std::vector<FoldSpan> spans;
    const std::u16string whole = fold(text, spans);
    const std::size_t at = whole.find(folded);
    if (at == std::u16string::npos)
        return {};
    const std::size_t begin = spans[at].begin, end = spans[at + folded.size() - 1].end;
    return std::u16string(text.substr(begin, end - begin));
}

} // namespace text
