// Drawing of a point chain in an automatically fitted, uniformly scaled world window.
#pragma once

#include <span>

#include "plot/canvas.h"

namespace testbench {

// Draws the chain of the points 0..n of x and y over what the picture already shows: the
// grid of the fitted window, a circle (colour 1) at each end point and one line per link in
// the given colour. A count beyond the shorter array is cut back to it; n < 0 draws nothing.
void DrawPointChain(plot::Canvas& picture, int n, std::span<const double> x,
                    std::span<const double> y, int colour);

}
