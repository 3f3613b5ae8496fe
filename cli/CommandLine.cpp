// The tasks' printing. Search results are collected whole before anything
// is written, so a guide that fails halfway prints its reason and no list.
#include "cli/CommandLine.h"

#include "cli/BookmarkPdf.h"
#include "cli/BookmarkTransfer.h"
#include "cli/Entry.h"
#include "cli/Search.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "resources/CliTexts.h"
#include "resources/ResultsTexts.h"
#include "resources/UsageText.h"
#include "results/EntryTexts.h"
#include "services/GuideLocation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

QString qtext(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QJsonObject hitObject(const Hit& hit)
{
    QJsonArray colours;
    const std::u16string names = colourNames(hit);
    if (!names.empty())
        for (const QString& name : qtext(names).split(qtext(texts::cli::kColourJoiner)))
            colours.append(name);
    return QJsonObject{{QStringLiteral("id"), hit.id},
                       {QStringLiteral("stichwort"), qtext(hit.keyword)},
                       {QStringLiteral("region"), qtext(hit.region)},
                       {QStringLiteral("land"), qtext(hit.country)},
                       {QStringLiteral("farbe"), colours},
                       {QStringLiteral("qualitaet"), qtext(qualityLine(hit.quality1, hit.quality2))}};
}

void writeJson(const Console& console, const QJsonDocument& document)
{
    writeBytes(console.out, document.toJson(QJsonDocument::Indented).toStdString());
}

int reportOutcome(Outcome outcome, WineDatabase& db, const Console& console)
{
    if (outcome == Outcome::GuideFailed) {
        reportGuideFailure(console, db.lastFailure());
        return kExitFailed;
    }
    return outcome == Outcome::Done ? kExitDone : kExitNothingFound;
}

int search(WineDatabase& db, const Request& r, const Console& console)
{
    std::string lines;
    HitLineWriter lineWriter;
    QJsonArray objects;
    int count = 0;
    std::u16string notice;
    const Outcome outcome = searchGuide(db, r.criteria, [&](const Hit& hit) {
        ++count;
        if (r.json)
            objects.append(hitObject(hit));
        else
            lineWriter.append(lines, hit);
    }, notice);
    if (outcome == Outcome::GuideFailed)
        return reportOutcome(outcome, db, console);
    if (!notice.empty())
        writeLine(console.err, plainText(notice, false));
    if (r.json)
        writeJson(console, QJsonDocument(objects));
    else
        writeBytes(console.out, lines);
    writeLine(console.err, text::format(texts::cli::kHitCount, {count}));
    return reportOutcome(outcome, db, console);
}

// A section of the entry: its name on a line, then its text, ending in a
// line break.
void appendSection(std::u16string& out, std::u16string_view name, std::u16string_view text)
{
    out += u'\n';
    out += name;
    out += u'\n';
    out += plainText(text, true);
    if (out.back() != u'\n')
        out += u'\n';
}

std::u16string entryText(const ShownEntry& e)
{
    std::u16string out = plainText(e.keyword, false) + u'\n' + plainText(e.header, false) + u'\n';
    appendSection(out, texts::results::kTabs[0], e.info);
    appendSection(out, texts::results::kTabs[1], e.vintages);
    if (e.bookmarked)
        appendSection(out, texts::results::kTabs[2],
                      std::u16string(texts::cli::kDescriptionLabel) + e.description + u'\n'
                          + std::u16string(texts::cli::kNoteLabel) + e.note);
    return out;
}

QJsonObject entryObject(int id, const ShownEntry& e)
{
    QJsonObject object{{QStringLiteral("id"), id},
                       {QStringLiteral("stichwort"), qtext(e.keyword)},
                       {QStringLiteral("kopfzeile"), qtext(e.header)},
                       {QStringLiteral("info"), qtext(plainText(e.info, true))},
                       {QStringLiteral("jahrgaenge"), qtext(plainText(e.vintages, true))}};
    object.insert(QStringLiteral("lesezeichen"),
                  e.bookmarked ? QJsonValue(QJsonObject{{QStringLiteral("beschreibung"), qtext(e.description)},
                                                        {QStringLiteral("notiz"), qtext(e.note)}})
                               : QJsonValue());
    return object;
}

int show(WineDatabase& db, const Request& r, const Console& console)
{
    ShownEntry entry;
    const Outcome outcome = readEntry(db, r.entryId, entry);
    if (outcome == Outcome::Done) {
        if (r.json) {
            writeJson(console, QJsonDocument(entryObject(r.entryId, entry)));
        } else {
            const std::string bytes = text::toUtf8(entryText(entry));
            writeBytes(console.out, bytes);
        }
    } else if (outcome == Outcome::NothingFound) {
        writeLine(console.err, text::format(texts::cli::kNoEntry, {text::format(u"%i", {r.entryId})}));
    }
    return reportOutcome(outcome, db, console);
}

QJsonObject bookmarkObject(const BookmarkRow& row)
{
    return QJsonObject{{QStringLiteral("id"), row.id},
                       {QStringLiteral("stichwort"), qtext(row.keyword)},
                       {QStringLiteral("region"), qtext(row.region)},
                       {QStringLiteral("land"), qtext(row.country)},
                       {QStringLiteral("beschreibung"), qtext(row.description)},
                       {QStringLiteral("notiz"), qtext(row.note)}};
}

int listBookmarks(WineDatabase& db, const Request& r, const Console& console)
{
    std::vector<BookmarkRow> rows;
    if (!readBookmarkRows(db, rows))
        return reportOutcome(Outcome::GuideFailed, db, console);
    if (r.json) {
        QJsonArray objects;
        for (const BookmarkRow& row : rows)
            objects.append(bookmarkObject(row));
        writeJson(console, QJsonDocument(objects));
    } else {
        std::string lines;
        for (const BookmarkRow& row : rows) {
            lines += std::to_string(row.id);
            for (std::u16string_view field : {row.keyword, row.region, row.country, row.description, row.note}) {
                lines.push_back('\t');
                appendLineField(lines, field);
            }
            lines.push_back('\n');
        }
        writeBytes(console.out, lines);
    }
    writeLine(console.err, text::format(texts::cli::kBookmarkCount, {static_cast<int>(rows.size())}));
    return rows.empty() ? kExitNothingFound : kExitDone;
}

bool openGuide(WineDatabase& db, const Request& r, const Console& console)
{
    db.guidePath = r.guideFile.empty()
        ? text::fromUtf8(location::prepareGuide(location::placesOfThisProgram()).string())
        : r.guideFile;
    db.allocateTextBuffer();
    if (db.open())
        return true;
    reportGuideFailure(console, db.lastFailure());
    return false;
}

} // namespace

int runTask(const Request& request, const Console& console)
{
    WineDatabase db;
    if (!openGuide(db, request, console))
        return kExitFailed;
    switch (request.task) {
    case Task::Search:
        return search(db, request, console);
    case Task::Show:
        return show(db, request, console);
    case Task::ListBookmarks:
        return listBookmarks(db, request, console);
    case Task::ExportBookmarks:
        return exportBookmarks(db, request.file, console);
    case Task::ImportBookmarks:
        return importBookmarks(db, request.file, request.skipUnknown, console);
    case Task::BookmarksPdf:
        return printBookmarks(db, request.file, console);
    default:
        return kExitFailed;
    }
}

int reportUsageError(std::u16string_view reason, const Console& console)
{
    writeLine(console.err, text::format(texts::cli::kUsageError, {reason}));
    writeBytes(console.err, texts::kUsage);
    return kExitFailed;
}

} // namespace cli
