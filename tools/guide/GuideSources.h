// Reading and checking the readable guide sources (see data/guide/README.md).
#pragma once

#include "tools/guide/GuideContent.h"

#include <optional>
#include <string>

namespace guide {

struct SourceError {
    std::string file;
    int line = 0;
    std::string reason;
    std::string message() const; // "file:line: reason"
};

struct SourcesResult {
    GuideContent content;
    std::optional<SourceError> error;
};

// Reads laender.csv, regionen/*.csv, rebsorten.csv and weine/*.csv from dir.
// The first wrong row stops the read with its file, line and reason.
// Without wines, only countries, regions and varieties are read.
enum class SourceParts { All, WithoutWines };
SourcesResult loadGuideSources(const std::string& dir, SourceParts parts = SourceParts::All);

// A digest of every source file's name and bytes; the database remembers it
// to know when its content is out of date.
std::string sourcesDigest(const std::string& dir);

// Parses a vintage list such as "empfohlen: 2001 2004; genussreif+gut: 1990";
// returns the reason when it is wrong.
std::optional<std::string> parseVintages(const std::string& list, std::array<std::u16string, 15>& out);

} // namespace guide
