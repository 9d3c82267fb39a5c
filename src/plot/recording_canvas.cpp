// Keeps every drawing call with the pen it was drawn with.
#include "plot/recording_canvas.h"

namespace plot {

void RecordingCanvas::doClear()
{
    lines.clear();
    circles.clear();
    texts.clear();
    ++clearCount;
}

void RecordingCanvas::doLine(PointMm a, PointMm b, Rgb colour)
{
    lines.push_back({a, b, colour, penWidth(), penStyle()});
}

void RecordingCanvas::doCircle(PointMm centre, double radius, Rgb colour)
{
    circles.push_back({centre, radius, colour, penWidth()});
}

void RecordingCanvas::doText(PointMm topLeft, std::string_view utf8)
{
    texts.push_back({topLeft, std::string(utf8)});
}

}
