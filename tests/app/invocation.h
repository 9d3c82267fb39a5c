// Runs the command line in-process with its standard output and error captured.
#pragma once

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
