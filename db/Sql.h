// Every SQL text of the program, exactly as the guide database expects it.
// %s and %i are filled with text::format by the code that issues them.
#pragma once

namespace sql {

// Search form: the country and region lists, and the chosen country's code.
inline constexpr char16_t kCountryNames[] = u"SELECT Bezeichnung from Land ORDER by Bezeichnung";
inline constexpr char16_t kCountryCodeForForm[] = u"select Land from Land where Bezeichnung = '%s'";
inline constexpr char16_t kRegionsOfCountry[] = u"select Regio_Lang from Region where Land = '%s' order by Regio_Lang";
inline constexpr char16_t kAllRegions[] = u"SELECT Region.REGIO_LANG FROM Region ORDER BY Region.ID_REGION";

// Query builder: the country code lookup, the head, the clauses and the tail.
inline constexpr char16_t kCountryCode[] = u"SELECT Land FROM Land WHERE Bezeichnung = '%s'";
inline constexpr char16_t kSearchHead[] = u"SELECT * FROM vinaria WHERE (";
inline constexpr char16_t kSearchHeadWithCountry[] = u"SELECT * FROM vinaria WHERE ((Land = '%s')";
inline constexpr char16_t kFirstCondition[] = u"%s (%s > 0)";
inline constexpr char16_t kFurtherCondition[] = u"%s OR (%s > 0)";
inline constexpr char16_t kFullTextClause[] =
    u"%s %s ((Stichwort_Klein LIKE '*%s*') OR ([Text_Klein] like '*%s*') OR ([Regio_Lang] like '*%s*'))) ";
inline constexpr char16_t kKeywordClause[] = u"%s %s ((Stichwort_Klein LIKE '*%s*'))) ";
inline constexpr char16_t kRegionClause[] = u"%s %s (Regio_Lang LIKE '*%s*')";
inline constexpr char16_t kQualityEspeciallyGood[] = u"((Qualitaet1 <= %i) AND (Qualitaet2 >= %i))";
inline constexpr char16_t kQualityLevel[] =
    u"( (((Qualitaet1 = %i) OR (Qualitaet2 = %i)) OR ((Qualitaet1 = %i) OR (Qualitaet2 = %i))))";
inline constexpr char16_t kGroupClause[] = u"%s %s (%s)";
inline constexpr char16_t kQualityClause[] = u"%s %s  (%s)";
inline constexpr char16_t kTailAfterTerm[] = u"%s ORDER by STICHWORT";
inline constexpr char16_t kTail[] = u"%s) ORDER by STICHWORT";

// Detail view: the entry's row and the lookups around it.
inline constexpr char16_t kEntryRow[] = u"select * from vinaria where ID = %s";
inline constexpr char16_t kEntryCountryCode[] = u"select Land from vinaria where ID = %s";
inline constexpr char16_t kCountryName[] = u"select Bezeichnung from Land where Land = '%s'";
inline constexpr char16_t kEntryRegion[] = u"select REGIO_LANG from vinaria where ID = %s";
inline constexpr char16_t kEntryKeyword[] = u"select STICHWORT from vinaria where ID = %s";

// Bookmarks.
inline constexpr char16_t kBookmarkDescription[] = u"select Beschreibung from Lesezeichen where id_vinaria = %s";
inline constexpr char16_t kBookmarkNote[] = u"select Notiz from Lesezeichen where id_vinaria = %s";
inline constexpr char16_t kBookmarkExists[] = u"select id_vinaria from Lesezeichen where id_vinaria = %s";
inline constexpr char16_t kBookmarkList[] = u"SELECT * from Lesezeichen";
inline constexpr char16_t kBookmarkDelete[] = u"DELETE FROM Lesezeichen WHERE id_vinaria = %s";
inline constexpr char16_t kBookmarkInsert[] =
    u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('%s','%s','%s')";

// Transactions: a bookmark's replacement is written whole or not at all. A
// write transaction takes the write lock at once, waiting for another
// writer, rather than failing later when its read lock cannot be raised.
inline constexpr char16_t kBegin[] = u"BEGIN IMMEDIATE";
inline constexpr char16_t kCommit[] = u"COMMIT";
inline constexpr char16_t kRollback[] = u"ROLLBACK";

// Grape varieties.
inline constexpr char16_t kRedVarieties[] = u"SELECT Rebsorte from Rebsorten WHERE Farbe = 1 ORDER BY ID_Rebsorte";
inline constexpr char16_t kWhiteVarieties[] = u"SELECT Rebsorte from Rebsorten WHERE Farbe = 2 ORDER BY ID_Rebsorte";
inline constexpr char16_t kVarietyDescription[] = u"SELECT [Text] from Rebsorten WHERE [Rebsorte] LIKE '%s*' ";
// For a name that holds a LIKE wildcard: the same rows, matched on the
// name's first %i characters, so the wildcard stands for itself.
inline constexpr char16_t kVarietyDescriptionExact[] =
    u"SELECT [Text] from Rebsorten WHERE substr([Rebsorte], 1, %i) = '%s' ";

// Tolerant search, tried only when a search with a term found nothing: the
// folded term (platform/text/Fold.h) against the folded keyword, region and
// prose, in place of the term clause above; every other clause stays.
inline constexpr char16_t kTolerantKeywordClause[] = u"%s %s ((Stichwort_Basis LIKE '*%s*'))) ";
inline constexpr char16_t kTolerantFullTextClause[] =
    u"%s %s ((Stichwort_Basis LIKE '*%s*') OR (ID IN (SELECT ID FROM Volltext WHERE Text_Basis LIKE '*%s*')) "
    u"OR (Regio_Basis LIKE '*%s*'))) ";
// The guide's own name for a folded grape synonym.
inline constexpr char16_t kSynonymTarget[] = u"SELECT Sorte FROM Synonyme WHERE Synonym_Basis = '%s'";


// The guide database's tables, as the builder creates them. Columns of the
// wine table stand in the order rows are read by position.
namespace schema {

// Searches run in keyword order, so the builder stores the entries in that
// order: ID is an ordinary column (unique, indexed) rather than the row
// number, and a walk in keyword order reads the file front to back. Large
// pages hold whole entries, so reading a column never follows an overflow
// chain and little space is lost at page ends; a million entries then fit in
// SQLite's memory map.
inline constexpr char kPageSize[] = "PRAGMA page_size = 65536;";

inline constexpr char kCreateTables[] = R"(
CREATE TABLE vinaria (
  ID INTEGER NOT NULL,
  STICHWORT TEXT,
  Text TEXT,
  Land TEXT,
  Regio_Lang TEXT,
  Rot INTEGER, Rose INTEGER, Weiss INTEGER, Braun INTEGER,
  Trocken INTEGER, Lieblich INTEGER, Suess INTEGER, Schaeumend INTEGER,
  Jahrgang1 TEXT, Jahrgang2 TEXT, Jahrgang3 TEXT, Jahrgang4 TEXT, Jahrgang5 TEXT,
  Jahrgang6 TEXT, Jahrgang7 TEXT, Jahrgang8 TEXT, Jahrgang9 TEXT, Jahrgang10 TEXT,
  Jahrgang11 TEXT, Jahrgang12 TEXT, Jahrgang13 TEXT, Jahrgang14 TEXT, Jahrgang15 TEXT,
  Qualitaet1 INTEGER,
  Stichwort_Klein TEXT,
  Qualitaet2 INTEGER,
  Text_Klein TEXT,
  Baldiger_Verbrauch INTEGER,
  Ohne_Jahresangabe INTEGER,
  Ausgabe INTEGER,
  Stichwort_Basis TEXT,
  Regio_Basis TEXT
);
CREATE TABLE Land (Land TEXT NOT NULL, Bezeichnung TEXT NOT NULL);
CREATE TABLE Region (ID_REGION INTEGER PRIMARY KEY, Land TEXT NOT NULL, REGIO_LANG TEXT NOT NULL);
CREATE TABLE Rebsorten (ID_Rebsorte INTEGER PRIMARY KEY, Rebsorte TEXT NOT NULL, Farbe INTEGER NOT NULL, Text TEXT);
CREATE TABLE Lesezeichen (
  ID_Lesezeichen INTEGER PRIMARY KEY AUTOINCREMENT,
  id_vinaria INTEGER NOT NULL UNIQUE CHECK (typeof(id_vinaria) = 'integer'),
  Beschreibung TEXT,
  Notiz TEXT
);
CREATE TABLE Ausgabe_Info (Schluessel TEXT PRIMARY KEY, Wert TEXT);
CREATE TABLE Volltext (ID INTEGER NOT NULL, Text_Basis TEXT);
CREATE TABLE Synonyme (Synonym_Basis TEXT PRIMARY KEY, Synonym TEXT NOT NULL, Sorte TEXT NOT NULL);
)";

// The search runs in keyword order, within a country or over the whole
// guide. Both indexes carry every column a search condition names except the
// prose, so a condition is decided in the index and only hits read their row;
// ID behind the keyword keeps equal keywords in entry order. The folded prose
// of the tolerant search lies in a table of its own (Volltext), so the rows
// the exact full-text search reads stay as they were.
inline constexpr char kCreateIndexes[] = R"(
CREATE UNIQUE INDEX vinaria_ID ON vinaria (ID);
CREATE INDEX vinaria_Land ON vinaria (Land, STICHWORT, ID, Stichwort_Klein, Regio_Lang,
  Rot, Rose, Weiss, Braun, Trocken, Lieblich, Suess, Schaeumend, Qualitaet1, Qualitaet2,
  Stichwort_Basis, Regio_Basis);
CREATE INDEX vinaria_Stichwort ON vinaria (STICHWORT, ID, Stichwort_Klein, Regio_Lang,
  Rot, Rose, Weiss, Braun, Trocken, Lieblich, Suess, Schaeumend, Qualitaet1, Qualitaet2,
  Stichwort_Basis, Regio_Basis);
CREATE INDEX Land_Bezeichnung ON Land (Bezeichnung);
CREATE INDEX Land_Land ON Land (Land);
CREATE INDEX Region_Land ON Region (Land);
)";

