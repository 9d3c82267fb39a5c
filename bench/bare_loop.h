// The yardstick of a run's speed: the four-bar's arithmetic in a bare single-threaded loop,
// every line formatted with to_chars into one buffer and written with one fwrite.
#pragma once

#include <string>

namespace bench {

// Writes the four-bar's result file at its default dimensions, quintic profile and cycle time
// for N = `divisions` to `path`; false when the file cannot be written.
bool WriteBareFourBar(const std::string& path, int divisions);

}
