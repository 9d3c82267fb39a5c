// Automatic scales: a trace's full scale, a 1-2-5 range with grid step, the world window of a
// mechanism view and its drawing scale.
#pragma once

#include <span>

namespace plot {

// A point of a mechanism, in world units (the user's length unit).
struct WorldPoint {
    double x = 0, y = 0;
};

// World window of a mechanism view (world units; scale in mm per world unit). It is also the
// world transform: view point (0, 0) shows world point (xmin, ymin), one unit is `scale` mm.
struct WorldWindow {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    double xstep = 1, ystep = 1;
    double scale = 1;

    // Starts the window as the single base point.
    static WorldWindow AtPoint(double x, double y) { return {x, x, y, y, 1, 1, 1}; }
};

// Running absolute maximum over a[0..N] from F, rounded up to one significant digit;
// U is its power of ten. All zeros give F = 1, U = 1.
void AbsMaxScale(int n, std::span<const double> a, double& fullScale, double& unit);

// Widens [lower, upper] over a[0..N] (or the single a[0] when n < 1), picks a 1-2-5 step and
// moves both bounds outward to multiples of it.
void RangeScale(int n, std::span<const double> a, double& lower, double& upper, double& step);

// RangeScale over x, then over y, with the same count.
void FitWorldWindow(int n, std::span<const double> xs, std::span<const double> ys, double& xmin,
                    double& xmax, double& ymin, double& ymax, double& xstep, double& ystep);
void FitWorldWindow(int n, std::span<const double> xs, std::span<const double> ys, WorldWindow& w);
// A fixed point, passed with a count of 0.
void FitWorldWindow(double x, double y, WorldWindow& w);

// min((W - 20) / (xmax - xmin), (H - 12) / (ymax - ymin)), always finite and positive.
double DrawingScale(double width, double height, const WorldWindow& w);

}
