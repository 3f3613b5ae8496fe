// CSV parsing with line numbers for error messages.
#include "tools/guide/Csv.h"

namespace guide {

CsvFile parseCsv(const std::string& input)
{
    CsvFile file;
    std::size_t i = input.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int line = 1;
    while (i < input.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool quoted = false, wasQuoted = false, done = false;
        while (!done) {
            if (i >= input.size()) {
                if (quoted) {
                    file.error = "unterminated quoted field";
                    file.errorLine = record.line;
                    return file;
                }
                done = true;
                break;
            }
            const char c = input[i++];
            if (quoted) {
                if (c == '"') {
                    if (i < input.size() && input[i] == '"') {
                        field.push_back('"');
                        ++i;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n')
                        ++line;
                    field.push_back(c);
                }
            } else if (c == '"' && field.empty() && !wasQuoted) {
                quoted = wasQuoted = true;
            } else if (c == ',') {
                record.fields.push_back(std::move(field));
                field.clear();
                wasQuoted = false;
            } else if (c == '\n') {
                ++line;
                done = true;
            } else if (c != '\r') {
                field.push_back(c);
            }
        }
        record.fields.push_back(std::move(field));
        const bool blank = record.fields.size() == 1 && record.fields[0].empty();
        if (!blank)
            file.records.push_back(std::move(record));
    }
    return file;
}

} // namespace guide
