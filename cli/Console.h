// Where the command line writes, its exit statuses, and texts made fit for
// a terminal: UTF-8, line breaks as "\n", no control characters that a
// guide or a note could use to steer the terminal.
#pragma once

#include "db/GuideCheck.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNothingFound = 1;
inline constexpr int kExitFailed = 2;

struct Console {
    std::FILE* out = stdout;
    std::FILE* err = stderr;
};

// Writes text and a line break, as UTF-8.
void writeLine(std::FILE* stream, std::u16string_view text);
void writeBytes(std::FILE* stream, std::string_view bytes);

// Text for a terminal or a page: the entry texts' "\r\n" (and the message
// box's "\n\r") become "\n" when line breaks are kept, a blank otherwise;
// every other control character becomes a blank.
std::u16string plainText(std::u16string_view text, bool keepLineBreaks);

// Appends text as one field of a tab-separated line, in UTF-8, with every
// tab, line break and control character made a blank.
void appendLineField(std::string& line, std::u16string_view text);

// The "FEHLER" message for a guide that cannot be used, on standard error.
void reportGuideFailure(const Console& console, const GuideProblem& problem);

} // namespace cli