inline constexpr char kInsertWine[] =
    "INSERT INTO vinaria VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, "
    "?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26, ?27, ?28, "
    "?29, ?30, ?31, ?32, ?33, ?34, ?35, ?36, ?37)";
inline constexpr char kInsertFullText[] = "INSERT INTO Volltext (ID, Text_Basis) VALUES (?1, ?2)";
inline constexpr char kInsertSynonym[] = "INSERT INTO Synonyme (Synonym_Basis, Synonym, Sorte) VALUES (?1, ?2, ?3)";
inline constexpr char kInsertCountry[] = "INSERT INTO Land (Land, Bezeichnung) VALUES (?1, ?2)";
inline constexpr char kInsertRegion[] = "INSERT INTO Region (ID_REGION, Land, REGIO_LANG) VALUES (?1, ?2, ?3)";
inline constexpr char kInsertVariety[] = "INSERT INTO Rebsorten (ID_Rebsorte, Rebsorte, Farbe, Text) VALUES (?1, ?2, ?3, ?4)";
inline constexpr char kInsertInfo[] = "INSERT OR REPLACE INTO Ausgabe_Info (Schluessel, Wert) VALUES (?1, ?2)";
inline constexpr char kSelectInfo[] = "SELECT Wert FROM Ausgabe_Info WHERE Schluessel = ?1";
inline constexpr char kAttachOld[] = "ATTACH DATABASE ?1 AS alt";
inline constexpr char kCopyBookmarks[] =
    "INSERT INTO Lesezeichen (ID_Lesezeichen, id_vinaria, Beschreibung, Notiz) "
    "SELECT ID_Lesezeichen, id_vinaria, Beschreibung, Notiz FROM alt.Lesezeichen";
