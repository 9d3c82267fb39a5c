// The instant centres of a run's moving links at every step, as a table beside the result file:
// a header line "sec", then "<link>.icx <link>.icy <link>.omega <link>.alpha" for each link in
// the order MechanismRun::movingLinks gives them, and one line per step 0..N with the time
// (T * i) / N. Items are separated by one tab, numbers are written as in the result file, lines
// end in CR LF, and a centre at infinity (a translating link, or one at rest) leaves its two
// cells empty. Plain C++.
#pragma once

#include <string>

#include "files/row_blocks.h"
#include "run/mechanism.h"

namespace sim {

// Hands the table's bytes to `sink` line by line; false when the sink refused bytes.
bool WriteCentresTable(const StepBlocks& steps, int divisions, double cycleTime,
                       const ByteSink& sink);
bool WriteCentresTable(const MechanismRun& run, int divisions, double cycleTime,
                       const ByteSink& sink);

// The whole table as one text.
std::string FormatCentresTable(const MechanismRun& run, int divisions, double cycleTime);

}
