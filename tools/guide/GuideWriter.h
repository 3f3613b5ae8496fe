// Writing the guide database: the content tables with their scrambled and
// lower-cased columns, the bookmarks of any earlier database carried over.
#pragma once

#include "tools/guide/GuideContent.h"

#include <functional>
#include <string>

namespace guide {

struct WriteResult {
    bool ok = false;
    std::string error;
};

// Writes content into a new database at path (replacing it atomically).
// When a database is already there, its bookmark rows are carried over
// unchanged, with the old file write-locked from the carry-over until the new
// one is in place; when that database cannot be read or stays busy, nothing
// is replaced. beforeRename runs while the lock is held (for tests).
WriteResult writeGuideDatabase(const GuideContent& content, const std::string& path, const std::string& sourceDigest,
                               const std::function<void()>& beforeRename = {});
// The same with further entries taken one at a time from more (false when
// there are no more) behind content's own, so that none is held in memory.
WriteResult writeGuideDatabase(const GuideContent& content, const std::function<bool(Wine&)>& more,
                               const std::string& path, const std::string& sourceDigest,
                               const std::function<void()>& beforeRename = {});

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
