// Composing the "FEHLER" message from the reason a guide failed.
#include "services/DatabaseErrorText.h"

#include "resources/GuideTexts.h"

namespace {

struct ReasonTexts {
    GuideFailure reason;
    std::u16string_view why;
    std::u16string_view remedy;
};

namespace t = texts::guide;

static constexpr ReasonTexts kReasons[] = {
    {GuideFailure::Missing,     t::kMissing,     t::kRebuild},
    {GuideFailure::NotAGuide,   t::kNotAGuide,   t::kMoveAsideAndRebuild},
    {GuideFailure::WrongLayout, t::kWrongLayout, t::kMoveAsideAndRebuild},
    {GuideFailure::Damaged,     t::kDamaged,     t::kMoveAsideAndRebuild},
    {GuideFailure::Locked,      t::kLocked,      t::kCloseOtherProgram},
    {GuideFailure::Unreadable,  t::kUnreadable,  t::kCheckPermissions},
    {GuideFailure::ReadOnly,    t::kReadOnly,    t::kCheckPermissions},
};

const ReasonTexts* textsFor(GuideFailure reason)
{
    for (const ReasonTexts& r : kReasons)
        if (r.reason == reason)
            return &r;
    return nullptr;
}

} // namespace

std::u16string_view guideFailureText(GuideFailure reason)
{
    const ReasonTexts* r = textsFor(reason);
    return r ? r->why : std::u16string_view();
}

namespace {

std::u16string guideMessage(std::u16string_view opening, const GuideProblem& problem)
{
    // Without a known reason the file cannot have been read.
    const ReasonTexts* r = textsFor(problem.reason);
    if (!r)
        r = textsFor(GuideFailure::Unreadable);
    std::u16string message(opening);
    message += r->why;
    message += t::kLineBreak;
    message += t::kFileLabel;
    message += problem.path;
    message += t::kLineBreak;
    message += r->remedy;
    return message;
}

} // namespace

std::u16string databaseErrorText(const GuideProblem& problem)
{
    return guideMessage(t::kCannotOpen, problem);
}

std::u16string guideReadErrorText(const GuideProblem& problem)
{
    return guideMessage(t::kCannotRead, problem);
}
