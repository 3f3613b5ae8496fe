// What a screen reader calls the on-screen keyboard and the keys of it that
// type no character of their own; a character key is called by what it types.
#pragma once

#include "platform/shell/Shell.h"

namespace texts {

inline constexpr shell::KeyNames kKeyNames{
    .keyboard = u"Tastatur",
    .shift = u"Umschalt",
    .backspace = u"R\u00fccktaste",
    .space = u"Leerzeichen",
    .enter = u"Eingabe",
    .letters = u"Buchstaben",
    .symbols = u"Symbole",
    .accents = u"Akzente",
};

} // namespace texts
