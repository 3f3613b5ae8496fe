// Small services every dialog shares: the soft input panel, starting the
// browser, and the text transforms of the database's scrambled and quoted texts.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

struct ShellServices {
    // Offset and mask of the scrambling. Chosen so that no lower-case
    // character of the guide's alphabet scrambles into a quote, a LIKE
    // wildcard, a bracket, a control character or a surrogate, and no two of
    // them scramble into characters that LIKE takes for equal.
    static constexpr char16_t scrambleConstant = 211;

    // In place, unit by unit, up to the terminator; an absent text is left alone.
    static void unscramble(char16_t* text);
    static void scramble(char16_t* text);
    static void scramble(std::u16string& text);
    static void unscramble(std::u16string& text);

    // Doubles every apostrophe in place; the buffer of capacity units must
    // hold the longer text. Returns false, leaving the apostrophes as they
    // are, when it would not fit. Either way every lone surrogate has become
    // U+FFFD, so the result is safe to quote; the text ends at its first NUL.
    static bool doubleApostrophes(char16_t* text, std::size_t capacity);
    static std::u16string doubleApostrophes(std::u16string_view text);

    // The lower-casing that the guide's lower-case columns were written with.
    static std::u16string toLower(std::u16string_view text);

    // Shows or hides the input panel and its button; always true.
    bool setInputPanel(bool panelShown, bool buttonShown);
    // Starts the desktop browser on the given file path, without waiting;
    // false when it cannot be started. A launcher that starts but then finds
    // no browser calls laterFailure with the path, on the GUI thread.
    bool openInBrowser(std::u16string_view parameter,
                       std::function<void(std::u16string_view)> laterFailure = {});
};

extern ShellServices* g_shellServices;
