// Starting the window: only Qt's standard options are taken, and the built program refuses
// misspelt options and a missing display with exit status 2 and a message, never a window or
// Qt's abort.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/window_start.h"
#include "invocation.h"

namespace {

std::optional<std::string> Refusal(std::vector<std::string> args)
{
    args.insert(args.begin(), "mechsim");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return app::RefuseWindowArguments(static_cast<int>(args.size()), argv.data());
}

// Runs the built program without any display and returns its exit status and standard error.
apptest::Started RunWithoutDisplay(std::vector<std::string> args)
{
    return apptest::Start(std::move(args),
                          {.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}});
}

TEST(WindowStart, MisspeltOptionsAreRefusedAndQtOptionsTaken)
{
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--verison"}, "知らないオプションです: --verison"},
        {{"-v"}, "知らないオプションです: -v"},
        {{"--divisions", "5"}, "--divisions は run のオプションです"},
        {{"-reverse=yes"}, "知らないオプションです: -reverse=yes"},
        {{"-reverse", "stray"}, "知らない引数です: stray"},
        {{"-platform"}, "-platform: 値がありません"},
        {{"-reverse", "setup.mechsim"}, "知らない引数です: setup.mechsim"},
    };
    for (const auto& [args, message] : refused) {
        const std::optional<std::string> why = Refusal(args);
        ASSERT_TRUE(why.has_value()) << args.front();
        EXPECT_NE(why->find(message), std::string::npos) << *why;
    }
    const std::vector<std::string> taken[] = {
        {},
        {"-platform", "offscreen"},
        {"--platform", "offscreen", "-reverse"},
        {"-style=fusion", "-stylesheet", "look.qss", "-qwindowtitle", "仕事"},
        {"-display", ":1", "-geometry", "640x480", "-name", "mechsim"},
        {"setup.mechsim", "-platform", "offscreen"},
    };
    for (const auto& args : taken)
        EXPECT_EQ(Refusal(args), std::nullopt) << (args.empty() ? "" : args.front());

    // The built program: a misspelt option and a missing display, each one line and status 2.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--verison"}, std::vector<std::string>{}}) {
        const apptest::Started run = RunWithoutDisplay(args);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_TRUE(run.err.starts_with("mechsim: ")) << run.err;
    }
}

}
