// What can be wrong with the guide database file, and the check on opening
// that every table and column the program reads is where it is read.
#pragma once

#include "platform/ado/Connection.h"

#include <cstdint>
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
    DiskFull,    // no room on the disk for the write's journal
    SymlinkLoop, // the name is a symbolic link that leads back to itself
    NotAFile,    // a folder (or other non-file) stands where the file should be
    NoPermission, // the file may not be read by this user
};

struct GuideProblem {
    GuideFailure reason = GuideFailure::None;
    std::u16string path; // the guide file it concerns
    std::uintmax_t spaceNeeded = 0; // DiskFull: bytes a save needs free beside the file
};

// The failure an engine result code stands for.
GuideFailure failureForCode(int extendedCode);

// Why a file the engine could not open cannot be used: missing, a symbolic
// link loop, a folder, no permission to read it, or else what the engine's
// code says.
GuideFailure failureOfUnopenedFile(const std::string& path, int extendedCode);

// Checks the tables and columns of an opened connection against the layout
// the program reads. None when it matches.
GuideFailure checkGuideLayout(ado::Connection& connection);
