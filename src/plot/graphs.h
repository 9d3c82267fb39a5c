// Time-history graphs (value, velocity, acceleration against time) and the world grid.
#pragma once

#include <span>
#include <string>

#include "plot/canvas.h"
#include "plot/scaling.h"

namespace plot {

// Clears the picture and draws the three traces a, b, c (elements 0..N), each with its own
// full scale, ticks and labels.
void PlotTimeHistory(Canvas& p, int n, std::span<const double> a, std::span<const double> b,
                     std::span<const double> c);

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
