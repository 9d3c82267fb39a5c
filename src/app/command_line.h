// The program without windows: "run", "--help", "-h" and "--version" on the command line.
#pragma once

#include <string_view>

namespace app {

// The options of "run" that take a value, as "mechsim run" reads them; the window's start also
// uses them to say that one was given without "run".
inline constexpr std::string_view kRunOptions[] = {"--profile", "--divisions", "--cycle-time",
                                                   "--output",  "--pictures",  "--format",
                                                   "--report",  "--animation", "--centres"};

// Whether argv asks for the command line rather than the main menu: "--help", "-h",
// "--version", or a first argument that is neither an option nor a set-up or linkage file to
// open (a command: "run", or a mistyped one that must be refused rather than open the window).
// Other options are left to Qt.
bool IsCommandLine(int argc, char** argv);

// Handles argv[1] and the arguments after it; returns the process exit code.
int RunCommandLine(int argc, char** argv);

}
