// Starting the main window from a shell: only Qt's own standard options are taken, and a
// missing display is said in one line instead of Qt's abort.
#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace app {

// The set-up or linkage file the window is asked to open: the first argument, when it names one.
std::optional<std::filesystem::path> WindowFileArgument(int argc, char** argv);

// Why the arguments cannot open the window (an option neither this program nor Qt knows, a
// command-line option given without "run", a stray word), or nothing when they can.
std::optional<std::string> RefuseWindowArguments(int argc, char** argv);

// The application, or, where Qt cannot reach a display, one Japanese line on standard error
// and exit status 2.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

}
