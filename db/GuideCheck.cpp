// The guide's layout check: tables read by position must hold their columns
// at those positions, and every column a statement names must be there.
#include "db/GuideCheck.h"

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <array>
#include <string_view>

namespace {

// A column the program reads; position -1 when it is named, never read by position.
struct ColumnUse {
    std::string_view name;
    int position;
};

struct TableUse {
    std::string_view table;
    std::initializer_list<ColumnUse> columns;
};

// Positions 3, 29 and 31 of the wine table are free; 34 is read with the row.
static const std::array<TableUse, 5> kLayout = {{
    {"vinaria",
     {{"ID", 0}, {"STICHWORT", 1}, {"Text", 2}, {"Regio_Lang", 4}, {"Rot", 5}, {"Rose", 6}, {"Weiss", 7},
      {"Braun", 8}, {"Trocken", 9}, {"Lieblich", 10}, {"Suess", 11}, {"Schaeumend", 12}, {"Jahrgang1", 13},
      {"Jahrgang2", 14}, {"Jahrgang3", 15}, {"Jahrgang4", 16}, {"Jahrgang5", 17}, {"Jahrgang6", 18},
      {"Jahrgang7", 19}, {"Jahrgang8", 20}, {"Jahrgang9", 21}, {"Jahrgang10", 22}, {"Jahrgang11", 23},
      {"Jahrgang12", 24}, {"Jahrgang13", 25}, {"Jahrgang14", 26}, {"Jahrgang15", 27}, {"Qualitaet1", 28},
      {"Qualitaet2", 30}, {"Baldiger_Verbrauch", 32}, {"Ohne_Jahresangabe", 33}, {"Land", -1},
      {"Stichwort_Klein", -1}, {"Text_Klein", -1}}},
    {"Land", {{"Land", -1}, {"Bezeichnung", -1}}},
    {"Region", {{"ID_REGION", -1}, {"Land", -1}, {"REGIO_LANG", -1}}},
    {"Rebsorten", {{"ID_Rebsorte", -1}, {"Rebsorte", -1}, {"Farbe", -1}, {"Text", -1}}},
    {"Lesezeichen", {{"ID_Lesezeichen", 0}, {"id_vinaria", 1}, {"Beschreibung", 2}, {"Notiz", 3}}},
}};

// Rows are read with "select *" up to this column.
constexpr std::size_t kWineColumnsRead = 35;

// Column names compare as the engine compares them: ASCII case ignored.
bool sameName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool holds(const std::vector<std::string>& columns, const ColumnUse& use)
{
    if (use.position >= 0)
        return static_cast<std::size_t>(use.position) < columns.size()
            && sameName(columns[static_cast<std::size_t>(use.position)], use.name);
    return std::any_of(columns.begin(), columns.end(), [&](const std::string& c) { return sameName(c, use.name); });
}

} // namespace

GuideFailure failureForCode(int extendedCode)
{
    switch (extendedCode & 0xFF) {
    case SQLITE_OK:
        return GuideFailure::None;
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return GuideFailure::Damaged;
    case SQLITE_NOTADB:
        return GuideFailure::NotAGuide;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return GuideFailure::Locked;
    case SQLITE_READONLY:
        return GuideFailure::ReadOnly;
    case SQLITE_FULL:
        return GuideFailure::DiskFull;
    case SQLITE_PERM:
        return GuideFailure::NoPermission;
    default:
        return GuideFailure::Unreadable;
    }
}

GuideFailure failureOfUnopenedFile(const std::string& path, int extendedCode)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        switch (errno) {
        case ELOOP:
            return GuideFailure::SymlinkLoop;
        case EACCES:
            return GuideFailure::NoPermission;
        case ENOENT:
        case ENOTDIR:
            return GuideFailure::Missing;
        default:
            return GuideFailure::Unreadable;
        }
    }
    if (!S_ISREG(st.st_mode))
        return GuideFailure::NotAFile;
    if (::access(path.c_str(), R_OK) != 0)
        return GuideFailure::NoPermission;
    return failureForCode(extendedCode);
}

GuideFailure checkGuideLayout(ado::Connection& connection)
{
    std::size_t tablesFound = 0;
    bool complete = true;
    for (const TableUse& use : kLayout) {
        const std::vector<std::string> columns = connection.columnsOf(use.table);
        if (columns.empty()) {
            complete = false;
            continue;
        }
        ++tablesFound;
        if (use.table == "vinaria" && columns.size() < kWineColumnsRead)
            complete = false;
        for (const ColumnUse& column : use.columns)
            complete = complete && holds(columns, column);
    }
    if (tablesFound == 0)
        return GuideFailure::NotAGuide;
    return complete ? GuideFailure::None : GuideFailure::WrongLayout;
}
