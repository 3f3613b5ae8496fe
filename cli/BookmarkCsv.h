// The bookmark file: CSV after RFC 4180 with ";" between fields (what German
// spreadsheet programs open by a double click), UTF-8 with a byte-order
// mark, the header row "id;Stichwort;Region;Land;Beschreibung;Notiz", quotes
// doubled, line breaks inside a note kept. Reading is strict and bounded: the
// first thing wrong ends it with its line and reason.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace cli {

// A bookmark with its wine, as written.
struct BookmarkRow {
    int id = 0;
    std::u16string keyword, region, country; // empty when the guide has no such wine
    std::u16string description, note;
};

// A row as read; the country is not read back, the guide knows it.
struct CsvBookmark {
    int line = 0; // the line the row starts on, from 1
    int id = 0;
    std::u16string keyword, region, description, note;
};

struct CsvReading {
    std::vector<CsvBookmark> rows;
    int problemLine = 0;      // 0 when the file was read whole
    std::u16string problem;
};

// Limits: a row, quotes and line breaks included, and the rows of one file.
inline constexpr std::size_t kMaxRowBytes = 64 * 1024;
inline constexpr std::size_t kMaxRows = 50000;
// What the bookmark fields take.
inline constexpr std::size_t kMaxBookmarkTextChars = 499;

std::string bookmarkCsv(const std::vector<BookmarkRow>& rows);
CsvReading readBookmarkCsv(std::istream& in);

} // namespace cli
