// The engine's LIKE against a plain reference matcher that tries every split.
#include "platform/ado/Like.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <vector>

namespace {

// Dynamic programming over pattern and value prefixes: obviously right, slow.
bool referenceLike(std::u16string_view p, std::u16string_view v)
{
    std::vector<std::vector<char>> m(p.size() + 1, std::vector<char>(v.size() + 1, 0));
    m[0][0] = 1;
    for (std::size_t i = 1; i <= p.size(); ++i) {
        for (std::size_t j = 0; j <= v.size(); ++j) {
            const char16_t c = p[i - 1];
            if (c == u'*')
                m[i][j] = m[i - 1][j] || (j > 0 && m[i][j - 1]);
            else if (j > 0)
                m[i][j] = m[i - 1][j - 1] && (c == u'?' || ado::foldCase(c) == ado::foldCase(v[j - 1]));
        }
    }
    return m[p.size()][v.size()];
}

// Narrows units to a few letters, the wildcards and folded pairs, so that
// matches are common enough to be tested.
char16_t narrow(char16_t u)
{
    static constexpr char16_t kAlphabet[] = u"*?aAbB\u00e4\u00c4\u00df\u00ff'x";
    return (u & 0x8000) ? u : kAlphabet[u % (std::size(kAlphabet) - 1)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    std::u16string pattern = in.text(24), value = in.text(40);
    for (char16_t& u : pattern)
        u = narrow(u);
    for (char16_t& u : value)
        u = narrow(u) == u'*' || narrow(u) == u'?' ? u'a' : narrow(u);
    if (ado::likeMatch(pattern, value) != referenceLike(pattern, value))
        std::abort();
    return 0;
}
