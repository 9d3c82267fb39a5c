// The page's pictures: each drawing call goes to the page script's canvas of the same id.
#include "web/html_canvas.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, mechsim_canvas_clear, (const char* id), {
    Mechsim.canvas(UTF8ToString(id)).clear();
});
EM_JS(void, mechsim_canvas_lines, (const char* id, const double* xy, int points, int r, int g,
                                   int b, int width, int dotted), {
    Mechsim.canvas(UTF8ToString(id)).lines(HEAPF64.subarray(xy >> 3, (xy >> 3) + 2 * points),
                                           r, g, b, width, dotted);
});
EM_JS(void, mechsim_canvas_circle, (const char* id, double x, double y, double radius, int r,
                                    int g, int b, int width, int dotted), {
    Mechsim.canvas(UTF8ToString(id)).circle(x, y, radius, r, g, b, width, dotted);
});
EM_JS(void, mechsim_canvas_text, (const char* id, double x, double y, const char* text,
                                  int length), {
    Mechsim.canvas(UTF8ToString(id)).text(x, y, UTF8ToString(text, length));
});
EM_JS(double, mechsim_canvas_text_width, (const char* id, const char* text, int length), {
    return Mechsim.canvas(UTF8ToString(id)).textWidth(UTF8ToString(text, length));
});
EM_JS(double, mechsim_canvas_text_height, (const char* id), {
    return Mechsim.canvas(UTF8ToString(id)).textHeight();
});
// clang-format on

}

namespace web {

HtmlCanvas::HtmlCanvas(std::string id, plot::PixelSize size)
    : id_(std::move(id)), widthMm_(size.width / kPixelsPerMm), heightMm_(size.height / kPixelsPerMm)
{
}

double HtmlCanvas::textWidthMm(std::string_view utf8) const
{
    return mechsim_canvas_text_width(id_.c_str(), utf8.data(), static_cast<int>(utf8.size()))
           / kPixelsPerMm;
}

double HtmlCanvas::textHeightMm() const
{
    return mechsim_canvas_text_height(id_.c_str()) / kPixelsPerMm;
}

// Merged as the desktop's raster pictures merge at one device pixel per logical pixel.
std::array<double, 2> HtmlCanvas::columnKey(double xMm, int penWidth) const
{
    const double column = plot::PixelColumn(xMm, kPixelsPerMm, penWidth);
    return {column, column};
}

void HtmlCanvas::doClear()
{
    mechsim_canvas_clear(id_.c_str());
}

void HtmlCanvas::doLine(plot::PointMm a, plot::PointMm b, plot::Rgb colour)
{
    const std::array<plot::PointMm, 2> ends{a, b};
    doPolyline(ends, colour);
}

void HtmlCanvas::doPolyline(std::span<const plot::PointMm> points, plot::Rgb colour)
{
    static_assert(sizeof(plot::PointMm) == 2 * sizeof(double));
    mechsim_canvas_lines(id_.c_str(), reinterpret_cast<const double*>(points.data()),
                         static_cast<int>(points.size()), colour.r, colour.g, colour.b, penWidth(),
                         penStyle() == plot::PenStyle::Dotted);
}

void HtmlCanvas::doCircle(plot::PointMm centre, double radius, plot::Rgb colour)
{
    mechsim_canvas_circle(id_.c_str(), centre.x, centre.y, radius, colour.r, colour.g, colour.b,
                          penWidth(), penStyle() == plot::PenStyle::Dotted);
}

void HtmlCanvas::doText(plot::PointMm topLeft, std::string_view utf8)
{
    mechsim_canvas_text(id_.c_str(), topLeft.x, topLeft.y, utf8.data(),
                        static_cast<int>(utf8.size()));
}

}
