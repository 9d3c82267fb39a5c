// The instant centres table, one step at a time.
#include "run/centres_table.h"

#include <optional>
#include <vector>

#include "numeric/number_text.h"

namespace sim {

bool WriteCentresTable(const MechanismRun& run, int divisions, double cycleTime,
                       const ByteSink& sink)
{
    std::string line = "sec";
    for (const MovingLink& link : run.movingLinks(0))
        for (const char* column : {".icx", ".icy", ".omega", ".alpha"})
            line += "\t" + link.name + column;
    line += "\r\n";
    if (!sink(line))
        return false;
    const double n = divisions;
    for (int i = 0; i <= divisions; ++i) {
        line.clear();
        numeric::AppendNumber(line, (cycleTime * i) / n);
        for (const MovingLink& link : run.movingLinks(i)) {
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
        if (!sink(line))
            return false;
    }
    return true;
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
