// Reading the options. QCommandLineParser does the reading; the table below
// says which options are tasks, which belong to --search and which take a
// value, so the checks that options fit together walk the table.
#include "cli/Options.h"

#include "platform/text/Utf16.h"
#include "resources/CliTexts.h"

#include <QCommandLineParser>

#include <array>

namespace cli {

namespace {

enum class Role { Guide, Help, Task, Criterion, Json, SkipUnknown };

struct OptionRow {
    std::u16string_view name;
    bool takesValue;
    Role role;
    Task task = Task::Window;                      // for Role::Task
    bool SearchCriteria::*flag = nullptr;          // for a check-box criterion
};

static constexpr OptionRow kOptions[] = {
    {u"guide",            true,  Role::Guide},
    {u"help",             false, Role::Help},
    {u"search",           true,  Role::Task, Task::Search},
    {u"show",             true,  Role::Task, Task::Show},
    {u"list-bookmarks",   false, Role::Task, Task::ListBookmarks},
    {u"export-bookmarks", true,  Role::Task, Task::ExportBookmarks},
    {u"import-bookmarks", true,  Role::Task, Task::ImportBookmarks},
    {u"bookmarks-pdf",    true,  Role::Task, Task::BookmarksPdf},
    {u"fulltext",         false, Role::Criterion, Task::Window, &SearchCriteria::fullText},
    {u"country",          true,  Role::Criterion},
    {u"region",           true,  Role::Criterion},
    {u"red",              false, Role::Criterion, Task::Window, &SearchCriteria::red},
    {u"rose",             false, Role::Criterion, Task::Window, &SearchCriteria::rose},
    {u"white",            false, Role::Criterion, Task::Window, &SearchCriteria::white},
    {u"brown",            false, Role::Criterion, Task::Window, &SearchCriteria::brown},
    {u"dry",              false, Role::Criterion, Task::Window, &SearchCriteria::dry},
    {u"medium",           false, Role::Criterion, Task::Window, &SearchCriteria::medium},
    {u"sweet",            false, Role::Criterion, Task::Window, &SearchCriteria::sweet},
    {u"sparkling",        false, Role::Criterion, Task::Window, &SearchCriteria::sparkling},
    {u"quality",          true,  Role::Criterion},
    {u"especially-good",  false, Role::Criterion, Task::Window, &SearchCriteria::especiallyGood},
    {u"json",             false, Role::Json},
    {u"skip-unknown",     false, Role::SkipUnknown},
};

constexpr int kHighestQuality = 4;

QString qname(std::u16string_view name)
{
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

std::u16string dashed(const QString& name)
{
    return u"--" + name.toStdU16String();
}

std::u16string problem(std::u16string_view format, std::u16string_view value)
{
    return text::format(format, {value});
}

void addOptions(QCommandLineParser& parser)
{
    for (const OptionRow& option : kOptions) {
        QStringList names{qname(option.name)};
        if (option.role == Role::Help)
            names.prepend(QStringLiteral("h"));
        parser.addOption(option.takesValue ? QCommandLineOption(names, QString(), QStringLiteral("value"))
                                         : QCommandLineOption(names));
    }
}

// A positive decimal number of digits only, or 0.
int positiveNumber(const QString& value)
{
    for (QChar c : value)
        if (c < u'0' || c > u'9')
            return 0;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number > 0 ? number : 0;
}

std::u16string parserError(const QCommandLineParser& parser, const QStringList& arguments)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().first();
        return problem(texts::cli::kUnknownOption, (name.size() == 1 ? u"-" : u"--") + name.toStdU16String());
    }
    // The parser's other complaint: an option that takes a value stands last.
    for (const OptionRow& option : kOptions)
        if (option.takesValue && arguments.last() == QStringLiteral("--") + qname(option.name))
            return problem(texts::cli::kMissingValue, arguments.last().toStdU16String());
    return parser.errorText().toStdU16String();
}

// The checks that need the whole command line: one task, no option twice,
// criteria only with --search, --json and --skip-unknown only where they act.
std::u16string misfit(const QCommandLineParser& parser, Request& request)
{
    if (!parser.positionalArguments().isEmpty())
        return problem(texts::cli::kStrayArgument, parser.positionalArguments().first().toStdU16String());
    QStringList seen;
    bool task = false;
    for (const QString& name : parser.optionNames()) {
        if (seen.contains(name))
            return problem(texts::cli::kTwice, dashed(name));
        seen << name;
        for (const OptionRow& option : kOptions) {
            if (qname(option.name) != name || option.role != Role::Task)
                continue;
            if (task)
                return problem(texts::cli::kOneTask, dashed(name));
            task = true;
            request.task = option.task;
        }
    }
    for (const OptionRow& option : kOptions)
        if (option.role == Role::Criterion && parser.isSet(qname(option.name)) && request.task != Task::Search)
            return problem(texts::cli::kOnlyWithSearch, u"--" + std::u16string(option.name));
    const bool listing = request.task == Task::Search || request.task == Task::Show
        || request.task == Task::ListBookmarks;
    if (parser.isSet(QStringLiteral("json")) && !listing)
        return std::u16string(texts::cli::kJsonWithout);
    if (parser.isSet(QStringLiteral("skip-unknown")) && request.task != Task::ImportBookmarks)
        return std::u16string(texts::cli::kSkipWithout);
    return {};
}

std::u16string readCriteria(const QCommandLineParser& parser, SearchCriteria& c)
{
    c.term = parser.value(QStringLiteral("search")).toStdU16String();
    c.countryName = parser.value(QStringLiteral("country")).toStdU16String();
    c.regionText = parser.value(QStringLiteral("region")).toStdU16String();
    for (const OptionRow& option : kOptions)
        if (option.flag)
            c.*option.flag = parser.isSet(qname(option.name));
    if (parser.isSet(QStringLiteral("quality"))) {
        const QString value = parser.value(QStringLiteral("quality"));
        const int level = value == QStringLiteral("0") ? 0 : positiveNumber(value);
        if ((level == 0 && value != QStringLiteral("0")) || level > kHighestQuality)
            return problem(texts::cli::kBadQuality, value.toStdU16String());
        c.qualityLevel = static_cast<std::int16_t>(level);
    }
    return {};
}

// The value of a file option, which must not be empty.
std::u16string readFile(const QCommandLineParser& parser, std::u16string_view option, std::u16string& file)
{
    file = parser.value(qname(option)).toStdU16String();
    return file.empty() ? problem(texts::cli::kEmptyFile, u"--" + std::u16string(option)) : std::u16string();
}

std::u16string readTaskValues(const QCommandLineParser& parser, Request& r)
{
    switch (r.task) {
    case Task::Search:
        return readCriteria(parser, r.criteria);
    case Task::Show: {
        const QString value = parser.value(QStringLiteral("show"));
        r.entryId = positiveNumber(value);
        return r.entryId ? std::u16string() : problem(texts::cli::kBadId, value.toStdU16String());
    }
    case Task::ExportBookmarks:
        return readFile(parser, u"export-bookmarks", r.file);
    case Task::ImportBookmarks:
        r.skipUnknown = parser.isSet(QStringLiteral("skip-unknown"));
        return readFile(parser, u"import-bookmarks", r.file);
    case Task::BookmarksPdf:
        return readFile(parser, u"bookmarks-pdf", r.file);
    default:
        return {};
    }
}

} // namespace

