// What can be wrong with the guide database file, and the check on opening
// that every table and column the program reads is where it is read.
#pragma once

#include "platform/ado/Connection.h"

#include <string>

// Why the guide cannot be used, or why its last operation failed.
enum class GuideFailure {
    None,
    Missing,     // no file at the path
    NotAGuide,   // no database, or none of the guide's tables
    WrongLayout, // a table or a column read by position is missing or moved
    Damaged,     // the engine finds the file inconsistent
    Locked,      // another process holds it past the busy timeout
    Unreadable,  // the file or its folder cannot be read
    ReadOnly,    // readable, but a bookmark cannot be written into it
};

struct GuideProblem {
    GuideFailure reason = GuideFailure::None;
    std::u16string path; // the guide file it concerns
};

// The failure an engine result code stands for.
GuideFailure failureForCode(int extendedCode);

// Checks the tables and columns of an opened connection against the layout
// the program reads. None when it matches.
GuideFailure checkGuideLayout(ado::Connection& connection);
