// Guide lines over a mechanism view: dotted, in the light grey, behind the links. They show
// where a mechanism can reach or move (rings, circles, arcs, a guide line) and change nothing
// else in the picture.
#pragma once

#include "plot/canvas.h"
#include "plot/scaling.h"

namespace plot {

// The circle of world radius `radius` about `centre`; nothing for a radius that is not positive.
void GuideCircle(Canvas& p, const WorldWindow& w, WorldPoint centre, double radius);

// The arc of world radius `radius` about `centre` from direction `from` counter-clockwise to
// `to` (radians, to >= from), as a chain of short segments.
void GuideArc(Canvas& p, const WorldWindow& w, WorldPoint centre, double radius, double from,
              double to);

// The straight line through `through` in direction `direction` (radians), across the window.
void GuideLine(Canvas& p, const WorldWindow& w, WorldPoint through, double direction);

// What a two-link chain of lengths la and lb hinged at `centre` reaches: the ring between the
// circles of radii la + lb and |la - lb|.
void DrawReachRing(Canvas& p, const WorldWindow& w, WorldPoint centre, double la, double lb);

}
