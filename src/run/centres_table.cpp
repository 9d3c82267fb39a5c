// The instant centres table, one step at a time.
#include "run/centres_table.h"

#include <optional>
#include <vector>

#include "numeric/number_text.h"

namespace sim {

bool WriteCentresTable(const StepBlocks& steps, int divisions, double cycleTime,
                       const ByteSink& sink)
{
    bool ok = true;
    std::string line;
    const double n = divisions;
    steps([&](int first, int rows, const MechanismRun& block) {
        if (first == 0 && ok) {
            line = "sec";
            for (const MovingLink& link : block.movingLinks(0))
                for (const char* column : {".icx", ".icy", ".omega", ".alpha"})
                    line += "\t" + link.name + column;
            line += "\r\n";
            ok = sink(line);
        }
        for (int r = 0; r < rows && ok; ++r) {
            const int i = first + r;
            line.clear();
            numeric::AppendNumber(line, (cycleTime * i) / n);
            for (const MovingLink& link : block.movingLinks(r)) {
                const std::optional<plot::WorldPoint> centre = InstantCentre(link);
                line += '\t';
                if (centre)
                    numeric::AppendNumber(line, centre->x);
                line += '\t';
                if (centre)
                    numeric::AppendNumber(line, centre->y);
                line += '\t';
                numeric::AppendNumber(line, link.omega);
                line += '\t';
                numeric::AppendNumber(line, link.alpha);
            }
            line += "\r\n";
            ok = sink(line);
        }
    });
    return ok;
}

bool WriteCentresTable(const MechanismRun& run, int divisions, double cycleTime,
                       const ByteSink& sink)
{
    return WriteCentresTable(KeptSteps(run, divisions), divisions, cycleTime, sink);
}

std::string FormatCentresTable(const MechanismRun& run, int divisions, double cycleTime)
{
    std::string text;
    WriteCentresTable(run, divisions, cycleTime, [&text](std::string_view part) {
        text.append(part);
        return true;
    });
    return text;
}

}
