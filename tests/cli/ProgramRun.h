// Runs the built program as a process, as a user in a terminal would: no
// DISPLAY, no WAYLAND_DISPLAY, no Qt platform chosen; its output and exit
// status are kept.
#pragma once

#include <string>
#include <vector>

namespace cli_testing {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// args follow the program's name; work is a folder for the output files.
Outcome runProgram(const std::vector<std::string>& args, const std::string& work);

// Runs a tool (pdfinfo, pdftotext, ...) and gives its standard output; "" when it fails.
std::string toolOutput(const std::vector<std::string>& command, const std::string& work);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

} // namespace cli_testing
