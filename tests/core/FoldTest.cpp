// Tolerant folding: the spellings a reader types fold like the guide's, no
// unit folds into SQL quoting or a wildcard, the matched spelling is found
// back, and every character of the guide's sources folds as its base letter.
#include "platform/text/Fold.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"

#include <QChar>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

using testing_support::utf8;

namespace {

TEST(Fold, TypedSpellingsFoldLikeTheGuides)
{
    const std::vector<std::vector<std::u16string>> sameFold = {
        {u"Côte-Rôtie", u"cote rotie", u"COTE  ROTIE", u"Cote\u2013Rotie"},
        {u"Châteauneuf-du-Pape", u"chateauneuf du pape", u"Chateauneuf - du - Pape"},
        {u"Müller-Thurgau", u"mueller thurgau", u"muller-thurgau", u"MÜLLER THURGAU", u"Mu\u0308ller Thurgau"},
        {u"Xarel·lo", u"xarello", u"XAREL\u00B7LO"},
        {u"Kékfrankos", u"kekfrankos"},
        {u"Weißburgunder", u"weissburgunder", u"WEISSBURGUNDER"},
        {u"Nero d'Avola", u"nero d avola", u"Nero d\u2019Avola", u"nero d´avola"},
        {u"Blaufränkisch", u"blaufraenkisch", u"blaufrankisch"},
        {u"Öküzgözü", u"oekuezgoezue", u"okuzgozu"},
        {u"Fetească Neagră", u"feteasca neagra"},
    };
    for (const auto& group : sameFold) {
        for (std::size_t i = 1; i < group.size(); ++i)
            EXPECT_EQ(utf8(text::foldTerm(group[i])), utf8(text::foldTerm(group[0]))) << utf8(group[i]);
    }
}

TEST(Fold, ATermOfSeparatorsAndAccentsAloneFoldsToNothing)
{
    for (std::u16string_view term : {u"", u"   ", u"- ' ·", u"\u0301\u0308", u"*?", u"\u00AD\u200B"})
        EXPECT_EQ(text::foldTerm(term), u"") << utf8(term);
}

// Whatever a user types, the folded term can go between quotes and into a
// LIKE pattern as it is.
TEST(Fold, NoUnitFoldsIntoAQuoteOrAWildcard)
{
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const std::u16string folded = text::fold(std::u16string(1, static_cast<char16_t>(u)));
        EXPECT_EQ(folded.find_first_of(u"'*?\0", 0, 4), std::u16string::npos) << std::hex << static_cast<int>(u);
    }
}

TEST(Fold, TheMatchIsFoundBackAsTheGuideSpellsIt)
{
    EXPECT_EQ(text::foldedMatch(u"Barossa Grenache-Shiraz-Mourvèdre", u"shiraz mourvedre"), u"Shiraz-Mourvèdre");
    EXPECT_EQ(text::foldedMatch(u"Côte-Rôtie", text::foldTerm(u"cote rotie")), u"Côte-Rôtie");
    // A spelling folded into one letter is found back whole.
    EXPECT_EQ(text::foldedMatch(u"Blauer Portugieser", text::foldTerm(u"blauer")), u"Blauer");
    EXPECT_EQ(text::foldedMatch(u"Mueller", text::foldTerm(u"Müller")), u"Mueller");
    EXPECT_EQ(text::foldedMatch(u"Xarel·lo", u"xarello"), u"Xarel·lo");
    EXPECT_EQ(text::foldedMatch(u"Riesling", u"syrah"), u"");
    EXPECT_EQ(text::foldedMatch(u"Riesling", u""), u"");
}

std::u16string sourceCharacters()
{
    std::set<char16_t> seen;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testing_support::sourceDir() + "/data/guide")) {
        if (!entry.is_regular_file() || entry.path().extension() != ".csv")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        for (char16_t u : text::fromUtf8(bytes.str()))
            seen.insert(u);
    }
    return std::u16string(seen.begin(), seen.end());
}

// Walks every character of the guide's sources: the guide folds it as the
// search folds a term holding it, typed in either case or as the base letter
// it decomposes into, and typing its fold finds it again.
TEST(Fold, EveryCharacterOfTheGuideSourcesFoldsAsTheTermDoes)
{
    const std::u16string characters = sourceCharacters();
    ASSERT_GT(characters.size(), 100u);
    for (char16_t c : characters) {
        const std::u16string one(1, c);
        const std::u16string folded = text::fold(one);
        SCOPED_TRACE(utf8(one));
        EXPECT_EQ(text::fold(folded), folded);
        const QChar q(c);
        EXPECT_EQ(text::fold(std::u16string(1, q.toUpper().unicode())), folded);
        EXPECT_EQ(text::fold(std::u16string(1, q.toLower().unicode())), folded);
        const QString decomposed = q.decomposition();
        if (q.decompositionTag() == QChar::Canonical && !decomposed.isEmpty()) {
            EXPECT_EQ(folded, text::fold(std::u16string(1, decomposed.at(0).unicode())));
        }
        // Letters of the Latin script fold into plain small letters.
        if (q.isLetter() && q.script() == QChar::Script_Latin) {
            for (char16_t f : folded)
                EXPECT_TRUE(f >= u'a' && f <= u'z') << utf8(folded);
        }
    }
}

} // namespace
