// A polyline of many points thinned, as it is gathered, to what a canvas draws of it: of each
// run of consecutive points in the same pixel columns (Canvas::columnKey), the first, the
// highest, the lowest and the last. A raster canvas merges a run of three or more points into
// its column's span and a vector canvas keeps those four, so the thinned polyline draws the
// same pixels and the same vectors as every point would, in memory the size of the picture.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "plot/canvas.h"

namespace plot {

class ColumnThinning {
public:
    // Takes the next point of the polyline and its canvas's key for it.
    void add(PointMm p, std::array<double, 2> key);
    // The thinned polyline of every point added; starts a new one.
    std::vector<PointMm> finish();

private:
    void closeRun();

    std::vector<PointMm> kept_;
    std::array<double, 2> key_{};
    // The run being gathered: its first points, its highest (least y) and lowest, each the
    // first of its height, its last, and by count where each was.
    std::array<PointMm, 4> head_{};
    PointMm top_, bottom_, last_;
    std::size_t count_ = 0, topAt_ = 0, bottomAt_ = 0;
};

}
