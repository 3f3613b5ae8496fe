// Starting the program with its output redirected into files.
#include "tests/cli/ProgramRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

extern char** environ;

namespace cli_testing {

namespace {

// The environment without a display and without a chosen Qt platform.
std::vector<char*> terminalEnvironment(std::vector<std::string>& keep)
{
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0
            || entry.rfind("QT_QPA_PLATFORM=", 0) == 0)
            continue;
        keep.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& entry : keep)
        env.push_back(entry.data());
    env.push_back(nullptr);
    return env;
}

int spawnInto(const std::vector<std::string>& command, const std::string& out, const std::string& err)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> args = command;
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> keep;
    std::vector<char*> env = terminalEnvironment(keep);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

Outcome runProgram(const std::vector<std::string>& args, const std::string& work)
{
    std::vector<std::string> command{VINARIA_PROGRAM};
    command.insert(command.end(), args.begin(), args.end());
    Outcome run;
    run.status = spawnInto(command, work + "/stdout", work + "/stderr");
    run.out = readFile(work + "/stdout");
    run.err = readFile(work + "/stderr");
    return run;
}

std::string toolOutput(const std::vector<std::string>& command, const std::string& work)
{
    if (spawnInto(command, work + "/tool.out", work + "/tool.err") != 0)
        return {};
    return readFile(work + "/tool.out");
}

} // namespace cli_testing
