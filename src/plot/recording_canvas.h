// A canvas that records what is drawn, in millimetres, so tests assert geometry exactly.
#pragma once

#include <string>
#include <vector>

#include "plot/canvas.h"

namespace plot {

struct RecordedLine {
    PointMm a, b;
    Rgb colour;
    int penWidth;
    PenStyle style;
};
struct RecordedCircle {
    PointMm centre;
    double radius;
    Rgb colour;
    int penWidth;
};
struct RecordedText {
    PointMm topLeft;
    std::string text;
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(double widthMm, double heightMm) : width_(widthMm), height_(heightMm) {}

    double widthMm() const override { return width_; }
    double heightMm() const override { return height_; }

    std::vector<RecordedLine> lines;
    std::vector<RecordedCircle> circles;
    std::vector<RecordedText> texts;
    int clearCount = 0;

protected:
    void doClear() override;
    void doLine(PointMm a, PointMm b, Rgb colour) override;
    void doCircle(PointMm centre, double radius, Rgb colour) override;
    void doText(PointMm topLeft, std::string_view utf8) override;

private:
    double width_, height_;
};

}
