// What the raster and the vector pictures share: the labels' font and the cut of a line to a
// box around the picture, so huge coordinates never reach a painter's arithmetic.
#pragma once

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QSize>

#include "plot/picture_sizes.h"

namespace plot {

inline QSize ToQSize(PixelSize size)
{
    return QSize(size.width, size.height);
}

// Lines reaching further than this outside the picture are cut here first.
inline constexpr double kClipMarginPx = 64.0;

// The picture's size in logical pixels, widened by the clip margin.
QRectF ClipBox(QSizeF logicalSize);

// Liang-Barsky: cuts the line to the box; false when nothing of it lies inside.
bool ClipToBox(QLineF& line, const QRectF& box);

// The labels' 12-point proportional Gothic at `pixelsPerMm` logical pixels per millimetre.
QFont PictureFont(double pixelsPerMm);

}
