// Writing the guide database: the content tables with their scrambled and
// lower-cased columns, the bookmarks of any earlier database carried over.
#pragma once

#include "tools/guide/GuideContent.h"

#include <functional>
#include <string>
#include <string_view>

namespace guide {

struct WriteResult {
    bool ok = false;
    std::string error;
};

// Writes content into a new database at path (replacing it atomically).
// content's wines are stored in keyword order (see storedKeyword), so that
// searches, which run in that order, read the file front to back.
// When a database is already there, its bookmark rows are carried over
// unchanged, with the old file write-locked from the carry-over until the new
// one is in place; when that database cannot be read or stays busy, nothing
// is replaced. beforeRename runs while the lock is held (for tests).
WriteResult writeGuideDatabase(const GuideContent& content, const std::string& path, const std::string& sourceDigest,
                               const std::function<void()>& beforeRename = {});
// The same with further entries taken one at a time from more (false when
// there are no more) behind content's own, so that none is held in memory.
// They are stored as they come: a source that hands them over in keyword
// order gets the same fast layout.
WriteResult writeGuideDatabase(const GuideContent& content, const std::function<bool(Wine&)>& more,
                               const std::string& path, const std::string& sourceDigest,
                               const std::function<void()>& beforeRename = {});

// The key the guide's entries are stored in order of, with equal keys by id:
// the keyword's bytes as stored, which is how SQLite orders the keyword.
std::string storedKeyword(std::u16string_view keyword);

// The digest the database at path was built from; empty when there is none.
std::string builtDigest(const std::string& path);

enum class BuildOutcome { UpToDate, Built, Failed };

struct BuildResult {
    BuildOutcome outcome = BuildOutcome::Failed;
    std::string message;
};

// Builds the database at path from the sources in dir when it is missing or
// its sources have changed since; keeps every bookmark.
BuildResult buildGuide(const std::string& sourcesDir, const std::string& path);

} // namespace guide
