// What save number i writes, shared by the saving process and the test that
// checks the guide after killing it: the entry it bookmarks and the texts;
// and the guide they work on, which the rebuilding process writes too.
#pragma once

#include "tools/guide/GuideContent.h"

#include <string>

namespace save_crash {

// Saves cycle over entries 1..entries, so later saves replace earlier rows.
inline int entryOf(int save, int entries)
{
    return (save - 1) % entries + 1;
}

inline std::u16string idText(int entry)
{
    const std::string digits = std::to_string(entry);
    return std::u16string(digits.begin(), digits.end());
}

inline std::u16string descriptionOf(int save)
{
    return u"Lesezeichen " + idText(save);
}

// Quotes, umlauts and lengths up to a few hundred units, so a torn or
// misquoted row shows as a changed text.
inline std::u16string noteOf(int save)
{
    std::u16string note = u"Notiz " + idText(save) + u": des Winzers 'Auslese' – süß, ölig, Weißwein";
    for (int i = 0; i < save % 5; ++i)
        note += u" / Fortsetzung " + idText(i) + u" ''Zitat''";
    return note;
}

// A guide of entries 1..entries, all red Bordeaux.
inline guide::GuideContent guideWithEntries(int entries)
{
    guide::GuideContent c;
    c.countries = {{u"FRA", u"Frankreich"}};
    c.regions = {{u"FRA", u"Bordeaux"}};
    for (int id = 1; id <= entries; ++id) {
        guide::Wine w;
        w.id = id;
        w.keyword = u"Wein " + idText(id);
        w.country = u"FRA";
        w.region = u"Bordeaux";
        w.red = w.dry = true;
        w.quality1 = 3;
        w.text = u"Ein Wein zum Testen.";
        c.wines.push_back(w);
    }
    return c;
}

} // namespace save_crash
