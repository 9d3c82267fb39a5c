// Line and circle in the three frames of a picture: graph frame (origin 10, H/2), view frame
// (origin 10, H - 10) and world frame (view point 0,0 shows world point xmin, ymin). All y up.
#pragma once

#include "plot/canvas.h"

namespace plot {

// Picture millimetres (y down) of a graph-frame point; the curves of a time-history graph
// are drawn as one chain of such points.
PointMm GraphToPicture(const Canvas& p, double x, double y);
// Picture millimetres of a world point: what WorldLine draws, for a path of many points.
PointMm WorldToPicture(const Canvas& p, double x, double y, double xmin, double ymin, double scale);

void GraphLine(Canvas& p, double x1, double y1, double x2, double y2, int colour);
void GraphCircle(Canvas& p, double x, double y, int colour);
void ViewLine(Canvas& p, double x1, double y1, double x2, double y2, int colour);
void ViewCircle(Canvas& p, double x, double y, int colour);
void WorldLine(Canvas& p, double x1, double y1, double x2, double y2, int colour, double xmin,
               double ymin, double scale);
void WorldCircle(Canvas& p, double x, double y, int colour, double xmin, double ymin, double scale);

}
