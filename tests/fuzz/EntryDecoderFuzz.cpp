// Decoding a wine row with any values: every text comes out terminated and
// within its buffer, whatever the codes and vintage columns hold.
#include "db/WineDatabase.h"
#include "results/EntryTexts.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static WineDatabase database;
    fuzz::Input in(data, size);
    WineEntry e;
    if (in.flag())
        e.keyword = in.text(12);
    if (in.flag())
        e.region = in.text(12);
    e.dry = in.flag(), e.medium = in.flag(), e.sweet = in.flag(), e.sparkling = in.flag();
    e.quality1 = static_cast<std::int8_t>(in.byte());
    e.quality2 = static_cast<std::int8_t>(in.byte());
    e.drinkSoon = in.flag(), e.withoutVintage = in.flag();
    for (auto& column : e.vintages)
        column = in.text(20);
    if (in.flag())
        e.text = in.rest();

    const std::u16string info = infoText(e);
    const std::u16string vintages = vintageText(e, database);
    treeLabel(e.keyword, e.region);
    char16_t quality[32];
    qualityName(e.quality1, quality, std::size(quality));
    if (std::char_traits<char16_t>::length(database.scratch) >= WineDatabase::kScratchUnits)
        std::abort();
    (void)info;
    (void)vintages;
    return 0;
}
