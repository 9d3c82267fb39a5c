// The program without windows: "run", "--help", "-h" and "--version" on the command line.
#pragma once

namespace app {

// Handles argv[1] and the arguments after it; returns the process exit code.
int RunCommandLine(int argc, char** argv);

}
