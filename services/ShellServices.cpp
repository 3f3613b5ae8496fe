// The text transforms of the shell services: scrambling of the database's
// long texts, apostrophe doubling for SQL literals, and the guide's
// lower-casing.
#include "services/ShellServices.h"

#include "platform/ado/Like.h"
#include "platform/text/Utf16.h"

namespace {

constexpr char16_t K = ShellServices::scrambleConstant;

char16_t scrambled(char16_t u)
{
    return static_cast<char16_t>((u ^ K) + K);
}

char16_t unscrambled(char16_t u)
{
    return static_cast<char16_t>(static_cast<char16_t>(u - K) ^ K);
}

// ASCII, Latin-1 and Latin Extended-A capitals to their small letters. The
// first two ranges are the ones the engine's LIKE folds, so its folding serves.
char16_t lowerUnit(char16_t u)
{
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? static_cast<char16_t>(u + 32) : u;
    if (u < 0x100)
        return ado::foldCase(u);
    if (u > 0x17F)
        return u;
    if (u == 0x130)
        return u'i';
    if (u == 0x178)
        return 0xFF;
    // Extended-A pairs a capital with the next unit; the runs differ in parity.
    const bool evenCapitals = u <= 0x137 || (u >= 0x14A && u <= 0x177);
    const bool oddCapitals = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
    if ((evenCapitals && u % 2 == 0) || (oddCapitals && u % 2 == 1))
        return static_cast<char16_t>(u + 1);
    return u;
}

} // namespace

void ShellServices::unscramble(char16_t* text)
{
    for (; text && *text; ++text)
        *text = unscrambled(*text);
}

void ShellServices::scramble(char16_t* text)
{
    for (; text && *text; ++text)
        *text = scrambled(*text);
}

void ShellServices::scramble(std::u16string& text)
{
    for (char16_t& u : text)
        u = scrambled(u);
}

void ShellServices::unscramble(std::u16string& text)
{
    for (char16_t& u : text)
        u = unscrambled(u);
}

bool ShellServices::doubleApostrophes(char16_t* text, std::size_t capacity)
{
    if (!text)
        return true;
    // A lone surrogate would swallow the quote behind it in the engine.
    text::sanitize(text);
    std::size_t length = 0, quotes = 0;
    for (; text[length]; ++length)
        quotes += text[length] == u'\'';
    if (length + quotes + 1 > capacity)
        return false;
    // Walk back from the end so every unit moves once.
    std::size_t to = length + quotes;
    text[to] = 0;
    for (std::size_t from = length; from-- > 0;) {
        text[--to] = text[from];
        if (text[from] == u'\'')
            text[--to] = u'\'';
    }
    return true;
}

std::u16string ShellServices::doubleApostrophes(std::u16string_view raw)
{
    // A lone surrogate would swallow the quote behind it in the engine, and
    // a NUL would end the statement early.
    const std::u16string text = text::sanitized(raw);
    std::u16string out;
    out.reserve(text.size() + 8);
    for (char16_t u : text) {
        out.push_back(u);
        if (u == u'\'')
            out.push_back(u'\'');
    }
    return out;
}

std::u16string ShellServices::toLower(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& u : out)
        u = lowerUnit(u);
    return out;
}
