// A second process for tests: started with its standard output and input
// on pipes, so a test waits for what it says (never for a clock), tells it
// to go on by closing its input, and may kill it at any moment.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

class ChildProcess {
public:
    using Clock = std::chrono::steady_clock;

    explicit ChildProcess(const std::vector<std::string>& argv)
    {
        int out[2], in[2];
        if (pipe(out) != 0)
            return;
        if (pipe(in) != 0) {
            ::close(out[0]);
            ::close(out[1]);
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(in[0], STDIN_FILENO);
            for (int fd : {out[0], out[1], in[0], in[1]})
                ::close(fd);
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        ::close(out[1]);
        ::close(in[0]);
        fd_ = out[0];
        inputFd_ = in[1];
    }
    ~ChildProcess()
    {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        closeInput();
        if (fd_ >= 0)
            ::close(fd_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0 && fd_ >= 0; }

    // The end of its input: the go-ahead the helpers wait for.
    void closeInput()
    {
        if (inputFd_ >= 0)
            ::close(inputFd_);
        inputFd_ = -1;
    }

    // Reads until its output holds text (true), ends, or the deadline passes.
    bool readUntilSaid(const std::string& text, Clock::time_point deadline)
    {
        while (output_.find(text) == std::string::npos) {
            if (!readBefore(deadline))
                return false;
        }
        return true;
    }
    // Reads what arrives until the deadline; false when its output ended.
    bool readUntil(Clock::time_point deadline)
    {
        while (Clock::now() < deadline) {
            if (!readBefore(deadline))
                return !ended_;
        }
        return !ended_;
    }

    void kill()
    {
        ::kill(pid_, SIGKILL);
        drain();
    }
    // Reads the rest of its output and reaps it; the wait status.
    int wait()
    {
        drain();
        int status = 0;
        waitpid(pid_, &status, 0);
        reaped_ = true;
        return status;
    }
    bool exitedWith(int code)
    {
        const int status = wait();
        return WIFEXITED(status) && WEXITSTATUS(status) == code;
    }

    const std::string& output() const { return output_; }
    // Takes the complete lines read so far.
    std::string takeLines()
    {
        const auto end = output_.rfind('\n');
        if (end == std::string::npos)
            return {};
        std::string lines = output_.substr(0, end + 1);
        output_.erase(0, end + 1);
        return lines;
    }

private:
    // One read of what is there or arrives before the deadline; false when
    // nothing came (the deadline or the end of its output).
    bool readBefore(Clock::time_point deadline)
    {
        if (ended_)
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{fd_, POLLIN, 0};
        timespec wait{static_cast<time_t>(left.count() / 1000000), static_cast<long>(left.count() % 1000000) * 1000};
        if (ppoll(&p, 1, &wait, nullptr) <= 0)
            return false;
        return readSome();
    }
    bool readSome()
    {
        char chunk[4096];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n <= 0) {
            ended_ = true;
            return false;
        }
        output_.append(chunk, static_cast<std::size_t>(n));
        return true;
    }
    void drain()
    {
        while (readSome()) {
        }
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    int inputFd_ = -1;
    bool reaped_ = false;
    bool ended_ = false;
    std::string output_;
};

} // namespace testing_support
