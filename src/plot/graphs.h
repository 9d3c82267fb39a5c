// Time-history graphs (value, velocity, acceleration against time) and the world grid.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "plot/canvas.h"
#include "plot/column_thinning.h"
#include "plot/scaling.h"

namespace plot {

// Clears the picture and draws the three traces a, b, c (elements 0..N), each with its own
// full scale, ticks and labels.
void PlotTimeHistory(Canvas& p, int n, std::span<const double> a, std::span<const double> b,
                     std::span<const double> c);

// Samples first, first + 1, ... of the three traces.
using TraceSamples = std::function<void(int first, std::span<const double> a,
                                        std::span<const double> b, std::span<const double> c)>;
// Hands every sample 0..N of the three traces to `take`, block by block in order.
using TraceBlocks = std::function<void(const TraceSamples& take)>;

// The three curves of a time history, gathered block by block for pictures of one size and
// columns, each thinned to the columns as it comes, then drawn with the graph.
class TimeHistoryCurves {
public:
    // `columns` gives the picture's size and columns; it is not drawn on, and read only while
    // samples are taken, so the gathered curves may outlive it.
    TimeHistoryCurves(const Canvas& columns, int n, const std::array<double, 3>& fullScales);
    // Samples first, first + 1, ... of the three traces, in step order.
    void take(int first, std::span<const double> a, std::span<const double> b,
              std::span<const double> c);
    // Clears `p`, of the size and columns gathered for, and draws the graph.
    void draw(Canvas& p) const;

private:
    const Canvas& columns_;
    int n_;
    std::array<double, 3> fullScales_;
    std::vector<std::vector<PointMm>> pieces_[3];
    ColumnThinning thinning_[3];
};

// The full scale of a trace whose samples reach, at the most, those of `extremes` (all its
// samples, or its lowest and its highest).
double TraceFullScale(std::span<const double> extremes);
// PlotTimeHistory with each trace's full scale given and its samples handed in blocks; each
// curve is thinned to the picture's columns as it comes, so no whole curve is ever kept.
void PlotTimeHistory(Canvas& p, int n, const std::array<double, 3>& fullScales,
                     const TraceBlocks& blocks);

// x in millimetres of sample i of 0..N on a time-history graph drawn on `p`: where the curves
// pass step i, and where the time cursor stands.
double TimeAxisX(const Canvas& p, int n, int i);

// The fixed background of a time-history graph.
void DrawGraphAxes(Canvas& p);

// Dotted grid with labelled lines over a fitted world window; does not clear.
void DrawWorldGrid(Canvas& p, const WorldWindow& w);

// Label text of a level: a blank in the sign position for positive numbers (" 4", "-4").
std::string LevelLabel(double value);

}
