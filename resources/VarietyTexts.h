// The grape varieties chapter's introduction, one list row per line.
#pragma once

#include <string_view>

namespace resources {

inline constexpr std::u16string_view kVarietiesIntroduction[] = {
    u"In den vergangenen zwei Jahrzehnten",
    u"hat sich in der Welt des Weines viel",
    u"verändert. Früher trugen die Weine",
    u"fast immer den Namen ihrer Herkunft:",
    u"Man trank einen Bordeaux, einen",
    u"Chablis, einen Rioja oder einen",
    u"Chianti, und wer die Orte kannte,",
    u"wusste, was ihn im Glas erwartete.",
    u"Mit dem Aufstieg der Weinländer in",
    u"Übersee, in Kalifornien, Australien,",
    u"Chile, Südafrika und Neuseeland,",
    u"kam eine neue Art der Benennung auf.",
    u"Dort gab es keine alten Lagen und",
    u"keine berühmten Dörfer, deren Namen",
    u"die Käufer kannten. So schrieben die",
    u"Erzeuger die Rebsorte auf das Etikett,",
    u"aus der ihr Wein gekeltert war.",
    u"Chardonnay oder Cabernet Sauvignon",
    u"sagte dem Kunden auf einen Blick,",
    u"welchen Geschmack er erwarten durfte.",
    u"Der Erfolg dieser Weine war so groß,",
    u"dass eine Handvoll Rebsorten zu den",
    u"gebräuchlichen Namen von Weinen",
    u"geworden ist. Viele Weintrinker",
    u"bestellen heute einen Merlot oder",
    u"einen Sauvignon Blanc, ohne nach dem",
    u"Land zu fragen, aus dem er stammt.",
    u"Die alten Weinländer Europas blieben",
    u"dagegen meist bei ihrer Tradition:",
    u"In Frankreich, Italien und Spanien",
    u"nennt das Etikett vor allem die",
    u"Herkunft, und die Rebsorte erfährt",
    u"nur, wer sich auskennt. Deutschland",
    u"und Österreich stehen dazwischen,",
    u"denn hier werden Lage und Rebsorte",
    u"seit langem gemeinsam genannt.",
    u"Zu internationalen Kategorien sind",
    u"inzwischen vor allem diese Rebsorten",
    u"geworden:",
    u"Chardonnay, Sauvignon Blanc,",
    u"Riesling, Sémillon, Chenin Blanc,",
    u"Viognier, Gewürztraminer,",
    u"Cabernet Sauvignon, Merlot,",
    u"Pinot Noir, Syrah (Shiraz),",
    u"Zinfandel, Grenache, Nebbiolo,",
    u"Sangiovese, Tempranillo",
};

} // namespace resources
