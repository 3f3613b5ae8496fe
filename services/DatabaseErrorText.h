// The text of the "FEHLER" message: what failed, on which file, and how to
// get a working guide back.
#pragma once

#include "db/GuideCheck.h"

#include <string>
#include <string_view>

// The reason's own sentence, without the opening line.
std::u16string_view guideFailureText(GuideFailure reason);

// The whole message for a guide that cannot be opened.
std::u16string databaseErrorText(const GuideProblem& problem);
// The whole message for a guide that failed while a list was read from it,
// so that what is shown is not taken for complete.
std::u16string guideReadErrorText(const GuideProblem& problem);
// The message for a bookmark that could not be written: the action's own
// sentence, then, when the guide itself was the reason, why, the file and
// what to do about it.
std::u16string guideWriteErrorText(std::u16string_view action, const GuideProblem& problem);
