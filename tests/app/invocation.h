// Runs the command line in-process with its standard output and error captured.
#pragma once

#include <csignal>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace apptest {

struct Invocation {
    int status = 0;
    std::string out, err;
};

// "mechsim" followed by `args`.
inline Invocation Mechsim(std::vector<std::string> args)
{
    args.insert(args.begin(), "mechsim");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Invocation result;
    result.status = app::RunCommandLine(static_cast<int>(args.size()), argv.data());
    result.out = ::testing::internal::GetCapturedStdout();
    result.err = ::testing::internal::GetCapturedStderr();
    return result;
}

}

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <utility>

namespace apptest {

// Where the started program's standard output goes.
enum class StandardOutput {
    Pipe,         // read back into Started::out
    ClosedPipe,   // a pipe whose reader has gone
    File,         // `outputFile`, truncated
    AppendFile,   // `outputFile`, appended to (">>")
    Full,         // /dev/full
};

struct StartOptions {
    StandardOutput output = StandardOutput::Pipe;
    std::string outputFile{};
    std::vector<std::pair<std::string, std::string>> set{};   // environment variables to set
    std::vector<std::string> unset{};                         // and to remove
    rlim_t addressSpace = RLIM_INFINITY;                      // RLIMIT_AS of the child
};

struct Started {
    int status = -1;   // the exit status, or 128 + the signal that ended it
    std::string out, err;
};

// Starts the built program, "mechsim" followed by `args`, as a shell would: for what only a
// whole process shows (signals, its standard output's descriptor, its environment, its limits).
inline Started Start(std::vector<std::string> args, const StartOptions& options = {})
{
    args.insert(args.begin(), MECHSIM_BINARY);
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0)
        return {};
    if (options.output == StandardOutput::ClosedPipe)
        ::close(out[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        int target = out[1];
        if (options.output == StandardOutput::File || options.output == StandardOutput::AppendFile)
            target = ::open(options.outputFile.c_str(),
                            O_WRONLY | O_CREAT
                                | (options.output == StandardOutput::File ? O_TRUNC : O_APPEND),
                            0644);
        else if (options.output == StandardOutput::Full)
            target = ::open("/dev/full", O_WRONLY);
        ::dup2(target, STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        // A shell starts a program with SIGPIPE at its default, whatever this test ignores.
        ::signal(SIGPIPE, SIG_DFL);
        for (const auto& [name, value] : options.set)
            ::setenv(name.c_str(), value.c_str(), 1);
        for (const std::string& name : options.unset)
            ::unsetenv(name.c_str());
        const rlimit limit{options.addressSpace, options.addressSpace};
        if (options.addressSpace != RLIM_INFINITY)
            ::setrlimit(RLIMIT_AS, &limit);
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    Started result;
    std::vector<pollfd> open{{err[0], POLLIN, 0}};
    if (options.output != StandardOutput::ClosedPipe)
        open.push_back({out[0], POLLIN, 0});
    char buffer[65536];
    while (!open.empty() && ::poll(open.data(), open.size(), -1) > 0) {
        for (std::size_t i = open.size(); i-- > 0;) {
            if (!open[i].revents)
                continue;
            const ssize_t n = ::read(open[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                (open[i].fd == err[0] ? result.err : result.out)
                    .append(buffer, static_cast<std::size_t>(n));
            } else {
                ::close(open[i].fd);
                open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

}
