// The program's options: what a start with arguments asks for, read with
// QCommandLineParser. Without any option of ours the window opens as always.
#pragma once

#include "search/SearchCriteria.h"

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

namespace cli {

enum class Task {
    Window,          // no task: the window, perhaps on another guide
    Help,
    Search,
    Show,
    ListBookmarks,
    ExportBookmarks,
    ImportBookmarks,
    BookmarksPdf,
};

struct Request {
    Task task = Task::Window;
    std::u16string guideFile; // --guide; empty: the guide the program finds
    SearchCriteria criteria;  // --search and its criteria
    int entryId = 0;          // --show
    std::u16string file;      // the CSV or PDF file
    bool json = false;
    bool skipUnknown = false;
};

struct Parsed {
    Request request;
    std::u16string error; // empty when the options fit together
};

// True when the arguments hold an option of ours (anything after a "--", or
// -h); other arguments are left to the window as they always were.
bool hasOptions(const QStringList& arguments);

// Reads the arguments (the program's name first).
Parsed parseArguments(const QStringList& arguments);

// Every option's name, for checking that the help and the manual name them all.
std::vector<std::u16string_view> optionNames();

} // namespace cli
