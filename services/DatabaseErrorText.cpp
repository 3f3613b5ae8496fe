// Composing the "FEHLER" message from the reason a guide failed.
#include "services/DatabaseErrorText.h"

#include "platform/text/Utf16.h"
#include "resources/GuideTexts.h"

#include <filesystem>

namespace {

struct ReasonTexts {
    GuideFailure reason;
    std::u16string_view why;
    std::u16string_view remedy;
    // What to do when the guide fails while in use, where it differs.
    std::u16string_view remedyInUse = {};
};

namespace t = texts::guide;

static constexpr ReasonTexts kReasons[] = {
    {GuideFailure::Missing,      t::kMissing,      t::kRebuild},
    {GuideFailure::NotAGuide,    t::kNotAGuide,    t::kMoveAsideAndRebuild},
    {GuideFailure::WrongLayout,  t::kWrongLayout,  t::kMoveAsideAndRebuild},
    {GuideFailure::Damaged,      t::kDamaged,      t::kMoveAsideAndRebuild},
    {GuideFailure::Locked,       t::kLocked,       t::kCloseOtherProgram, t::kWaitForOtherProgram},
    {GuideFailure::Unreadable,   t::kUnreadable,   t::kCheckPermissions},
    {GuideFailure::ReadOnly,     t::kReadOnly,     t::kCheckPermissions},
    {GuideFailure::DiskFull,     t::kDiskFull,     t::kMakeRoom},
    {GuideFailure::SymlinkLoop,  t::kSymlinkLoop,  t::kReplaceLink},
    {GuideFailure::NotAFile,     t::kNotAFile,     t::kRenameFolder},
    {GuideFailure::NoPermission, t::kNoPermission, t::kCheckPermissions},
};

const ReasonTexts* textsFor(GuideFailure reason)
{
    for (const ReasonTexts& r : kReasons)
        if (r.reason == reason)
            return &r;
    return nullptr;
}

// Room to make for a full disk: in the guide's folder, a save's worth.
std::u16string roomToMake(const GuideProblem& problem)
{
    const std::u16string folder =
        text::fromUtf8(std::filesystem::path(text::toUtf8(problem.path)).parent_path().string());
    if (problem.spaceNeeded == 0)
        return text::format(t::kMakeSomeRoom, {folder});
    const std::uintmax_t kilobytes = (problem.spaceNeeded + 1023) / 1024;
    return text::format(t::kMakeRoom, {folder, static_cast<int>(kilobytes)});
}

std::u16string remedyFor(const ReasonTexts& r, const GuideProblem& problem, bool inUse)
{
    if (r.reason == GuideFailure::DiskFull)
        return roomToMake(problem);
    return std::u16string(inUse && !r.remedyInUse.empty() ? r.remedyInUse : r.remedy);
}

std::u16string guideMessage(std::u16string_view opening, const GuideProblem& problem, bool inUse)
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
    message += remedyFor(*r, problem, inUse);
    return message;
}

} // namespace

std::u16string_view guideFailureText(GuideFailure reason)
{
    const ReasonTexts* r = textsFor(reason);
    return r ? r->why : std::u16string_view();
}

std::u16string databaseErrorText(const GuideProblem& problem)
{
    return guideMessage(t::kCannotOpen, problem, false);
}

std::u16string guideReadErrorText(const GuideProblem& problem)
{
    return guideMessage(t::kCannotRead, problem, true);
}

std::u16string guideWriteErrorText(std::u16string_view action, const GuideProblem& problem)
{
    if (problem.reason == GuideFailure::None)
        return std::u16string(action);
    std::u16string opening(action);
    opening += u' ';
    opening += t::kLineBreak;
    return guideMessage(opening, problem, true);
}
