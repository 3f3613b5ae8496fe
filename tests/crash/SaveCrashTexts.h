// What save number i writes, shared by the saving process and the test that
// checks the guide after killing it: the entry it bookmarks and the texts.
#pragma once

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

} // namespace save_crash
