// The guide sources' reader: the CSV parser and the vintage lists take any
// bytes without a crash, and a parsed file gives its fields back when written
// out again.
#include "platform/text/Utf16.h"
#include "tools/guide/Csv.h"
#include "tools/guide/GuideSources.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

namespace {

std::string quoted(const std::string& field)
{
    std::string out = "\"";
    for (char c : field)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const bool vintages = in.flag();
    const std::string bytes(in.restBytes());
    if (vintages) {
        std::array<std::u16string, 15> columns;
        guide::parseVintages(bytes, columns);
        return 0;
    }
    text::firstInvalidUtf8(bytes);
    const guide::CsvFile csv = guide::parseCsv(bytes);
    if (!csv.error.empty())
        return 0;
    // Written out again with every field quoted, the records read the same.
    std::string again;
    for (const guide::CsvRecord& r : csv.records) {
        for (std::size_t i = 0; i < r.fields.size(); ++i)
            again += (i ? "," : "") + quoted(r.fields[i]);
        again += "\n";
    }
    const guide::CsvFile reread = guide::parseCsv(again);
    if (!reread.error.empty() || reread.records.size() != csv.records.size())
        std::abort();
    for (std::size_t i = 0; i < csv.records.size(); ++i)
        if (reread.records[i].fields != csv.records[i].fields)
            std::abort();
    return 0;
}