inline constexpr char kOldHasBookmarks[] =
    "SELECT 1 FROM alt.sqlite_master WHERE type = 'table' AND name = 'Lesezeichen'";
inline constexpr char kDetachOld[] = "DETACH DATABASE alt";
// A user's copy of the guide takes its bookmarks only from the copy it replaces.
inline constexpr char kClearBookmarks[] = "DELETE FROM Lesezeichen";

inline constexpr char kInfoSourceDigest[] = "quellen";
inline constexpr char kInfoSchema[] = "schema";
inline constexpr char kSchemaVersion[] = "4";

} // namespace schema

// Command line: every country's name by its code, the bookmarks with their
// wines in the bookmark list's order, and the lookups of a bookmark import.
inline constexpr char16_t kCountryNamesByCode[] = u"SELECT Land, Bezeichnung FROM Land";
inline constexpr char16_t kBookmarksWithWines[] =
    u"SELECT Lesezeichen.id_vinaria, vinaria.STICHWORT, vinaria.Regio_Lang, "
    u"coalesce(nullif((SELECT Bezeichnung FROM Land WHERE Land.Land = vinaria.Land LIMIT 1), ''), vinaria.Land), "
    u"Lesezeichen.Beschreibung, Lesezeichen.Notiz "
    u"FROM Lesezeichen LEFT JOIN vinaria ON vinaria.ID = Lesezeichen.id_vinaria "
    u"ORDER BY Lesezeichen.ID_Lesezeichen";
inline constexpr char16_t kEntryKeywordAndRegion[] = u"select STICHWORT, Regio_Lang from vinaria where ID = %s";
// At most two, enough to tell one match from several.
inline constexpr char16_t kEntriesByKeywordAndRegion[] =
    u"select ID from vinaria where STICHWORT = '%s' and coalesce(Regio_Lang, '') = '%s' limit 2";

} // namespace sql
