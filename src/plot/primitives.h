// Line and circle in the three frames of a picture: graph frame (origin 10, H/2), view frame
// (origin 10, H - 10) and world frame (view point 0,0 shows world point xmin, ymin). All y up.
#pragma once

#include "plot/canvas.h"
#include "plot/scaling.h"

namespace plot {

// Picture millimetres (y down) of a graph-frame point; the curves of a time-history graph
// are drawn as one chain of such points.
PointMm GraphToPicture(const Canvas& p, double x, double y);
// Picture millimetres of a view-frame point.
PointMm ViewToPicture(const Canvas& p, double x, double y);
// Picture millimetres of a world point seen through window w: what WorldLine draws, for a path
// of many points.
PointMm WorldToPicture(const Canvas& p, const WorldWindow& w, WorldPoint point);
// The world point shown at picture millimetres `at`: WorldToPicture's inverse, for the mouse.
WorldPoint PictureToWorld(const Canvas& p, const WorldWindow& w, PointMm at);

void GraphLine(Canvas& p, double x1, double y1, double x2, double y2, int colour);
void GraphCircle(Canvas& p, double x, double y, int colour);
void ViewLine(Canvas& p, double x1, double y1, double x2, double y2, int colour);
void WorldLine(Canvas& p, const WorldWindow& w, WorldPoint a, WorldPoint b, int colour);
void WorldCircle(Canvas& p, const WorldWindow& w, WorldPoint centre, int colour);

}
