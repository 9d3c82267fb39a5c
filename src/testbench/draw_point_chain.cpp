// Drawing of a point chain in an automatically fitted, uniformly scaled world window.
#include "testbench/draw_point_chain.h"

#include <algorithm>

#include "plot/graphs.h"
#include "plot/primitives.h"
#include "plot/scaling.h"

namespace testbench {

void DrawPointChain(plot::Canvas& picture, int n, std::span<const double> x,
                    std::span<const double> y, int colour)
{
    n = std::min<int>(n, static_cast<int>(std::min(x.size(), y.size())) - 1);
    if (n < 0)
        return;

    plot::WorldWindow w = plot::WorldWindow::AtPoint(x[0], y[0]);
    plot::FitWorldWindow(n, x, y, w);
    // Finite and positive also for a window of zero width or height (all points on one line).
    w.scale = plot::DrawingScale(picture.widthMm(), picture.heightMm(), w);
    plot::DrawWorldGrid(picture, w);
    picture.setPenStyle(plot::PenStyle::Solid);

    const auto point = [&](int i) { return plot::WorldPoint{x[i], y[i]}; };
    plot::WorldCircle(picture, w, point(0), 1);
    plot::WorldCircle(picture, w, point(n), 1);
    for (int i = 0; i < n; ++i)
        plot::WorldLine(picture, w, point(i), point(i + 1), colour);
}

}