bool hasOptions(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i].startsWith(QStringLiteral("--")) || arguments[i] == QStringLiteral("-h"))
            return true;
    return false;
}

Parsed parseArguments(const QStringList& arguments)
{
    Parsed parsed;
    Request& r = parsed.request;
    QCommandLineParser parser;
    addOptions(parser);
    const bool readable = parser.parse(arguments);
    // --help answers whatever else stands beside it, as it always has.
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        r.task = Task::Help;
        if (readable)
            r.guideFile = parser.value(QStringLiteral("guide")).toStdU16String();
        return parsed;
    }
    if (!readable) {
        parsed.error = parserError(parser, arguments);
        return parsed;
    }
    if (parser.isSet(QStringLiteral("guide"))) {
        parsed.error = readFile(parser, u"guide", r.guideFile);
        if (!parsed.error.empty())
            return parsed;
    }
    parsed.error = misfit(parser, r);
    if (parsed.error.empty())
        parsed.error = readTaskValues(parser, r);
    r.json = parser.isSet(QStringLiteral("json"));
    return parsed;
}

std::vector<std::u16string_view> optionNames()
{
    std::vector<std::u16string_view> names;
    for (const OptionRow& option : kOptions)
        names.push_back(option.name);
    return names;
}

} // namespace cli
