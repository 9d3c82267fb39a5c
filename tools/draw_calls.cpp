// Prints, as JSON, what a default run of a mechanism draws on the large picture for the pose of
// one step (paused) and for STOP's summary, in millimetres. The browser page's test compares its
// own canvas's calls with these, so both fronts draw the same geometry and colours.
// usage: mechsim_draw_calls MECHANISM STEP
#include <cstdio>
#include <string>

#include "mechanisms/catalog.h"
#include "plot/picture_sizes.h"
#include "plot/recording_canvas.h"
#include "run/frame.h"
#include "run/run_pipeline.h"

namespace {

constexpr double kPixelsPerMm = 96.0 / 25.4;

// Records like the tests' canvas, merging lines into pixel columns as a raster picture does.
class ColumnRecorder : public plot::RecordingCanvas {
public:
    using RecordingCanvas::RecordingCanvas;
    std::array<double, 2> columnKey(double xMm, int penWidth) const override
    {
        const double column = plot::PixelColumn(xMm, kPixelsPerMm, penWidth);
        return {column, column};
    }
};

void Print(const char* name, const plot::RecordingCanvas& c)
{
    std::printf("\"%s\":{\"lines\":[", name);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
        const plot::RecordedLine& l = c.lines[i];
        std::printf("%s[%.17g,%.17g,%.17g,%.17g,%d,%d,%d,%d,%d]", i ? "," : "", l.a.x, l.a.y,
                    l.b.x, l.b.y, l.colour.r, l.colour.g, l.colour.b, l.penWidth,
                    l.style == plot::PenStyle::Dotted);
    }
    std::printf("],\"circles\":[");
    for (std::size_t i = 0; i < c.circles.size(); ++i) {
        const plot::RecordedCircle& k = c.circles[i];
        std::printf("%s[%.17g,%.17g,%.17g,%d,%d,%d,%d]", i ? "," : "", k.centre.x, k.centre.y,
                    k.radius, k.colour.r, k.colour.g, k.colour.b, k.penWidth);
    }
    std::printf("],\"texts\":[");
    for (std::size_t i = 0; i < c.texts.size(); ++i)
        std::printf("%s\"%s\"", i ? "," : "", c.texts[i].text.c_str());
    std::printf("]}");
}

ColumnRecorder Picture(plot::PixelSize size)
{
    return ColumnRecorder(size.width / kPixelsPerMm, size.height / kPixelsPerMm);
}

}

int main(int argc, char** argv)
{
    const sim::Mechanism* m = argc == 3 ? mechanisms::FindMechanism(argv[1]) : nullptr;
    if (!m) {
        std::fprintf(stderr, "usage: mechsim_draw_calls MECHANISM STEP\n");
        return 2;
    }
    ColumnRecorder graph1 = Picture(plot::kGraph1Size), graph2 = Picture(plot::kGraph2Size),
                   view = Picture(plot::kViewSize);
    sim::SimulationFrame frame(*m);
    const sim::RunRequest request{m, {}, {}};
    if (sim::RunCycle(frame, request, "/dev/null", graph1, graph2, view)) {
        std::fprintf(stderr, "the default run was refused\n");
        return 1;
    }
    frame.setPlaying(false);
    frame.goToStep(std::stoi(argv[2]), view);
    std::printf("{");
    Print("pose", view);
    frame.stop(view);
    std::printf(",");
    Print("summary", view);
    std::printf("}\n");
}
