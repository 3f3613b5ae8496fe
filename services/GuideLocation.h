// Where the program finds its guide database and the Ratgeber pages: beside
// itself, else in the installed data folder. An installed guide cannot take
// bookmarks, so the program works on a copy in the user's data folder and
// brings that copy up to date when a new guide is installed.
#pragma once

#include "platform/shell/DataFolder.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace location {

namespace fs = std::filesystem;

// The program's folder name under share/ and under the user's data folder.
inline constexpr std::string_view kAppFolder = "vinaria";
inline constexpr std::u16string_view kRatgeberPage = u"ratgeber\\0100.htm";

struct Places {
    fs::path programFolder;
    fs::path userFolder;
    // Whether a guide may be changed where it lies.
    std::function<bool(const fs::path&)> writable = shell::isWritableInPlace;
};

// The running program's folder and the user's data folder.
Places placesOfThisProgram();

enum class Use {
    InPlace,  // the guide beside the program, which takes bookmarks itself
    UserCopy, // a copy of origin in the user's data folder
    Missing,  // no guide anywhere: the program reports it when opening
};

struct Choice {
    Use use = Use::Missing;
    fs::path origin; // the guide as found (or where it should have been)
    fs::path file;   // the file the program opens
};

// Which guide the program uses; looks, changes nothing.
Choice chooseGuide(const Places& places);

enum class Refresh { Current, Copied, Replaced, Failed };

struct RefreshResult {
    Refresh outcome = Refresh::Failed;
    std::string message;
};

// Makes copy a copy of origin when it is missing, and replaces its content
// with origin's when origin was built from other sources or in another
// layout (schema version), keeping every
// bookmark of the old copy. On failure the old copy stays as it was.
RefreshResult refreshUserCopy(const fs::path& origin, const fs::path& copy);

// One value of a guide database's build information (key from db/Sql.h);
// empty when the file, the value or its text is missing.
std::string storedInfo(const fs::path& guide, const char* key);
// The source digest a guide database was built from; empty when none.
std::string storedDigest(const fs::path& guide);

// What a guide database was built from and in which layout, read at once.
struct BuildInfo {
    std::string digest; // of the sources; empty when none
    std::string schema; // the layout's version
    bool operator==(const BuildInfo&) const = default;
};
BuildInfo storedBuildInfo(const fs::path& guide);

// Chooses the guide, refreshes the user's copy when one is used, and gives
// the file to open. A failed refresh goes to the debug output.
fs::path prepareGuide(const Places& places);

// The Ratgeber's entry page for a program at programPath: beside it, else in
// the installed data folder; beside it when neither is there.
std::u16string ratgeberEntryPage(std::u16string_view programPath);

} // namespace location
