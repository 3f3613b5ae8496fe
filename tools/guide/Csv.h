// A small reader for the guide's CSV sources: comma-separated, fields with
// commas, quotes or line breaks in double quotes, "" for a quote inside.
#pragma once

#include <string>
#include <vector>

namespace guide {

struct CsvRecord {
    int line = 0; // line on which the record starts, from 1
    std::vector<std::string> fields;
};

struct CsvFile {
    std::vector<CsvRecord> records; // the header is records[0]
    std::string error;              // empty when the file was read whole
    int errorLine = 0;
};

// Parses text; blank lines are skipped, a byte-order mark is ignored.
CsvFile parseCsv(const std::string& text);

} // namespace guide
